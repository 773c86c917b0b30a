#include "generate/AlbumGenerator.h"
#include "decoders/FixtureFiles.h"
#include "generate/OutputFolderRecord.h"
#include "generate/RenderRecord.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "settings/AlbumSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

// A picture with some structure, different for every seed, so that renders differ per photo.
Bitmap patternPicture(int width, int height, int seed)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y,
                             Colour{static_cast<std::uint8_t>(x * 3 + seed * 40),
                                    static_cast<std::uint8_t>(y * 5 + seed),
                                    static_cast<std::uint8_t>((x ^ y) + seed * 7)});
    }
    return picture;
}

// A 24-bit Windows bitmap file, as picture templates ship their backgrounds.
std::string bmpFile(int width, int height)
{
    test::ByteWriter out;
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = rowSize * static_cast<std::uint32_t>(height);
    out.text("BM").u32le(54 + pixels).u32le(0).u32le(54);
    out.u32le(40).u32le(static_cast<std::uint32_t>(width)).u32le(static_cast<std::uint32_t>(height));
    out.u16le(1).u16le(24).u32le(0).u32le(pixels).u32le(2835).u32le(2835).u32le(0).u32le(0);
    for (int y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < rowSize; ++x)
            out.u8(x < static_cast<std::uint32_t>(width) * 3 ? 255 : 0);
    }
    return std::string(out.data().begin(), out.data().end());
}

// The files of the album in the folder; the record of rendered files names the folder and the
// files' inodes, so it differs from folder to folder.
std::map<std::string, std::string> folderContents(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != RenderRecord::fileName)
            files[entry.path().filename().string()] = readFile(entry.path());
    }
    return files;
}

class AlbumGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_program / "NAVBUTS");
        fs::create_directories(m_program / "ALBUMS");
        for (const char* image : {"home.gif", "first.gif", "prev.gif", "next.gif", "last.gif", "speaker.gif"})
            writeFile(m_program / "NAVBUTS" / image, std::string("GIF89a ") + image);
        writeFile(m_program / "WINOPEN.EXE", "launcher");
    }

    std::string photo(const std::string& name, int width = 64, int height = 48, int seed = 0)
    {
        const fs::path path = m_photos / name;
        fs::create_directories(path.parent_path());
        writeJpeg(patternPicture(width, height, seed), path.string(), 90);
        return path.string();
    }

    AlbumJob job(int photoCount)
    {
        AlbumJob job;
        job.settings = AlbumSettings::defaults(m_program.str());
        job.settings.DeleteFolder = false;
        job.programFolder = m_program.str();
        job.outputFolder = m_output.str();
        job.albumTitle = "Test album";
        job.rerenderPhotos = true;
        for (int i = 0; i < photoCount; ++i) {
            FileStorage storage;
            storage.SourcePath = photo("p" + std::to_string(100 + i) + ".jpg", 64, 48, i);
            storage.WorkingPath = storage.SourcePath;
            job.photos.push_back(storage);
        }
        return job;
    }

    GenerationEvents events()
    {
        GenerationEvents events;
        events.status = [this](const std::string& text) {
            m_statuses.push_back(text);
            if (m_onStatus)
                m_onStatus(text);
        };
        events.logMessage = [this](const std::string& text) { m_logs.push_back(text); };
        events.showError = [this](const std::string& text) { m_errors.push_back(text); };
        return events;
    }

    AlbumJob mixedAlbum();

    bool sawStatus(const std::string& text) const
    {
        return std::find(m_statuses.begin(), m_statuses.end(), text) != m_statuses.end();
    }

    TempDir m_program;
    TempDir m_photos;
    TempDir m_output;
    GenerationControl m_control;
    std::vector<std::string> m_statuses;
    std::vector<std::string> m_logs;
    std::vector<std::string> m_errors;
    std::function<void(const std::string&)> m_onStatus;
};

TEST_F(AlbumGeneratorTest, TwentyFivePhotosMakeThreePagesTheLastWithOnePhoto)
{
    AlbumJob album = job(25);
    album.settings.RowsPerPage = 3;
    album.settings.ThumbnailsPerRow = 4;
    AlbumGenerator generator(album, events(), m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished) << (m_logs.empty() ? "" : m_logs.front());

    const std::string out = m_output.str();
    EXPECT_EQ(generator.indexPageList(),
              (std::vector<std::string>{out + "myalbum.htm", out + "myalbum2.htm", out + "myalbum3.htm"}));
    EXPECT_EQ(
        generator.albumPictureList(),
        (std::vector<std::string>{out + "myalbum_thumb.jpg", out + "myalbum_thumb2.jpg", out + "myalbum_thumb3.jpg"}));
    const std::string page2 = readFile(m_output / "myalbum2.htm");
    const std::string page3 = readFile(m_output / "myalbum3.htm");
    EXPECT_NE(page2.find("myalbum3.htm"), std::string::npos);
    EXPECT_NE(page3.find("thumb_jpg_p124.jpg"), std::string::npos);
    EXPECT_EQ(page3.find("thumb_jpg_p123.jpg"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_output / "myalbum4.htm"));
    EXPECT_EQ(m_statuses.back(), "Finished generating photo album!");
    EXPECT_TRUE(generator.albumGenerated());
    EXPECT_FALSE(generator.job().rerenderPhotos);
    for (int i = 0; i < 25; ++i)
        EXPECT_TRUE(fs::exists(m_output / ("p" + std::to_string(100 + i) + ".jpg"))) << i;
}

TEST_F(AlbumGeneratorTest, TwentyFourPhotosMakeTwoPagesTheSecondWithoutNext)
{
    AlbumJob album = job(24);
    album.settings.RowsPerPage = 3;
    album.settings.ThumbnailsPerRow = 4;
    AlbumGenerator generator(album, events(), m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    ASSERT_EQ(generator.indexPageList().size(), 2u);
    EXPECT_EQ(readFile(m_output / "myalbum2.htm").find("myalbum3.htm"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_output / "myalbum3.htm"));
}

TEST_F(AlbumGeneratorTest, PreviewRendersOneMoreThanTheFirstPageAndWritesOnlyIt)
{
    AlbumJob album = job(30);
    album.settings.RowsPerPage = 2;
    album.settings.ThumbnailsPerRow = 3;
    album.settings.SneakPeek = true;
    AlbumGenerator generator(album, events(), m_control, 2);
    ASSERT_EQ(generator.generate(), GenerationOutcome::PreviewFinished);

    for (int i = 0; i < 30; ++i) {
        const std::string stem = "p" + std::to_string(100 + i);
        EXPECT_EQ(fs::exists(m_output / (stem + ".jpg")), i <= 6) << i;
        EXPECT_EQ(fs::exists(m_output / ("jpg_" + stem + ".htm")), i <= 5) << i;
    }
    EXPECT_EQ(generator.indexPageList(), std::vector<std::string>{m_output.str() + "myalbum.htm"});
    EXPECT_FALSE(fs::exists(m_output / "myalbum2.htm"));
    EXPECT_TRUE(sawStatus("Rendering photo 8 of 30"));
    EXPECT_FALSE(sawStatus("Rendering photo 9 of 30"));
    EXPECT_EQ(m_statuses.back(), "Sneak Peek Preview Page Finished");
    EXPECT_FALSE(generator.albumGenerated());
    EXPECT_FALSE(generator.job().rerenderPhotos);
}

TEST_F(AlbumGeneratorTest, PictureAlbumFitsTheThumbnailsToItsBackground)
{
    writeFile(m_program / "ALBUMS" / "Frames.BMP", bmpFile(640, 480));
    AlbumJob album = job(13);
    album.templateIndex = 1;
    album.templateName = "Frames";
    album.settings.Left = "40";
    album.settings.Right = "40";
    album.settings.Top = "60";
    album.settings.Bottom = "20";
    album.settings.SpacingCols = 10;
    album.settings.SpacingRows = 10;
    album.settings.Label = true;
    album.settings.LabelHeight = 15;
    album.settings.ThumbnailsPerRow = 4;
    album.settings.RowsPerPage = 3;
    AlbumGenerator generator(album, events(), m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished) << (m_logs.empty() ? "" : m_logs.front());

    EXPECT_EQ(generator.job().settings.ThumbWidth, 132);
    EXPECT_EQ(generator.job().settings.ThumbHeight, 116);
    ASSERT_EQ(generator.indexPageList().size(), 2u); // 12 a page
    EXPECT_TRUE(fs::exists(m_output / "myalbum_thumb.jpg"));
    EXPECT_TRUE(fs::exists(m_output / "myalbum_thumb2.jpg"));
    EXPECT_EQ(readJpegSize((m_output / "myalbum_thumb.jpg").string()), (ImageSize{640, 480}));
}

TEST_F(AlbumGeneratorTest, PictureAlbumTooSmallForAThumbnailWritesNoPage)
{
    writeFile(m_program / "ALBUMS" / "Tiny.bmp", bmpFile(60, 60));
    AlbumJob album = job(2);
    album.templateIndex = 1;
    album.templateName = "Tiny";
    AlbumGenerator generator(album, events(), m_control, 1);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Failed);
    EXPECT_EQ(m_errors,
              std::vector<std::string>{"An error was detecting - Album is not large enough to display thumbnails"});
    EXPECT_FALSE(fs::exists(m_output / "myalbum.htm"));
}

