#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pictaven {

// What a photo's EXIF, IPTC and XMP blocks say about it. Texts are UTF-8 and trimmed; empty
// when the photo says nothing.
struct PhotoMetadata {
    std::string title;       // XMP dc:title, IPTC Object Name, EXIF XPTitle
    std::string description; // XMP dc:description, IPTC Caption-Abstract, EXIF ImageDescription, XPComment
    // When the photo was taken (EXIF DateTimeOriginal, read as local time; a video's creation
    // time), in seconds since the epoch.
    std::optional<std::int64_t> takenAt;
    int orientation = 0; // EXIF Orientation 1..8; 0 when absent or out of range
    // Coordinates or a place's name in EXIF, IPTC or XMP, extended XMP included (saysWhere).
    bool hasLocation = false;
};

// The metadata of the picture file at `path`; of a video (isVideoPath), when it was shot and
// whether it says where, from its container (probeVideo). A file without metadata, or whose
// blocks cannot be read, gives an empty record: metadata never stops a photo from being used.
// Never throws.
PhotoMetadata readPhotoMetadata(const std::string& path);

// `text` as UTF-8: kept when it already is, else read as Latin-1, the 8-bit encoding that
// older programs wrote into IPTC and EXIF text.
std::string metadataTextAsUtf8(const std::string& text);

} // namespace pictaven
