#include "FixtureFiles.h"

#include "imaging/JpegCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

#include <gif_lib.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

namespace pictaven::test {

ByteWriter& ByteWriter::u8(unsigned v)
{
    m_bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
}
ByteWriter& ByteWriter::u16le(unsigned v)
{
    return u8(v & 0xFF).u8(v >> 8 & 0xFF);
}
ByteWriter& ByteWriter::u16be(unsigned v)
{
    return u8(v >> 8 & 0xFF).u8(v & 0xFF);
}
ByteWriter& ByteWriter::u32le(std::uint32_t v)
{
    return u16le(v & 0xFFFF).u16le(v >> 16);
}
ByteWriter& ByteWriter::u32be(std::uint32_t v)
{
    return u16be(v >> 16).u16be(v & 0xFFFF);
}
ByteWriter& ByteWriter::text(const std::string& s)
{
    m_bytes.insert(m_bytes.end(), s.begin(), s.end());
    return *this;
}
ByteWriter& ByteWriter::bytes(const Bytes& b)
{
    m_bytes.insert(m_bytes.end(), b.begin(), b.end());
    return *this;
}
ByteWriter& ByteWriter::zeros(std::size_t n)
{
    m_bytes.insert(m_bytes.end(), n, 0);
    return *this;
}

const Rgb Sample[2][3] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}, {{255, 255, 255}, {0, 0, 0}, {10, 20, 30}}};
const Rgb SamplePalette[6] = {Sample[0][0], Sample[0][1], Sample[0][2], Sample[1][0], Sample[1][1], Sample[1][2]};

Bitmap bitmapOf(const std::vector<std::vector<Rgb>>& rows)
{
    Bitmap bitmap(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()), 24);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const Rgb& c = rows[y][x];
            bitmap.row(y)[3 * x] = c.b;
            bitmap.row(y)[3 * x + 1] = c.g;
            bitmap.row(y)[3 * x + 2] = c.r;
        }
    return bitmap;
}

Bitmap sampleBitmap()
{
    return bitmapOf({{Sample[0][0], Sample[0][1], Sample[0][2]}, {Sample[1][0], Sample[1][1], Sample[1][2]}});
}

namespace {

Bitmap sampleWithLast(Rgb last)
{
    return bitmapOf({{Sample[0][0], Sample[0][1], Sample[0][2]}, {Sample[1][0], Sample[1][1], last}});
}

// A BMP file with a 40-byte information header; `height` negative for top-down rows.
Bytes bmpFile(int height, unsigned bits, unsigned compression, const std::vector<Rgb>& palette,
              const std::vector<std::uint32_t>& masks, const Bytes& pixels, std::uint32_t width = 3)
{
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + 40 + 4 * masks.size() + 4 * palette.size());
    ByteWriter w;
    w.text("BM").u32le(offset + static_cast<std::uint32_t>(pixels.size())).u32le(0).u32le(offset);
    w.u32le(40).u32le(width).u32le(static_cast<std::uint32_t>(height)).u16le(1).u16le(bits).u32le(compression);
    w.u32le(static_cast<std::uint32_t>(pixels.size())).u32le(2835).u32le(2835);
    w.u32le(static_cast<std::uint32_t>(palette.size())).u32le(0);
    for (auto mask : masks)
        w.u32le(mask);
    for (const Rgb& c : palette)
        w.u8(c.b).u8(c.g).u8(c.r).u8(0);
    return w.bytes(pixels).data();
}

const std::vector<Rgb> Six(std::begin(SamplePalette), std::end(SamplePalette));

// Uncompressed 24-bit rows of 9 bytes padded to 12, bottom-up or top-down.
Fixture bmp24(bool topDown)
{
    Bytes pixels;
    for (int i = 0; i < 2; ++i) {
        const int y = topDown ? i : 1 - i;
        for (const Rgb& c : Sample[y])
            pixels.insert(pixels.end(), {c.b, c.g, c.r});
        pixels.insert(pixels.end(), 3, 0xEE);
    }
    return {topDown ? "topdown.bmp" : "bottomup.bmp", bmpFile(topDown ? -2 : 2, 24, 0, {}, {}, pixels), sampleBitmap()};
}