TEST_F(AlbumGeneratorTest, PictureAlbumWithoutItsBackgroundReportsAndWritesNoPage)
{
    AlbumJob album = job(2);
    album.templateIndex = 1;
    album.templateName = "Gone";
    AlbumGenerator generator(album, events(), m_control, 1);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Failed);
    ASSERT_EQ(m_logs.size(), 1u);
    EXPECT_TRUE(m_logs[0].starts_with("Running low on resources - could not load graphic.\r\nYou will need to free "
                                      "some system resources to continue.\r\n"));
    EXPECT_NE(m_logs[0].find("Gone"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_output / "myalbum.htm"));
}

struct AutorunCase {
    bool multiWindow;
    const char* entry;
};

class AutorunTest : public AlbumGeneratorTest, public ::testing::WithParamInterface<AutorunCase> { };

TEST_P(AutorunTest, CdRomAlbumStartsAtItsEntryPage)
{
    AlbumJob album = job(3);
    album.settings.CDROM = true;
    album.settings.MultiWindow = GetParam().multiWindow;
    AlbumGenerator generator(album, events(), m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    const std::string entry = GetParam().entry;
    EXPECT_EQ(readFile(m_output / "AUTORUN.INF"), "[autorun]\r\nopen=winopen /max \\" + entry + "\r\n");
    EXPECT_EQ(readFile(m_output / "WINOPEN.EXE"), "launcher");
    EXPECT_EQ(readFile(m_output / "__INDEX.HTM"), readFile(m_output / entry));
    EXPECT_EQ(generator.entryPagePath(), m_output.str() + entry);
}

INSTANTIATE_TEST_SUITE_P(Entry, AutorunTest,
                         ::testing::Values(AutorunCase{false, "myalbum.htm"}, AutorunCase{true, "myalbum_frame.htm"}));

TEST_F(AlbumGeneratorTest, ClearingDeletesOnlyListedFilesAndKeepsRenderedPhotosUnlessTheyMustBeRenderedAgain)
{
    struct Case {
        bool rerender;
        bool smartRender;
        bool photoKept;
    };
    TempDir elsewhere;
    writeFile(elsewhere / "outside.txt", "not the album's");
    // No record of rendered files proves the photo current, so Smart Render renders it again.
    for (const Case c : {Case{false, true, false}, Case{true, true, false}, Case{true, false, true}}) {
        TempDir output;
        fs::create_directories(output / "sub");
        writeFile(output / "sub" / "kept.txt", "sub");
        writeFile(output / "Beach_Day.jpg", "old render");
        writeFile(output / "my photo.jpg", "left from an earlier album");
        writeFile(output / "stale.htm", "old page");
        writeFile(output / ".stale.htm.part-a1b2c3d4", "half a page a killed run left");
        fs::permissions(output / "stale.htm", fs::perms::owner_read);
        // The person's own files, one of them named as an album photo, are not listed.
        writeFile(output / "trip.CAT", "[Catalog]");
        writeFile(output / "notes.txt", "notes");
        // A record naming what lies outside the folder or in a folder below it.
        writeFile(output / OutputFolderRecord::fileName, "Beach_Day.jpg\nmy photo.jpg\nstale.htm\n../" +
                                                             elsewhere.path().filename().string() + "/outside.txt\n" +
                                                             (elsewhere / "outside.txt").string() +
                                                             "\nsub/kept.txt\nsub\n.\n..\n\nnotes.txt");

        AlbumJob album = job(0);
        album.outputFolder = output.str();
        album.rerenderPhotos = c.rerender;
        album.smartRender = c.smartRender;
        FileStorage beach;
        beach.SourcePath = beach.WorkingPath = photo("Beach Day.jpg");
        album.photos.push_back(beach);
        AlbumGenerator generator(album, events(), m_control, 1);
        generator.clearOutputFolder();

        EXPECT_EQ(fs::exists(output / "Beach_Day.jpg"), c.photoKept) << c.rerender << c.smartRender;
        EXPECT_FALSE(fs::exists(output / "my photo.jpg"));
        EXPECT_FALSE(fs::exists(output / "stale.htm"));
        EXPECT_FALSE(fs::exists(output / ".stale.htm.part-a1b2c3d4"));
        EXPECT_EQ(readFile(output / "sub" / "kept.txt"), "sub");
        EXPECT_EQ(readFile(output / "trip.CAT"), "[Catalog]");
        EXPECT_EQ(readFile(output / "notes.txt"), "notes"); // its line has no end: a cut line counts for nothing
        EXPECT_EQ(readFile(elsewhere / "outside.txt"), "not the album's");
        EXPECT_EQ(OutputFolderRecord(output.str()).names(),
                  c.photoKept ? std::set<std::string>{"Beach_Day.jpg"} : std::set<std::string>{});
    }
}

TEST_F(AlbumGeneratorTest, AGenerationClearsWhatTheLastOneWroteAndNothingElse)
{
    AlbumJob album = job(3);
    album.settings.DeleteFolder = true;
    album.settings.CDROM = true;
    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 2).generate(), GenerationOutcome::Finished);
    const std::set<std::string> written = OutputFolderRecord(m_output.str()).names();
    for (const char* name : {"myalbum.htm", "myalbum_frame.htm", "p102.jpg", "jpg_p102.htm", "thumb_jpg_p102.jpg",
                             "home.gif", "AUTORUN.INF", "WINOPEN.EXE", "__INDEX.HTM"})
        EXPECT_TRUE(written.contains(name)) << name;
    writeFile(m_output / "notes.txt", "the person's own");
    writeFile(m_output / "p102.jpg.bak", "a copy the person made");

    album.photos.pop_back();
    album.settings.CDROM = false;
    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 2).generate(), GenerationOutcome::Finished);
    for (const char* gone : {"p102.jpg", "jpg_p102.htm", "thumb_jpg_p102.jpg", "AUTORUN.INF", "__INDEX.HTM"})
        EXPECT_FALSE(fs::exists(m_output / gone)) << gone;
    EXPECT_EQ(readFile(m_output / "notes.txt"), "the person's own");
    EXPECT_EQ(readFile(m_output / "p102.jpg.bak"), "a copy the person made");
    EXPECT_TRUE(fs::exists(m_output / "p101.jpg"));
    // Only the album's files are listed now, and no temporary file is left.
    std::set<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_output.path()))
        files.insert(entry.path().filename().string());
    std::set<std::string> expected = OutputFolderRecord(m_output.str()).names();
    expected.insert({OutputFolderRecord::fileName, RenderRecord::fileName, "notes.txt", "p102.jpg.bak"});
    EXPECT_EQ(files, expected);
}

