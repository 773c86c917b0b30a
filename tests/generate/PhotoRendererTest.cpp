#include "generate/PhotoRenderer.h"

#include "RenderFixtures.h"
#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "generate/ThumbnailRenderer.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/ExifOrientation.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegQuality.h"
#include "imaging/ResampleFilters.h"
#include "imaging/RotateBitmap.h"
#include "imaging/SoftEdgeMask.h"
#include "imaging/StretchAndResample.h"
#include "imaging/Watermark.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>
#include <thread>
#include <vector>

using namespace pictaven;
using pictaven::test::readFile;
using pictaven::test::TempDir;

namespace
{

namespace fs = std::filesystem;

struct Album {
    TempDir program;
    TempDir photos;
    TempDir output;
    std::vector<std::string> logged;

    AlbumJob job() const { return test::renderJob(program.str(), output.str()); }
    PhotoRenderer renderer(const AlbumJob& job)
    {
        return PhotoRenderer(job, 97, [this](const std::string& message) { logged.push_back(message); });
    }
    FileStorage photo(const std::string& path, int rotation = 0) const
    {
        FileStorage storage;
        storage.SourcePath = path;
        storage.WorkingPath = path;
        storage.Rotation = rotation;
        return storage;
    }
    // A soft-edge mask of the program's own: black border, white inside.
    void writeMask()
    {
        Bitmap maskPicture(64, 64);
        fillRect(maskPicture, { 0, 0, 64, 64 }, { 0, 0, 0 });
        fillRect(maskPicture, { 8, 8, 56, 56 }, { 255, 255, 255 });
        writeJpeg(maskPicture, program.str() + "mask.jpg", 100);
    }
};

ImageSize outputSize(const std::string& path)
{
    return readJpegSize(path);
}

} // namespace

TEST(PhotoRenderer, BoxResizeTruncatesTheSinglePrecisionScale)
{
    Album album;
    struct Case {
        int width, height, boxWidth, boxHeight, rotation;
        ImageSize expected;
    };
    const Case cases[] = {
        { 1600, 1200, 600, 400, 0, { 533, 400 } },
        { 1200, 1600, 600, 400, 0, { 300, 400 } },
        { 2592, 1944, 600, 400, 0, { 533, 399 } },
        { 640, 480, 600, 400, 0, { 533, 399 } },
        { 400, 300, 600, 400, 0, { 533, 400 } },
        { 3000, 2000, 600, 400, 0, { 600, 400 } },
        { 1000, 1000, 700, 700, 0, { 699, 699 } },
        // The box turns with the photo: 400 x 600, so 400 x 300, turned to 300 x 400.
        { 1600, 1200, 600, 400, 1, { 300, 400 } },
        { 1600, 1200, 600, 400, 2, { 300, 400 } },
        { 1600, 1200, 600, 400, 3, { 533, 400 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(
            std::to_string(c.width) + "x" + std::to_string(c.height) + " r" + std::to_string(c.rotation));
        AlbumJob job = album.job();
        job.settings.ResizeImageType = 1;
        job.settings.NewPhotoWidth = std::to_string(c.boxWidth);
        job.settings.NewPhotoHeight = std::to_string(c.boxHeight);
        const std::string path
            = test::writeJpegPhoto(album.photos.str(), "photo.jpg", Bitmap(c.width, c.height));
        FileStorage photo = album.photo(path, c.rotation);
        album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
        EXPECT_EQ(outputSize(album.output.str() + "photo.jpg"), c.expected);
    }
}

TEST(PhotoRenderer, PercentageResize)
{
    Album album;
    AlbumJob job = album.job();
    job.settings.ResizeImageType = 2;
    job.settings.ResizePercentage = "50";
    FileStorage photo = album.photo(test::writeJpegPhoto(album.photos.str(), "p.jpg", Bitmap(1601, 1201)));
    album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
    EXPECT_EQ(outputSize(album.output.str() + "p.jpg"), (ImageSize { 800, 600 }));

    job.settings.ResizePercentage = " 12.5 ";
    album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
    EXPECT_EQ(outputSize(album.output.str() + "p.jpg"), (ImageSize { 200, 150 }));
}

TEST(PhotoRenderer, StepsRunInOrderScaleSoftEdgeTurnWatermark)
{
    Album album;
    album.writeMask();
    AlbumJob job = album.job();
    job.settings.ResizeImageType = 1;
    job.settings.Resample = true;
    job.settings.SoftEdge = true;
    job.settings.WebPhotoBgColor = 0x4080c0;
    job.settings.WatermarkType = 1;
    job.settings.WatermarkText = "Pictaven";
    job.settings.WatermarkFontSize = "14";
    job.settings.WatermarkOrientation = 2;
    job.settings.CompressionRatio = 75;
    const Bitmap original = test::detailedPicture(900, 700);
    const std::string path = test::writeJpegPhoto(album.photos.str(), "Beach Day.jpg", original);
    FileStorage photo = album.photo(path, 1);
    album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));

    // The box 600 x 400 turned to 400 x 600 gives 400 x 311, which is turned to 311 x 400.
    Bitmap expected(400, 311);
    stretchAndResample(readJpeg(path), expected, lanczos3Filter, 3);
    mask(expected, album.program.str() + "mask.jpg", 0x4080c0);
    rotateBitmap(expected, expected, 1);
    drawWatermark(expected, { 1, 2, "Pictaven", 14 }, nullptr);
    const std::string reference = album.photos.str() + "reference.jpg";
    writeJpeg(expected, reference, 75);
    EXPECT_EQ(readFile(album.output.str() + "Beach_Day.jpg"), readFile(reference));
    EXPECT_TRUE(album.logged.empty());
}

