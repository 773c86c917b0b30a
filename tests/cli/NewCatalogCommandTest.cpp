#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "ini/BigIniFile.h"

#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/VideoClips.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pictaven {
namespace {

using test::CliRun;
using test::readFile;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;

CliRun runCli(const TempDir& folder, const std::vector<std::string>& args)
{
    return test::runCli(folder.path(), folder.str() + "home", args);
}

class NewCatalogCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_folder / "home/ALBUMS");
        writeFile(m_folder / "home/ALBUMS/Aardvark.bmp", "x");
        writeFile(m_folder / "home/settings.ini", "[Vardle]\r\nSkipSmallFiles=1\r\nSmallFileSize=1\r\n");
        fs::create_directories(m_folder / "photos/sub.jpg");
        for (const char* name : {"b.jpg", "A.JPG", "c.gif", "notes.txt", "d.tif"})
            writeFile(m_folder / "photos" / name, std::string(2048, 'p'));
        writeFile(m_folder / "photos/tiny.jpg", std::string(100, 'p'));
    }

    std::string photo(const std::string& name) const { return (m_folder / "photos" / name).string(); }

    TempDir m_folder;
};

TEST_F(NewCatalogCommandTest, CatalogHoldsTheAcceptedPhotosAndVideosInNameOrder)
{
    test::makeVideoClip(m_folder / "photos", "e.Mp4", test::VideoClip::LandscapeH264);
    const struct {
        std::vector<std::string> extra;
        std::string title;
        std::string templateName;
        const char* index;
    } cases[] = {{{}, "Untitled Album Title", "<Basic Photo Album>", "0"},
                 {{"--template", "Aardvark", "--title", "Summer = sun"}, "Summer = sun", "Aardvark", "1"}};
    int n = 0;
    for (const auto& c : cases) {
        const std::string name = "Trip" + std::to_string(++n) + ".CAT";
        std::vector<std::string> args = {"new-catalog", name, "--photos", "photos"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliRun run = runCli(m_folder, args);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string file = (m_folder / name).string();
        EXPECT_EQ(run.out, file + ": 4 photos, template " + c.templateName + "\n");
        const BigIniFile catalog(file);
        EXPECT_EQ(catalog.readString("Files", "Source_File_1", ""), photo("A.JPG"));
        EXPECT_EQ(catalog.readString("Files", "Source_File_2", ""), photo("b.jpg"));
        EXPECT_EQ(catalog.readString("Files", "Source_File_3", ""), photo("c.gif"));
        EXPECT_EQ(catalog.readString("Files", "Source_File_4", ""), photo("e.Mp4"));
        EXPECT_EQ(catalog.readString("Files", "Source_File_5", "none"), "");
        EXPECT_EQ(catalog.readString("Directories", "Source Directory", ""), (m_folder / "photos").string());
        EXPECT_EQ(catalog.readString("Preferences", "Album Title", ""), c.title);
        EXPECT_EQ(catalog.readString("Preferences", "Album Filename", ""), c.templateName);
        EXPECT_EQ(catalog.readString("Preferences", "Album Index", ""), c.index);
        EXPECT_EQ(catalog.readString("Program", "Version", ""), "3.03");
    }
}

// Photos in folders so deep that their paths pass 255 bytes keep their whole path in the
// catalog, and the album generated from it holds them.
TEST_F(NewCatalogCommandTest, DeepPhotoPathsReachTheAlbum)
{
    Bitmap picture(120, 90);
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 120; ++x)
            picture.setPixel(x, y, Colour{std::uint8_t((x * 7) ^ (y * 13)), std::uint8_t(x * y), std::uint8_t(y * 3)});
    }
    for (const std::size_t bytes : {400u, 3500u}) {
        fs::path folder = m_folder / "deep";
        for (char letter = 'a'; folder.string().size() < bytes; ++letter)
            folder /= std::string(200, letter);
        fs::create_directories(folder);
        const std::string photoPath = (folder / "deep.jpg").string();
        writeJpeg(picture, photoPath, 90);
        const std::string catalog = m_folder.str() + "Deep" + std::to_string(bytes) + ".CAT";
        const CliRun made = runCli(m_folder, {"new-catalog", catalog, "--photos", folder.string()});
        ASSERT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(BigIniFile(catalog).readString("Files", "Source_File_1", ""), photoPath);

        const std::string album = m_folder.str() + "album" + std::to_string(bytes);
        const CliRun generated = runCli(m_folder, {"generate", catalog, "--output", album});
        EXPECT_EQ(generated.status, 0) << generated.err << generated.out;
        EXPECT_TRUE(fs::exists(album + "/deep.jpg")) << bytes;
    }
}

TEST_F(NewCatalogCommandTest, RefusesWithoutTouchingAnything)
{
    writeFile(m_folder / "Taken.CAT", "mine");
    // A line break is the one thing no catalog line can hold.
    fs::create_directories(m_folder / "two\nlines");
    fs::create_directories(m_folder / "odd");
    for (const char* name : {"fine.jpg", "line\nbreak.jpg"})
        writeFile(m_folder / "odd" / name, std::string(2048, 'p'));
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"new-catalog", "Taken.CAT", "--photos", "photos"}, "already exists"},
        {{"new-catalog", "New.CAT", "--photos", "nowhere"}, "is not a folder"},
        {{"new-catalog", "New.CAT", "--photos", "photos", "--template", "Gone"}, "no template named 'Gone'"},
        {{"new-catalog", "New.txt", "--photos", "photos"}, ".CAT"},
        {{"new-catalog", "New.CAT"}, "--photos"},
        {{"new-catalog", "New.CAT", "--photos"}, "needs a value"},
        {{"new-catalog", "New.CAT", "--photos", "odd"}, "odd/line\\nbreak.jpg"},
        {{"new-catalog", "New.CAT", "--photos", "two\nlines"}, "two\\nlines\" holds a line break"},
        {{"new-catalog", "New.CAT", "--photos", "photos", "--title", "a\r\nb"}, "the title \"a\\r\\nb\" holds"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(m_folder, c.args);
        EXPECT_EQ(run.status, 1) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(m_folder / "New.CAT"));
        EXPECT_FALSE(fs::exists(m_folder / "New.txt"));
    }
    EXPECT_EQ(readFile(m_folder / "Taken.CAT"), "mine");
}

TEST_F(NewCatalogCommandTest, SettingsReadsACatalogFileAsACatalog)
{
    writeFile(m_folder / "Trip.cat", "[Generate Options]\r\nAlbumShortName=trip\r\n");
    writeFile(m_folder / "ALBUM.CAT", "[Generate Options]\r\nAlbumShortName=album\r\n");
    const struct {
        std::vector<std::string> args;
        const char* line;
    } cases[] = {{{"settings", "Trip.cat"}, "AlbumShortName=trip\n"},
                 {{"settings", "ALBUM.CAT"}, "AlbumShortName=album\n"},
                 {{"settings", "Trip.cat", "--template"}, "AlbumShortName=myalbum\n"},
                 {{"settings", "Trip.cat", "--catalog"}, "AlbumShortName=trip\n"}};
    for (const auto& c : cases) {
        const CliRun run = runCli(m_folder, c.args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(c.line), std::string::npos) << c.args.size();
    }
    EXPECT_EQ(runCli(m_folder, {"settings", "Trip.cat", "--template", "--catalog"}).status, 1);
}

} // namespace
} // namespace pictaven
