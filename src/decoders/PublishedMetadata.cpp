#include "decoders/PublishedMetadata.h"

#include "decoders/MetadataLibrary.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exiv2/exiv2.hpp>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string_view>

namespace pictaven
{

namespace
{

constexpr std::array<std::string_view, 4> kSerialNumbers = { "Exif.Photo.BodySerialNumber",
    "Exif.Photo.LensSerialNumber", "Exif.Image.CameraSerialNumber", "Exif.Photo.CameraOwnerName" };
constexpr std::array<std::string_view, 4> kXmpSerialNumbers = { "Xmp.aux.SerialNumber",
    "Xmp.aux.LensSerialNumber", "Xmp.exifEX.BodySerialNumber", "Xmp.exifEX.LensSerialNumber" };

bool isLocation(const Exiv2::Exifdatum& datum)
{
    return datum.groupName() == "GPSInfo" || datum.key() == "Exif.Image.GPSTag";
}

bool isLocation(const Exiv2::Xmpdatum& datum)
{
    return datum.key().starts_with("Xmp.exif.GPS");
}

// Which groups of EXIF entries hold maker notes, each asked once: exiv2 looks a group up by
// searching every group it knows, and a maker note has hundreds of entries in a few groups.
class MakerGroups
{
public:
    bool contains(const std::string& group)
    {
        const auto [known, added] = m_known.try_emplace(group, false);
        if (added)
            known->second = Exiv2::ExifTags::isMakerGroup(group);
        return known->second;
    }

private:
    std::map<std::string, bool> m_known;
};

bool isPrivate(const Exiv2::Exifdatum& datum, MakerGroups& makerGroups)
{
    const std::string group = datum.groupName();
    const std::string key = datum.key();
    return isLocation(datum) || group == "MakerNote" || makerGroups.contains(group)
        || key == "Exif.Photo.MakerNote"
        || std::find(kSerialNumbers.begin(), kSerialNumbers.end(), key) != kSerialNumbers.end();
}

bool isPrivate(const Exiv2::Xmpdatum& datum)
{
    const std::string key = datum.key();
    return isLocation(datum)
        || std::find(kXmpSerialNumbers.begin(), kXmpSerialNumbers.end(), key) != kXmpSerialNumbers.end();
}

// Erases what `unwanted` picks; whether anything went.
template <class Data, class Pick> bool eraseWhere(Data& data, Pick unwanted)
{
    bool erased = false;
    for (auto entry = data.begin(); entry != data.end();) {
        if (unwanted(*entry)) {
            entry = data.erase(entry);
            erased = true;
        } else {
            ++entry;
        }
    }
    return erased;
}

// Leaves in `exif` and `xmp` what `choice` keeps of a photo; whether anything went.
bool filter(Exiv2::ExifData& exif, Exiv2::XmpData& xmp, MetadataChoice choice)
{
    if (!choice) {
        const bool exifErased = eraseWhere(exif, [](const Exiv2::Exifdatum& d) { return isLocation(d); });
        return eraseWhere(xmp, [](const Exiv2::Xmpdatum& d) { return isLocation(d); }) || exifErased;
    }
    if (*choice == PublishedMetadata::AllButPrivate) {
        MakerGroups makerGroups;
        const bool exifErased = eraseWhere(
            exif, [&makerGroups](const Exiv2::Exifdatum& d) { return isPrivate(d, makerGroups); });
        return eraseWhere(xmp, [](const Exiv2::Xmpdatum& d) { return isPrivate(d); }) || exifErased;
    }
    return false;
}

std::string readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

// Calls `visit(marker, segment)` for each segment of the JPEG `bytes` before its image data,
// marker included; throws when the structure is damaged. Returns where the image data starts.
template <class Visit> std::size_t walkSegments(const std::string& bytes, Visit visit)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8)
        throw std::runtime_error("not a JPEG file");
    std::size_t i = 2;
    while (true) {
        if (i + 4 > bytes.size() || at(i) != 0xFF)
            throw std::runtime_error("a damaged JPEG segment");
        const unsigned char marker = at(i + 1);
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xDA) // start of scan
            return i;
        const std::size_t length = (std::size_t { at(i + 2) } << 8) | at(i + 3);
        if (length < 2 || i + 2 + length > bytes.size())
            throw std::runtime_error("a damaged JPEG segment");
        visit(marker, std::string_view(bytes).substr(i, 2 + length));
        i += 2 + length;
    }
}

