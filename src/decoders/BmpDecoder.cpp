#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "decoders/SampleScaling.h"
#include "imaging/DecoderError.h"

#include <algorithm>
#include <array>

namespace pictaven {
namespace {

constexpr std::uint32_t CompressionRgb = 0;
constexpr std::uint32_t CompressionRle8 = 1;
constexpr std::uint32_t CompressionRle4 = 2;
constexpr std::uint32_t CompressionBitFields = 3;
constexpr std::uint32_t CompressionJpeg = 4;
constexpr std::uint32_t CompressionPng = 5;
constexpr std::uint32_t CompressionAlphaBitFields = 6;

bool isInfoHeaderSize(std::uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// One colour of a bit-field pixel, widened from its field to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    unsigned shift = 0;
    unsigned bits = 0;

    explicit Channel(std::uint32_t m) : mask(m)
    {
        if (mask == 0)
            return;
        while (((mask >> shift) & 1u) == 0)
            ++shift;
        while (bits + shift < 32 && ((mask >> (shift + bits)) & 1u) != 0)
            ++bits;
    }
    std::uint8_t operator()(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 0;
        const std::uint32_t field = bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1;
        return widenBits((pixel >> shift) & field, bits);
    }
};

struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    unsigned bits = 0;
    std::uint32_t compression = CompressionRgb;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue
};

struct BmpHeader {
    Layout layout;
    std::uint64_t base = 0;        // where the information header starts
    std::uint64_t pixelOffset = 0; // 0 when the file does not say
    std::uint64_t paletteOffset = 0;
    std::uint32_t colorsUsed = 0;
    unsigned paletteEntrySize = 4;
};

void decodeRows(ByteReader& in, const Layout& layout, const Palette& palette, Bitmap& bitmap)
{
    const std::uint64_t width = static_cast<std::uint64_t>(layout.width);
    const std::uint64_t rowBytes = (width * layout.bits + 31) / 32 * 4;
    const std::uint64_t usedBytes = (width * layout.bits + 7) / 8;
    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    const std::size_t start = in.position();
    for (int i = 0; i < bitmap.height(); ++i) {
        in.seek(start + rowBytes * static_cast<std::uint64_t>(i));
        const std::uint8_t* src = in.bytes(usedBytes).data();
        std::uint8_t* dst = bitmap.row(layout.topDown ? i : bitmap.height() - 1 - i);
        for (int x = 0; x < bitmap.width(); ++x, dst += 3) {
            switch (layout.bits) {
            case 1:
                palette.put(dst, (src[x >> 3] >> (7 - (x & 7))) & 1u);
                break;
            case 2:
                palette.put(dst, (src[x >> 2] >> (6 - 2 * (x & 3))) & 3u);
                break;
            case 4:
                palette.put(dst, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15u);
                break;
            case 8:
                palette.put(dst, src[x]);
                break;
            case 16: {
                const std::uint32_t pixel = src[2 * x] | src[2 * x + 1] << 8;
                dst[0] = blue(pixel);
                dst[1] = green(pixel);
                dst[2] = red(pixel);
                break;
            }
            case 24:
                std::copy_n(src + 3 * x, 3, dst);
                break;
            default: {
                const std::uint8_t* p = src + 4 * x;
                const std::uint32_t pixel = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
                dst[0] = blue(pixel);
                dst[1] = green(pixel);
                dst[2] = red(pixel);
                break;
            }
            }
        }
    }
}

// Walks RLE8 or RLE4 data: runs, absolute runs padded to 16 bits, end of line, end of bitmap
// and delta moves, calling put(row, x, index) for each pixel inside the picture (rows counted
// from the first one stored). Data for rows beyond the picture is an error.
template <typename Put>
void walkRle(ByteReader& in, bool four, int width, int height, Put put)
{
    int x = 0;
    int row = 0;
    // Writers encode rows up to their padded length, so pixels beyond the width are dropped.
    auto pixel = [&](unsigned index) {
        if (row >= height)
            in.fail("RLE data past the end of the picture");
        if (x >= width)
            return;
        put(row, x, index);
        ++x;
    };
    for (;;) {
        if (in.atEnd() && row >= height)
            return; // a file that ends after its last row without the end-of-bitmap mark
        const unsigned count = in.u8();
        const unsigned value = in.u8();
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k)
                pixel(four ? ((k & 1) ? value & 15u : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++row;
            break;
        case 1:
            return;
        case 2: {
            const unsigned dx = in.u8();
            const unsigned dy = in.u8();
            x += static_cast<int>(dx);
            row += static_cast<int>(dy);
            if (x > width || row > height)
                in.fail("RLE move past the end of the picture");
            break;
        }
        default: {
            const unsigned byteCount = four ? (value + 1) / 2 : value;
            const std::uint8_t* src = in.bytes(byteCount).data();
            for (unsigned k = 0; k < value; ++k)
                pixel(four ? ((k & 1) ? src[k / 2] & 15u : src[k / 2] >> 4) : src[k]);
            if (byteCount & 1)
                in.skip(1);
            break;
        }
        }
    }
}

// Pixels the data never reaches keep palette colour 0. Runs and moves let a few bytes cover a
// whole picture, so the data is walked to its end before the bitmap is allocated: a file cut
// short or damaged is refused without taking memory for the picture.
Bitmap decodeRle(ByteReader& in, const Layout& layout, const Palette& palette, const std::string& name)
{
    const bool four = layout.compression == CompressionRle4;
    const int width = static_cast<int>(layout.width);
    const int height = static_cast<int>(layout.height);
    ByteReader dryRun = in;
    walkRle(dryRun, four, width, height, [](int, int, unsigned) {});

    Bitmap bitmap = allocatePicture(width, height, name);
    if (palette.size() > 0) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                palette.put(bitmap.row(y) + 3 * x, 0);
    }
    walkRle(in, four, width, height, [&](int row, int x, unsigned index) {
        palette.put(bitmap.row(layout.topDown ? row : height - 1 - row) + 3 * x, index);
    });
    return bitmap;
}

