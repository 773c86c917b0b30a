#include "imaging/ExifOrientation.h"

#include "imaging/JpegCodec.h"
#include "imaging/RotateBitmap.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <vector>

namespace pictaven
{

namespace
{

// The markers of a JPEG file sit before its image data; a phone's APP1 segment is at most 64 KB,
// but APP0, ICC profiles in APP2 and others may come before it.
constexpr std::size_t HeaderBytes = 1 << 20;

constexpr std::uint16_t OrientationTag = 0x0112;
constexpr std::uint16_t ShortType = 3;

class TiffBytes
{
public:
    TiffBytes(std::span<const std::uint8_t> bytes, bool bigEndian)
        : m_bytes(bytes)
        , m_bigEndian(bigEndian)
    {
    }
    bool holds(std::size_t at, std::size_t count) const
    {
        return at <= m_bytes.size() && count <= m_bytes.size() - at;
    }
    std::uint16_t u16(std::size_t at) const
    {
        return m_bigEndian ? static_cast<std::uint16_t>(m_bytes[at] << 8 | m_bytes[at + 1])
                           : static_cast<std::uint16_t>(m_bytes[at + 1] << 8 | m_bytes[at]);
    }
    std::uint32_t u32(std::size_t at) const
    {
        const std::uint32_t high = m_bigEndian ? u16(at) : u16(at + 2);
        const std::uint32_t low = m_bigEndian ? u16(at + 2) : u16(at);
        return high << 16 | low;
    }
    bool bigEndian() const { return m_bigEndian; }

private:
    std::span<const std::uint8_t> m_bytes;
    bool m_bigEndian;
};

// The TIFF structure of a JPEG file's Exif segment and where it starts in the file.
struct ExifBlock {
    std::span<const std::uint8_t> tiff;
    std::size_t offset = 0;
};

std::optional<ExifBlock> findExifBlock(std::span<const std::uint8_t> jpeg)
{
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        return std::nullopt;
    std::size_t at = 2;
    // Every step moves forward, so the walk ends within the bytes.
    while (at + 4 <= jpeg.size()) {
        if (jpeg[at] != 0xFF)
            return std::nullopt;
        const std::uint8_t marker = jpeg[at + 1];
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            return std::nullopt;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += 2;
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(jpeg[at + 2] << 8 | jpeg[at + 3]);
        if (length < 2 || length > jpeg.size() - at - 2)
            return std::nullopt;
        static constexpr std::array<std::uint8_t, 6> exifHeader = { 'E', 'x', 'i', 'f', 0, 0 };
        const std::span<const std::uint8_t> body = jpeg.subspan(at + 4, length - 2);
        if (marker == 0xE1 && body.size() >= exifHeader.size()
            && std::equal(exifHeader.begin(), exifHeader.end(), body.begin()))
            return ExifBlock { body.subspan(exifHeader.size()), at + 4 + exifHeader.size() };
        at += 2 + length;
    }
    return std::nullopt;
}

struct IfdEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::size_t value = 0; // where the value, or its offset, lies
};

// The entries of the directory at `ifd`; none when the directory is damaged. Only directories
// named by IFD0 are read, each once, so nothing can loop.
std::vector<IfdEntry> readIfd(const TiffBytes& bytes, std::size_t ifd)
{
    if (!bytes.holds(ifd, 2))
        return {};
    const std::size_t count = bytes.u16(ifd);
    // A count the segment cannot hold marks a damaged directory, whatever its first entries say.
    if (!bytes.holds(ifd + 2, count * 12))
        return {};
    std::vector<IfdEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        entries.push_back({ bytes.u16(entry), bytes.u16(entry + 2), bytes.u32(entry + 4), entry + 8 });
    }
    return entries;
}

const IfdEntry* findTag(const std::vector<IfdEntry>& entries, std::uint16_t tag)
{
    for (const IfdEntry& entry : entries)
        if (entry.tag == tag)
            return &entry;
    return nullptr;
}

std::optional<TiffBytes> tiffBytes(std::span<const std::uint8_t> tiff)
{
    if (tiff.size() < 8)
        return std::nullopt;
    const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
    if (!bigEndian && !(tiff[0] == 'I' && tiff[1] == 'I'))
        return std::nullopt;
    const TiffBytes bytes(tiff, bigEndian);
    if (bytes.u16(2) != 42)
        return std::nullopt;
    return bytes;
}

ExifOrientation orientationIn(const TiffBytes& bytes, const std::vector<IfdEntry>& ifd0)
{
    const IfdEntry* entry = findTag(ifd0, OrientationTag);
    if (!entry || entry->type != ShortType || entry->count != 1)
        return {};
    const int value = bytes.u16(entry->value);
    if (value < 1 || value > 8)
        return {};
    return { value, entry->value, bytes.bigEndian() };
}

std::vector<std::uint8_t> headerBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::vector<std::uint8_t> bytes(HeaderBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

ExifOrientation findExifOrientation(std::span<const std::uint8_t> jpeg)
{
    const std::optional<ExifBlock> block = findExifBlock(jpeg);
    const std::optional<TiffBytes> bytes = block ? tiffBytes(block->tiff) : std::nullopt;
    if (!bytes)
        return {};
    ExifOrientation found = orientationIn(*bytes, readIfd(*bytes, bytes->u32(4)));
    if (found.offset != 0)
        found.offset += block->offset;
    return found;
}

ExifOrientation readExifOrientation(const std::string& path)
{
    return findExifOrientation(headerBytes(path));
}

OrientationTurn orientationTurn(int orientation)
{
    // The stored picture is turned first and then mirrored, as the orientation says it must be
    // drawn: 2 mirrored, 4 turned half and mirrored, 5 and 7 turned a quarter and mirrored.
    switch (orientation) {
    case 2:
        return { 0, true };
    case 3:
        return { 3, false };
    case 4:
        return { 3, true };
    case 5:
        return { 2, true };
    case 6:
        return { 2, false };
    case 7:
        return { 1, true };
    case 8:
        return { 1, false };
    default:
        return {};
    }
}

Bitmap readJpegUpright(const std::string& path)
{
    Bitmap picture = readJpeg(path);
    const OrientationTurn turn = orientationTurn(readExifOrientation(path).value);
    orientBitmap(picture, turn.rotation, turn.mirrored);
    return picture;
}

} // namespace pictaven
