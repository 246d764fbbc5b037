#include "core/startup/startup.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"

#include <cstdio>

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

bool writeStartupFile(const std::string& startupFile, std::string_view path)
{
    std::string bytes(kStartupMarker);
    bytes += path;
    return writeFileAtomically(startupFile, bytes);
}

StartupChoice startupChoice(const std::string& exeDir)
{
    std::string path = readStartupPath(joinPath(exeDir, kStartupFileName));
    if (path.empty())
        return {joinPath(exeDir, kDefaultDataFile), std::string(kDefaultDisplayName)};
    std::string name = getlottoname(fileNamePart(path));
    return {std::move(path), std::move(name)};
}

std::string mainCaption(std::string_view displayName)
{
    std::string caption(displayName);
    caption += kCaptionSuffix;
    return caption;
}

} // namespace corvane::core
