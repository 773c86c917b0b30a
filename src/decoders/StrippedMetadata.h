#pragma once

#include <string>
#include <string_view>

namespace pictaven
{

// Which blocks of a JPEG file jpegWithoutMetadata cuts out.
enum class JpegCut {
    // Every block that may hold metadata; the JFIF header, colour profile and Adobe colour
    // block stay.
    Everything,
    // What a metadata library does not filter: extended XMP, MPF and other application blocks,
    // a second EXIF or XMP block, Photoshop resources other than IPTC. EXIF, XMP, IPTC and
    // comments stay, for filtering entry by entry.
    Unfiltered,
};

// The files below are cut at the level of their blocks, leaving the picture's own bytes as they
// are, and end where the picture ends: whatever was appended after it (a second picture, a
// vendor's trailer) goes. Each throws std::runtime_error when the structure is damaged.

// The JPEG file `bytes` without the blocks that `cut` names.
std::string jpegWithoutMetadata(std::string_view bytes, JpegCut cut);

// The PNG file `bytes` with only the chunks that make up the picture and how it is shown
// (palette, transparency, colour space, pixel size, animation); text, EXIF, time and unknown
// chunks go.
std::string pngWithoutMetadata(std::string_view bytes);

// The GIF file `bytes` without comments, plain-text blocks and application blocks other than
// the animation's looping (NETSCAPE2.0, ANIMEXTS1.0): XMP and vendor data go.
std::string gifWithoutMetadata(std::string_view bytes);

// Whether `bytes` start as a JPEG, a PNG or a GIF file does.
bool isJpegFile(std::string_view bytes);
bool isPngFile(std::string_view bytes);
bool isGifFile(std::string_view bytes);

} // namespace pictaven
