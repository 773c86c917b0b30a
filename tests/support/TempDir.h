#pragma once

#include <filesystem>
#include <string>

namespace pictaven::test {

// A fresh folder below the system's temporary folder, removed with everything in it when the
// object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as text, ending in "/" as the program's folder paths do.
    std::string str() const { return m_path.string() + "/"; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// Whole-file helpers for fixtures: bytes in, bytes out, no text translation.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);
// The permission bits (0777) of a file; 0 when it does not exist.
unsigned permissionsOf(const std::filesystem::path& path);

} // namespace pictaven::test