TEST_F(AlbumGeneratorTest, WithoutSmartRenderExistingPhotosAreNotRenderedAgain)
{
    AlbumJob album = job(2);
    album.smartRender = false;
    album.rerenderPhotos = true;
    album.settings.DeleteFolder = true; // the options panel switches it off; the driver must not rely on that
    album.settings.CompressJPEG = true;
    writeFile(m_output / "p100.jpg", readFile(album.photos[1].SourcePath));
    AlbumGenerator generator(album, events(), m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    // Photo 0's output existed (with photo 1's pixels) and stays; photo 1 is rendered.
    EXPECT_EQ(readFile(m_output / "p100.jpg"), readFile(album.photos[1].SourcePath));
    EXPECT_TRUE(fs::exists(m_output / "p101.jpg"));
    EXPECT_NE(readFile(m_output / "p101.jpg"), readFile(album.photos[1].SourcePath));
    EXPECT_FALSE(sawStatus("Rendering photos.."));
}

TEST_F(AlbumGeneratorTest, ConvertedScanIsNamedAsJpegFromThenOn)
{
    AlbumJob album = job(0);
    writeFile(m_photos / "scan.tif",
              std::string(reinterpret_cast<const char*>(test::fixtureNamed("lzw.tif").bytes.data()),
                          test::fixtureNamed("lzw.tif").bytes.size()));
    FileStorage scan;
    scan.SourcePath = scan.WorkingPath = (m_photos / "scan.tif").string();
    album.photos.push_back(scan);
    AlbumGenerator generator(album, events(), m_control, 2);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished) << (m_logs.empty() ? "" : m_logs.front());

    const FileStorage& result = generator.job().photos[0];
    EXPECT_EQ(result.WorkingPath, m_output.str() + "scan.jpg");
    EXPECT_TRUE(result.Converted);
    EXPECT_EQ(result.SourcePath, scan.SourcePath);
    EXPECT_TRUE(fs::exists(m_output / "scan.jpg"));
    EXPECT_TRUE(fs::exists(m_output / "jpg_scan.htm"));
    EXPECT_FALSE(fs::exists(m_output / "scan.tif"));
}

