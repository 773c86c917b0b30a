#pragma once

#include "imaging/ImageSize.h"

#include <string>

namespace pictaven {

// What the pages say about a video the photo phase published.
struct PublishedVideo {
    std::string file;   // the playable MP4, a file name in the output folder
    std::string poster; // the JPEG shown before it plays, a file name in the output folder
    ImageSize size;     // the MP4's picture as players show it: turned upright and scaled
};

} // namespace pictaven
