#pragma once

#include <string>
#include <vector>

namespace pictaven::makedata {

// Writes every data file that this program makes below `folder` (ending in "/"), creating the
// subfolders: the navigation buttons in NAVBUTS, mask.jpg, buttons/error.bmp, the picture
// templates in ALBUMS (picture, settings and factory copy), the textures in backgrnd, and the
// main window's pictures: the tool bar, step and Generate pictures in resource and gradient.res,
// and the colour previewer's sample, resource/preview.bmp.
// The bytes depend on nothing but this program and the libraries it calls. Returns the paths
// written, relative to `folder`, in the order written. Throws std::runtime_error (IoError for
// files) when something cannot be written.
std::vector<std::string> writeShippedData(const std::string& folder);

} // namespace pictaven::makedata
