#include "decoders/PrivateMetadata.h"

#include "ini/AsciiCase.h"

#include <array>
#include <string>

namespace pictaven {
namespace {

// How a rule's text is compared with a key.
enum class Match {
    Key,      // the whole key
    Prefix,   // the start of the key
    Contains, // anywhere in a free-form key (XMP, a video's tag), in any case: the property may sit in any
              // namespace or structure
    Leaf,     // the last property name of a free-form key, without its namespace, in any case
};

struct Rule {
    Match match;
    std::string_view text;
    PrivateKind kind;
};

// The one list of what counts as private, in photos and videos alike. Free texts (captions, comments, keywords) and the
// credit the photographer gives himself (artist, creator, copyright) are the user's own words
// and are not searched.
constexpr std::array<Rule, 28> kRules = {{
    {Match::Prefix, "Exif.GPSInfo.", PrivateKind::Location},
    {Match::Key, "Exif.Image.GPSTag", PrivateKind::Location},
    {Match::Contains, "gps", PrivateKind::Location},
    {Match::Contains, "latitude", PrivateKind::Location},
    {Match::Contains, "longitude", PrivateKind::Location},
    // IPTC Extension LocationCreated and LocationShown, IPTC Core Location, Dynamic Media shotLocation;
    // in videos FFmpeg's "location" and "location-eng" (the QuickTime and 3GPP place atoms that
    // phones write), Apple's "com.apple.quicktime.location.ISO6709" and its fellows.
    {Match::Contains, "location", PrivateKind::Location},
    {Match::Leaf, "city", PrivateKind::Location},
    {Match::Leaf, "state", PrivateKind::Location},
    {Match::Leaf, "country", PrivateKind::Location},
    {Match::Leaf, "countrycode", PrivateKind::Location},
    {Match::Leaf, "countryname", PrivateKind::Location},
    {Match::Leaf, "provincestate", PrivateKind::Location},
    {Match::Leaf, "sublocation", PrivateKind::Location},
    {Match::Leaf, "worldregion", PrivateKind::Location},
    // The creator's contact address in IPTC Core (CiAdrExtadr, CiAdrCity, CiAdrPcode, ...).
    {Match::Contains, "ciadr", PrivateKind::Location},
    {Match::Key, "Iptc.Application2.City", PrivateKind::Location},
    {Match::Key, "Iptc.Application2.SubLocation", PrivateKind::Location},
    {Match::Key, "Iptc.Application2.ProvinceState", PrivateKind::Location},
    {Match::Key, "Iptc.Application2.CountryCode", PrivateKind::Location},
    {Match::Key, "Iptc.Application2.CountryName", PrivateKind::Location},
    {Match::Key, "Iptc.Application2.LocationCode", PrivateKind::Location},
    {Match::Key, "Iptc.Application2.LocationName", PrivateKind::Location},
    {Match::Key, "Exif.Photo.BodySerialNumber", PrivateKind::Serial},
    {Match::Key, "Exif.Photo.LensSerialNumber", PrivateKind::Serial},
    {Match::Key, "Exif.Image.CameraSerialNumber", PrivateKind::Serial},
    // aux:SerialNumber, aux:LensSerialNumber, exifEX:BodySerialNumber and the like; a video's
    // "serial_number" or "com.vendor.camera.serial".
    {Match::Contains, "serial", PrivateKind::Serial},
    {Match::Key, "Exif.Photo.CameraOwnerName", PrivateKind::Owner},
    // aux:OwnerName, exifEX:CameraOwnerName.
    {Match::Contains, "ownername", PrivateKind::Owner},
}};

// "Xmp.iptcExt.LocationCreated[1]/Iptc4xmpExt:City" gives "city".
std::string leafName(const std::string& key)
{
    std::string leaf = key.substr(key.find_last_of("./") + 1);
    leaf = leaf.substr(leaf.find(':') + 1);
    return leaf.substr(0, leaf.find('['));
}

bool matches(const Rule& rule, std::string_view key, const std::string& lowerKey, bool freeForm)
{
    switch (rule.match) {
    case Match::Key:
        return key == rule.text;
    case Match::Prefix:
        return key.starts_with(rule.text);
    case Match::Contains:
        return freeForm && lowerKey.find(rule.text) != std::string::npos;
    case Match::Leaf:
        return freeForm && leafName(lowerKey) == rule.text;
    }
    return false;
}

PrivateKind kindOf(std::string_view key, bool freeForm)
{
    const std::string lowerKey = asciiLower(key);
    for (const Rule& rule : kRules) {
        if (matches(rule, key, lowerKey, freeForm))
            return rule.kind;
    }
    return PrivateKind::None;
}

} // namespace

PrivateKind privateKind(std::string_view key)
{
    return kindOf(key, key.starts_with("Xmp."));
}

PrivateKind videoTagKind(std::string_view key)
{
    return kindOf(key, true);
}

bool saysWhere(std::string_view key)
{
    if (privateKind(key) != PrivateKind::Location)
        return false;
    const std::string leaf = leafName(asciiLower(key));
    return !leaf.starts_with("gps") || leaf == "gpslatitude" || leaf == "gpslongitude";
}

} // namespace pictaven
