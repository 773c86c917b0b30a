#pragma once

#include "IconCanvas.h"
#include "imaging/Bitmap.h"

#include <functional>
#include <string>
#include <vector>

namespace pictaven::makedata {

// A picture of the main window, drawn at the single size (scale 1) and at the double size
// for high-density screens (scale 2).
struct WindowPicture {
    std::string path; // below the data folder, "resource/New.res"
    std::function<Bitmap(float scale)> draw;
};

// A picture of `units` by `units` design units over the panels' blue, drawn by `draw`.
WindowPicture panelPicture(std::string path, int units, std::function<void(IconCanvas&)> draw);

// The path of the double-size version: "resource/New.res" gives "resource/New@2x.res".
std::string doubleSizePath(const std::string& path);

// Writes each picture as a 24-bit bitmap at both sizes below `folder` (ending in "/"), creating
// the subfolders. Returns the paths written, relative to `folder`. Throws IoError naming a file
// that cannot be written.
std::vector<std::string> writeWindowPictures(const std::vector<WindowPicture>& pictures,
                                             const std::string& folder);

} // namespace pictaven::makedata
