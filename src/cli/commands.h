#pragma once

#include "cli.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvane::cli {

/// A command's arguments after its name, and where it writes.
struct Invocation
{
    std::vector<std::string> args;
    const Environment& environment;
    std::ostream& out;
    std::ostream& err;
};

/// Exit status of a wrong command line; the caller prints the usage.
constexpr int kUsage = 2;
/// Exit status 2 as well, for input refused with its own message: the caller adds no usage.
constexpr int kRefused = 1002;

/// An option's whole number in plain digits, within [low, high]; nothing for anything else
/// (a sign, a fraction, a number too large to hold).
std::optional<std::uint64_t> parseWholeArgument(
    const std::string& text, std::uint64_t low, std::uint64_t high);
/// The same for options held in an int; low is not negative.
std::optional<int> parseIntArgument(const std::string& text, int low, int high);

int predictCommand(const Invocation& call);
int nameCommand(const Invocation& call);
int catalogueCommand(const Invocation& call);
int backtestCommand(const Invocation& call);
int freqCommand(const Invocation& call);
int blankCommand(const Invocation& call);
int importCommand(const Invocation& call);
int reportCommand(const Invocation& call);
int checkCommand(const Invocation& call);
int wheelCommand(const Invocation& call);
#ifdef CORVANE_CLI_UPDATE
int updateCommand(const Invocation& call);
#endif

} // namespace corvane::cli
