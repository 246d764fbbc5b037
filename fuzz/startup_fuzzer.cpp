// The start-up file reader on any file: the path is the first line less its first 18
// characters, and a written start-up file reads back as the path written.
#include "fuzz_support.h"

#include "core/startup/startup.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::core;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = readStartupPath(corvane::fuzz::scratchFile("startlotto.txt", bytes));
    std::string first = bytes.substr(0, bytes.find('\n'));
    if (bytes.find('\n') != std::string::npos && !first.empty() && first.back() == '\r')
        first.pop_back();
    const std::string expected = first.size() > 18 ? first.substr(18) : std::string();
    if (path != expected)
        std::abort();

    const std::string written = corvane::fuzz::scratchFile("written.txt", "");
    const std::string line = bytes.substr(0, bytes.find_first_of(std::string("\r\n\0", 3)));
    if (writeStartupFile(written, line) && !line.empty() && readStartupPath(written) != line)
        std::abort();
    return 0;
}