TEST_F(AlbumGeneratorTest, SupportFilesAreCopiedUnderTheirWebFileNames)
{
    AlbumJob album = job(1);
    album.photoPageTexture = photo("textures/Paper Texture.jpg", 8, 8);
    writeFile(m_photos / "my style.css", "body {}");
    album.settings.StyleSheetType = 1;
    album.settings.StyleSheet = (m_photos / "my style.css").string();
    FileStorage& first = album.photos[0];
    writeFile(m_photos / "Song One.mp3", "ID3\x03 audio");
    first.AudioFile = (m_photos / "Song One.mp3").string();
    AlbumGenerator generator(album, events(), m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    EXPECT_TRUE(m_logs.empty()) << m_logs.front();
    EXPECT_EQ(readFile(m_output / "Paper_Texture.jpg"), readFile(album.photoPageTexture));
    EXPECT_EQ(readFile(m_output / "my_style.css"), "body {}");
    EXPECT_EQ(readFile(m_output / "Song_One.mp3"), "ID3\x03 audio");
    const std::string page = readFile(m_output / "jpg_p100.htm");
    EXPECT_NE(page.find("BACKGROUND=\"Paper_Texture.jpg\""), std::string::npos);
    EXPECT_NE(page.find("<A HREF=\"Song_One.mp3\">"), std::string::npos);
    for (const char* image : {"home.gif", "first.gif", "prev.gif", "next.gif", "last.gif", "speaker.gif"})
        EXPECT_EQ(readFile(m_output / image), std::string("GIF89a ") + image);
}

TEST_F(AlbumGeneratorTest, FilesThatAreNotWhatTheCatalogCallsThemAreNeitherCopiedNorLinked)
{
    AlbumJob album = job(2);
    const std::string secret = "root:$6$secret-hash:19000:0:99999:7:::";
    writeFile(m_photos / "shadow", secret);
    writeFile(m_photos / "secret.jpg", secret);
    writeFile(m_photos / "secret.mp3", secret);
    album.settings.StyleSheetType = 1;
    album.settings.StyleSheet = (m_photos / "shadow").string();
    album.photoPageTexture = (m_photos / "secret.jpg").string();
    album.indexPageTexture = (m_photos / "gone.gif").string();
    album.photos[0].AudioFile = album.photos[1].AudioFile = (m_photos / "secret.mp3").string();
    album.settings.WatermarkType = 2;
    album.settings.WatermarkImage = (m_photos / "secret.jpg").string();
    AlbumGenerator generator(album, events(), m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);

    for (const auto& [name, bytes] : folderContents(m_output.str())) {
        EXPECT_EQ(bytes.find("secret"), std::string::npos) << name;
        for (const char* refused : {"shadow", "secret.jpg", "secret.mp3", "gone.gif"})
            EXPECT_EQ(bytes.find(refused), std::string::npos) << name << " names " << refused;
    }
    const std::string photoPage = readFile(m_output / "jpg_p100.htm");
    EXPECT_EQ(photoPage.find("BACKGROUND"), std::string::npos);
    EXPECT_EQ(photoPage.find("speaker.gif"), std::string::npos);
    EXPECT_NE(readFile(m_output / "myalbum.htm").find("<STYLE TYPE='text/css'>"), std::string::npos)
        << "the built-in style instead of the refused style sheet";
    // One message for each refused file, naming it; the audio file of two photos once.
    const std::vector<std::string> named = {"secret.jpg", "gone.gif", "shadow", "secret.jpg", "secret.mp3"};
    ASSERT_EQ(m_logs.size(), named.size()) << testing::PrintToString(m_logs);
    for (std::size_t i = 0; i < named.size(); ++i)
        EXPECT_NE(m_logs[i].find((m_photos / named[i]).string()), std::string::npos) << m_logs[i];
}

TEST_F(AlbumGeneratorTest, PhotosOfOneNameFromTwoFoldersGetFilesOfTheirOwn)
{
    AlbumJob album = job(0);
    for (const char* folder : {"a", "b", "c"}) {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath =
            photo(std::string(folder) + (folder[0] == 'c' ? "/X.JPG" : "/x.jpg"), 64, 48, folder[0]);
        album.photos.push_back(storage);
    }
    std::map<std::string, std::string> runs[2];
    for (auto& files : runs) {
        m_logs.clear();
        AlbumGenerator generator(album, events(), m_control, 2);
        ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
        files = folderContents(m_output.str());
        ASSERT_EQ(m_logs.size(), 1u);
        EXPECT_NE(m_logs[0].find((m_photos / "b" / "x.jpg").string() + " is x_2.jpg"), std::string::npos) << m_logs[0];
        EXPECT_NE(m_logs[0].find((m_photos / "c" / "X.JPG").string() + " is X_3.JPG"), std::string::npos) << m_logs[0];
    }
    EXPECT_EQ(runs[0], runs[1]) << "the same names on every run";
    const auto& files = runs[0];
    for (const char* name : {"x.jpg", "x_2.jpg", "X_3.JPG", "jpg_x.htm", "jpg_x_2.htm", "jpg_X_3.htm",
                             "thumb_jpg_x.jpg", "thumb_jpg_x_2.jpg", "thumb_jpg_X_3.jpg"})
        ASSERT_TRUE(files.contains(name)) << name;
    EXPECT_EQ(files.at("x.jpg"), readFile(album.photos[0].SourcePath));
    EXPECT_EQ(files.at("x_2.jpg"), readFile(album.photos[1].SourcePath));
    EXPECT_EQ(files.at("X_3.JPG"), readFile(album.photos[2].SourcePath));
    EXPECT_NE(files.at("thumb_jpg_x.jpg"), files.at("thumb_jpg_x_2.jpg"));
    EXPECT_NE(files.at("jpg_x_2.htm").find("SRC=\"x_2.jpg\""), std::string::npos);
    const std::string& index = files.at("myalbum.htm");
    for (const char* link :
         {"HREF=\"jpg_x.htm\"", "HREF=\"jpg_x_2.htm\"", "SRC=\"thumb_jpg_x_2.jpg\"", "SRC=\"thumb_jpg_X_3.jpg\""})
        EXPECT_NE(index.find(link), std::string::npos) << link;
}

void expectSameFiles(const std::map<std::string, std::string>& expected,
                     const std::map<std::string, std::string>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (const auto& [name, bytes] : expected) {
        ASSERT_TRUE(actual.contains(name)) << name;
        EXPECT_TRUE(actual.at(name) == bytes) << name << " differs";
    }
}

// Photos of several sizes and turns, two of them of the same file name.
AlbumJob AlbumGeneratorTest::mixedAlbum()
{
    AlbumJob album = job(0);
    for (int i = 0; i < 9; ++i) {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath =
            photo("set" + std::to_string(i) + ".jpg", 300 + 17 * i, 200 + 9 * i, i);
        storage.Rotation = i % 4;
        album.photos.push_back(storage);
    }
    // A second photo of the same file name from another folder: its files get another name.
    FileStorage twin;
    twin.SourcePath = twin.WorkingPath = photo("other/set3.jpg", 350, 260, 42);
    album.photos.push_back(twin);
    album.settings.ResizeImageType = 1;
    album.settings.NewPhotoWidth = "120";
    album.settings.NewPhotoHeight = "90";
    album.settings.Resample = true;
    album.settings.CompressJPEG = true;
    album.settings.Shadow = true;
    return album;
}

TEST_F(AlbumGeneratorTest, OneJobAndTwoJobsWriteTheSameBytes)
{
    AlbumJob album = mixedAlbum();
    std::map<std::string, std::string> results[2];
    for (int jobs : {1, 2}) {
        TempDir output;
        album.outputFolder = output.str();
        AlbumGenerator generator(album, events(), m_control, jobs);
        ASSERT_EQ(generator.generate(), GenerationOutcome::Finished) << jobs;
        results[jobs - 1] = folderContents(output.path());
    }
    expectSameFiles(results[0], results[1]);
    EXPECT_EQ(results[0].at("set3.jpg"), results[1].at("set3.jpg"));
}

TEST_F(AlbumGeneratorTest, KeptThumbnailSourcesChangeNoByte)
{
    // Resized and only copied photos, thumbnails kept in shape (bevelled) and stretched to the
    // box; budgets that keep none, the first few and all of the sources.
    for (const bool resize : {true, false}) {
        for (const bool aspectRatio : {true, false}) {
            AlbumJob album = mixedAlbum();
            album.settings.ResizeImageType = resize ? 1 : 0;
            album.settings.AspectRatio = aspectRatio;
            album.settings.Buttonize = aspectRatio;
            std::map<std::string, std::string> withoutCache;
            for (const std::size_t budget :
                 {std::size_t{0}, std::size_t{40000}, AlbumGenerator::defaultThumbnailCacheBudget}) {
                TempDir output;
                album.outputFolder = output.str();
                AlbumGenerator generator(album, events(), m_control, 2);
                generator.setThumbnailCacheBudget(budget);
                ASSERT_EQ(generator.generate(), GenerationOutcome::Finished) << budget;
                if (budget == 0) {
                    withoutCache = folderContents(output.path());
                    continue;
                }
                SCOPED_TRACE("resize " + std::to_string(resize) + ", aspect ratio " + std::to_string(aspectRatio) +
                             ", budget " + std::to_string(budget));
                expectSameFiles(withoutCache, folderContents(output.path()));
            }
        }
    }
}

TEST_F(AlbumGeneratorTest, RenderingStatusesComeInAlbumOrderWithSeveralJobs)
{
    AlbumJob album = job(7);
    AlbumGenerator generator(album, events(), m_control, 3);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    std::vector<std::string> rendering;
    for (const std::string& status : m_statuses) {
        if (status.starts_with("Rendering photo "))
            rendering.push_back(status);
    }
    std::vector<std::string> expected;
    for (int i = 1; i <= 7; ++i)
        expected.push_back("Rendering photo " + std::to_string(i) + " of 7");
    EXPECT_EQ(rendering, expected);
}

TEST_F(AlbumGeneratorTest, ConversionReportsComeWithTheirPhotoWithSeveralJobs)
{
    AlbumJob album = job(0);
    for (const char* name : {"bad0.bmp", "good1.jpg", "bad2.bmp", "bad3.bmp"}) {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath =
            std::string(name).ends_with(".jpg") ? photo(name) : (m_photos / name).string();
        if (!std::string(name).ends_with(".jpg"))
            writeFile(m_photos / name, "BM damaged");
        album.photos.push_back(storage);
    }
    std::vector<std::string> sequence;
    GenerationEvents recorded = events();
    recorded.status = [&](const std::string& text) { sequence.push_back(text); };
    recorded.logMessage = [&](const std::string& text) {
        sequence.push_back("log " + text.substr(0, text.find('\r')));
    };
    AlbumGenerator generator(album, recorded, m_control, 3);
    generator.generate();

    std::vector<std::string> photoPhase;
    for (const std::string& entry : sequence) {
        if (entry == "Generating Photo Album")
            break;
        photoPhase.push_back(entry);
    }
    // Each damaged photo cannot be read, and then its empty picture cannot be converted.
    auto reports = [&](int i) {
        const std::string& source = album.photos[static_cast<std::size_t>(i)].SourcePath;
        return std::vector<std::string>{"log Error reading file " + source,
                                        "log Error converting [" + source + "] to JPEG \n"};
    };
    std::vector<std::string> expected = {"Rendering photos..", "Rendering photo 1 of 4"};
    for (const std::string& report : reports(0))
        expected.push_back(report);
    expected.insert(expected.end(), {"Rendering photo 2 of 4", "Rendering photo 3 of 4"});
    for (const std::string& report : reports(2))
        expected.push_back(report);
    expected.push_back("Rendering photo 4 of 4");
    for (const std::string& report : reports(3))
        expected.push_back(report);
    expected.push_back("Photos rendered: 4, kept: 0");
    EXPECT_EQ(photoPhase, expected);
}

TEST_F(AlbumGeneratorTest, CancelInThePhotoPhaseStopsAtTheNextPhoto)
{
    AlbumJob album = job(5);
    m_onStatus = [this](const std::string& text) {
        if (text == "Rendering photo 3 of 5")
            m_control.requestCancel();
    };
    AlbumGenerator generator(album, events(), m_control, 1);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Cancelled);
    EXPECT_TRUE(fs::exists(m_output / "p100.jpg"));
    EXPECT_TRUE(fs::exists(m_output / "p101.jpg"));
    EXPECT_FALSE(fs::exists(m_output / "p102.jpg"));
    EXPECT_FALSE(fs::exists(m_output / "home.gif")); // support files are not copied
    EXPECT_TRUE(m_errors.empty());                   // no missing-photos box
    EXPECT_FALSE(sawStatus("Rendering photo 4 of 5"));
    EXPECT_EQ(m_statuses.back(), "Failure or User Cancellation occurred");
    EXPECT_TRUE(generator.job().rerenderPhotos);
    EXPECT_FALSE(generator.albumGenerated());
    EXPECT_FALSE(m_control.cancelRequest().load()); // the page phase took the request
}

