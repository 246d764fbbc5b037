// The update's conversion of a downloaded body into the stored data file, its check of what may
// be stored, and the reading of its Content-Length, on any bytes.
#include "core/update/update.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::core;
    const std::string body(reinterpret_cast<const char*>(data), size);
    (void)parseContentLength(body);

    const std::string stored = storedDataFile(body);
    if (storedSize(body) != stored.size())
        std::abort();
    // What may be stored is text the program opens: no zero byte, within the size it opens.
    if (!downloadFault(body)
        && (body.find('\0') != std::string::npos || stored.size() > kMaxDownloadBytes))
        std::abort();
    const std::size_t text = body.find('\0') == std::string::npos ? body.size() : body.find('\0');
    if (stored.find('\0') != std::string::npos || stored.size() < text)
        std::abort();
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\n' && (i == 0 || stored[i - 1] != '\r'))
            std::abort();
    }
    // Once stored, a file comes back from the server as it is.
    if (storedDataFile(stored) != stored)
        std::abort();
    // Dropping the inserted CRs gives the text back.
    std::string back;
    for (std::size_t i = 0, j = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n'
            && !(j < text && body[j] == '\r'))
            continue;
        back += stored[i];
        ++j;
    }
    if (back != body.substr(0, text))
        std::abort();
    return 0;
}
