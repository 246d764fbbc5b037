#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace corvane::cli {

/// What the command line needs from the machine it runs on.
struct Environment
{
    /// The directory of the running executable.
    std::string executableDir;
};

/// Runs one command line (without the program's name), writing to out and err byte for byte.
/// Returns the exit status: 0 success, 1 a refused input, 2 a wrong command line.
int run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
    std::ostream& err);

} // namespace corvane::cli
