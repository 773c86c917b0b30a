#pragma once

#include <string>
#include <vector>

namespace pictaven::makedata {

// Writes the program's icon for the desktop as PNG files in the icon theme's layout below
// `folder` (ending in "/"): hicolor/48x48/apps/pictaven.png, and the same at 128 and 256
// pixels. Returns the paths written, relative to `folder`. Throws IoError naming a file that
// cannot be written.
std::vector<std::string> writeDesktopIcons(const std::string& folder);

} // namespace pictaven::makedata