// 8-bit indexes padded to 4 bytes a row.
Fixture bmp8()
{
    return {"palette8.bmp", bmpFile(2, 8, 0, Six, {}, {3, 4, 5, 0, 0, 1, 2, 0}), sampleBitmap()};
}

// 4-bit indexes, the left pixel in the high nibble, padded to 4 bytes a row.
Fixture bmp4()
{
    return {"palette4.bmp", bmpFile(2, 4, 0, Six, {}, {0x34, 0x50, 0, 0, 0x01, 0x20, 0, 0}), sampleBitmap()};
}

// RLE8: an absolute run (padded to 16 bits), single-pixel runs, end of line and of bitmap.
Fixture bmpRle8()
{
    return {"rle8.rle", bmpFile(2, 8, 1, Six, {}, {0, 3, 3, 4, 5, 0, 0, 0, 1, 0, 1, 1, 1, 2, 0, 0, 0, 1}),
            sampleBitmap()};
}

// RLE4: an absolute run of three nibbles, a two-pixel run alternating 0 and 1, then a run of 2.
Fixture bmpRle4()
{
    return {"rle4.bmp", bmpFile(2, 4, 2, Six, {}, {0, 3, 0x34, 0x50, 0, 0, 2, 0x01, 1, 0x20, 0, 0, 0, 1}),
            sampleBitmap()};
}

// RLE4, 5 pixels wide: an absolute run of five nibbles takes three bytes, padded to four;
// then a run of five alternating 1 and 2.
Fixture bmpRle4Odd()
{
    const Rgb(&p)[6] = SamplePalette;
    return {"rle4odd.rle", bmpFile(2, 4, 2, Six, {}, {0, 5, 0x34, 0x50, 0x10, 0, 0, 0, 5, 0x12, 0, 1}, 5),
            bitmapOf({{p[1], p[2], p[1], p[2], p[1]}, {p[3], p[4], p[5], p[0], p[1]}})};
}

// RLE4, 8 pixels wide: odd-length absolute runs that stop inside the row, each followed by a run
// on the same row. Five nibbles take three bytes and a pad byte, seven take four and none; a
// reader that counts the bytes of the absolute run wrongly puts the following run out of line.
Fixture bmpRle4OddThenRun()
{
    const Rgb(&p)[6] = SamplePalette;
    return {
        "rle4run.rle",
        bmpFile(2, 4, 2, Six, {},
                {0, 5, 0x12, 0x34, 0x50, 0, 3, 0x21, 0, 0, 0, 7, 0x01, 0x23, 0x45, 0x10, 1, 0x30, 0, 1}, 8),
        bitmapOf({{p[0], p[1], p[2], p[3], p[4], p[5], p[1], p[3]}, {p[1], p[2], p[3], p[4], p[5], p[2], p[1], p[2]}})};
}

// 16-bit 5-6-5 bit fields; the last pixel (1, 5, 3) widens to (8, 20, 24).
Fixture bmp565()
{
    auto pixel = [](unsigned r, unsigned g, unsigned b) { return r << 11 | g << 5 | b; };
    ByteWriter rows;
    rows.u16le(pixel(31, 63, 31)).u16le(0).u16le(pixel(1, 5, 3)).u16le(0);
    rows.u16le(pixel(31, 0, 0)).u16le(pixel(0, 63, 0)).u16le(pixel(0, 0, 31)).u16le(0);
    return {"bitfields.dib", bmpFile(2, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, rows.data()), sampleWithLast({8, 20, 24})};
}

// 32 bits, default masks: blue, green, red and an unused byte.
Fixture bmp32()
{
    Bytes pixels;
    for (int y = 1; y >= 0; --y)
        for (const Rgb& c : Sample[y])
            pixels.insert(pixels.end(), {c.b, c.g, c.r, 0x7F});
    return {"deep.bmp", bmpFile(2, 32, 0, {}, {}, pixels), sampleBitmap()};
}

Bytes pcxHeader(unsigned bits, unsigned planes, unsigned bytesPerLine)
{
    ByteWriter w;
    w.u8(0x0A).u8(5).u8(1).u8(bits).u16le(0).u16le(0).u16le(2).u16le(1).u16le(72).u16le(72).zeros(48);
    w.u8(0).u8(planes).u16le(bytesPerLine).u16le(1).zeros(58);
    return w.data();
}

