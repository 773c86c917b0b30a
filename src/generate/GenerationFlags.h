#pragma once

#include <string>
#include <vector>

namespace pictaven {

// The generation switches that photo-list, template and settings changes flip.
struct GenerationFlags {
    bool rerenderPhotos = false; // photos must be rendered again at the next generation
    // The "Smart Render" option: on, photos are rendered again whenever rerenderPhotos is set;
    // off, only photos whose output file is missing are rendered. Never stored.
    bool smartRender = true;
    // Full paths of the index pages and album pictures of the last page phase, in page order;
    // the upload sends them.
    std::vector<std::string> indexPageList;
    std::vector<std::string> albumPictureList;
};

} // namespace pictaven
