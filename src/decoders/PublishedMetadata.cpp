#include "decoders/PublishedMetadata.h"

#include "decoders/JpegSegments.h"
#include "decoders/MetadataLibrary.h"
#include "decoders/PrivateMetadata.h"
#include "decoders/StrippedMetadata.h"

#include <cstdint>
#include <exiv2/exiv2.hpp>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string_view>

namespace pictaven {

namespace {

// Which groups of EXIF entries hold maker notes, each asked once: exiv2 looks a group up by
// searching every group it knows, and a maker note has hundreds of entries in a few groups.
class MakerGroups {
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

bool isMakerNote(const Exiv2::Exifdatum& datum, MakerGroups& makerGroups)
{
    const std::string group = datum.groupName();
    return group == "MakerNote" || makerGroups.contains(group) || datum.key() == "Exif.Photo.MakerNote";
}

// Whether `choice` leaves out an entry of `kind`.
bool leftOut(PrivateKind kind, MetadataChoice choice)
{
    return kind == PrivateKind::Location || (choice && kind != PrivateKind::None);
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

// Cuts every metadata block out of the EXIF preview, a JPEG file of its own that may carry
// its own location; a preview that cannot be cut goes. Whether anything went.
bool cleanPreview(Exiv2::ExifData& exif)
{
    Exiv2::ExifThumb preview(exif);
    if (std::string_view(preview.mimeType()) != "image/jpeg")
        return false;
    const Exiv2::DataBuf copy = preview.copy();
    const std::string bytes(reinterpret_cast<const char*>(copy.pData_), static_cast<std::size_t>(copy.size_));
    try {
        const std::string clean = jpegWithoutMetadata(bytes, JpegCut::Everything);
        if (clean == bytes)
            return false;
        preview.setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(clean.data()), static_cast<long>(clean.size()));
    } catch (const std::runtime_error&) {
        preview.erase();
    }
    return true;
}

// The metadata entries of a photo, as exiv2 reads them.
struct Entries {
    Exiv2::ExifData exif;
    Exiv2::XmpData xmp;
    Exiv2::IptcData iptc;

    bool empty() const { return exif.empty() && xmp.empty() && iptc.empty(); }

    // Leaves what `choice` (not None nor All) keeps of a photo; whether anything went. Extended
    // XMP is never published with a choice that filters, so no note points to it.
    bool filter(MetadataChoice choice)
    {
        MakerGroups makerGroups;
        const bool exifErased = eraseWhere(exif, [&](const Exiv2::Exifdatum& d) {
            return leftOut(privateKind(d.key()), choice) || (choice && isMakerNote(d, makerGroups));
        });
        const bool xmpErased = eraseWhere(xmp, [&](const Exiv2::Xmpdatum& d) {
            return leftOut(privateKind(d.key()), choice) || d.key() == "Xmp.xmpNote.HasExtendedXMP";
        });
        const bool iptcErased =
            eraseWhere(iptc, [&](const Exiv2::Iptcdatum& d) { return leftOut(privateKind(d.key()), choice); });
        const bool previewCleaned = cleanPreview(exif);
        return exifErased || xmpErased || iptcErased || previewCleaned;
    }

    // Writes the entries into the picture file of `image` in place of the ones it has read.
    void writeInto(Exiv2::Image& image) const
    {
        image.setExifData(exif);
        image.setIptcData(iptc);
        // Also makes the XMP block be written from the entries, not the packet read.
        image.setXmpData(xmp);
        image.writeMetadata();
    }

    void writeInto(const std::string& path) const
    {
        const auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        writeInto(*image);
    }

