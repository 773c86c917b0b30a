#pragma once

#include <string>

namespace pictaven::test
{

// JPEG files with metadata where exiv2 does not look, assembled byte by byte as cameras and
// photo managers write them.

// The JPEG `jpeg` with the XMP packet `packet` stored as extended XMP (APP1 blocks marked
// "http://ns.adobe.com/xmp/extension/") under the 32-character identifier `guid`.
std::string withExtendedXmp(const std::string& jpeg, const std::string& packet, const std::string& guid);

// The JPEG `first` with an MPF block that lists `second`, and `second` appended after its end,
// as phones store a depth map or a preview.
std::string withSecondPicture(const std::string& first, const std::string& second);

// The JPEG `jpeg` with an application block of marker `marker` (0xE0 to 0xEF) holding `data`.
std::string withAppBlock(const std::string& jpeg, unsigned char marker, const std::string& data);

// The JPEG `jpeg` with an application block of marker `marker` holding `data` just before its
// end-of-image marker, after the image data, where decoders pass over it.
std::string withAppBlockAtTheEnd(const std::string& jpeg, unsigned char marker, const std::string& data);

// An XMP packet with the given properties of the exif, aux and iptcExt namespaces, e.g.
// "exif:GPSLatitude='48,30.0N'".
std::string xmpPacket(const std::string& properties);

} // namespace pictaven::test
