#pragma once

#include "catalog/FileStorage.h"
#include "decoders/PublishedMetadata.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

// The album being edited. One instance, owned by the Workspace.
struct Catalog {
    // File name with extension ("Holiday.CAT"); empty while the catalog is unnamed.
    std::string name;
    // Where the catalog is saved, without a trailing "/".
    std::string folder;
    // Where the open dialog starts; empty for the program's catalog folder.
    std::string openDialogFolder;
    // Full path opened by the last-catalog entry of the File menu.
    std::string lastCatalogPath;
    // Unsaved changes exist.
    bool modified = false;

    std::vector<AlbumItem> photos; // in album order
    std::string sourceFolder;      // the Step 1 folder as stored with the catalog
    std::string albumTitle = "Untitled Album Title"; // what step 2 shows before any catalog
    // The chosen template: position in the template list (0 is the basic album) and its name.
    std::int32_t templateIndex = 0;
    std::string templateName;
    std::string photoPageTexture; // paths of the tiled page backgrounds, empty for none
    std::string indexPageTexture;
    // What of the photos' metadata the album publishes; none chosen in a catalog written before
    // there was a choice.
    MetadataChoice publishedMetadata = PublishedMetadata::AllButPrivate;
};

} // namespace pictaven
