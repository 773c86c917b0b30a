#include "imaging/ExifOrientation.h"

#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace pictaven
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

// An Exif APP1 segment whose IFD0 holds `entries` entries, the orientation one last.
Bytes exifSegment(int orientation, bool bigEndian, std::uint16_t entries = 1, std::uint32_t ifdOffset = 8)
{
    Bytes tiff;
    auto u16 = [&](std::uint16_t v) {
        tiff.push_back(static_cast<std::uint8_t>(bigEndian ? v >> 8 : v & 0xFF));
        tiff.push_back(static_cast<std::uint8_t>(bigEndian ? v & 0xFF : v >> 8));
    };
    auto u32 = [&](std::uint32_t v) {
        u16(static_cast<std::uint16_t>(bigEndian ? v >> 16 : v & 0xFFFF));
        u16(static_cast<std::uint16_t>(bigEndian ? v & 0xFFFF : v >> 16));
    };
    tiff.push_back(bigEndian ? 'M' : 'I');
    tiff.push_back(bigEndian ? 'M' : 'I');
    u16(42);
    u32(ifdOffset);
    u16(entries);
    for (std::uint16_t i = 1; i < entries && i < 3; ++i) { // a few other tags before it
        u16(static_cast<std::uint16_t>(0x010F + i));
        u16(2);
        u32(4);
        u32(0);
    }
    u16(0x0112);
    u16(3);
    u32(1);
    u16(static_cast<std::uint16_t>(orientation));
    u16(0);
    u32(0); // no next IFD
    const std::uint8_t header[] = { 0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0 };
    Bytes segment(std::size(header) + tiff.size());
    std::copy(std::begin(header), std::end(header), segment.begin());
    std::copy(tiff.begin(), tiff.end(), segment.begin() + std::ssize(header));
    const std::size_t length = segment.size() - 2;
    segment[2] = static_cast<std::uint8_t>(length >> 8);
    segment[3] = static_cast<std::uint8_t>(length & 0xFF);
    return segment;
}

// The JPEG `jpeg` with `segment` right after its start marker.
Bytes withSegment(const Bytes& jpeg, const Bytes& segment)
{
    Bytes out = jpeg;
    out.insert(out.begin() + 2, segment.begin(), segment.end());
    return out;
}

Bytes readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

const Colour Red { 0, 0, 255 };
const Colour Green { 0, 255, 0 };
const Colour Blue { 255, 0, 0 };
const Colour White { 255, 255, 255 };

// 48 x 32 in four quadrants: red, green over blue, white.
Bitmap quadrants()
{
    Bitmap picture(48, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            picture.setPixel(x, y, y < 16 ? (x < 24 ? Red : Green) : (x < 24 ? Blue : White));
    return picture;
}

bool near(Colour a, Colour b)
{
    auto close = [](int x, int y) { return std::abs(x - y) < 40; };
    return close(a.blue, b.blue) && close(a.green, b.green) && close(a.red, b.red);
}

class ExifOrientationFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeJpeg(quadrants(), (m_dir / "plain.jpg").string(), 95);
        m_plain = readBytes(m_dir / "plain.jpg");
    }
    test::TempDir m_dir;
    Bytes m_plain;
};

TEST_F(ExifOrientationFiles, FindsTheValueInEitherByteOrderAndWhereItLies)
{
    EXPECT_EQ(findExifOrientation(m_plain).value, 1);
    EXPECT_EQ(findExifOrientation(m_plain).offset, 0u);
    for (bool bigEndian : { false, true })
        for (int value = 1; value <= 8; ++value) {
            const Bytes file = withSegment(m_plain, exifSegment(value, bigEndian, 3));
            const ExifOrientation found = findExifOrientation(file);
            EXPECT_EQ(found.value, value) << bigEndian;
            ASSERT_GT(found.offset, 0u);
            EXPECT_EQ(file[found.offset + (bigEndian ? 1 : 0)], value);
        }
}

TEST_F(ExifOrientationFiles, DamagedSegmentsGiveNormal)
{
    const Bytes good = exifSegment(6, false);
    std::vector<Bytes> damaged = {
        exifSegment(9, false), // out of range
        exifSegment(0, true), // out of range
        exifSegment(6, false, 0xFFFF), // more entries than the segment holds
        exifSegment(6, true, 1, 0xFFFFFFF0u), // IFD beyond the segment
        Bytes(good.begin(), good.begin() + 20),
    };
    Bytes longer = good; // a segment length past the end of the file
    longer[2] = 0xFF;
    damaged.push_back(longer);
    Bytes notTiff = good;
    notTiff[10] = 'X';
    damaged.push_back(notTiff);
    for (const Bytes& segment : damaged)
        EXPECT_EQ(findExifOrientation(withSegment(m_plain, segment)).value, 1);
    // Every cut of a tagged file: never more than what the bytes hold.
    const Bytes tagged = withSegment(m_plain, good);
    for (std::size_t size = 0; size < tagged.size(); size += 7)
        findExifOrientation(std::span(tagged.data(), size));
}

TEST_F(ExifOrientationFiles, PhotosAreReadUprightAndTheirTurnsAgreeWithExiftool)
{
    struct Case {
        int orientation;
        int width;
        Colour topLeft, topRight, bottomLeft, bottomRight;
        OrientationTurn turn;
    };
    const Case cases[] = {
        { 1, 48, Red, Green, Blue, White, { 0, false } },
        { 2, 48, Green, Red, White, Blue, { 0, true } },
        { 3, 48, White, Blue, Green, Red, { 3, false } },
        { 4, 48, Blue, White, Red, Green, { 3, true } },
        { 5, 32, Red, Blue, Green, White, { 2, true } },
        { 6, 32, Blue, Red, White, Green, { 2, false } },
        { 7, 32, White, Green, Blue, Red, { 1, true } },
        { 8, 32, Green, White, Red, Blue, { 1, false } },
    };
    const bool haveExiftool = std::system("exiftool -ver > /dev/null 2>&1") == 0;
    for (const Case& c : cases) {
        const std::filesystem::path path = m_dir / ("turned" + std::to_string(c.orientation) + ".jpg");
        writeBytes(path, withSegment(m_plain, exifSegment(c.orientation, c.orientation % 2 == 0)));
        const OrientationTurn turn = orientationTurn(readExifOrientation(path.string()).value);
        EXPECT_EQ(turn.rotation, c.turn.rotation) << c.orientation;
        EXPECT_EQ(turn.mirrored, c.turn.mirrored) << c.orientation;
        const Bitmap upright = readJpegUpright(path.string());
        ASSERT_EQ(upright.width(), c.width) << c.orientation;
        const int w = upright.width() - 4;
        const int h = upright.height() - 4;
        EXPECT_TRUE(near(upright.pixel(3, 3), c.topLeft)) << c.orientation;
        EXPECT_TRUE(near(upright.pixel(w, 3), c.topRight)) << c.orientation;
        EXPECT_TRUE(near(upright.pixel(3, h), c.bottomLeft)) << c.orientation;
        EXPECT_TRUE(near(upright.pixel(w, h), c.bottomRight)) << c.orientation;
        if (haveExiftool) {
            // A file tagged by another tool reads the same.
            const std::filesystem::path other = m_dir / "other.jpg";
            writeBytes(other, m_plain);
            const std::string command = "exiftool -q -overwrite_original -n -Orientation="
                + std::to_string(c.orientation) + " '" + other.string() + "'";
            ASSERT_EQ(std::system(command.c_str()), 0);
            EXPECT_EQ(readExifOrientation(other.string()).value, c.orientation);
        }
    }
}

} // namespace
} // namespace pictaven
