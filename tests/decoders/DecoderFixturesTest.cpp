#include "FixtureFiles.h"

#include "decoders/Decoders.h"
#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

std::string describe(const Bitmap& bitmap)
{
    std::string text = std::to_string(bitmap.width()) + "x" + std::to_string(bitmap.height()) + ":";
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            text += " " + std::to_string(bitmap.row(y)[3 * x + 2]) + "," + std::to_string(bitmap.row(y)[3 * x + 1]) +
                    "," + std::to_string(bitmap.row(y)[3 * x]);
    return text;
}

class FixtureDecode : public ::testing::TestWithParam<test::Fixture> {};

TEST_P(FixtureDecode, DecodesToItsKnownPixels)
{
    const test::Fixture& fixture = GetParam();
    const Bitmap decoded = decodePicture(fixture.bytes, fixture.file);
    EXPECT_EQ(decoded.bitsPerPixel(), 24);
    EXPECT_EQ(describe(decoded), describe(fixture.expected));
}

TEST_P(FixtureDecode, HeaderGivesTheSizeDecodingGives)
{
    const test::Fixture& fixture = GetParam();
    const ImageSize size = pictureFormatFor(fixture.file)->readSize(fixture.bytes, fixture.file);
    EXPECT_EQ(size, (ImageSize{fixture.expected.width(), fixture.expected.height()}));
}

INSTANTIATE_TEST_SUITE_P(Formats, FixtureDecode, ::testing::ValuesIn(test::allFixtures()),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(CutDecoder, UsesItsPaletteFileForColours)
{
    const test::Fixture grey = test::fixtureNamed("grey.cut");
    const test::Bytes palette = test::haloPalette();
    const Bitmap decoded = decodeCut(grey.bytes, "colour.cut", palette, "colour.pal");
    EXPECT_EQ(describe(decoded), describe(test::sampleBitmap()));
}

TEST(PaletteIndexes, BeyondTheTableAreRefusedWithTheFileName)
{
    // The CUT palette has six colours; index 5 is the last one, so 6 is out of range.
    test::Bytes cut = test::fixtureNamed("grey.cut").bytes;
    cut[cut.size() - 2] = 6;
    const test::Bytes palette = test::haloPalette();
    try {
        decodeCut(cut, "short.cut", palette, "short.pal");
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "short.pal: palette index 6 out of range");
    }
}

TEST(PspDecoder, RefusesSeveralLayersWithoutAComposite)
{
    try {
        decodePsp(test::pspTwoLayers(false), "layers.psp");
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(),
                     "layers.psp: Paint Shop Pro files with several layers and no composite image are not supported");
    }
}

} // namespace
} // namespace pictaven