TEST(PhotoRenderer, AWatermarkPictureThatDoesNotDecodeIsNotDrawn)
{
    Album album;
    const std::string path
        = test::writeJpegPhoto(album.photos.str(), "p.jpg", test::detailedPicture(120, 90));
    FileStorage photo = album.photo(path);
    AlbumJob job = album.job();
    job.settings.CompressJPEG = true;
    album.renderer(job).renderPhoto(photo, "plain.jpg");
    test::writeFile(album.photos / "mark.png", "root:$6$secret-hash:19000:0:99999:7:::");
    job.settings.WatermarkType = 2;
    job.settings.WatermarkImage = album.photos.str() + "mark.png";
    album.renderer(job).renderPhoto(photo, "marked.jpg");
    EXPECT_EQ(readFile(album.output.str() + "marked.jpg"), readFile(album.output.str() + "plain.jpg"));
}

TEST(PhotoRenderer, WithoutOptionsTheSourceIsCopiedByteForByte)
{
    Album album;
    const std::string jpeg
        = test::writeJpegPhoto(album.photos.str(), "a.jpeg", test::detailedPicture(50, 40));
    FileStorage photo = album.photo(jpeg);
    album.renderer(album.job()).renderPhoto(photo, OutputNames::ownPhotoName(photo));
    EXPECT_EQ(readFile(album.output.str() + "a.jpeg"), readFile(jpeg));

    // A PNG is copied whatever the options, because it is never decoded as JPEG.
    AlbumJob job = album.job();
    job.settings.ResizeImageType = 1;
    job.settings.CompressJPEG = true;
    const std::string png = album.photos.str() + "b.png";
    test::writeFile(png, readFile(std::string(TEST_DATA_DIR) + "/privacy/base.png"));
    FileStorage pngPhoto = album.photo(png);
    EXPECT_EQ(album.renderer(job).renderPhoto(pngPhoto, OutputNames::ownPhotoName(pngPhoto)), "");
    EXPECT_EQ(readFile(album.output.str() + "b.png"), readFile(png));

    // What only looks like a photo by its name may hold anything: unless everything is
    // published, it is not.
    const std::string fake = album.photos.str() + "c.png";
    test::writeFile(fake, "not even a picture");
    FileStorage fakePhoto = album.photo(fake);
    EXPECT_NE(album.renderer(job).renderPhoto(fakePhoto, OutputNames::ownPhotoName(fakePhoto)), "");
    EXPECT_FALSE(std::filesystem::exists(album.output.str() + "c.png"));
    job.publishedMetadata = PublishedMetadata::All;
    EXPECT_EQ(album.renderer(job).renderPhoto(fakePhoto, OutputNames::ownPhotoName(fakePhoto)), "");
    EXPECT_EQ(readFile(album.output.str() + "c.png"), "not even a picture");
}