TEST_F(AlbumGeneratorTest, CancelInThePagePhaseEndsItAndAsksForNewRenders)
{
    AlbumJob album = job(5);
    album.rerenderPhotos = false;
    m_onStatus = [this](const std::string& text) {
        if (text == "Generating Photo Album")
            m_control.requestCancel();
    };
    AlbumGenerator generator(album, events(), m_control, 2);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Cancelled);
    EXPECT_EQ(m_statuses.back(), "Failure or User Cancellation occurred");
    EXPECT_TRUE(generator.job().rerenderPhotos);
    EXPECT_TRUE(fs::exists(m_output / "home.gif"));
    EXPECT_FALSE(m_control.cancelRequest().load());
}

struct ResumeCase {
    const char* name;
    bool deleteFolder;
    // Cancels in the photo phase at this status, else in the page phase at this photo.
    const char* cancelStatus;
    int cancelPagePhoto;
};

class ResumeAfterCancelTest : public AlbumGeneratorTest, public ::testing::WithParamInterface<ResumeCase> { };

TEST_P(ResumeAfterCancelTest, TheNextRunCompletesTheFolderAsAnUninterruptedRunWritesIt)
{
    const ResumeCase& param = GetParam();
    // Two index pages, so that a cancel in the page phase leaves one of them written.
    AlbumJob album = mixedAlbum();
    for (int i = 0; i < 8; ++i) {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath = photo("more" + std::to_string(i) + ".jpg", 640, 480, 50 + i);
        album.photos.push_back(storage);
    }
    album.settings.DeleteFolder = param.deleteFolder;

    TempDir uninterrupted;
    album.outputFolder = uninterrupted.str();
    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 2).generate(), GenerationOutcome::Finished);

    album.outputFolder = m_output.str();
    bool pagePhase = false;
    m_onStatus = [&](const std::string& text) {
        pagePhase = pagePhase || text == "Generating Photo Album";
        if (param.cancelStatus && text == param.cancelStatus)
            m_control.requestCancel();
    };
    GenerationEvents cancelling = events();
    cancelling.progressPosition = [&](int position) {
        if (pagePhase && position == param.cancelPagePhoto)
            m_control.requestCancel();
    };
    AlbumGenerator cancelled(album, cancelling, m_control, 2);
    ASSERT_EQ(cancelled.generate(), GenerationOutcome::Cancelled);
    ASSERT_NE(folderContents(m_output.path()).size(), folderContents(uninterrupted.path()).size());

    // The catalog carries the flags the cancelled run left.
    m_onStatus = nullptr;
    AlbumGenerator resumed(cancelled.job(), events(), m_control, 2);
    ASSERT_EQ(resumed.generate(), GenerationOutcome::Finished);
    expectSameFiles(folderContents(uninterrupted.path()), folderContents(m_output.path()));
}

INSTANTIATE_TEST_SUITE_P(CancelPoints, ResumeAfterCancelTest,
                         ::testing::Values(ResumeCase{"PhotoPhaseKeepingFiles", false, "Rendering photo 7 of 18", 0},
                                           ResumeCase{"PhotoPhaseClearingFolder", true, "Rendering photo 7 of 18", 0},
                                           ResumeCase{"PagePhaseKeepingFiles", false, nullptr, 14},
                                           ResumeCase{"PagePhaseClearingFolder", true, nullptr, 14}),
                         [](const ::testing::TestParamInfo<ResumeCase>& info) { return std::string(info.param.name); });

TEST_F(AlbumGeneratorTest, ACancelPressedWhileNothingRanDoesNotEndTheNextGeneration)
{
    m_control.requestCancel();
    AlbumGenerator generator(job(2), events(), m_control, 1);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Finished);
    EXPECT_EQ(m_statuses.back(), "Finished generating photo album!");
}

TEST_F(AlbumGeneratorTest, NoSecondGenerationStartsInsideTheFirst)
{
    AlbumJob album = job(2);
    GenerationOutcome innerResult = GenerationOutcome::Finished;
    m_onStatus = [&](const std::string& text) {
        if (text == "Rendering photo 1 of 2") {
            EXPECT_TRUE(m_control.running());
            AlbumGenerator inner(album, GenerationEvents{}, m_control, 1);
            innerResult = inner.generate();
        }
    };
    AlbumGenerator generator(album, events(), m_control, 1);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Finished);
    EXPECT_EQ(innerResult, GenerationOutcome::NotStarted);
    EXPECT_FALSE(m_control.running());
}

// The names in a folder, sub-folders included; empty for a folder that cannot be listed.
std::set<std::string> entryNames(const fs::path& folder)
{
    std::set<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.insert(it->path().filename().string());
    return names;
}

