#include "app/ProgramFolder.h"
#include "cli/CatalogArgument.h"
#include "cli/Commands.h"
#include "settings/ConfigFile.h"

#include <filesystem>
#include <stdexcept>

namespace pictaven::cli {

// Writes every template key at its default; this is how the shipped ALBUMS/DEFAULT.CFG is made.
// An existing file is never replaced, as new-catalog never replaces one.
int runDefaultTemplateCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].starts_with("--"))
        throw std::invalid_argument("usage: default-template FILE");
    const std::string path = commandLinePath(args[0]);
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        throw std::runtime_error(path + " already exists; choose another name");
    writeConfigFile(path, AlbumSettings::defaults(resolveProgramFolder()));
    return 0;
}

} // namespace pictaven::cli
