#include "decoders/ByteReader.h"
#include "decoders/DecoderError.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "decoders/SampleScaling.h"

namespace pictaven {
namespace {

void put15(std::uint8_t* dst, unsigned value)
{
    dst[0] = widenBits(value & 31u, 5);
    dst[1] = widenBits((value >> 5) & 31u, 5);
    dst[2] = widenBits((value >> 10) & 31u, 5);
}

} // namespace

Bitmap decodeTga(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Targa");
    const unsigned idLength = in.u8();
    const unsigned mapType = in.u8();
    const unsigned imageType = in.u8();
    const unsigned mapFirst = in.u16le();
    const unsigned mapLength = in.u16le();
    const unsigned mapBits = in.u8();
    in.skip(4);
    const unsigned width = in.u16le();
    const unsigned height = in.u16le();
    const unsigned depth = in.u8();
    const unsigned descriptor = in.u8();

    const unsigned kind = imageType & 7u;
    const bool rle = (imageType & 8u) != 0;
    if (mapType > 1 || (imageType & ~11u) != 0 || kind == 0 || kind > 3)
        in.fail("not a Targa file");
    if ((kind == 1 && (mapType != 1 || (depth != 8 && depth != 16))) ||
        (kind == 2 && depth != 15 && depth != 16 && depth != 24 && depth != 32) ||
        (kind == 3 && depth != 8 && depth != 16))
        in.fail("unsupported Targa pixel depth " + std::to_string(depth));
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