// Values of 0xC0 and above go into runs, as the format requires.
void pcxEncode(ByteWriter& w, const Bytes& line)
{
    for (auto b : line) {
        if (b >= 0xC0)
            w.u8(0xC1);
        w.u8(b);
    }
}

// 8 bits in one plane, a run for index 3, the 256-colour table at the end.
Fixture pcx8()
{
    ByteWriter w;
    w.bytes(pcxHeader(8, 1, 4)).u8(0).u8(1).u8(2).u8(0).u8(0xC1).u8(3).u8(4).u8(5).u8(0);
    w.u8(0x0C);
    for (unsigned i = 0; i < 256; ++i) {
        const Rgb c = i < 6 ? SamplePalette[i] : Rgb{9, 9, 9};
        w.u8(c.r).u8(c.g).u8(c.b);
    }
    return {"palette.pcx", w.data(), sampleBitmap()};
}

// 24 bits as three planes of 4 bytes a line.
Fixture pcx24()
{
    ByteWriter w;
    w.bytes(pcxHeader(8, 3, 4));
    for (const auto& row : Sample) {
        pcxEncode(w, {row[0].r, row[1].r, row[2].r, 0});
        pcxEncode(w, {row[0].g, row[1].g, row[2].g, 0});
        pcxEncode(w, {row[0].b, row[1].b, row[2].b, 0});
    }
    return {"truecolour.pcx", w.data(), sampleBitmap()};
}

Bytes tgaHeader(unsigned type, bool mapped, unsigned depth, unsigned descriptor)
{
    ByteWriter w;
    w.u8(0).u8(mapped ? 1 : 0).u8(type).u16le(0).u16le(mapped ? 6 : 0).u8(mapped ? 24 : 0);
    return w.u16le(0).u16le(0).u16le(3).u16le(2).u8(depth).u8(descriptor).data();
}

// Raw 24-bit pixels, bottom row first.
Fixture tgaTrueColour()
{
    ByteWriter w;
    w.bytes(tgaHeader(2, false, 24, 0));
    for (int y = 1; y >= 0; --y)
        for (const Rgb& c : Sample[y])
            w.u8(c.b).u8(c.g).u8(c.r);
    return {"truecolour.tga", w.data(), sampleBitmap()};
}

// Colour-mapped RLE, top row first: a raw packet, a one-pixel run, a raw packet.
Fixture tgaMappedRle()
{
    ByteWriter w;
    w.bytes(tgaHeader(9, true, 8, 0x20));
    for (const Rgb& c : SamplePalette)
        w.u8(c.b).u8(c.g).u8(c.r);
    w.u8(0x02).u8(0).u8(1).u8(2).u8(0x80).u8(3).u8(0x01).u8(4).u8(5);
    return {"mapped.tga", w.data(), sampleBitmap()};
}

ByteWriter psdHeader(unsigned channels, unsigned mode)
{
    ByteWriter w;
    w.text("8BPS").u16be(1).zeros(6).u16be(channels).u32be(2).u32be(3).u16be(8).u16be(mode);
    return w;
}

// RGB planes, raw or as PackBits rows (each one literal packet of three bytes).
Fixture psdRgb(bool rle)
{
    ByteWriter w = psdHeader(3, 3);
    w.u32be(0).u32be(0).u32be(0).u16be(rle ? 1 : 0);
    if (rle)
        for (int i = 0; i < 6; ++i)
            w.u16be(4);
    for (int c = 0; c < 3; ++c)
        for (const auto& row : Sample) {
            if (rle)
                w.u8(2);
            for (const Rgb& p : row)
                w.u8(c == 0 ? p.r : c == 1 ? p.g : p.b);
        }
    return {rle ? "rle.psd" : "raw.pdd", w.data(), sampleBitmap()};
}

// Indexed: the colour table as 256 reds, 256 greens, 256 blues.
Fixture psdIndexed()
{
    ByteWriter w = psdHeader(1, 2);
    w.u32be(768);
    for (int c = 0; c < 3; ++c)
        for (unsigned i = 0; i < 256; ++i) {
            const Rgb p = i < 6 ? SamplePalette[i] : Rgb{};
            w.u8(c == 0 ? p.r : c == 1 ? p.g : p.b);
        }
    w.u32be(0).u32be(0).u16be(0).u8(0).u8(1).u8(2).u8(3).u8(4).u8(5);
    return {"indexed.psd", w.data(), sampleBitmap()};
}