bool hasExifSegment(const std::string& path)
{
    bool found = false;
    walkSegments(readWhole(path), [&](unsigned char marker, std::string_view segment) {
        found = found || (marker == 0xE1 && segment.substr(4, 6) == std::string_view("Exif\0\0", 6));
    });
    return found;
}

// The last resort for a JPEG whose metadata blocks exiv2 cannot parse: every block that may hold
// metadata (APP1 and APP3 to APP13, APP15, comments) is cut out, and the image data is copied
// untouched. The JFIF header, colour profile (APP2) and Adobe colour block (APP14) stay.
void cutMetadataSegments(const std::string& path)
{
    const std::string bytes = readWhole(path);
    std::string kept = bytes.substr(0, 2);
    const std::size_t imageData = walkSegments(bytes, [&](unsigned char marker, std::string_view segment) {
        const bool metadata
            = marker == 0xE1 || (marker >= 0xE3 && marker <= 0xED) || marker == 0xEF || marker == 0xFE;
        if (!metadata)
            kept += segment;
    });
    kept.append(bytes, imageData, std::string::npos);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(kept.data(), static_cast<std::streamsize>(kept.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

// Where the maker note of a TIFF structure (an EXIF block) is listed, or 0 when it has none or
// the structure is damaged.
std::size_t makerNoteEntry(std::string_view tiff)
{
    if (tiff.size() < 8 || (tiff.substr(0, 2) != "II" && tiff.substr(0, 2) != "MM"))
        return 0;
    const bool bigEndian = tiff[0] == 'M';
    const auto number = [&](std::size_t at, std::size_t bytes) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < bytes; ++i)
            value = (value << 8) | static_cast<unsigned char>(tiff[at + (bigEndian ? i : bytes - 1 - i)]);
        return std::size_t { value };
    };
    // The entry of `tag` in the folder at `at`, each entry 12 bytes after a 2-byte count.
    const auto entry = [&](std::size_t at, std::uint32_t tag) -> std::size_t {
        if (at == 0 || at > tiff.size() || tiff.size() - at < 2)
            return 0;
        const std::size_t count = number(at, 2);
        for (std::size_t e = 0; e < count; ++e) {
            const std::size_t place = at + 2 + 12 * e;
            if (place > tiff.size() || tiff.size() - place < 12)
                return 0;
            if (number(place, 2) == tag)
                return place;
        }
        return 0;
    };
    const std::size_t exifFolder = entry(number(4, 4), 0x8769);
    return exifFolder == 0 ? 0 : entry(number(exifFolder + 8, 4), 0x927C);
}

// The blocks of a JPEG file before its image data, followed by an end-of-image marker: all that
// exiv2 reads of it, read no further than the blocks go. The EXIF block's maker note is listed
// with a length of 0, so that exiv2 does not decode what the private-data filter drops anyway:
// a camera's maker note can hold thousands of entries. Empty for a file that is not a JPEG file
// or whose blocks are damaged.
std::string blocksWithoutMakerNote(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    for (;;) {
        const std::size_t had = bytes.size();
        const std::size_t more = std::max<std::size_t>(had, 64 * 1024);
        bytes.resize(had + more);
        in.read(bytes.data() + had, static_cast<std::streamsize>(more));
        bytes.resize(had + static_cast<std::size_t>(in.gcount()));
        try {
            std::size_t tiff = 0;
            const auto findExif = [&](unsigned char marker, std::string_view segment) {
                if (tiff == 0 && marker == 0xE1 && segment.substr(4, 6) == std::string_view("Exif\0\0", 6))
                    tiff = static_cast<std::size_t>(segment.data() - bytes.data()) + 10;
            };
            const std::size_t imageData = walkSegments(bytes, findExif);
            if (tiff != 0) {
                const std::size_t length = (std::size_t { static_cast<unsigned char>(bytes[tiff - 8]) } << 8)
                    | static_cast<unsigned char>(bytes[tiff - 7]);
                if (const std::size_t note = makerNoteEntry(std::string_view(bytes).substr(tiff, length - 8)))
                    bytes.replace(tiff + note + 4, 4, 4, '\0');
            }
            bytes.resize(imageData);
            return bytes + "\xFF\xD9";
        } catch (const std::runtime_error&) {
            if (!in)
                return {};
        }
    }
}

// The photo at `path` for reading its metadata; a JPEG whose private data is to go is read
// through `blocks` (blocksWithoutMakerNote), which must outlive the image.
Exiv2::Image::AutoPtr openSource(const std::string& path, MetadataChoice choice, std::string& blocks)
{
    if (choice == PublishedMetadata::AllButPrivate)
        blocks = blocksWithoutMakerNote(path);
    if (blocks.empty())
        return Exiv2::ImageFactory::open(path);
    return Exiv2::ImageFactory::open(
        reinterpret_cast<const Exiv2::byte*>(blocks.data()), static_cast<long>(blocks.size()));
}

} // namespace

