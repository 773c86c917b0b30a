#pragma once

#include <string_view>

namespace pictaven {

// What a published photo or video leaves out under "all but location and serial numbers".
enum class PrivateKind {
    None,
    Location, // coordinates, and the place written out: city, state, country, addresses
    Serial,   // serial numbers of the camera body and lens
    Owner,    // the name of the camera's owner
};

// Which kind of private data the metadata entry with the exiv2 key `key` ("Exif.GPSInfo.
// GPSLatitude", "Xmp.photoshop.City", "Iptc.Application2.City") holds. Maker notes are not
// judged here: they are left out as a whole.
PrivateKind privateKind(std::string_view key);

// Which kind of private data the tag of a video's container with the name `key` holds, the name
// as FFmpeg gives it ("location", "com.apple.quicktime.location.ISO6709", "creation_time"):
// like an XMP key, any name may say where or which device.
PrivateKind videoTagKind(std::string_view key);

// Whether the entry with the exiv2 key `key` says where the photo was taken: its coordinates or
// the name of the place. The other GPS entries (altitude, time, datum) are location too, but on
// their own they do not say where.
bool saysWhere(std::string_view key);

} // namespace pictaven
