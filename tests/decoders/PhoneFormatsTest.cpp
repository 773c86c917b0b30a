#include "FixtureFiles.h"
#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace pictaven {
namespace {

// Pictures made from one photo by heif-enc (HEIC, AVIF), cwebp and img2webp.
const std::string Folder = std::string(TEST_DATA_DIR) + "/phone/";

TEST(PhoneFormats, DecodeLikeTheirSourceWithTransparencyOverWhite)
{
    struct Case {
        const char* file;
        const char* reference; // PNG, whose transparency the PNG reader puts over white too
        const char* format;
    };
    const Case cases[] = {{"photo.heic", "photo.png", "HEIF"},
                          {"photo.avif", "photo.png", "AVIF"},
                          {"photo.webp", "photo.png", "WebP"},
                          {"alpha.webp", "alpha.png", "WebP"}};
    for (const Case& c : cases) {
        const std::string path = Folder + c.file;
        EXPECT_EQ(pictureFormatName(path), c.format);
        const Bitmap picture = loadPicture(path);
        const Bitmap reference = loadPicture(Folder + c.reference);
        ASSERT_EQ(picture.width(), reference.width()) << c.file;
        ASSERT_EQ(picture.height(), reference.height()) << c.file;
        EXPECT_EQ(readPictureSize(path), (ImageSize{picture.width(), picture.height()})) << c.file;
        EXPECT_LT(test::differenceOf(picture, reference).mean, 12.0) << c.file;
    }
}

// 37 x 23, whose rows libheif pads beyond 4 bytes a pixel. Made losslessly from odd-width.png:
//   heif-enc -L -p chroma=444 --matrix_coefficients=0 [-A] -o odd-width.heic|avif odd-width.png
// which keeps every byte within 1 of the source.
TEST(PhoneFormats, APictureOfOddWidthDecodesToItsSourcesPixels)
{
    const Bitmap source = loadPicture(Folder + "odd-width.png");
    ASSERT_EQ(source.width(), 37);
    for (const char* file : {"odd-width.heic", "odd-width.avif"}) {
        const Bitmap picture = loadPicture(Folder + file);
        ASSERT_EQ(picture.width(), source.width()) << file;
        ASSERT_EQ(picture.height(), source.height()) << file;
        EXPECT_LE(test::differenceOf(picture, source).largest, 1) << file;
    }
}

TEST(PhoneFormats, HeifFilesAreReadUnderEitherExtensionInAnyCase)
{
    const std::vector<std::uint8_t> bytes = readFileBytes(Folder + "photo.heic");
    const Bitmap heic = loadPicture(Folder + "photo.heic");
    test::TempDir dir;
    for (const char* name : {"photo.heif", "PHOTO.HEIF", "Photo.Heif", "PHOTO.HEIC"}) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        EXPECT_EQ(pictureFormatName(path), "HEIF") << name;
        EXPECT_EQ(readPictureSize(path), (ImageSize{heic.width(), heic.height()})) << name;
        EXPECT_TRUE(loadPicture(path) == heic) << name;
    }
}

TEST(PhoneFormats, AnAnimatedWebpGivesItsFirstFrame)
{
    const Bitmap picture = loadPicture(Folder + "anim.webp");
    ASSERT_EQ(picture.width(), 40);
    ASSERT_EQ(picture.height(), 30);
    for (const auto& [x, y] : {std::pair{0, 0}, {39, 29}, {20, 15}}) {
        const Colour pixel = picture.pixel(x, y);
        EXPECT_GT(pixel.red, 240);
        EXPECT_LT(pixel.blue, 15);
    }
}

TEST(PhoneFormats, DamagedFilesAreRefusedByName)
{
    for (const char* file : {"photo.heic", "photo.avif", "photo.webp", "anim.webp"}) {
        const std::string name = Folder + file;
        const std::vector<std::uint8_t> bytes = readFileBytes(name);
        // Every cut, down to nothing: a message naming the file, or a picture of the full size.
        for (std::size_t size = 1; size < bytes.size(); size += bytes.size() / 40 + 1) {
            const std::span<const std::uint8_t> cut(bytes.data(), size);
            try {
                const Bitmap picture = decodePicture(cut, name);
                EXPECT_EQ(pictureFormatFor(name)->readSize(cut, name), (ImageSize{picture.width(), picture.height()}));
            } catch (const std::runtime_error& error) {
                EXPECT_EQ(std::string(error.what()).rfind(name + ": ", 0), 0u) << error.what();
            }
        }
    }
}

TEST(PhoneFormats, AbsurdSizesInsideAHeifAreRefusedBeforeDecoding)
{
    const std::string name = Folder + "photo.heic";
    std::vector<std::uint8_t> bytes = readFileBytes(name);
    const std::string box = "ispe";
    const auto at = std::search(bytes.begin(), bytes.end(), box.begin(), box.end());
    ASSERT_NE(at, bytes.end());
    // Version and flags, then width and height: 70000 x 70000.
    const std::size_t size = static_cast<std::size_t>(at - bytes.begin()) + 8;
    for (std::size_t i : {size, size + 4}) {
        bytes[i] = 0;
        bytes[i + 1] = 1;
        bytes[i + 2] = 0x11;
        bytes[i + 3] = 0x70;
    }
    for (auto read : {+[](std::span<const std::uint8_t> d, const std::string&n) { decodeHeif(d, n); },
                      +[](std::span<const std::uint8_t> d, const std::string&n) { readHeifSize(d, n); }}) {
        try {
            read(bytes, name);
            FAIL() << "no exception";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind(name + ": ", 0), 0u) << error.what();
        }
    }
}

} // namespace
} // namespace pictaven