TEST(PhotoRenderer, ACopiedPhotoWithDamagedMetadataIsPublishedWithoutIt)
{
    Album album;
    const std::string jpeg = test::writeJpegPhoto(album.photos.str(), "a.jpg", test::detailedPicture(50, 40));
    // Stray bytes before the first segment, which decoders pass over, then an EXIF block whose
    // directory points at itself through its GPS entry.
    const std::string tiff("II*\0\x08\0\0\0\x01\0\x25\x88\x04\0\x01\0\0\0\x08\0\0\0\x08\0\0\0", 26);
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    std::string segment = "\xFF\xE1";
    segment += static_cast<char>((payload.size() + 2) >> 8);
    segment += static_cast<char>((payload.size() + 2) & 0xFF);
    const std::string plain = readFile(jpeg);
    test::writeFile(jpeg, plain.substr(0, 2) + "abc" + segment + payload + plain.substr(2));
    FileStorage photo = album.photo(jpeg);
    AlbumJob job = album.job();
    job.publishedMetadata = PublishedMetadata::AllButPrivate;
    EXPECT_EQ(album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo)), "");
    const std::string published = readFile(album.output.str() + "a.jpg");
    EXPECT_EQ(published.find("Exif"), std::string::npos);
    EXPECT_EQ(readJpeg(album.output.str() + "a.jpg").width(), 50);
}

TEST(PhotoRenderer, TurnedWithoutOtherOptionsAtTheAlbumQuality)
{
    Album album;
    AlbumJob job = album.job();
    job.settings.CompressionRatio = 60;
    const std::string path = test::writeJpegPhoto(album.photos.str(), "t.jpg", test::detailedPicture(64, 48));
    FileStorage photo = album.photo(path, 2);
    album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
    Bitmap expected;
    rotateBitmap(readJpeg(path), expected, 2);
    writeJpeg(expected, album.photos.str() + "ref.jpg", 60);
    EXPECT_EQ(readFile(album.output.str() + "t.jpg"), readFile(album.photos.str() + "ref.jpg"));
}

