#pragma once

#include "imaging/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace pictaven
{

// The EXIF Orientation of a JPEG file (tag 0x0112 of IFD0 in its APP1 "Exif" segment).
struct ExifOrientation {
    int value = 1; // 1 to 8; 1 when the file has none or a value out of range
    std::size_t offset = 0; // where the 2-byte value lies in the file; 0 when it has none
    bool bigEndian = false;
};

// Reads only the markers before the image data and only IFD0: every offset is checked against
// the segment, and nothing is followed twice, so damaged or hostile bytes cannot make it loop
// or read outside `jpeg`. Never throws.
ExifOrientation findExifOrientation(std::span<const std::uint8_t> jpeg);

// The same for a file, from its first bytes; value 1 for a file that cannot be read.
ExifOrientation readExifOrientation(const std::string& path);

// What a catalog entry keeps of an orientation: the turn drawn first (a photo's Rotation: 0
// none, 1 left, 2 right, 3 half turn) and whether the turned picture is then mirrored left to
// right.
struct OrientationTurn {
    int rotation = 0;
    bool mirrored = false;
};
OrientationTurn orientationTurn(int orientation);

// Reads a JPEG file (as readJpeg does, throwing as it does) and shows it upright: turned and
// mirrored as its EXIF Orientation says.
Bitmap readJpegUpright(const std::string& path);

} // namespace pictaven
