#include "executable_dir.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace corvane::cli {

std::string executableDir()
{
    namespace fs = std::filesystem;
    std::error_code error;
#ifdef _WIN32
    std::wstring buffer(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    fs::path exe = n > 0 ? fs::path(buffer.substr(0, n)) : fs::path();
#else
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
#endif
    if (exe.empty() || error)
        return fs::current_path(error).u8string();
    return exe.parent_path().u8string();
}

} // namespace corvane::cli
