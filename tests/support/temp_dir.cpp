#include "temp_dir.h"

#include "core/io/files.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace corvane::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<int> counter {0};
    std::random_device device;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate
            = base / ("corvane-test-" + std::to_string(device()) + "-" + std::to_string(counter++));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            m_path = candidate.u8string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code error;
    fs::permissions(fs::u8path(m_path), fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(fs::u8path(m_path), error);
}

std::string TempDir::write(const std::string& name, std::string_view bytes) const
{
    const std::string path = file(name);
    std::ofstream out(fs::u8path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string TempDir::file(const std::string& name) const
{
    return core::joinPath(m_path, name);
}

std::string readFile(const std::string& path)
{
    const auto bytes = core::readWholeFile(path);
    return bytes ? *bytes : std::string("<missing>");
}

std::string testData(const std::string& name)
{
    return core::joinPath(CORVANE_TEST_DATA_DIR, name);
}

std::string shippedData(const std::string& name)
{
    return core::joinPath(CORVANE_SHIPPED_DATA_DIR, name);
}

} // namespace corvane::test
