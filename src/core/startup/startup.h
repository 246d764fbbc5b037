#pragma once

#include <string>
#include <string_view>

namespace corvane::core {

/// The file in the executable's directory that names the lottery opened at start-up.
inline constexpr std::string_view kStartupFileName = "startlotto.txt";
/// What the start-up file begins with; the reader skips this many characters unread.
inline constexpr std::string_view kStartupMarker = "Startup-Open-File:";
/// The data file and display name used when there is no start-up choice.
inline constexpr std::string_view kDefaultDataFile = "ca649.txt";
inline constexpr std::string_view kDefaultDisplayName = "Canada 6/49";
/// What every main-window caption ends with.
inline constexpr std::string_view kCaptionSuffix = "--Corvane For Windows";

/// The path named by the start-up file at startupFile: its first line without the line end
/// (LF, or CR LF), less the first 18 characters, which are not compared with the marker.
/// Empty when the file is missing, unreadable, empty, or its first line has 18 characters or
/// fewer. The path is returned as read: not trimmed, not tested for existence.
std::string readStartupPath(const std::string& startupFile);

/// Writes the start-up file at startupFile: the marker followed by path, no line end, replacing
/// the file safely (the old one stays whole on failure). A start-up file that is read-only is
/// left as it is. Returns false when nothing was written.
bool writeStartupFile(const std::string& startupFile, std::string_view path);

/// What start-up opens: the data file and the display name that heads the caption.
struct StartupChoice
{
    std::string path;
    std::string displayName;
    /// True when the start-up file named the path; false for the default lottery.
    bool fromStartupFile = false;
};

/// The start-up choice for the executable's directory exeDir: the path of its start-up file
/// with the display name of that path's file name (getlottoname), or the default lottery when
/// the file gives no path.
StartupChoice startupChoice(const std::string& exeDir);

/// The default lottery of exeDir: exeDir/ca649.txt with "Canada 6/49". Start-up opens it also
/// when the start-up file names a file that cannot be opened.
StartupChoice defaultStartupChoice(const std::string& exeDir);

/// displayName followed by "--Corvane For Windows".
std::string mainCaption(std::string_view displayName);

} // namespace corvane::core
