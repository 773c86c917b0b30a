#include "FixtureFiles.h"

#include "decoders/Decoders.h"
#include "decoders/PictureLoader.h"

#include <gtest/gtest.h>


namespace pictaven {
namespace {

using test::Bytes;

// The message of the exception decoding throws, or "decoded" when it does not throw.
std::string outcome(const Bytes& bytes, const std::string& file)
{
    try {
        decodePicture(bytes, file);
        return "decoded";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

TEST(DamagedFiles, EveryCutShortFixtureDecodesOrNamesTheFile)
{
    for (const test::Fixture& fixture : test::allFixtures()) {
        SCOPED_TRACE(fixture.file);
        for (std::size_t length = 0; length < fixture.bytes.size(); ++length) {
            const Bytes prefix(fixture.bytes.begin(), fixture.bytes.begin() + static_cast<std::ptrdiff_t>(length));
            const std::string result = outcome(prefix, fixture.file);
            if (result != "decoded") {
                EXPECT_EQ(result.rfind(fixture.file + ": ", 0), 0u) << "length " << length << ": " << result;
            }
            // Without its first eight bytes no file can be read.
            if (length < 8) {
                EXPECT_NE(result, "decoded") << "length " << length;
            }
        }
    }
}

TEST(DamagedFiles, EmptyAndTextFilesAreRefusedByEveryReader)
{
    const Bytes text = {'J', 'u', 's', 't', ' ', 's', 'o', 'm', 'e', ' ', 'n', 'o', 't', 'e', 's', '\n'};
    for (const char* file : {"a.jpg", "a.gif", "a.png", "a.bmp", "a.dib", "a.pcx", "a.tif", "a.psp", "a.tga", "a.psd",
                             "a.pbm", "a.pic", "a.cut", "a.emf"}) {
        EXPECT_EQ(outcome({}, file), std::string(file) + ": empty file");
        const std::string result = outcome(text, file);
        EXPECT_EQ(result.rfind(std::string(file) + ": ", 0), 0u) << result;
    }
}

struct Damage {
    const char* fixture;
    std::size_t offset;          // where `bytes` overwrite the fixture
    std::vector<std::uint8_t> bytes;
    const char* reason;          // the message after "<file>: "
};

const Damage Damages[] = {
    {"bottomup.bmp", 0, {'X'}, "not a BMP file"},
    {"bottomup.bmp", 18, {0x40, 0x9C, 0, 0}, "Picture size 40000 x 2 is too large"},
    {"bottomup.bmp", 18, {0, 0, 0, 0}, "empty picture (0 x 2)"},
    {"bottomup.bmp", 28, {7, 0}, "unsupported BMP bit depth 7"},
    {"palette8.bmp", 54 + 24 + 1, {9}, "palette index 9 out of range"},
    {"rle8.rle", 54 + 24 + 16, {1, 0}, "RLE data past the end of the picture"},
    {"rle8.rle", 54 + 24 + 8, {0, 2, 0, 9}, "RLE move past the end of the picture"},
    {"palette.pcx", 8, {0x40, 0x9C}, "Picture size 40001 x 2 is too large"},
    {"palette.pcx", 128, {0xFF}, "RLE run past the end of the picture"},
    {"palette.pcx", 3, {3}, "unsupported PCX layout: 1 planes of 3 bits"},
    {"truecolour.tga", 2, {7}, "not a Targa file"},
    {"truecolour.tga", 12, {0xFF, 0xFF, 0xFF, 0xFF}, "Picture size 65535 x 65535 is too large"},
    {"mapped.tga", 18 + 18, {0x86}, "RLE run past the end of the picture"},
    {"mapped.tga", 18 + 18 + 2, {6}, "palette index 6 out of range"},
    {"raw.pdd", 0, {'8', 'B', 'P', 'X'}, "not a Photoshop file"},
    {"raw.pdd", 18, {0, 1, 0x86, 0xA1}, "Picture size 100001 x 2 is too large"},
    {"raw.pdd", 24, {0, 4}, "CMYK Photoshop files are not supported"},
    {"rle.psd", 26 + 14 + 12, {0xFD}, "RLE run past the end of a row"},
    {"ascii.ppm", 18, {'9', '9', '9', '9', '9', ' ', '2', ' ', '2', '5', '5'}, "Picture size 99999 x 2 is too large"},
    {"ascii.ppm", 22, {'0', '0', '0'}, "maximum value 0 out of range"},
    {"ascii.ppm", 26, {'9', '9', '9'}, "sample value 999 above the maximum 255"},
    {"deep.ppm", 0, {'P', '7'}, "not a PBM, PGM or PPM file"},
    {"animator.cel", 10, {16}, "unsupported Animator picture (16 bits, compression 0)"},
    {"grey.cut", 6 + 2, {0x85}, "RLE run past the end of a row"},
    {"layer.psp", 0, {'X'}, "not a Paint Shop Pro file"},
    {"layer.psp", 32, {2}, "Paint Shop Pro files older than version 5 are not supported"},
    {"layer.psp", 36, {'~', 'B', 'X'}, "damaged Paint Shop Pro block"},
    {"alpha.png", 1, {'Q'}, "not a PNG file"},
    {"transparent.gif", 0, {'J'}, "not a GIF file"},
    {"lzw.tif", 0, {'X'}, "not a TIFF file"},
};

TEST(DamagedFiles, GiveClearReasonsNamingTheFile)
{
    for (const Damage& damage : Damages) {
        test::Fixture fixture = test::fixtureNamed(damage.fixture);
        SCOPED_TRACE(std::string(damage.fixture) + " at " + std::to_string(damage.offset));
        ASSERT_LE(damage.offset + damage.bytes.size(), fixture.bytes.size());
        std::copy(damage.bytes.begin(), damage.bytes.end(), fixture.bytes.begin() + static_cast<std::ptrdiff_t>(damage.offset));
        EXPECT_EQ(outcome(fixture.bytes, fixture.file), fixture.file + ": " + damage.reason);
    }
}

} // namespace
} // namespace pictaven
