#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "imaging/DecoderError.h"

#include <algorithm>

namespace pictaven {

namespace {

struct PicHeader {
    unsigned width = 0;
    unsigned height = 0;
};

PicHeader readHeader(ByteReader& in)
{
    const auto data = in.data();
    if (data.size() >= 6 && data[4] == 0x00 && data[5] == 0x95)
        in.fail("Animator Pro pictures are not supported");
    if (data.size() < 2 || data[0] != 0x19 || data[1] != 0x91)
        in.fail("not an Autodesk Animator PIC or CEL file");
    in.skip(2);
    PicHeader h;
    h.width = in.u16le();
    h.height = in.u16le();
    in.skip(4);
    const unsigned depth = in.u8();
    const unsigned compression = in.u8();
    if (depth != 8 || compression != 0)
        in.fail("unsupported Animator picture (" + std::to_string(depth) + " bits, compression " +
                std::to_string(compression) + ")");
    return h;
}

} // namespace

ImageSize readAnimatorPicSize(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Animator PIC");
    const PicHeader header = readHeader(in);
    checkPictureSize(header.width, header.height, name);
    return {static_cast<int>(header.width), static_cast<int>(header.height)};
}

Bitmap decodeAnimatorPic(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Animator PIC");
    const auto [width, height] = readHeader(in);
    in.seek(32);

    // The colour map holds VGA values of 6 bits.
    Palette palette(256, name);
    auto scale = [](std::uint8_t v) {
        return static_cast<std::uint8_t>((std::min<unsigned>(v, 63) * 255 + 31) / 63);
    };
    const auto map = in.bytes(768);
    for (unsigned i = 0; i < 256; ++i)
        palette.set(i, scale(map[3 * i]), scale(map[3 * i + 1]), scale(map[3 * i + 2]));

    checkPictureSize(width, height, name);
    if (static_cast<std::uint64_t>(width) * height > in.remaining())
        in.truncated();
    Bitmap bitmap = allocatePicture(width, height, name);
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* src = in.bytes(width).data();
        std::uint8_t* dst = bitmap.row(y);
        for (unsigned x = 0; x < width; ++x, dst += 3)
            palette.put(dst, src[x]);
    }
    return bitmap;
}

} // namespace pictaven
