#pragma once

#include <string>
#include <string_view>

namespace corvane::test {

/// A fresh folder for one test, removed with everything in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }

    /// Writes bytes to name in the folder and returns the file's path.
    std::string write(const std::string& name, std::string_view bytes) const;
    /// The path of name in the folder.
    std::string file(const std::string& name) const;

private:
    std::string m_path;
};

/// The bytes of a file, or "<missing>" when it cannot be read.
std::string readFile(const std::string& path);

/// The path of a file of tests/data, or of the shipped data folder.
std::string testData(const std::string& name);
std::string shippedData(const std::string& name);

} // namespace corvane::test