TEST_F(AlbumGeneratorTest, RefusesWhatCannotMakeAnAlbumBeforeWritingAnything)
{
    struct Case {
        const char* what;
        std::function<void(AlbumJob&)> change;
        bool namesTheFolder = false;
    };
    auto resizeTo = [](const char* width, const char* height) {
        return [=](AlbumJob& album) {
            album.settings.ResizeImageType = 1;
            album.settings.NewPhotoWidth = width;
            album.settings.NewPhotoHeight = height;
        };
    };
    auto scaleBy = [](const char* percentage) {
        return [=](AlbumJob& album) {
            album.settings.ResizeImageType = 2;
            album.settings.ResizePercentage = percentage;
        };
    };
    TempDir catalogFolder;
    writeFile(catalogFolder / "trip.CAT", "[Catalog]");
    const char* const homeSet = std::getenv("HOME");
    const std::string home = homeSet ? homeSet : "";
    const std::vector<Case> cases = {
        {"no rows", [](AlbumJob& album) { album.settings.RowsPerPage = 0; }},
        {"no columns", [](AlbumJob& album) { album.settings.ThumbnailsPerRow = 0; }},
        {"short name with a slash", [](AlbumJob& album) { album.settings.AlbumShortName = "../outside"; }},
        {"empty short name", [](AlbumJob& album) { album.settings.AlbumShortName.clear(); }},
        {"missing output folder", [this](AlbumJob& album) { album.outputFolder = m_output.str() + "none/"; }, true},
        {"output folder of a photo",
         [](AlbumJob& album) {
             album.outputFolder = fs::path(album.photos[0].SourcePath).parent_path().string() + "/";
         },
         true},
        {"no photos", [](AlbumJob& album) { album.photos.clear(); }},
        {"width 0", resizeTo("0", "90")},
        {"negative height", resizeTo("120", "-5")},
        {"width not a number", resizeTo("wide", "90")},
        {"width beyond the largest picture", resizeTo("30001", "90")},
        {"percentage 0", scaleBy("0")},
        {"negative percentage", scaleBy("-3")},
        {"percentage not a number", scaleBy("nan")},
        {"infinite percentage", scaleBy("inf")},
        {"empty percentage", scaleBy("")},
        {"root folder", [](AlbumJob& album) { album.outputFolder = "/"; }, true},
        {"home folder", [this](AlbumJob&) { ::setenv("HOME", m_output.str().c_str(), 1); }, true},
        {"program folder", [this](AlbumJob& album) { album.outputFolder = m_program.str(); }, true},
        {"catalog's folder",
         [&](AlbumJob& album) {
             album.outputFolder = catalogFolder.str();
             album.catalogPath = (catalogFolder / "trip.CAT").string();
         },
         true},
    };
    for (const Case& c : cases) {
        m_errors.clear();
        m_statuses.clear();
        AlbumJob album = job(2);
        album.settings.DeleteFolder = true;
        album.settings.CDROM = true;
        c.change(album);
        const auto photosBefore = folderContents(m_photos.path());
        const auto outputBefore = entryNames(album.outputFolder);
        AlbumGenerator generator(album, events(), m_control, 1);
        EXPECT_EQ(generator.generate(), GenerationOutcome::Refused) << c.what;
        if (homeSet)
            ::setenv("HOME", home.c_str(), 1);
        else
            ::unsetenv("HOME");
        ASSERT_EQ(m_errors.size(), 1u) << c.what;
        if (c.namesTheFolder) {
            EXPECT_NE(m_errors[0].find(album.outputFolder), std::string::npos) << m_errors[0];
        }
        EXPECT_TRUE(m_statuses.empty()) << c.what;
        EXPECT_TRUE(folderContents(m_output.path()).empty()) << c.what;
        EXPECT_EQ(entryNames(album.outputFolder), outputBefore) << c.what;
        EXPECT_EQ(folderContents(m_photos.path()), photosBefore) << c.what;
        EXPECT_FALSE(m_control.running());
    }
}

TEST_F(AlbumGeneratorTest, OutputFolderThatCannotBeWrittenIsRefusedWithTheReasonBeforeAnyRendering)
{
    // Permission bits do not stop root, so the folder that refuses everyone is /proc; the
    // folder without write permission only refuses other users.
    TempDir readOnly;
    fs::permissions(readOnly.path(), fs::perms::owner_read | fs::perms::owner_exec);
    struct Case {
        std::string folder;
        std::string reason; // empty: whatever the system says
    };
    std::vector<Case> cases = {{"/proc/", ""}};
    if (::geteuid() != 0)
        cases.push_back({readOnly.str(), "Permission denied"});
    for (const Case& c : cases) {
        m_errors.clear();
        m_statuses.clear();
        AlbumJob album = job(2);
        album.outputFolder = c.folder;
        AlbumGenerator generator(album, events(), m_control, 1);
        EXPECT_EQ(generator.generate(), GenerationOutcome::Refused) << c.folder;
        ASSERT_EQ(m_errors.size(), 1u) << c.folder;
        const std::string start = "The output folder " + c.folder + " cannot be written (";
        const std::string end = "). Choose another one on step 3.";
        EXPECT_TRUE(m_errors[0].starts_with(start) && m_errors[0].ends_with(end)) << m_errors[0];
        const std::string reason = m_errors[0].substr(start.size(), m_errors[0].size() - start.size() - end.size());
        EXPECT_FALSE(reason.empty()) << m_errors[0];
        if (!c.reason.empty()) {
            EXPECT_EQ(reason, c.reason);
        }
        EXPECT_TRUE(m_statuses.empty()) << c.folder << ": nothing was rendered";
        EXPECT_TRUE(m_logs.empty()) << c.folder;
    }
    fs::permissions(readOnly.path(), fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(readOnly.path()));
}

TEST_F(AlbumGeneratorTest, BarAndPercentageAgreeAtEveryStepAlsoAfterAFailure)
{
    struct Case {
        const char* what;
        std::function<void(AlbumJob&)> change;
        GenerationOutcome outcome;
    };
    const std::vector<Case> cases = {
        {"whole album", [](AlbumJob&) {}, GenerationOutcome::Finished},
        {"preview",
         [](AlbumJob& album) {
             album.settings.SneakPeek = true;
             album.settings.RowsPerPage = 1;
             album.settings.ThumbnailsPerRow = 2;
         },
         GenerationOutcome::PreviewFinished},
        {"first page cannot be written", [this](AlbumJob&) { fs::create_directories(m_output / "myalbum.htm"); },
         GenerationOutcome::Failed},
    };
    for (const Case& c : cases) {
        fs::remove_all(m_output / "myalbum.htm");
        AlbumJob album = job(3);
        c.change(album);
        int maximum = -1;
        int position = -1;
        std::string percentage;
        std::vector<std::string> disagreements;
        GenerationEvents watched = events();
        watched.progressRange = [&](int low, int high) {
            EXPECT_EQ(low, 0);
            maximum = high;
        };
        watched.progressPosition = [&](int at) { position = at; };
        watched.percentage = [&](const std::string& text) {
            percentage = text;
            const std::string agreeing = maximum > 0 ? std::to_string(position * 100 / maximum) + " %" : "?";
            if (text != agreeing)
                disagreements.push_back(text + " at " + std::to_string(position) + " of " + std::to_string(maximum));
        };
        AlbumGenerator generator(album, watched, m_control, 1);
        EXPECT_EQ(generator.generate(), c.outcome) << c.what;
        EXPECT_TRUE(disagreements.empty()) << c.what << ": " << disagreements.front();
        EXPECT_EQ(percentage, c.outcome == GenerationOutcome::Failed ? "0 %" : "100 %") << c.what;
    }
}

TEST_F(AlbumGeneratorTest, OutputThatCannotBeWrittenIsReportedAsAFailure)
{
    AlbumJob album = job(2);
    // Folders in the places of the first index page and of a photo: neither can be written.
    fs::create_directories(m_output / "myalbum.htm");
    fs::create_directories(m_output / "p100.jpg");
    AlbumGenerator generator(album, events(), m_control, 2);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Failed);
    EXPECT_NE(std::find(m_logs.begin(), m_logs.end(),
                        "Error creating file - " + m_output.str() + "myalbum.htm (it is a folder)"),
              m_logs.end());
    EXPECT_EQ(m_statuses.back(), "Failure or User Cancellation occurred");
    EXPECT_TRUE(generator.job().rerenderPhotos);
    EXPECT_FALSE(generator.albumGenerated());
}

