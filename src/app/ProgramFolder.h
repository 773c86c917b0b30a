#pragma once

#include <string>

namespace pictaven {

// The per-user folder that holds every data folder and file of the program, always ending in
// "/": $PICTAVEN_HOME when set and not empty, else $XDG_DATA_HOME/pictaven/, else
// ~/.local/share/pictaven/. Nothing is created here.
std::string resolveProgramFolder();

} // namespace pictaven