// ASCII with a comment and irregular white space.
Fixture ppmAscii()
{
    ByteWriter w;
    w.text("P3\n# made by hand\n3 2\n255\n255 0 0  0 255 0\t0 0 255\n255 255 255 0 0 0 10 20 30\n");
    return {"ascii.ppm", w.data(), sampleBitmap()};
}

// Binary with 16-bit samples of maxval 1000: 39, 78 and 118 scale to 10, 20 and 30.
Fixture ppmBinary()
{
    ByteWriter w;
    w.text("P6 3 2 1000\n");
    for (unsigned v : {1000u, 0u, 0u, 0u, 1000u, 0u, 0u, 0u, 1000u, 1000u, 1000u, 1000u, 0u, 0u, 0u, 39u, 78u, 118u})
        w.u16be(v);
    return {"deep.ppm", w.data(), sampleBitmap()};
}

// 6-bit VGA colour map: (2, 5, 7) widens to (8, 20, 28).
Fixture animatorPic()
{
    ByteWriter w;
    w.u16le(0x9119).u16le(3).u16le(2).u16le(0).u16le(0).u8(8).u8(0).u32le(6).zeros(16);
    const Rgb vga[6] = {{63, 0, 0}, {0, 63, 0}, {0, 0, 63}, {63, 63, 63}, {0, 0, 0}, {2, 5, 7}};
    for (unsigned i = 0; i < 256; ++i) {
        const Rgb c = i < 6 ? vga[i] : Rgb{};
        w.u8(c.r).u8(c.g).u8(c.b);
    }
    w.u8(0).u8(1).u8(2).u8(3).u8(4).u8(5);
    return {"animator.cel", w.data(), sampleWithLast({8, 20, 28})};
}

// One record a line: a literal packet of three, then a run of one and a literal of two.
Bytes haloCutBytes()
{
    ByteWriter w;
    w.u16le(3).u16le(2).u16le(0);
    w.u16le(5).u8(0x03).u8(0).u8(1).u8(2).u8(0);
    w.u16le(6).u8(0x81).u8(3).u8(0x02).u8(4).u8(5).u8(0);
    return w.data();
}

Fixture haloCutGrey()
{
    auto grey = [](std::uint8_t v) { return Rgb{v, v, v}; };
    return {"grey.cut", haloCutBytes(), bitmapOf({{grey(0), grey(1), grey(2)}, {grey(3), grey(4), grey(5)}})};
}

// Paint Shop Pro files are built from blocks: "~BK\0", an id, (version 3 only) the length of
// the block's fixed part, and the length of the whole block.
Bytes pspBlock(unsigned version, unsigned id, const Bytes& body, std::uint32_t fixedLength = 0)
{
    ByteWriter w;
    w.text(std::string("~BK\0", 4)).u16le(id);
    if (version == 3)
        w.u32le(fixedLength);
    return w.u32le(static_cast<std::uint32_t>(body.size())).bytes(body).data();
}

Bytes pspAttributes(unsigned version, int width, int height, unsigned compression, unsigned depth, bool grey,
                    unsigned layers)
{
    ByteWriter w;
    if (version > 3)
        w.u32le(46);
    w.u32le(width).u32le(height).zeros(8).u8(1).u16le(compression).u16le(depth).u16le(1).u32le(1u << depth);
    w.u8(grey ? 1 : 0).u32le(0).u32le(0).u16le(layers);
    if (version > 3)
        w.u32le(1);
    return pspBlock(version, 0, w.data());
}

// One channel (type 0 for indexed or grey, 1 to 3 for red, green, blue) of stored data that
// unpacks to `uncompressed` bytes.
Bytes pspChannel(unsigned version, unsigned type, const Bytes& stored, std::uint32_t uncompressed)
{
    ByteWriter w;
    if (version > 3)
        w.u32le(16);
    w.u32le(static_cast<std::uint32_t>(stored.size())).u32le(uncompressed).u16le(0).u16le(type).bytes(stored);
    return pspBlock(version, 5, w.data(), 12);
}

