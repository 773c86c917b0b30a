// Real photographs written by ImageMagick in every format it can write, decoded by our readers
// and by ImageMagick itself; the pixels must agree exactly.

#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "decoders/PictureLoader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace pictaven {
namespace {

const char* const ImageMagick = "/usr/bin/convert";

bool run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

struct Variant {
    const char* file;    // written from the source photo with `options`
    const char* options;
    const char* coder = ""; // ImageMagick's format prefix, when not the extension's
};

// Colour-mapped TIFF is left out: ImageMagick writes 16-bit colour tables and rounds them to
// 8 bits, where libtiff's RGBA interface, the reference for TIFF, truncates.
// Colour-mapped Photoshop files are left out too: ImageMagick cannot read back the ones it writes.
const Variant Variants[] = {
    {"plain.bmp", ""},
    {"bmp3.bmp", "-type truecolor", "bmp3:"},
    {"palette.bmp", "-colors 200"},
    {"rle8.bmp", "-colors 200 -compress RLE"},
    {"rle4.bmp", "-colors 16 -compress RLE"},
    {"rgb565.bmp", "-define bmp:subtype=RGB565"},
    {"mono.bmp", "-monochrome"},
    {"plain.dib", ""},
    {"plain.tga", ""},
    {"rle.tga", "-compress RLE"},
    {"mapped.tga", "-colors 200"},
    {"grey.tga", "-colorspace gray"},
    {"plain.pcx", ""},
    {"palette.pcx", "-colors 200"},
    {"mono.pcx", "-monochrome"},
    {"grey.pgm", "-colorspace gray"},
    {"colour.ppm", ""},
    {"ascii.ppm", "-compress none"},
    {"ascii.pgm", "-colorspace gray -compress none"},
    {"deep.ppm", "-depth 16"},
    {"mono.pbm", ""},
    {"asciimono.pbm", "-compress none"},
    {"rle.psd", "-compress RLE"},
    {"raw.psd", "-compress none"},
    {"grey.psd", "-colorspace gray"},
    {"deep.psd", "-depth 16"},
    {"plain.tif", "-compress none"},
    {"lzw.tif", "-compress lzw"},
    {"zip.tif", "-compress zip"},
    {"grey.tif", "-colorspace gray"},
    {"deep.tif", "-depth 16"},
    {"plain.png", ""},
    {"palette.png", "-colors 200"},
    {"grey.png", "-colorspace gray"},
    {"deep.png", "-depth 16"},
    {"interlaced.png", "-interlace PNG"},
    {"plain.gif", ""},
    {"interlaced.gif", "-interlace GIF"},
};

class ImageMagickReference : public ::testing::TestWithParam<const char*> {};

TEST_P(ImageMagickReference, SameColoursAsImageMagick)
{
    if (!std::filesystem::exists(ImageMagick))
        GTEST_SKIP() << "ImageMagick's convert is not installed (apt-get install imagemagick)";
    const std::string photo = std::string(TEST_DATA_DIR) + "/photos/" + GetParam();
    ASSERT_TRUE(std::filesystem::exists(photo)) << photo;
    test::TempDir dir;
    // A downscaled copy keeps the test fast while keeping real photographic content.
    const std::string source = (dir / "source.ppm").string();
    ASSERT_TRUE(run(std::string(ImageMagick) + " '" + photo + "' -resize 173x117! '" + source + "'"));

    for (const Variant& variant : Variants) {
        SCOPED_TRACE(variant.file);
        const std::string file = (dir / variant.file).string();
        ASSERT_TRUE(run(std::string(ImageMagick) + " '" + source + "' " + variant.options + " '" + variant.coder +
                        file + "'"));
        const std::string reference = file + ".reference.ppm";
        // ImageMagick keeps a Targa's rows as stored and records the origin as orientation;
        // -auto-orient applies it, as the format says the rows are to be read.
        ASSERT_TRUE(run(std::string(ImageMagick) + " '" + file + "[0]' -auto-orient -depth 8 'ppm:" + reference + "'"));

        const Bitmap ours = loadPicture(file);
        const Bitmap theirs = decodePnm(readFileBytes(reference), reference);
        ASSERT_EQ(ours.width(), theirs.width());
        ASSERT_EQ(ours.height(), theirs.height());
        int differing = 0;
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width() * 3; ++x)
                differing += ours.row(y)[x] != theirs.row(y)[x];
        EXPECT_EQ(differing, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Photos, ImageMagickReference,
                         ::testing::Values("opencv_board.jpg", "plasma_ColorfulCups.jpg", "opencv_left01_grey.jpg"));

} // namespace
} // namespace pictaven
