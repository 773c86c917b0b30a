#pragma once

#include "catalog/FileStorage.h"
#include "decoders/PublishedMetadata.h"
#include "generate/PublishedVideo.h"
#include "settings/AlbumSettings.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace pictaven {

// Everything one generation reads, copied from the workspace so that it can run on a worker
// while the window goes on. Paths use "/"; folders end in "/".
struct AlbumJob {
    AlbumSettings settings;
    std::string programFolder;
    std::string outputFolder;
    std::vector<FileStorage> photos; // album order
    std::string albumTitle;
    std::string catalogPath; // the catalog file; empty while the catalog has no file
    // Template position 0 is the basic album; any other is a picture template whose background
    // is programFolder + "ALBUMS/" + templateName + ".bmp" (looked up without regard to case).
    std::int32_t templateIndex = 0;
    std::string templateName;
    std::string photoPageTexture; // empty for none
    std::string indexPageTexture;
    bool smartRender = true;        // the "Smart Render" option
    bool rerenderPhotos = false;    // photos must be rendered again
    std::int32_t compression1 = 80; // JPEG quality of picture albums' album pictures (GlobalSettings)
    std::int32_t compression2 = 97; // JPEG quality of photos converted to JPEG (GlobalSettings)
    MetadataChoice publishedMetadata = PublishedMetadata::AllButPrivate; // the catalog's choice
    // Filled by the photo phase, by photo index: the videos it published, which the pages show.
    std::map<std::size_t, PublishedVideo> videos;

    bool basicAlbum() const { return templateIndex == 0; }
};

} // namespace pictaven
