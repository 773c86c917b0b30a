#pragma once

#include <string>

namespace pictaven {

// The per-user folder that holds every data folder and file of the program, always ending in
// "/": $PICTAVEN_HOME when set and not empty (made absolute against the current folder), else
// $XDG_DATA_HOME/pictaven/, else ~/.local/share/pictaven/. Nothing is created here.
std::string resolveProgramFolder();

// The folder of the files shipped with the program: `<executable's folder>/../share/pictaven`
// when the program runs installed there, else `sourceDataFolder` when it exists (a run from the
// build tree), else `installedDataFolder`. No trailing "/" is added.
std::string resolveDataFolder(const std::string& executableFolder, const std::string& installedDataFolder,
                              const std::string& sourceDataFolder);

// Creates the program folder when missing and checks that files can be created in it. Throws
// std::runtime_error naming the folder and the system's reason when it cannot be used.
void ensureProgramFolder(const std::string& programFolder);

// Creates CDROM, Projects and temp below the program folder, and the first step 1 folder
// (Photos) and the catalog choosers' folder (catalog), which a new user's program folder lacks
// too; failures are ignored, as a folder that cannot be made only shows later where it is used.
void createWorkFolders(const std::string& programFolder);

} // namespace pictaven
