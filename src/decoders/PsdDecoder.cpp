#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "imaging/DecoderError.h"

#include <algorithm>
#include <vector>

namespace pictaven {
namespace {

enum Mode : unsigned { Bitmap1 = 0, Grey = 1, Indexed = 2, Rgb = 3, Cmyk = 4, Duotone = 8 };

// Expands one PackBits row into `row`; the row keeps zeros where the data stops short.
void unpackBits(ByteReader& in, std::span<const std::uint8_t> packed, std::vector<std::uint8_t>& row)
{
    std::fill(row.begin(), row.end(), 0);
    std::size_t out = 0;
    std::size_t i = 0;
    while (i < packed.size()) {
        const auto code = static_cast<std::int8_t>(packed[i++]);
        if (code == -128)
            continue;
        const std::size_t count = code >= 0 ? static_cast<std::size_t>(code) + 1 : static_cast<std::size_t>(1 - code);
        if (out + count > row.size())
            in.fail("RLE run past the end of a row");
        if (code >= 0) {
            if (count > packed.size() - i)
                in.truncated();
            std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(i), count, row.begin() + static_cast<std::ptrdiff_t>(out));
            i += count;
        } else {
            if (i >= packed.size())
                in.truncated();
            std::fill_n(row.begin() + static_cast<std::ptrdiff_t>(out), count, packed[i++]);
        }
        out += count;
    }
}

struct PsdHeader {
    bool large = false; // version 2, .psb
    unsigned channels = 0;
    std::int64_t height = 0;
    std::int64_t width = 0;
    unsigned depth = 0;
    unsigned mode = 0;
    unsigned used = 0; // channels the composite is made of
};

PsdHeader readHeader(ByteReader& in)
{
    const auto data = in.data();
    if (data.size() < 4 || data[0] != '8' || data[1] != 'B' || data[2] != 'P' || data[3] != 'S')
        in.fail("not a Photoshop file");
    in.skip(4);
    const unsigned version = in.u16be();
    if (version != 1 && version != 2)
        in.fail("unsupported Photoshop file version " + std::to_string(version));
    PsdHeader h;
    h.large = version == 2;
    in.skip(6);
    h.channels = in.u16be();
    h.height = in.u32be();
    h.width = in.u32be();
    h.depth = in.u16be();
    h.mode = in.u16be();

    const bool supported = (h.mode == Bitmap1 && h.depth == 1) ||
                           ((h.mode == Grey || h.mode == Duotone || h.mode == Rgb) && (h.depth == 8 || h.depth == 16)) ||
                           (h.mode == Indexed && h.depth == 8);
    if (!supported) {
        if (h.mode == Cmyk)
            in.fail("CMYK Photoshop files are not supported");
        in.fail("unsupported Photoshop colour mode " + std::to_string(h.mode) + " at " + std::to_string(h.depth) +
                " bits a channel");
    }
    h.used = h.mode == Rgb ? 3 : 1;
    if (h.channels < h.used || h.channels > 56)
        in.fail("bad channel count " + std::to_string(h.channels));
    return h;
}

} // namespace

ImageSize readPsdSize(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Photoshop");
    const PsdHeader header = readHeader(in);
    checkPictureSize(header.width, header.height, name);
    return {static_cast<int>(header.width), static_cast<int>(header.height)};
}

Bitmap decodePsd(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Photoshop");
    const PsdHeader header = readHeader(in);
    const bool large = header.large;
    const unsigned channels = header.channels;
    const std::int64_t height = header.height;
    const std::int64_t width = header.width;
    const unsigned depth = header.depth;
    const unsigned mode = header.mode;
    const unsigned used = header.used;

    const std::uint32_t colourDataLength = in.u32be();
    const auto colourData = in.bytes(colourDataLength);
    Palette palette(mode == Indexed ? 256 : 0, name);
    if (mode == Indexed) {
        if (colourData.size() < 768)
            in.fail("indexed Photoshop file without its colour table");
        for (unsigned i = 0; i < 256; ++i)
            palette.set(i, colourData[i], colourData[256 + i], colourData[512 + i]);
    }
    in.skip(in.u32be());                            // image resources
    in.skip(large ? in.u64be() : in.u32be());       // layers and masks
    const unsigned compression = in.u16be();
    if (compression > 1)
        in.fail(compression <= 3 ? "ZIP-compressed Photoshop image data is not supported"
                                 : "unknown Photoshop compression " + std::to_string(compression));

    checkPictureSize(width, height, name);
    const std::uint64_t rowBytes = depth == 1 ? (static_cast<std::uint64_t>(width) + 7) / 8
                                              : static_cast<std::uint64_t>(width) * (depth / 8);
    const std::uint64_t rows = static_cast<std::uint64_t>(height) * channels;
    const unsigned countBytes = large ? 4 : 2;
    if ((compression == 1 ? rows * countBytes : rowBytes * height * used) > in.remaining())
        in.truncated();
    const std::size_t countTable = in.position();
    std::uint64_t rleData = countTable + rows * countBytes;
    if (compression == 1) {
        // The packed rows the file holds must be able to give the rows the header claims.
        std::uint64_t packed = 0;
        for (std::uint64_t i = 0; i < static_cast<std::uint64_t>(height) * used; ++i)
            packed += large ? in.u32be() : in.u16be();
        checkDataHolds(std::min<std::uint64_t>(packed, in.size() - rleData), rowBytes * height * used,
                       PackBitsBestRatio, name, "Photoshop");
    }
    Bitmap bitmap = allocatePicture(width, height, name);

    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes));
    for (unsigned c = 0; c < used; ++c) {
        for (int y = 0; y < bitmap.height(); ++y) {
            if (compression == 1) {
                in.seek(countTable + (static_cast<std::uint64_t>(c) * height + y) * countBytes);
                const std::uint32_t length = large ? in.u32be() : in.u16be();
                in.seek(rleData);
                unpackBits(in, in.bytes(length), row);
                rleData += length;
            } else {
                const auto raw = in.bytes(rowBytes);
                std::copy(raw.begin(), raw.end(), row.begin());
            }
            std::uint8_t* dst = bitmap.row(y);
            for (int x = 0; x < bitmap.width(); ++x, dst += 3) {
                if (mode == Bitmap1) {
                    dst[0] = dst[1] = dst[2] = ((row[x >> 3] >> (7 - (x & 7))) & 1u) ? 0 : 255;
                    continue;
                }
                const std::uint8_t value =
                    depth == 16 ? static_cast<std::uint8_t>(((row[2 * x] << 8 | row[2 * x + 1]) + 128) / 257) : row[x];
                if (mode == Indexed)
                    palette.put(dst, value);
                else if (mode == Rgb)
                    dst[2 - c] = value;
                else
                    dst[0] = dst[1] = dst[2] = value;
            }
        }
    }
    return bitmap;
}

} // namespace pictaven
