#include "session/StartCatalog.h"

#include "app/Dialogs.h"
#include "session/CatalogCommands.h"
#include "session/StepNavigator.h"
#include "session/Workspace.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

constexpr const char* kStartsEmpty = "\r\n\r\nPictaven starts with an empty catalog.";

// Why the file cannot be read; empty when it can.
std::string unreadableReason(const fs::path& file)
{
    std::error_code error;
    if (fs::is_directory(file, error))
        return "it is a folder";
    std::ifstream probe(file, std::ios::binary);
    if (!probe)
        return std::strerror(errno);
    return {};
}

} // namespace

void openStartCatalog(Workspace& workspace, StepNavigator& navigator, const std::string& argument,
                      const std::string& startFolder)
{
    const fs::path given(argument);
    const std::string path = (given.is_absolute() ? given : fs::path(startFolder) / given).lexically_normal().string();
    Dialogs& dialogs = workspace.dialogs();
    bool opened = false;
    try {
        if (const std::string reason = unreadableReason(path); !reason.empty()) {
            dialogs.showError("The catalog " + path + " cannot be opened: " + reason + "." + kStartsEmpty);
            return;
        }
        opened = openAndRememberCatalog(workspace, path);
        if (!opened)
            dialogs.showError("The file " + path + " is not a catalog (*.cat)." + kStartsEmpty);
    } catch (const std::exception& error) {
        // Reading may fail part way, as it may for Open: the catalog then holds what was read.
        dialogs.showError(error.what());
        opened = true;
    }
    workspace.changes().notify();
    if (opened)
        navigator.showFirstStepAfterCatalogChange();
}

} // namespace pictaven
