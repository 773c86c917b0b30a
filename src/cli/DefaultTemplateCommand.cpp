#include "app/ProgramFolder.h"
#include "cli/Commands.h"
#include "settings/ConfigFile.h"

#include <stdexcept>

namespace pictaven::cli {

// Writes every template key at its default; this is how the shipped ALBUMS/DEFAULT.CFG is made.
int runDefaultTemplateCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].starts_with("--"))
        throw std::invalid_argument("usage: default-template FILE");
    writeConfigFile(args[0], AlbumSettings::defaults(resolveProgramFolder()));
    return 0;
}

} // namespace pictaven::cli
