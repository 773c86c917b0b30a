#include "decoders/ByteReader.h"
#include "decoders/DecoderError.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"

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

} // namespace

Bitmap decodePsd(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Photoshop");
    if (data.size() < 4 || data[0] != '8' || data[1] != 'B' || data[2] != 'P' || data[3] != 'S')
        in.fail("not a Photoshop file");
    in.skip(4);
    const unsigned version = in.u16be();
    if (version != 1 && version != 2)
        in.fail("unsupported Photoshop file version " + std::to_string(version));
    const bool large = version == 2;
    in.skip(6);
    const unsigned channels = in.u16be();
    const std::int64_t height = in.u32be();
    const std::int64_t width = in.u32be();
    const unsigned depth = in.u16be();
    const unsigned mode = in.u16be();

    const bool supported = (mode == Bitmap1 && depth == 1) ||
                           ((mode == Grey || mode == Duotone || mode == Rgb) && (depth == 8 || depth == 16)) ||
                           (mode == Indexed && depth == 8);
    if (!supported) {
        if (mode == Cmyk)
            in.fail("CMYK Photoshop files are not supported");
        in.fail("unsupported Photoshop colour mode " + std::to_string(mode) + " at " + std::to_string(depth) +
                " bits a channel");
    }
    const unsigned used = mode == Rgb ? 3 : 1;
    if (channels < used || channels > 56)
        in.fail("bad channel count " + std::to_string(channels));

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
    Bitmap bitmap = allocatePicture(width, height, name);

    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes));
    const std::size_t countTable = in.position();
    std::uint64_t rleData = countTable + rows * countBytes;
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