    // The picture file `bytes` with these entries, made in memory.
    void writeInto(std::string& bytes) const
    {
        const auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.data()),
                                                     static_cast<long>(bytes.size()));
        image->readMetadata();
        writeInto(*image);
        Exiv2::BasicIo& io = image->io();
        io.open();
        const long size = io.size();
        const Exiv2::byte* written = io.mmap();
        bytes.assign(reinterpret_cast<const char*>(written), static_cast<std::size_t>(size));
        io.munmap();
        io.close();
    }
};

Entries entriesOf(Exiv2::Image& image)
{
    image.readMetadata();
    return {image.exifData(), image.xmpData(), image.iptcData()};
}

std::string readWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

// Writes `bytes` over the file at `path` when they differ from what it holds, `before`;
// whether it did.
bool replaceWhenChanged(const std::string& path, const std::string& before, const std::string& bytes)
{
    if (bytes == before)
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
    return true;
}

// Whether the JPEG `bytes` hold an EXIF or IPTC block that exiv2 read nothing from: such a
// block may still hold a location.
bool hasUnreadBlock(std::string_view bytes, const Entries& entries)
{
    bool exif = false;
    bool iptc = false;
    if (isJpegFile(bytes)) {
        walkSegments(bytes, [&](unsigned char, std::string_view segment) {
            exif = exif || isAppSegment(segment, 0xE1, std::string_view("Exif\0\0", 6));
            iptc = iptc || isAppSegment(segment, 0xED, std::string_view("Photoshop 3.0\0", 14));
        });
    }
    return (exif && entries.exif.empty()) || (iptc && entries.iptc.empty());
}

// Filters, through exiv2, the entries of the photo file at `path` (`bytes`) for a choice other
// than All; whether anything went. Throws when exiv2 cannot read or write them all.
bool filterEntries(const std::string& path, std::string_view bytes, MetadataChoice choice)
{
    const auto image = Exiv2::ImageFactory::open(path);
    Entries entries = entriesOf(*image);
    if (choice == PublishedMetadata::None) {
        if (entries.empty() && image->comment().empty() && image->xmpPacket().empty())
            return false;
        image->clearExifData();
        image->clearIptcData();
        image->clearXmpData();
        image->clearXmpPacket();
        image->clearComment();
        image->writeMetadata();
        return true;
    }
    if (hasUnreadBlock(bytes, entries))
        throw std::runtime_error("a metadata block that cannot be read");
    // An XMP packet that exiv2 cannot parse goes: the entries written back replace it.
    const bool unparsedXmp = entries.xmp.empty() && !image->xmpPacket().empty();
    if (!entries.filter(choice) && !unparsedXmp)
        return false;
    entries.writeInto(*image);
    return true;
}

// Leaves in the PNG file at `path` (`bytes`) only the chunks of its picture, then writes back
// what `choice` keeps of its entries; whether the file changed.
bool keepInPng(const std::string& path, const std::string& bytes, MetadataChoice choice)
{
    Entries entries;
    if (choice != PublishedMetadata::None) {
        try {
            entries = entriesOf(*Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bytes.data()),
                                                           static_cast<long>(bytes.size())));
            entries.filter(choice);
        } catch (const std::exception&) {
            // What cannot be read is not published.
            entries = {};
        }
    }
    if (!replaceWhenChanged(path, bytes, pngWithoutMetadata(bytes)))
        return false;
    if (!entries.empty()) {
        try {
            entries.writeInto(path);
        } catch (const std::exception&) {
            // The picture goes out without its entries.
        }
    }
    return true;
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
        return std::size_t{value};
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
    std::string bytes = readJpegSegments(path);
    if (bytes.empty())
        return {};
    walkSegments(bytes, [&](unsigned char, std::string_view segment) {
        if (!isAppSegment(segment, 0xE1, std::string_view("Exif\0\0", 6)))
            return;
        const std::size_t tiff = static_cast<std::size_t>(segment.data() - bytes.data()) + 10;
        if (const std::size_t note = makerNoteEntry(segment.substr(10)))
            bytes.replace(tiff + note + 4, 4, 4, '\0');
    });
    return bytes + "\xFF\xD9";
}

// The photo at `path` for reading its metadata; a JPEG whose private data is to go is read
// through `blocks` (blocksWithoutMakerNote), which must outlive the image.
Exiv2::Image::AutoPtr openSource(const std::string& path, MetadataChoice choice, std::string& blocks)
{
    if (choice == PublishedMetadata::AllButPrivate)
        blocks = blocksWithoutMakerNote(path);
    if (blocks.empty())
        return Exiv2::ImageFactory::open(path);
    return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(blocks.data()),
                                     static_cast<long>(blocks.size()));
}

} // namespace

bool keepPublishedMetadata(const std::string& path, MetadataChoice choice)
{
    if (choice == PublishedMetadata::All)
        return false;
    prepareMetadataLibrary();
    try {
        const std::string bytes = readWhole(path);
        if (isPngFile(bytes))
            return keepInPng(path, bytes, choice);
        if (isGifFile(bytes))
            return replaceWhenChanged(path, bytes, gifWithoutMetadata(bytes));
        if (!isJpegFile(bytes))
            return filterEntries(path, bytes, choice);
        if (choice == PublishedMetadata::None)
            return replaceWhenChanged(path, bytes, jpegWithoutMetadata(bytes, JpegCut::Everything));
        const std::string filterable = jpegWithoutMetadata(bytes, JpegCut::Unfiltered);
        const bool cut = replaceWhenChanged(path, bytes, filterable);
        try {
            return filterEntries(path, filterable, choice) || cut;
        } catch (const std::exception&) {
            // Unparsable blocks may still hold a location: they all go instead.
            replaceWhenChanged(path, {}, jpegWithoutMetadata(readWhole(path), JpegCut::Everything));
            return true;
        }
    } catch (const std::exception& failure) {
        throw MetadataError("The metadata of " + path + " could not be removed (" + failure.what() + ").");
    }
}

void carryPublishedMetadata(const std::string& source, std::string& jpeg, int width, int height, MetadataChoice choice)
{
    if (!choice || *choice == PublishedMetadata::None)
        return;
    prepareMetadataLibrary();
    try {
        std::string blocks;
        Entries entries = entriesOf(*openSource(source, choice, blocks));
        if (entries.empty())
            return;
        if (choice != PublishedMetadata::All)
            entries.filter(choice);
        Exiv2::ExifData& exif = entries.exif;
        // The pixels are upright and of their new size; the preview was of the old picture.
        if (exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation")) != exif.end())
            exif["Exif.Image.Orientation"] = std::uint16_t{1};
        if (entries.xmp.findKey(Exiv2::XmpKey("Xmp.tiff.Orientation")) != entries.xmp.end())
            entries.xmp["Xmp.tiff.Orientation"] = "1";
        for (const auto& [key, value] :
             {std::pair{"Exif.Photo.PixelXDimension", width}, {"Exif.Photo.PixelYDimension", height}}) {
            if (exif.findKey(Exiv2::ExifKey(key)) != exif.end())
                exif[key] = static_cast<std::uint32_t>(value);
        }
        eraseWhere(exif, [](const Exiv2::Exifdatum& d) {
            return d.key() == "Exif.Image.ImageWidth" || d.key() == "Exif.Image.ImageLength";
        });
        Exiv2::ExifThumb(exif).erase();
        entries.writeInto(jpeg);
    } catch (const std::exception&) {
        // The photo goes out without metadata rather than not at all.
    }
}

} // namespace pictaven
