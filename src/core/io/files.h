#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::core {

/// Paths are UTF-8 strings. On Windows both '\' and '/' separate directories; elsewhere '/'.

/// The part of path after its last directory separator (all of path when it has none).
std::string fileNamePart(std::string_view path);

/// dir, a separator and name.
std::string joinPath(std::string_view dir, std::string_view name);

/// True when path names an existing regular file (not a directory, device or pipe).
bool isRegularFile(const std::string& path);

/// std::fopen for a UTF-8 path; on Windows through the wide-character API.
std::FILE* openFile(const std::string& path, const char* mode);

/// The whole content of a regular file, byte for byte; nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

/// Replaces the file at path by bytes, safely: the bytes go to a temporary file in the same
/// folder, which is flushed to disk and renamed over the old file. On any failure the old file
/// is left as it was and the temporary file is removed. Returns false on failure.
/// When path is a symbolic link (or a chain of them), the link stays and the file it leads to is
/// replaced in the same way, in that file's folder; a loop of links is a failure.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace corvane::core