// A raster layer covering a width x height picture, with its channel blocks.
Bytes pspLayer(unsigned version, int width, int height, const std::vector<Bytes>& channels)
{
    ByteWriter info;
    if (version > 3)
        info.u32le(85).u16le(4).text("Back");
    else
        info.text("Back").zeros(252);
    info.u8(1).u32le(0).u32le(0).u32le(width).u32le(height).u32le(0).u32le(0).u32le(width).u32le(height);
    info.u8(255).u8(0).u8(1).u8(0).u8(0).zeros(32).u8(0).u8(0).u8(0).u16le(0);
    if (version > 3)
        info.u32le(8);
    info.u16le(1).u16le(static_cast<unsigned>(channels.size()));
    const auto fixedLength = static_cast<std::uint32_t>(info.size());
    for (const Bytes& channel : channels)
        info.bytes(channel);
    return pspBlock(version, 4, info.data(), fixedLength);
}

Bytes pspFile(unsigned version, const std::vector<Bytes>& blocks)
{
    ByteWriter w;
    w.text("Paint Shop Pro Image File\n\x1a").zeros(5).u16le(version).u16le(0);
    for (const Bytes& block : blocks)
        w.bytes(block);
    return w.data();
}

// The sample's red, green or blue plane, rows padded to `rowBytes`.
Bytes samplePlane(unsigned channel, std::size_t rowBytes)
{
    Bytes plane;
    for (const auto& row : Sample) {
        for (const Rgb& p : row)
            plane.push_back(channel == 1 ? p.r : channel == 2 ? p.g : p.b);
        plane.resize(plane.size() + rowBytes - 3);
    }
    return plane;
}

// Version 5 (Paint Shop Pro 7): one raster layer of three uncompressed channels.
Fixture pspOneLayer()
{
    std::vector<Bytes> channels;
    for (unsigned c = 1; c <= 3; ++c)
        channels.push_back(pspChannel(5, c, samplePlane(c, 3), 6));
    return {"layer.psp",
            pspFile(5, {pspAttributes(5, 3, 2, 0, 24, false, 1), pspBlock(5, 3, pspLayer(5, 3, 2, channels))}),
            sampleBitmap()};
}

// Version 3 (Paint Shop Pro 5), the older block layout, with rows padded to four bytes.
Fixture pspVersion3()
{
    std::vector<Bytes> channels;
    for (unsigned c = 1; c <= 3; ++c)
        channels.push_back(pspChannel(3, c, samplePlane(c, 4), 8));
    return {"old.psp",
            pspFile(3, {pspAttributes(3, 3, 2, 0, 24, false, 1), pspBlock(3, 3, pspLayer(3, 3, 2, channels))}),
            sampleBitmap()};
}

// Version 6, 8-bit greyscale, RLE: a literal of three bytes, then a run of three.
Fixture pspGreyRle()
{
    const Bytes rle = {3, 0, 100, 255, 128 + 3, 50};
    auto grey = [](std::uint8_t v) { return Rgb{v, v, v}; };
    return {"grey.psp",
            pspFile(6, {pspAttributes(6, 3, 2, 1, 8, true, 1),
                        pspBlock(6, 3, pspLayer(6, 3, 2, {pspChannel(6, 0, rle, 6)}))}),
            bitmapOf({{grey(0), grey(100), grey(255)}, {grey(50), grey(50), grey(50)}})};
}

// Version 5, LZ77 (zlib) channels.
Fixture pspLz77()
{
    std::vector<Bytes> channels;
    for (unsigned c = 1; c <= 3; ++c) {
        const Bytes plane = samplePlane(c, 3);
        uLongf size = compressBound(plane.size());
        Bytes packed(size);
        compress(packed.data(), &size, plane.data(), plane.size());
        packed.resize(size);
        channels.push_back(pspChannel(5, c, packed, 6));
    }
    return {"lz77.psp",
            pspFile(5, {pspAttributes(5, 3, 2, 2, 24, false, 1), pspBlock(5, 3, pspLayer(5, 3, 2, channels))}),
            sampleBitmap()};
}

