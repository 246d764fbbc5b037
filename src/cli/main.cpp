#include "cli.h"
#include "executable_dir.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The output is compared byte for byte: no LF may become CR LF on the way out.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const corvane::cli::Environment environment {corvane::cli::executableDir()};
    const int status = corvane::cli::run(args, environment, std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    return status;
}