// Everything before the palette, checked: what decoding and the size alone both need.
BmpHeader readHeader(ByteReader& in)
{
    BmpHeader header;
    std::uint64_t& base = header.base;
    if (in.size() >= 2 && in.data()[0] == 'B' && in.data()[1] == 'M') {
        in.seek(10);
        header.pixelOffset = in.u32le();
        base = 14;
    } else if (in.size() < 4 || !isInfoHeaderSize(in.data()[0] | in.data()[1] << 8 | in.data()[2] << 16 |
                                                      static_cast<std::uint32_t>(in.data()[3]) << 24)) {
        in.fail("not a BMP file");
    }
    in.seek(base);
    const std::uint32_t headerSize = in.u32le();
    if (!isInfoHeaderSize(headerSize))
        in.fail("unsupported BMP header size " + std::to_string(headerSize));

    Layout& layout = header.layout;
    if (headerSize == 12) {
        layout.width = in.u16le();
        layout.height = in.u16le();
        in.skip(2);
        layout.bits = in.u16le();
        header.paletteEntrySize = 3;
    } else {
        layout.width = in.i32le();
        layout.height = in.i32le();
        in.skip(2);
        layout.bits = in.u16le();
        layout.compression = in.u32le();
        in.skip(12);
        header.colorsUsed = in.u32le();
        if (headerSize == 64 && (layout.compression == 3 || layout.compression == 4))
            in.fail("OS/2 compressed BMP files are not supported");
    }
    if (layout.height < 0) {
        layout.topDown = true;
        layout.height = -layout.height;
    }

    header.paletteOffset = base + headerSize;
    switch (layout.compression) {
    case CompressionRgb:
        if (layout.bits != 1 && layout.bits != 2 && layout.bits != 4 && layout.bits != 8 && layout.bits != 16 &&
            layout.bits != 24 && layout.bits != 32)
            in.fail("unsupported BMP bit depth " + std::to_string(layout.bits));
        if (layout.bits == 16)
            layout.masks = {0x7C00, 0x03E0, 0x001F};
        else if (layout.bits == 32)
            layout.masks = {0xFF0000, 0x00FF00, 0x0000FF};
        break;
    case CompressionRle8:
    case CompressionRle4:
        if (layout.bits != (layout.compression == CompressionRle8 ? 8u : 4u))
            in.fail("RLE compression with " + std::to_string(layout.bits) + " bits a pixel");
        break;
    case CompressionBitFields:
    case CompressionAlphaBitFields:
        if (layout.bits != 16 && layout.bits != 32)
            in.fail("bit fields with " + std::to_string(layout.bits) + " bits a pixel");
        in.seek(base + 40);
        for (auto& mask : layout.masks)
            mask = in.u32le();
        if (headerSize == 40)
            header.paletteOffset = in.position() + (layout.compression == CompressionAlphaBitFields ? 4 : 0);
        break;
    case CompressionJpeg:
    case CompressionPng:
        in.fail("BMP files holding a JPEG or PNG picture are not supported");
    default:
        in.fail("unknown BMP compression " + std::to_string(layout.compression));
    }
    return header;
}

} // namespace

ImageSize readBmpSize(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "BMP");
    const Layout layout = readHeader(in).layout;
    checkPictureSize(layout.width, layout.height, name);
    return {static_cast<int>(layout.width), static_cast<int>(layout.height)};
}

Bitmap decodeBmp(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "BMP");
    const BmpHeader header = readHeader(in);
    const Layout& layout = header.layout;
    const std::uint64_t paletteOffset = header.paletteOffset;
    const unsigned paletteEntrySize = header.paletteEntrySize;
    const std::uint32_t colorsUsed = header.colorsUsed;
    std::uint64_t pixelOffset = header.pixelOffset;

    std::uint64_t paletteCount = 0;
    if (layout.bits <= 8) {
        paletteCount = std::uint64_t{1} << layout.bits;
        if (colorsUsed > 0 && colorsUsed < paletteCount)
            paletteCount = colorsUsed;
        // Some writers store fewer entries than the depth allows; the pixels start earlier then.
        if (pixelOffset > paletteOffset)
            paletteCount = std::min<std::uint64_t>(paletteCount, (pixelOffset - paletteOffset) / paletteEntrySize);
    }
    Palette palette(static_cast<std::size_t>(paletteCount), name);
    in.seek(paletteOffset);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::uint8_t blue = in.u8();
        const std::uint8_t green = in.u8();
        const std::uint8_t red = in.u8();
        if (paletteEntrySize == 4)
            in.skip(1);
        palette.set(i, red, green, blue);
    }
    if (pixelOffset == 0)
        pixelOffset = in.position();

    checkPictureSize(layout.width, layout.height, name);
    in.seek(pixelOffset);
    if (layout.compression == CompressionRle8 || layout.compression == CompressionRle4)
        return decodeRle(in, layout, palette, name);
    // The last row may lack its padding; anything shorter is a truncated file, refused before
    // the bitmap is allocated.
    const std::uint64_t rowBits = static_cast<std::uint64_t>(layout.width) * layout.bits;
    if ((rowBits + 31) / 32 * 4 * static_cast<std::uint64_t>(layout.height - 1) + (rowBits + 7) / 8 > in.remaining())
        in.truncated();
    Bitmap bitmap = allocatePicture(layout.width, layout.height, name);
    decodeRows(in, layout, palette, bitmap);
    return bitmap;
}

} // namespace pictaven