TEST_F(AlbumGeneratorTest, MissingPhotoIsAnnouncedAndStopsThePages)
{
    AlbumJob album = job(3);
    fs::remove(album.photos[1].SourcePath);
    AlbumGenerator generator(album, events(), m_control, 2);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Failed);
    EXPECT_EQ(m_errors, std::vector<std::string>{AlbumGenerator::missingPhotosText});
    EXPECT_TRUE(fs::exists(m_output / "p102.jpg")); // the photo phase went on
    ASSERT_FALSE(m_logs.empty());
    EXPECT_NE(m_logs.back().find("p101.jpg"), std::string::npos);
    EXPECT_EQ(m_statuses.back(), "Failure or User Cancellation occurred");
    EXPECT_TRUE(generator.job().rerenderPhotos);
}

TEST_F(AlbumGeneratorTest, PhotosThatCannotBeRenderedMakeNoFinishedAlbum)
{
    // Scaled beyond the largest picture, the photos cannot be rendered, while their thumbnails,
    // made from the sources, can: every page is written and links to photos that are not.
    for (const bool preview : {false, true}) {
        m_logs.clear();
        m_statuses.clear();
        TempDir output;
        AlbumJob album = job(2);
        album.outputFolder = output.str();
        album.settings.ResizeImageType = 2;
        album.settings.ResizePercentage = "100000";
        album.settings.SneakPeek = preview;
        AlbumGenerator generator(album, events(), m_control, 2);
        EXPECT_EQ(generator.generate(), GenerationOutcome::Failed) << preview;
        EXPECT_TRUE(fs::exists(output / "myalbum.htm"));
        EXPECT_FALSE(fs::exists(output / "p100.jpg"));
        ASSERT_EQ(m_logs.size(), 1u);
        EXPECT_TRUE(m_logs[0].starts_with("These photos could not be rendered, so the album is not complete:\r\n" +
                                          album.photos[0].SourcePath + ": "))
            << m_logs[0];
        EXPECT_NE(m_logs[0].find(album.photos[1].SourcePath), std::string::npos);
        EXPECT_FALSE(sawStatus("Finished generating photo album!"));
        EXPECT_FALSE(sawStatus("Sneak Peek Preview Page Finished"));
        EXPECT_EQ(m_statuses.back(), "Failure or User Cancellation occurred");
        EXPECT_FALSE(generator.albumGenerated());
        EXPECT_TRUE(generator.job().rerenderPhotos);
    }
}

TEST_F(AlbumGeneratorTest, DamagedPhotoIsReportedByNameAndStopsThePages)
{
    AlbumJob album = job(2);
    album.settings.CompressJPEG = true;
    writeFile(album.photos[0].SourcePath, "not a JPEG at all");
    AlbumGenerator generator(album, events(), m_control, 1);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Failed);
    EXPECT_TRUE(m_errors.empty()); // the file exists
    EXPECT_FALSE(fs::exists(m_output / "p100.jpg"));
    EXPECT_TRUE(fs::exists(m_output / "p101.jpg"));
    ASSERT_FALSE(m_logs.empty());
    EXPECT_NE(m_logs.back().find(album.photos[0].SourcePath), std::string::npos);
    EXPECT_EQ(m_statuses.back(), "Failure or User Cancellation occurred");
}

// One kind of change between two generations into one folder, and how many photos the second
// one has to render.
struct ChangeCase {
    const char* name;
    std::function<void(AlbumJob&, const fs::path& photos, const fs::path& output)> change;
    int rendered;
};

class RegenerationTest : public AlbumGeneratorTest, public ::testing::WithParamInterface<ChangeCase> {
protected:
    // Resized and copied photos, one turned, a converted scan, and a watermark picture; every
    // photo file carries zeros after its end, so a replacement of the same size fits.
    AlbumJob changingAlbum()
    {
        AlbumJob album = job(0);
        for (int i = 0; i < 5; ++i) {
            FileStorage storage;
            storage.SourcePath = storage.WorkingPath = photo("c" + std::to_string(i) + ".jpg", 90 + 7 * i, 70, i);
            writeFile(storage.SourcePath, readFile(storage.SourcePath) + std::string(8192, '\0'));
            storage.Rotation = i == 2 ? 1 : 0;
            album.photos.push_back(storage);
        }
        const test::Fixture tiff = test::fixtureNamed("lzw.tif");
        writeFile(m_photos / "scan.tif", std::string(tiff.bytes.begin(), tiff.bytes.end()));
        FileStorage scan;
        scan.SourcePath = scan.WorkingPath = (m_photos / "scan.tif").string();
        album.photos.push_back(scan);
        writeJpeg(patternPicture(20, 10, 9), (m_photos / "mark.jpg").string(), 90);
        album.settings.WatermarkImage = (m_photos / "mark.jpg").string();
        album.settings.ResizeImageType = 1;
        album.settings.NewPhotoWidth = "80";
        album.settings.NewPhotoHeight = "60";
        album.settings.CompressJPEG = true;
        album.settings.DeleteFolder = true;
        album.settings.ThumbnailsPerRow = 2;
        album.settings.RowsPerPage = 2;
        return album;
    }
};

TEST_P(RegenerationTest, RendersOnlyWhatChangedAndWritesWhatAFullGenerationWrites)
{
    const ChangeCase& param = GetParam();
    AlbumJob album = changingAlbum();
    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 2).generate(), GenerationOutcome::Finished)
        << (m_logs.empty() ? "" : m_logs.front());

    param.change(album, m_photos.path(), m_output.path());
    // As the window and the command line start it after opening the catalog.
    album.rerenderPhotos = true;
    m_statuses.clear();
    AlbumGenerator again(album, events(), m_control, 2);
    ASSERT_EQ(again.generate(), GenerationOutcome::Finished) << (m_logs.empty() ? "" : m_logs.front());
    const int photos = static_cast<int>(album.photos.size());
    EXPECT_TRUE(sawStatus("Photos rendered: " + std::to_string(param.rendered) +
                          ", kept: " + std::to_string(photos - param.rendered)))
        << param.name;

    TempDir fresh;
    album.outputFolder = fresh.str();
    AlbumGenerator full(album, events(), m_control, 1);
    ASSERT_EQ(full.generate(), GenerationOutcome::Finished);
    expectSameFiles(folderContents(fresh.path()), folderContents(m_output.path()));
    for (std::size_t i = 0; i < album.photos.size(); ++i) {
        EXPECT_EQ(again.job().photos[i].Converted, full.job().photos[i].Converted) << i;
        EXPECT_EQ(fs::path(again.job().photos[i].WorkingPath).filename(),
                  fs::path(full.job().photos[i].WorkingPath).filename())
            << i;
    }
}

// Writes other pixels of the same file size, and gives the file its old modification time.
void replaceKeepingSizeAndTime(const std::string& path, int seed)
{
    const std::string old = readFile(path);
    const fs::file_time_type time = fs::last_write_time(path);
    writeJpeg(patternPicture(90, 70, seed), path, 90);
    const std::string replacement = readFile(path);
    ASSERT_LT(replacement.size(), old.size());
    writeFile(path, replacement + std::string(old.size() - replacement.size(), '\0'));
    fs::last_write_time(path, time);
    ASSERT_EQ(fs::file_size(path), old.size());
}

using Photos = const fs::path&;
using Output = const fs::path&;

