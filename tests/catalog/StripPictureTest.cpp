#include "catalog/StripPicture.h"
#include "decoders/BmpWriter.h"
#include "decoders/PictureLoader.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"
#include "support/VideoClips.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace pictaven {
namespace {

Bitmap filled(int width, int height, Colour colour)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, colour);
    return bitmap;
}

TEST(StripPicture, FitsTheBoxLessTwoPixels)
{
    struct Case {
        int width, height;
        int fittedWidth, fittedHeight;
    };
    const Case cases[] = {
        {640, 480, 92, 68}, // 94 * 0.75 = 70.5, truncated to 70
        {480, 640, 68, 92}, {100, 100, 92, 92},
        {10, 10, 92, 92},   {300, 7, 92, 1}, // 2.19 - 2 would be 0; one row is kept
        {3000, 1, 92, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const Bitmap fitted = fitToStrip(filled(c.width, c.height, {1, 2, 3}));
        EXPECT_EQ(fitted.width(), c.fittedWidth);
        EXPECT_EQ(fitted.height(), c.fittedHeight);
        EXPECT_EQ(fitted.bitsPerPixel(), 32);
        EXPECT_EQ(fitted.pixel(fitted.width() - 1, fitted.height() - 1), (Colour{1, 2, 3}));
    }
}

// Its poster, upright, even in a folder whose name would otherwise choose the JPEG reader.
TEST(StripPicture, AVideoShowsItsPoster)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir / "jpg exports");
    const auto clip = test::makeVideoClip(dir / "jpg exports", "clip.mov", test::VideoClip::PortraitHevc);
    const StripPicture shown = loadStripPicture((dir / "thumb0.bmp").string(), clip.string(),
                                                (dir / "error.bmp").string(), (dir / "_strip.bmp").string());
    EXPECT_EQ(shown.picture.width(), 50); // 180 x 320 in the 94-pixel box, less two pixels
    EXPECT_EQ(shown.picture.height(), 92);
}

TEST(StripPicture, APhoneOrCameraPhotoIsShownUpright)
{
    test::TempDir dir;
    const std::string photo = (dir / "phone.jpg").string();
    // Stored wide, red on the left; the tag says to turn it a quarter clockwise.
    Bitmap stored = filled(80, 40, {255, 0, 0});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            stored.setPixel(x, y, {0, 0, 255});
    writeJpeg(stored, photo, 95);
    const std::string tag = "exiftool -q -overwrite_original -n -Orientation=6 '" + photo + "'";
    ASSERT_EQ(std::system(tag.c_str()), 0) << "exiftool is needed";
    const StripPicture shown = loadStripPicture((dir / "thumb0.bmp").string(), photo, (dir / "error.bmp").string(),
                                                (dir / "_strip.bmp").string());
    ASSERT_LT(shown.picture.width(), shown.picture.height());
    // Turned clockwise, the left half is on top.
    EXPECT_GT(shown.picture.pixel(shown.picture.width() / 2, 2).red, 200);
    EXPECT_LT(shown.picture.pixel(shown.picture.width() / 2, shown.picture.height() - 3).red, 60);
}

TEST(StripPicture, TakesTheCacheThenThePhotoThenTheErrorPicture)
{
    test::TempDir dir;
    const std::string cache = (dir / "thumb0.bmp").string();
    const std::string photo = (dir / "photo.bmp").string();
    const std::string error = (dir / "error.bmp").string();
    const std::string scratch = (dir / "_strip.bmp").string();
    const Colour cacheColour{10, 0, 0}, photoColour{0, 20, 0}, errorColour{0, 0, 30};
    struct Case {
        const char* what;
        bool cached, photoThere, errorThere;
        bool fromCache;
        Colour shown;
        int width;
    };
    const Case cases[] = {
        {"cached", true, true, true, true, cacheColour, 5},
        {"photo", false, true, true, false, photoColour, 92},
        {"photo gone", false, false, true, false, errorColour, 92},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(cache);
        std::filesystem::remove(photo);
        std::filesystem::remove(error);
        std::filesystem::remove(scratch);
        if (c.cached)
            writeBmp(filled(5, 4, cacheColour), cache);
        if (c.photoThere)
            writeBmp(filled(40, 30, photoColour), photo);
        if (c.errorThere)
            writeBmp(filled(20, 20, errorColour), error);
        const StripPicture shown = loadStripPicture(cache, photo, error, scratch);
        EXPECT_EQ(shown.fromCache, c.fromCache);
        ASSERT_FALSE(shown.picture.empty());
        EXPECT_EQ(shown.picture.width(), c.width);
        EXPECT_EQ(shown.picture.pixel(0, 0), c.shown);
        // Only a new picture is written, for the cache.
        EXPECT_EQ(shown.scratchFile, c.fromCache ? "" : scratch);
        EXPECT_EQ(std::filesystem::exists(scratch), !c.fromCache);
        if (!c.fromCache) {
            EXPECT_EQ(loadPicture(scratch).pixel(0, 0), c.shown);
        }
    }
    std::filesystem::remove(error);
    std::filesystem::remove(scratch);
    const StripPicture none = loadStripPicture(cache, photo, error, scratch);
    EXPECT_TRUE(none.picture.empty());
    EXPECT_FALSE(std::filesystem::exists(scratch));
    // A damaged cache file is made again from the photo.
    test::writeFile(cache, "BMgarbage");
    writeBmp(filled(40, 30, photoColour), photo);
    const StripPicture remade = loadStripPicture(cache, photo, error, scratch);
    EXPECT_FALSE(remade.fromCache);
    EXPECT_EQ(remade.picture.pixel(0, 0), photoColour);
    // A scratch file that cannot be written still gives the picture, and says why.
    const std::string nowhere = (dir / "missing" / "_strip.bmp").string();
    const StripPicture unwritten = loadStripPicture(cache, photo, error, nowhere);
    EXPECT_EQ(unwritten.picture.pixel(0, 0), photoColour);
    EXPECT_EQ(unwritten.scratchFile, "");
    EXPECT_NE(unwritten.writeError.find(nowhere), std::string::npos) << unwritten.writeError;
}

} // namespace
} // namespace pictaven