TEST(PhotoRenderer, CameraTaggedPhotosComeOutUprightAndUntaggedForBrowsers)
{
    Album album;
    const std::string path = test::writeJpegPhoto(album.photos.str(), "tagged.jpg", test::detailedPicture(64, 48));
    const std::string tag = "exiftool -q -overwrite_original -n -Orientation=5 '" + path + "'";
    ASSERT_EQ(std::system(tag.c_str()), 0) << "exiftool is needed";
    const ExifOrientation sourceTag = readExifOrientation(path);
    ASSERT_EQ(sourceTag.value, 5);

    // Copied as it is: the same bytes, but the tag no longer asks a browser for a turn.
    FileStorage copied = album.photo(path);
    album.renderer(album.job()).renderPhoto(copied, OutputNames::ownPhotoName(copied));
    const std::string copy = album.output.str() + "tagged.jpg";
    EXPECT_EQ(readExifOrientation(copy).value, 1);
    std::string expected = readFile(path);
    expected[sourceTag.offset + (sourceTag.bigEndian ? 1 : 0)] = 1;
    EXPECT_EQ(readFile(copy), expected);

    // Turned and mirrored, as the tag asks: pixels upright, and the metadata carried over says so.
    FileStorage turned = album.photo(path, 2);
    turned.Mirrored = true;
    album.renderer(album.job()).renderPhoto(turned, OutputNames::ownPhotoName(turned));
    Bitmap upright = readJpeg(path);
    orientBitmap(upright, 2, true);
    writeJpeg(upright, album.photos.str() + "ref.jpg", jpegQuality(JpegOutput::RenderedPhoto, {album.job().settings.CompressionRatio, 0, 0}));
    const auto fromTables = [](const std::string& jpeg) { return jpeg.substr(jpeg.find("\xFF\xDB")); };
    EXPECT_EQ(fromTables(readFile(copy)), fromTables(readFile(album.photos.str() + "ref.jpg")));
    EXPECT_EQ(readExifOrientation(copy).value, 1);
    // Without metadata chosen, nothing is carried at all.
    AlbumJob bare = album.job();
    bare.publishedMetadata = PublishedMetadata::None;
    album.renderer(bare).renderPhoto(turned, OutputNames::ownPhotoName(turned));
    EXPECT_EQ(readFile(copy), readFile(album.photos.str() + "ref.jpg"));
    EXPECT_EQ(readExifOrientation(copy).offset, 0u);
}

TEST(PhotoRenderer, TurnedPngAndGifKeepTheirFormat)
{
    Album album;
    const std::string png = album.photos.str() + "p.png";
    {
        png_image image {};
        image.version = PNG_IMAGE_VERSION;
        image.width = 5;
        image.height = 3;
        image.format = PNG_FORMAT_RGB;
        const Bitmap picture = test::detailedPicture(5, 3);
        std::vector<std::uint8_t> rgb;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                rgb.insert(rgb.end(),
                    { picture.pixel(x, y).red, picture.pixel(x, y).green, picture.pixel(x, y).blue });
        ASSERT_TRUE(png_image_write_to_file(&image, png.c_str(), 0, rgb.data(), 0, nullptr));
    }
    AlbumJob job = album.job();
    job.settings.CompressJPEG = true;
    FileStorage photo = album.photo(png, 1);
    album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
    const std::string target = album.output.str() + "p.png";
    Bitmap expected;
    rotateBitmap(decodePng(readFileBytes(png), png), expected, 1);
    EXPECT_EQ(decodePng(readFileBytes(target), target), expected.withDepth(24));

    // A 4 x 2 GIF with a four-colour palette, turned right.
    const std::string gif = album.photos.str() + "g.gif";
    {
        int error = 0;
        GifFileType* file = EGifOpenFileName(gif.c_str(), false, &error);
        ASSERT_NE(file, nullptr);
        GifColorType colours[4] = { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 9, 9, 9 } };
        ColorMapObject* palette = GifMakeMapObject(4, colours);
        EGifPutScreenDesc(file, 4, 2, 2, 0, palette);
        EGifPutImageDesc(file, 0, 0, 4, 2, false, nullptr);
        GifPixelType rows[2][4] = { { 0, 1, 2, 3 }, { 3, 2, 1, 0 } };
        for (auto& row : rows)
            EGifPutLine(file, row, 4);
        EXPECT_EQ(EGifCloseFile(file, &error), GIF_OK);
        GifFreeMapObject(palette);
    }
    FileStorage gifPhoto = album.photo(gif, 2);
    album.renderer(job).renderPhoto(gifPhoto, OutputNames::ownPhotoName(gifPhoto));
    const std::string turnedGif = album.output.str() + "g.gif";
    rotateBitmap(decodeGif(readFileBytes(gif), gif), expected, 2);
    EXPECT_EQ(decodeGif(readFileBytes(turnedGif), turnedGif), expected.withDepth(24));
}

