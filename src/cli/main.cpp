#include "cli.h"
#include "executable_dir.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The output is compared byte for byte: no LF may become CR LF on the way out.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
#ifdef __GLIBC__
    // A backtest or a report runs the methods hundreds of times, and each run builds and frees
    // a megabyte of tables. Left to itself glibc hands that memory back to the system after
    // every run and faults it in again, which costs ten times the runs themselves.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const corvane::cli::Environment environment {corvane::cli::executableDir()};
    const int status = corvane::cli::run(args, environment, std::cout, std::cerr);
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        // "import x.csv > history.txt" on a full disk must not look like it worked.
        const int error = errno;
        std::cerr << "corvane-cli: the output could not be written"
                  << (error ? std::string(": ") + std::strerror(error) : std::string()) << ".\n";
        std::cerr.flush();
        return status == 0 ? 1 : status;
    }
    std::cerr.flush();
    return status;
}
