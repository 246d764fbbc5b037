#include "core/startup/startup.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace corvane::core {

std::string readStartupPath(const std::string& startupFile)
{
    if (!isRegularFile(startupFile))
        return {};
    std::FILE* file = openFile(startupFile, "rb");
    if (!file)
        return {};
    std::string line;
    int c = 0;
    while ((c = std::fgetc(file)) != EOF && c != '\n')
        line += static_cast<char>(c);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return {};
    // A file written in text mode on Windows ends its lines with CR LF; the reader there never
    // sees the CR, so neither does this one.
    if (c == '\n' && !line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() <= kStartupMarker.size())
        return {};
    return line.substr(kStartupMarker.size());
}

namespace {

// A file that exists and may not be written: no write permission at all (read-only even for an
// administrator, as the platform's read-only attribute is), or none for this user.
bool isReadOnly(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(fs::u8path(path), error);
    if (error || !fs::exists(status))
        return false;
    const fs::perms anyWrite
        = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & anyWrite) == fs::perms::none)
        return true;
#ifdef _WIN32
    return false;
#else
    return ::access(path.c_str(), W_OK) != 0;
#endif
}

} // namespace

bool writeStartupFile(const std::string& startupFile, std::string_view path)
{
    // The new file is renamed over the old one, which would replace a file the user made
    // read-only: such a file stays as it is.
    if (isReadOnly(startupFile))
        return false;
    std::string bytes(kStartupMarker);
    bytes += path;
    return writeFileAtomically(startupFile, bytes);
}

StartupChoice startupChoice(const std::string& exeDir)
{
    std::string path = readStartupPath(joinPath(exeDir, kStartupFileName));
    if (path.empty())
        return defaultStartupChoice(exeDir);
    std::string name = getlottoname(fileNamePart(path));
    return {std::move(path), std::move(name), true};
}

StartupChoice defaultStartupChoice(const std::string& exeDir)
{
    return {joinPath(exeDir, kDefaultDataFile), std::string(kDefaultDisplayName), false};
}

std::string mainCaption(std::string_view displayName)
{
    std::string caption(displayName);
    caption += kCaptionSuffix;
    return caption;
}

} // namespace corvane::core
