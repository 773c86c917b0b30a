#include "generate/ThumbnailRenderer.h"

#include "RenderFixtures.h"
#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "decoders/PictureLoader.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/DropShadow.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

using namespace pictaven;
using pictaven::test::TempDir;

namespace {

namespace fs = std::filesystem;

struct Pages {
    TempDir program;
    TempDir photos;
    TempDir output;
    std::vector<std::string> logged;

    AlbumJob job() const { return test::renderJob(program.str(), output.str()); }
    ThumbnailRenderer renderer(const AlbumJob& job)
    {
        GenerationEvents events;
        events.logMessage = [this](const std::string& message) { logged.push_back(message); };
        return ThumbnailRenderer(job, events);
    }
};

FileStorage photoAt(const std::string& source, const std::string& working, int rotation = 0)
{
    FileStorage photo;
    photo.SourcePath = source;
    photo.WorkingPath = working;
    photo.Rotation = rotation;
    return photo;
}

// The first failure message a reader gives for a file.
template <typename Read>
std::string failureOf(Read read)
{
    try {
        read();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(ThumbnailRenderer, BasicAlbumWritesTheComposedThumbnail)
{
    Pages pages;
    const std::string path = test::writeJpegPhoto(pages.photos.str(), "Beach Day.JPG", test::detailedPicture(1600, 1200));
    struct Case {
        bool shadow;
        std::string texture;
        ImageSize expected;
    };
    // A textured basic album without backdrop shows no shadow.
    const Case cases[] = {{true, "", {94, 74}}, {false, "", {78, 58}}, {true, "/t/paper.jpg", {78, 58}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texture + (c.shadow ? " shadow" : ""));
        AlbumJob job = pages.job();
        job.settings.Shadow = c.shadow;
        job.indexPageTexture = c.texture;
        const ThumbnailRenderer renderer = pages.renderer(job);
        const FileStorage photo = photoAt(path, path);
        bool rerender = false;
        const std::optional<ThumbnailSource> source = renderer.loadThumbnailSource(photo, rerender);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->width, 1600);
        EXPECT_EQ(source->preShrunk.width(), 480);
        // 80 x 80 box: fitted 80 x 60, thumbnail rectangle (11, 21, 89, 79) in the page's cell.
        Bitmap thumbnail = renderer.makeThumbnailBitmap(source->preShrunk, {11, 21, 89, 79}, 80, 60, 0, false);
        EXPECT_EQ(thumbnail.width(), 78);
        renderer.drawThumbnail(nullptr, 0, 0, thumbnail, path, {11, 21, 89, 79});
        EXPECT_EQ(thumbnail.width(), c.expected.width);
        const std::string file = pages.output.str() + "thumb_jpg_Beach_Day.jpg";
        EXPECT_EQ(renderer.thumbnailPath(path), file);
        EXPECT_EQ(readJpegSize(file), c.expected);
        fs::remove(file);
    }
    EXPECT_TRUE(pages.logged.empty());
}

TEST(ThumbnailRenderer, PictureAlbumHandsBackTheThumbnailWithoutAFile)
{
    Pages pages;
    AlbumJob job = pages.job();
    job.templateIndex = 3;
    job.templateName = "Gallery";
    job.settings.Backdrop = true;
    job.settings.ThumbBgColor = 0x102030;
    const ThumbnailRenderer renderer = pages.renderer(job);
    const std::string path = test::writeJpegPhoto(pages.photos.str(), "p.jpg", test::detailedPicture(300, 200));
    bool rerender = false;
    const auto source = renderer.loadThumbnailSource(photoAt(path, path, 2), rerender);
    ASSERT_TRUE(source);
    Bitmap albumPicture(400, 300, 32);
    fillRect(albumPicture, {0, 0, 400, 300}, {90, 90, 200});
    // Rotation 2 exchanges the fitted size: 54 x 80 in a cell at (40, 60).
    Bitmap thumbnail = renderer.makeThumbnailBitmap(source->preShrunk, {54, 61, 106, 139}, 54, 80, 2, false);
    EXPECT_EQ(thumbnail.width(), 52);
    EXPECT_EQ(thumbnail.height(), 78);
    renderer.drawThumbnail(&albumPicture, 54, 61, thumbnail, path, {39, 59, 120, 140});
    // The cell (81 x 81) with its shadow.
    EXPECT_EQ(thumbnail.width(), 97);
    EXPECT_EQ(thumbnail.height(), 97);
    EXPECT_EQ(thumbnail.pixel(96, 50), (Colour{90, 90, 200}));
    EXPECT_FALSE(fs::exists(renderer.thumbnailPath(path)));
}

TEST(ThumbnailRenderer, LoadingFailuresAreReportedOnce)
{
    Pages pages;
    const std::string photos = pages.photos.str();
    const std::string out = pages.output.str();
    const std::string damagedJpeg = photos + "d.jpg";
    test::writeFile(damagedJpeg, "\xff\xd8 not a jpeg");
    const std::string damagedGif = photos + "d.gif";
    test::writeFile(damagedGif, "GIF89a");
    const std::string damagedBmp = photos + "d.bmp";
    test::writeFile(damagedBmp, "BM");
    const std::string damagedPpm = photos + "d.ppm";
    test::writeFile(damagedPpm, "P6\n");
    const std::string converted = out + "d.jpg";
    test::writeFile(converted, "converted copy");
    const std::string advice = "\r\nConsider removing this file from the Photo Album";
    const std::string smart = "If the 'Smart Render' option has been disabled - please enable.";

    struct Case {
        const char* what;
        FileStorage photo;
        std::string message;
        bool rerender;
    };
    const Case cases[] = {
        {"damaged JPEG", photoAt(damagedJpeg, damagedJpeg),
         failureOf([&] { readJpeg(damagedJpeg); }) + "\r\nError decoding JPEG file: " + damagedJpeg, false},
        {"missing JPEG", photoAt(photos + "gone.jpg", photos + "gone.jpg"),
         "Error processing file [" + photos + "gone.jpg]\r\n\r\n" + smart, true},
        {"damaged GIF", photoAt(damagedGif, damagedGif),
         failureOf([&] { decodeGif(readFileBytes(damagedGif), damagedGif); }) + "\r\nError decoding GIF file: " +
             damagedGif + advice,
         false},
        {"missing GIF", photoAt(photos + "gone.gif", photos + "gone.gif"),
         "Error processing file [" + photos + "gone.gif]\r\n\r\n\r\n" + smart, true},
        {"damaged BMP", photoAt(damagedBmp, damagedBmp),
         failureOf([&] { loadPicture(damagedBmp); }) + "\r\nError decoding Bitmap file: " + damagedBmp + advice, false},
        // A converted photo is read from its source but looked for at its copy.
        {"damaged other", photoAt(damagedPpm, converted),
         failureOf([&] { loadPicture(damagedPpm); }) + "\r\nError decoding image file: " + converted + advice, false},
        {"missing copy", photoAt(damagedPpm, out + "gone.jpg"),
         "Error processing file [" + out + "gone.jpg]\r\n\r\n" + smart, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pages.logged.clear();
        bool rerender = false;
        EXPECT_FALSE(pages.renderer(pages.job()).loadThumbnailSource(c.photo, rerender));
        ASSERT_EQ(pages.logged.size(), 1u);
        EXPECT_EQ(pages.logged[0], c.message);
        EXPECT_EQ(rerender, c.rerender);
    }
}

TEST(ThumbnailRenderer, UnwritableThumbnailFileIsAnError)
{
    Pages pages;
    const ThumbnailRenderer renderer = pages.renderer(pages.job());
    const std::string path = test::writeJpegPhoto(pages.photos.str(), "u.jpg", test::detailedPicture(100, 100));
    fs::create_directory(renderer.thumbnailPath(path));
    Bitmap thumbnail(78, 78);
    EXPECT_THROW(renderer.drawThumbnail(nullptr, 0, 0, thumbnail, path, {}), std::runtime_error);
}