TEST(PhotoRenderer, SoftEdgeAloneStillReencodesAtTheAlbumQuality)
{
    Album album;
    album.writeMask();
    AlbumJob job = album.job();
    job.settings.SoftEdge = true;
    job.settings.CompressionRatio = 80;
    const std::string path
        = test::writeJpegPhoto(album.photos.str(), "s.jpg", test::detailedPicture(100, 80));
    FileStorage photo = album.photo(path);
    album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
    Bitmap expected = readJpeg(path);
    mask(
        expected, album.program.str() + "mask.jpg", static_cast<std::uint32_t>(job.settings.WebPhotoBgColor));
    writeJpeg(expected, album.photos.str() + "ref.jpg", 80);
    EXPECT_EQ(readFile(album.output.str() + "s.jpg"), readFile(album.photos.str() + "ref.jpg"));
}

TEST(PhotoRenderer, NonWebPhotosAreConvertedFirst)
{
    Album album;
    const std::string ppm
        = test::writePpmPhoto(album.photos.str(), "old scan.ppm", test::detailedPicture(120, 90));
    for (bool resize : { false, true }) {
        SCOPED_TRACE(resize);
        AlbumJob job = album.job();
        job.settings.ResizeImageType = resize ? 2 : 0;
        job.settings.ResizePercentage = "50";
        FileStorage photo = album.photo(ppm);
        album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
        EXPECT_TRUE(photo.Converted);
        EXPECT_EQ(photo.WorkingPath, album.output.str() + "old_scan.jpg");
        EXPECT_EQ(outputSize(photo.WorkingPath), resize ? (ImageSize { 60, 45 }) : (ImageSize { 120, 90 }));
    }
    EXPECT_TRUE(album.logged.empty());
}

TEST(PhotoRenderer, FailuresEndTheRenderSilently)
{
    Album album;
    const std::string good
        = test::writeJpegPhoto(album.photos.str(), "good.jpg", test::detailedPicture(40, 30));
    const std::string damaged = album.photos.str() + "damaged.jpg";
    test::writeFile(damaged, std::string("\xff\xd8\xff\xe0 broken", 10));

    AlbumJob job = album.job();
    job.settings.CompressJPEG = true;
    {
        SCOPED_TRACE("missing and damaged sources");
        for (const std::string& path : { album.photos.str() + "missing.jpg", damaged }) {
            FileStorage photo = album.photo(path);
            EXPECT_NO_THROW(album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo)));
            EXPECT_FALSE(fs::exists(album.output.str() + OutputNames::fileNamePart(path)));
        }
    }
    {
        SCOPED_TRACE("unwritable target");
        // A folder with something in it cannot be deleted or written over.
        fs::create_directory(album.output.str() + "good.jpg");
        test::writeFile(album.output.str() + "good.jpg/keep", "");
        FileStorage photo = album.photo(good);
        EXPECT_NO_THROW(album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo)));
        EXPECT_TRUE(fs::is_directory(album.output.str() + "good.jpg"));
        fs::remove_all(album.output.str() + "good.jpg");
    }
    {
        SCOPED_TRACE("missing mask.jpg");
        job.settings.SoftEdge = true;
        test::writeFile(album.output.str() + "good.jpg", "an earlier render");
        FileStorage photo = album.photo(good);
        album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
        EXPECT_FALSE(fs::exists(album.output.str() + "good.jpg"));
    }
    {
        SCOPED_TRACE("number text that is not a number");
        job.settings.SoftEdge = false;
        job.settings.ResizeImageType = 1;
        job.settings.NewPhotoWidth = "wide";
        FileStorage photo = album.photo(good);
        album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo));
        EXPECT_FALSE(fs::exists(album.output.str() + "good.jpg"));
    }
    EXPECT_TRUE(album.logged.empty());
}

