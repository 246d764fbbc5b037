#pragma once

#include "core/text/textcodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::core {

/// What the online update tells the user.
extern const char* const kConnectionFailedMessage;
extern const char* const kUpdateFinishedMessage;
/// "The File " + fileName + " could not be created".
std::string couldNotBeCreatedMessage(const std::string& fileName);

/// The largest data file the update stores, once its line ends are CR LF: the largest file the
/// program opens. A larger announced length is refused before anything is allocated.
constexpr std::uint64_t kMaxDownloadBytes = TextCodec::kMaxBytes;

/// The decimal value of a Content-Length header: leading blanks skipped, the digits up to the
/// first non-digit. Nothing when the text holds no digit there, or the value overflows.
std::optional<std::uint64_t> parseContentLength(std::string_view text);

/// The bytes stored for a downloaded body: the text up to its first zero byte, with every LF
/// that is not already preceded by CR written as CR LF (a CR LF body is stored as it is).
std::string storedDataFile(std::string_view body);

/// How storing a download ended. Every value but Stored leaves the local file as it was.
enum class StoreResult {
    Stored,
    /// The local file may not be written (read-only), or the folder refused the new file.
    CouldNotBeCreated,
    /// The body has no bytes: storing it would empty the user's data file.
    Empty,
    /// The body holds a zero byte: a binary file, not a draw history.
    Binary,
    /// The body is a web page (a network's sign-in page, an error page sent with status 200).
    WebPage,
    /// The body is text without a single data line, so no draw could be read from it.
    NoDraws,
    /// Stored with CR LF line ends, the body would have more than kMaxDownloadBytes bytes, and
    /// the program would refuse to open it.
    TooLarge,
};

/// Why body may not replace a data file, or nothing when it is a draw history the program can
/// open once stored: at least one byte, no zero byte, not a web page (markup from its first
/// visible character, or an HTML document's tags anywhere), at most kMaxDownloadBytes bytes
/// once stored, and at least one data line (a line whose first character after leading spaces
/// is a digit).
std::optional<StoreResult> downloadFault(std::string_view body);

/// The size in bytes of storedDataFile(body), without building it.
std::size_t storedSize(std::string_view body);

/// Replaces the local data file at path by storedDataFile(body), safely, when downloadFault
/// finds nothing wrong with body: a new file beside it is renamed over the old one, so the old
/// file stays whole on any failure. A read-only local file is never replaced, even where the
/// folder would allow the rename. A symbolic link stays a link: its target is replaced.
StoreResult storeDownload(const std::string& path, std::string_view body);

} // namespace corvane::core