bool keepPublishedMetadata(const std::string& path, MetadataChoice choice)
{
    if (choice == PublishedMetadata::All)
        return false;
    prepareMetadataLibrary();
    try {
        const auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        Exiv2::ExifData exif = image->exifData();
        Exiv2::XmpData xmp = image->xmpData();
        if (exif.empty() && hasExifSegment(path))
            throw std::runtime_error("an EXIF block that cannot be read");
        if (choice == PublishedMetadata::None) {
            if (exif.empty() && xmp.empty() && image->iptcData().empty() && image->comment().empty())
                return false;
            image->clearExifData();
            image->clearIptcData();
            image->clearXmpData();
            image->clearXmpPacket();
            image->clearComment();
        } else {
            if (!filter(exif, xmp, choice))
                return false;
            image->setExifData(exif);
            // Also makes the XMP block be written from the filtered data, not the packet read.
            image->setXmpData(xmp);
        }
        image->writeMetadata();
        return true;
    } catch (const std::exception&) {
        // Unparsable blocks may still hold a location: they all go instead.
    }
    try {
        cutMetadataSegments(path);
        return true;
    } catch (const std::exception& failure) {
        throw MetadataError("The metadata of " + path + " could not be removed (" + failure.what() + ").");
    }
}

void carryPublishedMetadata(
    const std::string& source, const std::string& target, int width, int height, MetadataChoice choice)
{
    if (!choice || *choice == PublishedMetadata::None)
        return;
    prepareMetadataLibrary();
    try {
        std::string blocks;
        const auto from = openSource(source, choice, blocks);
        from->readMetadata();
        Exiv2::ExifData exif = from->exifData();
        Exiv2::XmpData xmp = from->xmpData();
        const Exiv2::IptcData& iptc = from->iptcData();
        if (exif.empty() && xmp.empty() && iptc.empty())
            return;
        filter(exif, xmp, choice);
        // The pixels are upright and of their new size; the preview was of the old picture.
        if (exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation")) != exif.end())
            exif["Exif.Image.Orientation"] = std::uint16_t { 1 };
        if (xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation")) != xmp.end())
            xmp["Xmp.tiff.Orientation"] = "1";
        for (const auto& [key, value] :
            { std::pair { "Exif.Photo.PixelXDimension", width }, { "Exif.Photo.PixelYDimension", height } }) {
            if (exif.findKey(Exiv2::ExifKey(key)) != exif.end())
                exif[key] = static_cast<std::uint32_t>(value);
        }
        eraseWhere(exif, [](const Exiv2::Exifdatum& d) {
            return d.key() == "Exif.Image.ImageWidth" || d.key() == "Exif.Image.ImageLength";
        });
        Exiv2::ExifThumb(exif).erase();
        const auto to = Exiv2::ImageFactory::open(target);
        to->readMetadata();
        to->setExifData(exif);
        to->setIptcData(iptc);
        to->setXmpData(xmp);
        to->writeMetadata();
    } catch (const std::exception&) {
        // The photo goes out without metadata rather than not at all.
    }
}

} // namespace pictaven