TEST(PhotoRenderer, ConversionFailuresAreReportedByTheConversion)
{
    Album album;
    const std::string ppm = album.photos.str() + "bad.ppm";
    test::writeFile(ppm, "P6\n9999999 2\n255\n");
    FileStorage photo = album.photo(ppm);
    album.renderer(album.job()).renderPhoto(photo, OutputNames::ownPhotoName(photo));
    ASSERT_EQ(album.logged.size(), 2u);
    EXPECT_EQ(album.logged[0].rfind("Error reading file " + ppm + "\r\n ", 0), 0u);
    EXPECT_EQ(album.logged[1].rfind("Error converting [" + ppm + "] to JPEG \n\r", 0), 0u);
    EXPECT_TRUE(photo.Converted);
}

TEST(PhotoRenderer, HandsBackTheThumbnailSourceOfItsOwnDecode)
{
    Album album;
    AlbumJob job = album.job();
    job.settings.ResizeImageType = 1;
    job.settings.Resample = true;
    const std::string path
        = test::writeJpegPhoto(album.photos.str(), "h.jpg", test::detailedPicture(1300, 900));
    const ThumbnailRenderer thumbnails(job, {});
    for (int resize : { 1, 0 }) {
        SCOPED_TRACE(resize);
        job.settings.ResizeImageType = resize;
        FileStorage photo = album.photo(path);
        std::optional<ThumbnailSource> handedBack;
        album.renderer(job).renderPhoto(photo, OutputNames::ownPhotoName(photo), &handedBack);
        bool rerender = false;
        const std::optional<ThumbnailSource> loaded = thumbnails.loadThumbnailSource(photo, rerender);
        ASSERT_TRUE(handedBack && loaded);
        EXPECT_EQ(handedBack->width, loaded->width);
        EXPECT_EQ(handedBack->height, loaded->height);
        EXPECT_EQ(handedBack->preShrunk, loaded->preShrunk);
    }
    // A converted photo's copy is not what the thumbnail reads: nothing is handed back.
    const std::string ppm = test::writePpmPhoto(album.photos.str(), "c.ppm", test::detailedPicture(30, 20));
    FileStorage converted = album.photo(ppm);
    std::optional<ThumbnailSource> none;
    album.renderer(job).renderPhoto(converted, OutputNames::ownPhotoName(converted), &none);
    EXPECT_FALSE(none);
}

TEST(PhotoRenderer, ThreadsGiveTheSameBytesAsOneThread)
{
    Album album;
    album.writeMask();
    AlbumJob job = album.job();
    job.settings.ResizeImageType = 1;
    job.settings.NewPhotoWidth = "120";
    job.settings.NewPhotoHeight = "90";
    job.settings.Resample = true;
    job.settings.SoftEdge = true;
    job.settings.WatermarkType = 1;
    job.settings.WatermarkText = "(c) Pictaven";
    std::vector<FileStorage> photos;
    for (int i = 0; i < 8; ++i)
        photos.push_back(
            album.photo(test::writeJpegPhoto(album.photos.str(), "p" + std::to_string(i) + ".jpg",
                            test::detailedPicture(300 + 37 * i, 200 + 11 * i)),
                i % 4));
    TempDir threaded;
    AlbumJob threadedJob = job;
    threadedJob.outputFolder = threaded.str();

    const PhotoRenderer single = album.renderer(job);
    for (FileStorage photo : photos)
        single.renderPhoto(photo, OutputNames::ownPhotoName(photo));
    const PhotoRenderer shared = album.renderer(threadedJob);
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t)
        workers.emplace_back([&, t] {
            for (std::size_t i = static_cast<std::size_t>(t); i < photos.size(); i += 4) {
                FileStorage photo = photos[i];
                shared.renderPhoto(photo, OutputNames::ownPhotoName(photo));
            }
        });
    for (std::thread& worker : workers)
        worker.join();
    for (int i = 0; i < 8; ++i) {
        const std::string name = "p" + std::to_string(i) + ".jpg";
        ASSERT_TRUE(fs::exists(album.output.str() + name)) << name;
        EXPECT_EQ(readFile(album.output.str() + name), readFile(threaded.str() + name)) << name;
    }
}
