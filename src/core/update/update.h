#pragma once

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

/// The largest data file the update accepts; a larger announced length is refused before
/// anything is allocated.
constexpr std::uint64_t kMaxDownloadBytes = 16u * 1024u * 1024u;

/// The decimal value of a Content-Length header: leading blanks skipped, the digits up to the
/// first non-digit. Nothing when the text holds no digit there, or the value overflows.
std::optional<std::uint64_t> parseContentLength(std::string_view text);

/// The bytes stored for a downloaded body: the text up to its first zero byte, with every LF
/// that is not already preceded by CR written as CR LF (a CR LF body is stored as it is).
std::string storedDataFile(std::string_view body);

/// Why storing a download failed.
enum class StoreResult {
    Stored,
    /// The local file may not be written (read-only), or the folder refused the new file.
    CouldNotBeCreated,
    /// The body holds no text: storing it would empty the user's data file.
    Empty,
};

/// Replaces the local data file at path by storedDataFile(body), safely: a new file beside it is
/// renamed over the old one, so the old file stays whole on any failure. A read-only local file
/// is never replaced, even where the folder would allow the rename.
StoreResult storeDownload(const std::string& path, std::string_view body);

} // namespace corvane::core
