#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

// What the album keeps for one photo.
struct FileStorage {
    std::string SourcePath;  // the file the user chose, absolute; rendering always reads it
    std::string WorkingPath; // what names the output files; a converted copy's path after generation
    // When the photo was taken, as its metadata says, or else its last-modification time when
    // it was added, in seconds since the epoch; 0 when unknown (photos loaded from a catalog).
    std::int64_t FileDate = 0;
    std::string Caption;  // thumbnail label
    std::string WebTitle; // title on the photo page
    std::string AudioFile; // absolute path, empty for none
    std::vector<std::string> Description; // one entry per line, plain text or HTML
    std::int32_t Rotation = 0; // 0 none, 1 left, 2 right, 3 flip
    bool Mirrored = false;     // drawn mirrored left to right after the turn (a front camera's photo)
    bool Converted = false;    // generation made a JPEG copy of a non-web source
};

// One entry of the album list.
struct AlbumItem {
    // The bare file name shown in the list; the duplicate test and renames compare it.
    std::string displayName;
    FileStorage storage;
};

} // namespace pictaven
