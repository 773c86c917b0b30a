#pragma once

#include "catalog/FileStorage.h"
#include "decoders/PublishedMetadata.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pictaven
{

// What reading a catalog takes from the program where the file says nothing.
struct CatalogReadingPlaces {
    std::string programFolder; // ends in "/"
    // A relative catalog path is taken against it, and it stays the output folder when the
    // catalog names none.
    std::string outputFolder;
    std::string sourceFolder; // stays the source folder when the catalog names none
};

// A catalog file as read, before anything of the program changes: no questions, no messages.
// A relative path the catalog holds (photo, audio file, texture) is made whole against the
// output folder the catalog sets, or the Projects folder when that is not an absolute folder.
struct CatalogSnapshot {
    std::string file; // the catalog's path, made absolute
    std::string version;
    std::string sourceFolder;
    std::string outputFolder; // ends in "/"
    std::vector<AlbumItem> photos;
    std::string albumTitle;
    MetadataChoice publishedMetadata;
    // The template as stored: its name (may be empty) and its position in the list.
    std::string templateName;
    std::int32_t templateIndex = 0;
    std::string photoPageTexture;
    std::string indexPageTexture;

    // Throws IoError when the file cannot be read.
    static CatalogSnapshot read(const std::string& path, const CatalogReadingPlaces& places);

    // Written by a version before 3 ("2.80").
    bool fromPriorVersion() const;
    // Written by a version whose grid the catalog can be trusted to hold.
    bool fromKnownVersion() const;
    // How many photos name no file.
    std::size_t missingPhotos() const;
    // `held` made whole as the catalog's own paths are; an empty path stays empty.
    std::string wholePath(const std::string& held) const;

private:
    std::string m_pathFolder;
};

} // namespace pictaven
