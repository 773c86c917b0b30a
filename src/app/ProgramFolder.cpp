#include "app/ProgramFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace pictaven {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
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

} // namespace

std::string resolveProgramFolder()
{
    if (std::string home = environment("PICTAVEN_HOME"); !home.empty())
        return withSlash(home);
    std::string dataHome = environment("XDG_DATA_HOME");
    // XDG says a relative value is to be ignored.
    if (dataHome.empty() || dataHome.front() != '/')
        dataHome = withSlash(homeFolder()) + ".local/share";
    return withSlash(dataHome) + "pictaven/";
}

} // namespace pictaven
