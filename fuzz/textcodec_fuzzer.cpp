// The document's text codec: a file opened and saved unedited must come back byte for byte, and
// an edited save must read back as the same text.
#include "core/text/textcodec.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using corvane::core::TextCodec;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TextCodec codec;
    const std::u16string text = codec.decode(bytes);
    if (text.size() > bytes.size())
        std::abort();
    if (codec.encode(text, false) != bytes)
        std::abort();

    const std::string edited = codec.encode(text, true);
    std::size_t breaks = 0;
    for (const char16_t c : text)
        breaks += TextCodec::isEditorBreak(c) ? 1 : 0;
    if (codec.editedSize(text.size(), breaks) != edited.size())
        std::abort();
    TextCodec again;
    if (again.decode(edited) != text)
        std::abort();
    if (TextCodec::insertable(text) != text)
        std::abort();
    return 0;
}
