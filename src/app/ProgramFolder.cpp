#include "app/ProgramFolder.h"

#include "ini/FilePaths.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string homeFolder()
{
    std::string home = environment("HOME");
    if (home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return home.empty() ? "/tmp" : home;
}

bool isFolder(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

[[noreturn]] void unusable(const std::string& programFolder, const std::string& reason)
{
    throw std::runtime_error("The program folder " + programFolder + " cannot be used: " + reason);
}

} // namespace

std::string resolveProgramFolder()
{
    // A relative value names a folder below the one the program was started in; made absolute
    // here, it names the same folder in the paths that catalogs and album.cfg keep.
    if (const std::string home = environment("PICTAVEN_HOME"); !home.empty())
        return withTrailingSlash(fs::absolute(home).lexically_normal().string());
    std::string dataHome = environment("XDG_DATA_HOME");
    // XDG says a relative value is to be ignored.
    if (dataHome.empty() || dataHome.front() != '/')
        dataHome = withTrailingSlash(homeFolder()) + ".local/share";
    return withTrailingSlash(dataHome) + "pictaven/";
}

std::string resolveDataFolder(const std::string& executableFolder, const std::string& installedDataFolder,
                              const std::string& sourceDataFolder)
{
    const fs::path besideExecutable = fs::path(executableFolder) / ".." / "share" / "pictaven";
    if (!executableFolder.empty() && isFolder(besideExecutable))
        return besideExecutable.lexically_normal().string();
    if (!sourceDataFolder.empty() && isFolder(sourceDataFolder))
        return sourceDataFolder;
    return installedDataFolder;
}

void ensureProgramFolder(const std::string& programFolder)
{
    std::error_code error;
    fs::create_directories(programFolder, error);
    if (error)
        unusable(programFolder, error.message());
    if (!isFolder(programFolder))
        unusable(programFolder, "it is not a folder");
    // Rights alone do not tell (read-only mounts, full disks), so a probe file is made and removed.
    std::string probe = withTrailingSlash(programFolder) + ".write-test-XXXXXX";
    const int handle = ::mkstemp(probe.data());
    if (handle < 0)
        unusable(programFolder, std::strerror(errno));
    ::close(handle);
    ::unlink(probe.c_str());
}

void createWorkFolders(const std::string& programFolder)
{
    for (const char* name : {"CDROM", "Projects", "temp", "Photos", "catalog"}) {
        std::error_code ignored;
        fs::create_directory(fs::path(programFolder) / name, ignored);
    }
}

} // namespace pictaven
