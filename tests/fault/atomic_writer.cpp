// A child for the kill test: replaces FILE again and again, alternately by two large contents,
// through the core's safe writer, until it is killed.
//   atomic_writer FILE BYTES
#include "core/io/files.h"
#include "core/update/update.h"

#include <cstdio>
#include <cstdlib>
#include <string>

std::string content(char fill, std::size_t bytes)
{
    std::string text;
    text.reserve(bytes);
    while (text.size() + 26 <= bytes)
        text += std::string("20020105 1 2 3 4 5 6 ") + fill + fill + "\r\n";
    return text;
}

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    const std::string path = argv[1];
    const std::size_t bytes = std::strtoul(argv[2], nullptr, 10);
    const std::string mode = argv[3];
    const std::string a = content('a', bytes);
    const std::string b = content('b', bytes);
    std::puts("ready");
    std::fflush(stdout);
    for (unsigned long i = 0;; ++i) {
        const std::string& next = i % 2 ? b : a;
        const bool ok = mode == "update"
            ? corvane::core::storeDownload(path, next) == corvane::core::StoreResult::Stored
            : corvane::core::writeFileAtomically(path, next);
        if (!ok)
            return 1;
    }
}
