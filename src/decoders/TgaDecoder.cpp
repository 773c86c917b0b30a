#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "decoders/SampleScaling.h"
#include "imaging/DecoderError.h"

namespace pictaven {
namespace {

void put15(std::uint8_t* dst, unsigned value)
{
    dst[0] = widenBits(value & 31u, 5);
    dst[1] = widenBits((value >> 5) & 31u, 5);
    dst[2] = widenBits((value >> 10) & 31u, 5);
}

struct TgaHeader {
    unsigned idLength = 0;
    unsigned mapType = 0;
    unsigned mapFirst = 0;
    unsigned mapLength = 0;
    unsigned mapBits = 0;
    unsigned width = 0;
    unsigned height = 0;
    unsigned depth = 0;
    unsigned descriptor = 0;
    unsigned kind = 0; // 1 colour-mapped, 2 true colour, 3 grey
    bool rle = false;
};

TgaHeader readHeader(ByteReader& in)
{
    TgaHeader h;
    h.idLength = in.u8();
    h.mapType = in.u8();
    const unsigned imageType = in.u8();
    h.mapFirst = in.u16le();
    h.mapLength = in.u16le();
    h.mapBits = in.u8();
    in.skip(4);
    h.width = in.u16le();
    h.height = in.u16le();
    h.depth = in.u8();
    h.descriptor = in.u8();

    h.kind = imageType & 7u;
    h.rle = (imageType & 8u) != 0;
    if (h.mapType > 1 || (imageType & ~11u) != 0 || h.kind == 0 || h.kind > 3)
        in.fail("not a Targa file");
    if ((h.kind == 1 && (h.mapType != 1 || (h.depth != 8 && h.depth != 16))) ||
        (h.kind == 2 && h.depth != 15 && h.depth != 16 && h.depth != 24 && h.depth != 32) ||
        (h.kind == 3 && h.depth != 8 && h.depth != 16))
        in.fail("unsupported Targa pixel depth " + std::to_string(h.depth));
    return h;
}

} // namespace

ImageSize readTgaSize(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Targa");
    const TgaHeader header = readHeader(in);
    checkPictureSize(header.width, header.height, name);
    return {static_cast<int>(header.width), static_cast<int>(header.height)};
}

Bitmap decodeTga(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Targa");
    const TgaHeader header = readHeader(in);
    const unsigned idLength = header.idLength;
    const unsigned mapType = header.mapType;
    const unsigned mapFirst = header.mapFirst;
    const unsigned mapLength = header.mapLength;
    const unsigned mapBits = header.mapBits;
    const unsigned width = header.width;
    const unsigned height = header.height;
    const unsigned depth = header.depth;
    const unsigned descriptor = header.descriptor;
    const unsigned kind = header.kind;
    const bool rle = header.rle;
    in.skip(idLength);

    // A colour map is skipped when the pixels do not index it.
    const unsigned mapEntryBytes = (mapBits + 7) / 8;
    if (mapType == 1 && mapLength > 0 && (mapEntryBytes < 2 || mapEntryBytes > 4))
        in.fail("unsupported Targa colour map depth " + std::to_string(mapBits));
    Palette palette(kind == 1 ? mapLength : 0, name);
    if (kind == 1) {
        for (unsigned i = 0; i < mapLength; ++i) {
            std::uint8_t bgr[3];
            if (mapEntryBytes == 2) {
                put15(bgr, in.u16le());
            } else {
                auto entry = in.bytes(mapEntryBytes);
                bgr[0] = entry[0];
                bgr[1] = entry[1];
                bgr[2] = entry[2];
            }
            palette.set(i, bgr[2], bgr[1], bgr[0]);
        }
    } else if (mapType == 1) {
        in.skip(static_cast<std::uint64_t>(mapLength) * mapEntryBytes);
    }

    checkPictureSize(width, height, name);
    const std::uint64_t total = static_cast<std::uint64_t>(width) * height;
    const unsigned pixelBytes = (depth + 7) / 8;
    // Refused before allocating: a raw picture needs all its bytes, an RLE one a header byte
    // and one pixel for every 128 pixels.
    if ((rle ? (total + 127) / 128 * (1 + pixelBytes) : total * pixelBytes) > in.remaining())
        in.truncated();
    Bitmap bitmap = allocatePicture(width, height, name);

    auto readPixel = [&](std::uint8_t* dst) {
        const auto bytes = in.bytes(pixelBytes);
        const unsigned value = pixelBytes == 1 ? bytes[0] : bytes[0] | bytes[1] << 8;
        if (kind == 1) {
            palette.put(dst, value - mapFirst);
        } else if (kind == 3) {
            dst[0] = dst[1] = dst[2] = bytes[0];
        } else if (pixelBytes == 2) {
            put15(dst, value);
        } else {
            dst[0] = bytes[0];
            dst[1] = bytes[1];
            dst[2] = bytes[2];
        }
    };
    const bool topOrigin = (descriptor & 0x20u) != 0;
    const bool rightOrigin = (descriptor & 0x10u) != 0;
    auto target = [&](std::uint64_t index) {
        const auto row = static_cast<int>(index / width);
        const auto column = static_cast<int>(index % width);
        const int y = topOrigin ? row : bitmap.height() - 1 - row;
        const int x = rightOrigin ? bitmap.width() - 1 - column : column;
        return bitmap.row(y) + 3 * x;
    };

    std::uint64_t index = 0;
    while (index < total) {
        if (!rle) {
            readPixel(target(index++));
            continue;
        }
        const unsigned header = in.u8();
        const unsigned count = (header & 0x7Fu) + 1;
        if (index + count > total)
            in.fail("RLE run past the end of the picture");
        if (header & 0x80u) {
            std::uint8_t* first = target(index++);
            readPixel(first);
            for (unsigned k = 1; k < count; ++k) {
                std::uint8_t* dst = target(index++);
                dst[0] = first[0];
                dst[1] = first[1];
                dst[2] = first[2];
            }
        } else {
            for (unsigned k = 0; k < count; ++k)
                readPixel(target(index++));
        }
    }
    return bitmap;
}

} // namespace pictaven
