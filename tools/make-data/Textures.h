#pragma once

#include "imaging/Bitmap.h"

#include <string>
#include <vector>

namespace pictaven::makedata {

// A page texture: a square picture whose opposite edges meet without a seam when tiled.
struct Texture {
    std::string fileName; // in backgrnd
    Bitmap picture;
};

// Light paper, woven linen and dark slate, 128 pixels square.
std::vector<Texture> drawTextures();

} // namespace pictaven::makedata