Bytes jpegOfSample()
{
    char path[] = "/tmp/pictaven-fixture-XXXXXX";
    close(mkstemp(path));
    writeJpeg(sampleBitmap(), path, 90);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

} // namespace

// Version 5 with two layers (the sample, and black), and when asked a composite bank holding a
// thumbnail and the full composite, both as JPEG.
Bytes pspTwoLayers(bool withComposite)
{
    std::vector<Bytes> sample, black;
    for (unsigned c = 1; c <= 3; ++c) {
        sample.push_back(pspChannel(5, c, samplePlane(c, 3), 6));
        black.push_back(pspChannel(5, c, Bytes(6, 0), 6));
    }
    ByteWriter bank;
    bank.bytes(pspLayer(5, 3, 2, black)).bytes(pspLayer(5, 3, 2, sample));
    std::vector<Bytes> blocks = {pspAttributes(5, 3, 2, 0, 24, false, 2), pspBlock(5, 3, bank.data())};
    if (withComposite) {
        const Bytes jpeg = jpegOfSample();
        ByteWriter images;
        images.u32le(8).u32le(2);
        for (unsigned type : {1u, 0u}) {
            ByteWriter attributes;
            attributes.u32le(24).u32le(type == 0 ? 3 : 1).u32le(type == 0 ? 2 : 1).u16le(24).u16le(3).u16le(1);
            attributes.u32le(1u << 24).u16le(type);
            ByteWriter image;
            image.u32le(14).u32le(static_cast<std::uint32_t>(jpeg.size())).u32le(9).u16le(0).bytes(jpeg);
            images.bytes(pspBlock(5, 17, attributes.data())).bytes(pspBlock(5, 18, image.data()));
        }
        blocks.push_back(pspBlock(5, 16, images.data()));
    }
    return pspFile(5, blocks);
}

namespace {

// White is fully transparent; the last pixel is (10, 20, 30) at alpha 128, which over white
// gives (132, 137, 142).
Fixture pngWithAlpha()
{
    const std::uint8_t rgba[] = {255, 0, 0, 255, 0, 255, 0, 255, 0,  0,  255, 255,
                                 7,   7, 7, 0,   0, 0,   0, 255, 10, 20, 30,  128};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 3;
    image.height = 2;
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba, 0, nullptr))
        throw std::runtime_error(image.message);
    Bytes bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgba, 0, nullptr))
        throw std::runtime_error(image.message);
    bytes.resize(size);
    return {"alpha.png", bytes, sampleWithLast({132, 137, 142})};
}

