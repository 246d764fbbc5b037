#pragma once

#include <string>

namespace corvane::cli {

/// The directory of the running executable, from the operating system (not from argv[0]);
/// the current directory when the system cannot tell.
std::string executableDir();

} // namespace corvane::cli
