#pragma once

#include "session/Workspace.h"

#include <memory>

namespace pictaven::cli {

class TerminalDialogs;

// The model as the desktop program has it after start-up and first show, for commands that
// work on catalogs. The program folder is PICTAVEN_HOME or the per-user data folder, set up as
// the desktop program does. `dialogs` must outlive the workspace. Throws what the start-up throws.
std::unique_ptr<Workspace> startWorkspace(TerminalDialogs& dialogs);

} // namespace pictaven::cli