int writeToVector(GifFileType* gif, const GifByteType* data, int count)
{
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

// A GIF of the sample's colours on a 3 x 2 screen: the first frame covers `frame` (left, top,
// width, height) with pixels taken from the sample at the same places. Index 3 is a dark grey
// marked transparent, so it must come out white.
Bytes gifFile(int left, int top, int width, int height)
{
    Bytes bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, writeToVector, &error);
    GifColorType colours[8] = {};
    for (int i = 0; i < 6; ++i)
        colours[i] = {SamplePalette[i].r, SamplePalette[i].g, SamplePalette[i].b};
    colours[3] = {7, 7, 7};
    ColorMapObject* map = GifMakeMapObject(8, colours);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 3, 2, 8, 0, map);
    const GifByteType control[4] = {0x01, 0, 0, 3};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(gif, left, top, width, height, false, nullptr);
    for (int y = top; y < top + height; ++y) {
        GifPixelType row[3];
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<GifPixelType>(3 * y + left + x);
        EGifPutLine(gif, row, width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

Fixture gifWithTransparency()
{
    return {"transparent.gif", gifFile(0, 0, 3, 2), sampleBitmap()};
}

// A first frame smaller than the screen: the rest of the screen is white.
Fixture gifSmallFrame()
{
    const Rgb white{255, 255, 255};
    return {"frame.gif", gifFile(1, 1, 2, 1), bitmapOf({{white, white, white}, {white, Sample[1][1], Sample[1][2]}})};
}

// RGB, LZW-compressed, written to a temporary file by libtiff.
Fixture tiffRgb()
{
    char path[] = "/tmp/pictaven-fixture-XXXXXX";
    const int fd = mkstemp(path);
    close(fd);
    TIFF* tiff = TIFFOpen(path, "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 3);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 2);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 2);
    for (unsigned y = 0; y < 2; ++y) {
        std::uint8_t row[9];
        for (int x = 0; x < 3; ++x) {
            row[3 * x] = Sample[y][x].r;
            row[3 * x + 1] = Sample[y][x].g;
            row[3 * x + 2] = Sample[y][x].b;
        }
        TIFFWriteScanline(tiff, row, y, 0);
    }
    TIFFClose(tiff);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return {"lzw.tif", bytes, sampleBitmap()};
}

} // namespace

Bytes haloPalette()
{
    ByteWriter w;
    w.text("AH").u16le(0).u16le(0).u8(0x0A).u8(0).u16le(0).u16le(0).u16le(5).u16le(255).u16le(255).u16le(255);
    w.text("Dr. Halo").zeros(12);
    for (const Rgb& c : SamplePalette)
        w.u16le(c.r).u16le(c.g).u16le(c.b);
    return w.data();
}

namespace {

void pngChunk(ByteWriter& w, const char* type, const Bytes& data)
{
    ByteWriter typed;
    typed.text(type).bytes(data);
    w.u32be(static_cast<std::uint32_t>(data.size())).bytes(typed.data());
    w.u32be(static_cast<std::uint32_t>(crc32(0, typed.data().data(), static_cast<uInt>(typed.size()))));
}

} // namespace

Bytes pngClaiming(std::uint32_t width, std::uint32_t height, std::size_t dataBytes)
{
    ByteWriter w;
    w.bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    ByteWriter header;
    header.u32be(width).u32be(height).u8(8).u8(2).u8(0).u8(0).u8(0);
    pngChunk(w, "IHDR", header.data());
    if (dataBytes > 0)
        pngChunk(w, "IDAT", Bytes(dataBytes, 0x78));
    return w.data();
}

std::vector<Fixture> allFixtures()
{
    std::vector<Fixture> fixtures;
    fixtures.push_back(bmp24(false));
    fixtures.push_back(bmp24(true));
    fixtures.push_back(bmp8());
    fixtures.push_back(bmp4());
    fixtures.push_back(bmpRle8());
    fixtures.push_back(bmpRle4());
    fixtures.push_back(bmpRle4Odd());
    fixtures.push_back(bmpRle4OddThenRun());
    fixtures.push_back(bmp565());
    fixtures.push_back(bmp32());
    fixtures.push_back(pcx8());
    fixtures.push_back(pcx24());
    fixtures.push_back(tgaTrueColour());
    fixtures.push_back(tgaMappedRle());
    fixtures.push_back(psdRgb(false));
    fixtures.push_back(psdRgb(true));
    fixtures.push_back(psdIndexed());
    fixtures.push_back(ppmAscii());
    fixtures.push_back(ppmBinary());
    fixtures.push_back(animatorPic());
    fixtures.push_back(haloCutGrey());
    fixtures.push_back(pspOneLayer());
    fixtures.push_back(pspVersion3());
    fixtures.push_back(pspGreyRle());
    fixtures.push_back(pspLz77());
    fixtures.push_back(
        {"composite.psp", pspTwoLayers(true), decodeJpeg(jpegOfSample().data(), jpegOfSample().size(), "sample.jpg")});
    fixtures.push_back(pngWithAlpha());
    fixtures.push_back(gifWithTransparency());
    fixtures.push_back(gifSmallFrame());
    fixtures.push_back(tiffRgb());
    return fixtures;
}

Fixture fixtureNamed(const std::string& file)
{
    for (auto& fixture : allFixtures())
        if (fixture.file == file)
            return fixture;
    throw std::invalid_argument("no fixture " + file);
}

Difference differenceOf(const Bitmap& a, const Bitmap& b)
{
    Difference difference;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Colour p = a.pixel(x, y);
            const Colour q = b.pixel(x, y);
            for (const int apart : {std::abs(p.red - q.red), std::abs(p.green - q.green), std::abs(p.blue - q.blue)}) {
                sum += apart;
                difference.largest = std::max(difference.largest, apart);
            }
        }
    difference.mean = sum / (3.0 * a.width() * a.height());
    return difference;
}

} // namespace pictaven::test