INSTANTIATE_TEST_SUITE_P(
    ChangeKinds, RegenerationTest,
    ::testing::Values(
        ChangeCase{"Nothing", [](AlbumJob&, Photos, Output) {}, 0},
        ChangeCase{"Title", [](AlbumJob& a, Photos, Output) { a.albumTitle = "Another title"; }, 0},
        ChangeCase{"Caption", [](AlbumJob& a, Photos, Output) { a.photos[1].Caption = "At the beach"; }, 0},
        ChangeCase{"PhotoReplacedWithSameSizeAndTime",
                   [](AlbumJob& a, Photos, Output) { replaceKeepingSizeAndTime(a.photos[0].SourcePath, 77); }, 1},
        ChangeCase{"Rotation", [](AlbumJob& a, Photos, Output) { a.photos[3].Rotation = 2; }, 1},
        ChangeCase{"Mirroring", [](AlbumJob& a, Photos, Output) { a.photos[4].Mirrored = true; }, 1},
        ChangeCase{"PhotoSize", [](AlbumJob& a, Photos, Output) { a.settings.NewPhotoWidth = "70"; }, 6},
        ChangeCase{"Quality", [](AlbumJob& a, Photos, Output) { a.settings.CompressionRatio = 60; }, 6},
        ChangeCase{"WatermarkText",
                   [](AlbumJob& a, Photos, Output) {
                       a.settings.WatermarkType = 1;
                       a.settings.WatermarkText = "(c) me";
                   },
                   6},
        ChangeCase{"WatermarkPicture",
                   [](AlbumJob& a, Photos photos, Output) {
                       a.settings.WatermarkType = 2;
                       writeJpeg(patternPicture(20, 10, 3), (photos / "mark.jpg").string(), 90);
                   },
                   6},
        ChangeCase{"SoftEdge",
                   [](AlbumJob& a, Photos, Output) {
                       writeJpeg(patternPicture(40, 30, 6), a.programFolder + "mask.jpg", 90);
                       a.settings.SoftEdge = true;
                   },
                   6},
        ChangeCase{"MetadataChoice",
                   [](AlbumJob& a, Photos, Output) { a.publishedMetadata = PublishedMetadata::None; }, 6},
        ChangeCase{"ThumbnailSize", [](AlbumJob& a, Photos, Output) { a.settings.ThumbWidth = 50; }, 0},
        ChangeCase{"ThumbnailShadow", [](AlbumJob& a, Photos, Output) { a.settings.Shadow = !a.settings.Shadow; }, 0},
        ChangeCase{"LowercaseNames", [](AlbumJob& a, Photos, Output) { a.settings.LowercaseFiles = true; }, 0},
        ChangeCase{"PhotoRenamed",
                   [](AlbumJob& a, Photos photos, Output) {
                       fs::rename(a.photos[1].SourcePath, photos / "renamed.jpg");
                       a.photos[1].SourcePath = a.photos[1].WorkingPath = (photos / "renamed.jpg").string();
                   },
                   1},
        ChangeCase{"PhotoRemoved", [](AlbumJob& a, Photos, Output) { a.photos.erase(a.photos.begin() + 2); }, 0},
        ChangeCase{"PhotoMovedInTheOrder",
                   [](AlbumJob& a, Photos, Output) { std::swap(a.photos[0], a.photos[4]); }, 0},
        ChangeCase{"PhotoAdded",
                   [](AlbumJob& a, Photos photos, Output) {
                       FileStorage added;
                       added.SourcePath = added.WorkingPath = (photos / "added.jpg").string();
                       writeJpeg(patternPicture(60, 80, 5), added.SourcePath, 90);
                       a.photos.insert(a.photos.begin() + 1, added);
                   },
                   1},
        ChangeCase{"RenderedPhotoEdited",
                   [](AlbumJob&, Photos, Output output) { writeFile(output / "c3.jpg", "edited by hand"); }, 1},
        ChangeCase{"RecordDamaged",
                   [](AlbumJob&, Photos, Output output) {
                       std::string record = readFile(output / RenderRecord::fileName);
                       record.pop_back();
                       writeFile(output / RenderRecord::fileName, record);
                   },
                   6},
        ChangeCase{"RecordOfAnotherFolder",
                   [](AlbumJob& a, Photos, Output output) {
                       TempDir copy;
                       for (const fs::directory_entry& entry : fs::directory_iterator(output))
                           fs::copy_file(entry.path(), copy / entry.path().filename());
                       fs::copy_file(copy / RenderRecord::fileName, output / RenderRecord::fileName,
                                     fs::copy_options::overwrite_existing);
                       std::string record = readFile(output / RenderRecord::fileName);
                       const std::string folder = "folder " + a.outputFolder;
                       record.replace(record.find(folder), folder.size(), "folder " + copy.str());
                       writeFile(output / RenderRecord::fileName, record);
                   },
                   6}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

// The pages of an album folder by name, each with its content and inode.
std::map<std::string, std::pair<std::string, std::uint64_t>> pagesOf(const fs::path& folder)
{
    std::map<std::string, std::pair<std::string, std::uint64_t>> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        struct stat info { };
        if (entry.path().extension() == ".htm" && ::lstat(entry.path().c_str(), &info) == 0)
            pages[entry.path().filename().string()] = {readFile(entry.path()), info.st_ino};
    }
    return pages;
}

TEST_F(AlbumGeneratorTest, ARegenerationRewritesThePagesThatChangeAndThoseEditedByHandOnly)
{
    AlbumJob album = job(3);
    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 1).generate(), GenerationOutcome::Finished);
    const auto before = pagesOf(m_output.path());
    ASSERT_TRUE(before.contains("jpg_p100.htm") && before.contains("jpg_p102.htm") && before.contains("myalbum.htm"));
    std::string edited = before.at("jpg_p102.htm").first;
    edited.back() = edited.back() == 'x' ? 'y' : 'x';
    writeFile(m_output / "jpg_p102.htm", edited);
    const std::uint64_t editedInode = pagesOf(m_output.path()).at("jpg_p102.htm").second;
    // Shown on its own page only.
    album.photos[1].Description = {"At the beach"};

    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 1).generate(), GenerationOutcome::Finished);
    const auto after = pagesOf(m_output.path());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.at("jpg_p102.htm").first, before.at("jpg_p102.htm").first);
    EXPECT_NE(after.at("jpg_p102.htm").second, editedInode);
    EXPECT_NE(after.at("jpg_p101.htm").first, before.at("jpg_p101.htm").first);
    EXPECT_NE(after.at("jpg_p101.htm").second, before.at("jpg_p101.htm").second);
    EXPECT_EQ(after.at("jpg_p100.htm"), before.at("jpg_p100.htm"));
    for (const auto& [name, page] : after) {
        if (name != "jpg_p102.htm") {
            EXPECT_EQ(page.second == before.at(name).second, page.first == before.at(name).first) << name;
        }
    }
}

TEST_F(AlbumGeneratorTest, WithoutDeletingTheFolderAKeptPhotoIsStillNotRenderedAgain)
{
    AlbumJob album = job(3);
    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 1).generate(), GenerationOutcome::Finished);
    const std::string record = readFile(m_output / RenderRecord::fileName);
    album.photos[1].Rotation = 3;
    m_statuses.clear();
    ASSERT_EQ(AlbumGenerator(album, events(), m_control, 1).generate(), GenerationOutcome::Finished);
    EXPECT_TRUE(sawStatus("Photos rendered: 1, kept: 2"));
    EXPECT_NE(readFile(m_output / RenderRecord::fileName), record);
}

} // namespace
} // namespace pictaven
