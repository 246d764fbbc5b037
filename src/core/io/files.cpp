#include "core/io/files.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace corvane::core {

namespace fs = std::filesystem;

namespace {

bool isSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

fs::path toPath(const std::string& path)
{
    return fs::u8path(path);
}

bool flushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::string temporaryNameBeside(const std::string& path)
{
    static std::atomic<unsigned> counter {0};
    std::random_device device;
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return path + ".tmp-" + std::to_string(device()) + "-" + std::to_string(stamp % 1000000007ULL)
        + "-" + std::to_string(counter++);
}

// The file that path names once its symbolic links are followed: path itself when it is no
// link. A link to a file that does not exist yet names that file. Nothing for a loop of links
// or a link that cannot be read.
std::optional<fs::path> linkTarget(const fs::path& path)
{
    // As many links as the system itself follows before it gives up.
    constexpr int kMaxLinks = 40;
    fs::path current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current;
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            return std::nullopt;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return std::nullopt;
}

} // namespace

std::string fileNamePart(std::string_view path)
{
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1]))
            return std::string(path.substr(i));
    }
    return std::string(path);
}

std::string joinPath(std::string_view dir, std::string_view name)
{
    std::string out(dir);
    out += '/';
    out += name;
    return out;
}

bool isRegularFile(const std::string& path)
{
    if (path.empty())
        return false;
    std::error_code error;
    return fs::is_regular_file(toPath(path), error);
}

std::FILE* openFile(const std::string& path, const char* mode)
{
#ifdef _WIN32
    const std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(toPath(path).wstring().c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

std::optional<std::string> readWholeFile(const std::string& path)
{
    if (!isRegularFile(path))
        return std::nullopt;
    std::FILE* file = openFile(path, "rb");
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return std::nullopt;
    return bytes;
}

bool writeFileAtomically(const std::string& linkOrFile, std::string_view bytes)
{
    // A link stays a link: its target is replaced, by a new file in the target's own folder,
    // since a rename is atomic only within one file system.
    const std::optional<fs::path> target = linkTarget(toPath(linkOrFile));
    if (!target)
        return false;
    const std::string path = target->u8string();
    std::string temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary = temporaryNameBeside(path);
        std::error_code error;
        if (!fs::exists(toPath(temporary), error) && !error)
            file = openFile(temporary, "wb");
    }
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = flushToDisk(file) && ok;
    ok = std::fclose(file) == 0 && ok;
    std::error_code error;
    // The new file keeps the permissions the user gave the old one.
    const fs::file_status old = fs::status(toPath(path), error);
    if (ok && !error && fs::exists(old))
        fs::permissions(toPath(temporary), old.permissions(), error);
    error.clear();
    if (ok)
        fs::rename(toPath(temporary), toPath(path), error);
    if (!ok || error) {
        fs::remove(toPath(temporary), error);
        return false;
    }
    return true;
}

} // namespace corvane::core
