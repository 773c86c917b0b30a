#include "cli/CliWorkspace.h"

#include "app/ProgramFolder.h"
#include "cli/TerminalDialogs.h"

#include <filesystem>

namespace pictaven::cli {

std::unique_ptr<Workspace> startWorkspace(TerminalDialogs& dialogs)
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string dataFolder = resolveDataFolder(error ? std::string() : executable.parent_path().string(),
                                                     PICTAVEN_INSTALL_DATA_DIR, PICTAVEN_SOURCE_DATA_DIR);
    auto workspace = std::make_unique<Workspace>(resolveProgramFolder(), dataFolder, dialogs);
    workspace->firstShow();
    return workspace;
}

} // namespace pictaven::cli
