#include "FixtureFiles.h"

#include "decoders/Decoders.h"
#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"
#include "imaging/DecoderError.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    // Every packed row empty: the file holds none of the rows its header claims.
    {"rle.psd", 26 + 14, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "truncated Photoshop file"},
    {"ascii.ppm", 18, {'9', '9', '9', '9', '9', ' ', '2', ' ', '2', '5', '5'}, "Picture size 99999 x 2 is too large"},
    {"ascii.ppm", 22, {'0', '0', '0'}, "maximum value 0 out of range"},
    {"ascii.ppm", 26, {'9', '9', '9'}, "sample value 999 above the maximum 255"},
    {"deep.ppm", 0, {'P', '7'}, "not a PBM, PGM or PPM file"},
    {"animator.cel", 10, {16}, "unsupported Animator picture (16 bits, compression 0)"},
    {"grey.cut", 6 + 2, {0x85}, "RLE run past the end of a row"},
    // Two short lines cannot give 2 x 30000 pixels.
    {"grey.cut", 0, {0x30, 0x75}, "truncated Dr. Halo CUT file"},
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

TEST(DamagedFiles, TooFewBytesForTheClaimedPictureAreRefusedBeforeAllocating)
{
    struct Bound {
        std::uint64_t raw;
        std::uint64_t ratio;
        std::uint64_t least;
    };
    const Bound bounds[] = {{0, 1, 0},          {10, 1, 10},       {1032, DeflateBestRatio, 1},
                            {1033, DeflateBestRatio, 2}, {588'014'000, DeflateBestRatio, 569'782},
                            {196'000'000, GifLzwBestRatio, 17'944}, {129, PackBitsBestRatio, 3}};
    for (const Bound& bound : bounds) {
        SCOPED_TRACE(std::to_string(bound.raw) + " / " + std::to_string(bound.ratio));
        EXPECT_EQ(leastEncodedBytes(bound.raw, bound.ratio), bound.least);
        EXPECT_NO_THROW(checkDataHolds(bound.least, bound.raw, bound.ratio, "x.png", "PNG"));
        if (bound.least > 0) {
            try {
                checkDataHolds(bound.least - 1, bound.raw, bound.ratio, "x.png", "PNG");
                ADD_FAILURE() << "no exception";
            } catch (const DecoderError& error) {
                EXPECT_STREQ(error.what(), "x.png: truncated PNG file");
            }
        }
    }
}

// A baseline JPEG whose frame header claims 14000 x 14000, cut 400 bytes after its scan starts.
Bytes bigJpegHeader()
{
    test::TempDir dir;
    const std::string path = (dir / "small.jpg").string();
    Bitmap picture(64, 64, 24);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64 * 3; ++x)
            picture.row(y)[x] = static_cast<std::uint8_t>(x * y);
    writeJpeg(picture, path, 90);
    const std::string text = test::readFile(path);
    Bytes bytes(text.begin(), text.end());
    const Bytes sof = {0xFF, 0xC0};
    const auto frame = std::search(bytes.begin(), bytes.end(), sof.begin(), sof.end());
    frame[5] = frame[7] = 14000 >> 8;
    frame[6] = frame[8] = 14000 & 0xFF;
    const Bytes sos = {0xFF, 0xDA};
    const auto scan = std::search(bytes.begin(), bytes.end(), sos.begin(), sos.end());
    bytes.erase(scan + 400, bytes.end());
    return bytes;
}

// A GIF screen of 14000 x 14000 whose first frame, `frameSide` pixels square, has a few bytes
// of pixel data.
Bytes bigGifHeader(unsigned frameSide)
{
    test::ByteWriter w;
    w.text("GIF89a").u16le(14000).u16le(14000).u8(0x80).u8(0).u8(0).zeros(6);
    w.u8(0x2C).u16le(0).u16le(0).u16le(frameSide).u16le(frameSide).u8(0).u8(2);
    w.u8(100).zeros(100).u8(0).u8(0x3B);
    return w.data();
}

TEST(DamagedFiles, AHeaderClaimingAHugePictureIsRefusedAsTruncated)
{
    struct Claim {
        const char* file;
        Bytes bytes;
        const char* format;
    };
    const Claim claims[] = {
        {"big.png", test::pngClaiming(14000, 14000, 0), "PNG"},
        {"big.png", test::pngClaiming(14000, 14000, 400), "PNG"},
        {"big.jpg", bigJpegHeader(), "JPEG"},
        {"big.gif", bigGifHeader(14000), "GIF"},
        // The screen outside the frame would be white, but the file is far too small for it.
        {"big.gif", bigGifHeader(1), "GIF"},
    };
    for (const Claim& claim : claims) {
        SCOPED_TRACE(std::string(claim.file) + " of " + std::to_string(claim.bytes.size()) + " bytes");
        EXPECT_EQ(outcome(claim.bytes, claim.file), std::string(claim.file) + ": truncated " + claim.format + " file");
        // Its header alone reads, as `info` shows it.
        if (claim.bytes.size() > 100) {
            EXPECT_EQ(pictureFormatFor(claim.file)->readSize(claim.bytes, claim.file), (ImageSize{14000, 14000}));
        }
    }
}

} // namespace
} // namespace pictaven
