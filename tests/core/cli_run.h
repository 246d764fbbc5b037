// Runs the command-line front end in the test's process, with "." as the program's folder.
#pragma once

#include "cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace corvane::test {

struct CliOutput
{
    int status;
    std::string out;
    std::string err;
};

inline CliOutput runCli(const std::vector<std::string>& args, const std::string& programDir = ".")
{
    std::ostringstream out, err;
    const cli::Environment environment {programDir};
    const int status = cli::run(args, environment, out, err);
    return {status, out.str(), err.str()};
}

} // namespace corvane::test
