#pragma once

#include "imaging/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pictaven::test {

using Bytes = std::vector<std::uint8_t>;

// Little helper for writing picture files byte by byte.
class ByteWriter {
public:
    ByteWriter& u8(unsigned v);
    ByteWriter& u16le(unsigned v);
    ByteWriter& u16be(unsigned v);
    ByteWriter& u32le(std::uint32_t v);
    ByteWriter& u32be(std::uint32_t v);
    ByteWriter& text(const std::string& s);
    ByteWriter& bytes(const Bytes& b);
    ByteWriter& zeros(std::size_t n);
    std::size_t size() const { return m_bytes.size(); }
    Bytes& data() { return m_bytes; }

private:
    Bytes m_bytes;
};

struct Rgb {
    std::uint8_t r, g, b;
};

// The 3 x 2 picture most fixtures hold: red, green, blue over white, black and (10, 20, 30).
extern const Rgb Sample[2][3];
// Its six colours as palette entries 0 to 5, in reading order.
extern const Rgb SamplePalette[6];

// A 24-bit bitmap from rows of colours.
Bitmap bitmapOf(const std::vector<std::vector<Rgb>>& rows);
Bitmap sampleBitmap();

// A small file of one format and the pixels it must decode to; `file` is a name with the
// format's extension.
struct Fixture {
    std::string file;
    Bytes bytes;
    Bitmap expected;
};

// Every fixture: our own formats written byte by byte (each variant described where it is
// made), PNG, GIF and TIFF written with their libraries.
std::vector<Fixture> allFixtures();
Fixture fixtureNamed(const std::string& file);

// A Paint Shop Pro file of two layers, with or without the composite image.
Bytes pspTwoLayers(bool withComposite);

// The start of a PNG file: a header claiming `width` x `height` RGB pixels, then an image data
// chunk of `dataBytes` bytes (none when 0), and nothing more.
Bytes pngClaiming(std::uint32_t width, std::uint32_t height, std::size_t dataBytes);

// How far apart the colour bytes of two pictures of one size are: on average, and at the most.
struct Difference {
    double mean = 0;
    int largest = 0;
};
Difference differenceOf(const Bitmap& a, const Bitmap& b);

// The Dr. Halo palette file that goes with the "palette.cut" fixture.
Bytes haloPalette();

} // namespace pictaven::test
