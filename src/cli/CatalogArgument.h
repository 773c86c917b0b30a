#pragma once

#include "settings/ConfigFile.h"

#include <set>
#include <string>
#include <vector>

namespace pictaven {
class Workspace;
}

namespace pictaven::cli {

// A path given on the command line, made absolute against the folder the command was started
// in (the program never changes its current folder).
std::string commandLinePath(const std::string& argument);

// Refuses a settings file that reading would take as if it held nothing, so that a command never
// goes on with every key at its default: a file that does not exist, an empty file, and one that
// holds none of the keys the program reads from a catalog (in template mode: from a template),
// such as binary bytes or text of another kind. Throws std::runtime_error naming the file, or
// IoError when it cannot be read at all (a folder, a pipe, no rights).
void checkSettingsFile(const std::string& path, ConfigMode mode);

// The catalog named on the command line, as an absolute path, once checkSettingsFile accepts it.
// Throws as checkSettingsFile.
std::string catalogArgument(const std::string& argument);

// Opens a catalog that catalogArgument accepted as the window's Open command does
// (openAndRememberCatalog), so that a generation renders every photo again. Throws std::runtime_error
// for a name without ".CAT" (any case), and what openCatalogFile throws.
void openCatalogArgument(Workspace& workspace, const std::string& path);

// The arguments of a command on one catalog: "CATALOG.CAT [--profile NAME.prf]" and the
// switches it allows.
struct ProfileCommandArguments {
    std::string catalog; // as given; catalogArgument makes it a path
    std::string profile; // empty when not given
    std::set<std::string> switches; // those given of the allowed ones
};

// Throws std::invalid_argument ending in `usage` for any other argument, a second catalog or
// none.
ProfileCommandArguments parseProfileCommand(const std::vector<std::string>& args,
                                            const std::set<std::string>& allowedSwitches, const std::string& usage);

// The FTP profile named on the command line: a bare name is looked up in the program's profiles
// folder, as the desktop program keeps them; a path is taken against the starting folder.
// Throws std::runtime_error naming the file when there is no such file.
std::string profileArgument(const std::string& name, const Workspace& workspace);

} // namespace pictaven::cli
