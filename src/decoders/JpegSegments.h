#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pictaven
{

// Calls `visit(marker, segment)` for each segment of the JPEG `bytes` before its image data,
// marker included, passing over stray bytes between them; throws std::runtime_error when the
// structure is damaged. Returns where the image data starts (its start-of-scan marker).
template <class Visit> std::size_t walkSegments(std::string_view bytes, Visit visit)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8)
        throw std::runtime_error("not a JPEG file");
    std::size_t i = 2;
    while (true) {
        if (i + 2 > bytes.size())
            throw std::runtime_error("a damaged JPEG segment");
        const unsigned char marker = at(i + 1);
        // Stray bytes before a marker, which decoders pass over, and fill bytes.
        if (at(i) != 0xFF || marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker == 0xDA) // start of scan
            return i;
        if (i + 4 > bytes.size())
            throw std::runtime_error("a damaged JPEG segment");
        const std::size_t length = (std::size_t { at(i + 2) } << 8) | at(i + 3);
        if (length < 2 || i + 2 + length > bytes.size())
            throw std::runtime_error("a damaged JPEG segment");
        visit(marker, bytes.substr(i, 2 + length));
        i += 2 + length;
    }
}

// Whether `segment` (marker included) is an application block of `marker` whose data starts
// with `signature`.
bool isAppSegment(std::string_view segment, unsigned char marker, std::string_view signature);

// The segments of the JPEG file at `path` before its image data, with the start-of-scan marker
// that ends them, read no further than they go.
// Empty for a file that is not a JPEG file or whose segments are damaged.
std::string readJpegSegments(const std::string& path);

// The picture of the JPEG `bytes` from its image data at `imageData` to the end-of-image marker
// that closes its scans, without the application and comment blocks that may stand between
// scans; to the end of `bytes` when no marker closes them. What follows is no part of the picture.
std::string jpegPictureData(std::string_view bytes, std::size_t imageData);

// The extended XMP of the JPEG segments `bytes`: packets too large for one segment, which
// cameras and photo managers split over APP1 blocks marked "http://ns.adobe.com/xmp/extension/".
// One packet per identifier, put together; parts that do not fit are left out.
std::vector<std::string> extendedXmpPackets(std::string_view bytes);

} // namespace pictaven
