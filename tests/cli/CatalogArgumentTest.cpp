#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "ini/BigIniFile.h"

#include "support/CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pictaven {
namespace {

using test::CliRun;
using test::readFile;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;

// A catalog of one photo in albums/, made by new-catalog; commands run in the folder `work`.
class CatalogArgumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_work / "photos");
        fs::create_directories(m_work / "albums");
        writeJpeg(Bitmap(80, 60), photo(), 90);
        const CliRun made = run({"new-catalog", "albums/trip.CAT", "--photos", "photos"});
        ASSERT_EQ(made.status, 0) << made.err;
    }

    CliRun run(const std::vector<std::string>& args) const
    {
        return test::runCli(m_work.path(), m_work.str() + "home", args);
    }

    std::string photo() const { return (m_work / "photos/shot.jpg").string(); }
    std::string catalog() const { return (m_work / "albums/trip.CAT").string(); }

    void setKey(const std::string& section, const std::string& key, const std::string& value) const
    {
        BigIniFile ini(catalog());
        ini.writeString(section, key, value);
        ini.flushFile();
    }

    TempDir m_work;
};

TEST_F(CatalogArgumentTest, CatalogThatHoldsNothingIsRefusedByEveryCommand)
{
    writeFile(m_work / "albums/empty.CAT", "");
    writeFile(m_work / "albums/binary.CAT", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x01[Files]", 27));
    writeFile(m_work / "albums/other.CAT", "[Desktop Entry]\nName=Trip\nExec=trip\n");
    const struct {
        const char* file;
        const char* message;
    } files[] = {{"albums/none.CAT", " does not exist"},
                 {"albums/empty.CAT", " is empty"},
                 {"albums/binary.CAT", " is not a catalog: it holds none of the keys of a catalog"},
                 {"albums/other.CAT", " is not a catalog: it holds none of the keys of a catalog"}};
    for (const auto& f : files) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"generate", f.file, "--output", "out"}, {"upload", f.file}, {"settings", f.file}, {"report", f.file}}) {
            const CliRun result = run(args);
            EXPECT_EQ(result.status, 1) << args[0] << ' ' << f.file;
            EXPECT_EQ(result.out, "") << args[0] << ' ' << f.file;
            EXPECT_EQ(result.err, "pictaven-cli " + args[0] + ": " + (m_work / f.file).string() + f.message + "\n");
        }
    }
    EXPECT_FALSE(fs::exists(m_work / "out"));
}

TEST_F(CatalogArgumentTest, ReportPrintsTheDiagnosticText)
{
    fs::create_directories(m_work / "home/profiles");
    writeFile(m_work / "home/profiles/site.prf",
              "[Directories]\nFTP=ftp.site.example\nHTTPHomeDirectory=/~ann\nWWW=http://www.site.example/\n");
    const struct {
        std::vector<std::string> args;
        const char* profileLine;
        const char* addressLine;
    } cases[] = {
        {{"report", "albums/trip.CAT"}, "FTP Profile                  : default.prf\n",
         "    www.your-provider.example/MyAlbum/myalbum.htm\n"},
        {{"report", "albums/trip.CAT", "--profile", "site.prf"}, "FTP Profile                  : site.prf\n",
         "    http://www.site.example/~ann/MyAlbum/myalbum.htm\n"},
    };
    for (const auto& c : cases) {
        const CliRun result = run(c.args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_TRUE(result.out.starts_with("------------------------OVERVIEW-------------------------\n"
                                           "Version                      : Pictaven 3.03\n"))
            << result.out;
        for (const std::string& line : {std::string("Catalog Name                 : trip.CAT\n"),
                                       std::string("Album Title                  : Untitled Album Title\n"),
                                       std::string(c.profileLine), std::string(c.addressLine)})
            EXPECT_NE(result.out.find(line), std::string::npos) << line << result.out;
        const std::size_t email = result.out.rfind("\ncopy this text along with your email. \nEmail: ");
        EXPECT_NE(email, std::string::npos);
        EXPECT_EQ(result.out.find('\n', email + 1 + 39 + 7), result.out.size() - 1) << "Email is the last line";
    }
    const CliRun missing = run({"report", "albums/trip.CAT", "--profile", "gone.prf"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("no FTP profile " + m_work.str() + "home/profiles/gone.prf"), std::string::npos)
        << missing.err;
}

TEST_F(CatalogArgumentTest, RelativeCatalogPathIsTakenAgainstTheStartingFolder)
{
    fs::create_directories(m_work / "out");
    setKey("Generate Options", "OutputFolder", m_work.str() + "out/");
    const CliRun result = run({"upload", "albums/trip.CAT"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("no album has been generated in " + m_work.str() + "out/"), std::string::npos)
        << result.err;
}

TEST_F(CatalogArgumentTest, EveryRunRendersThePhotosAgain)
{
    // Each change, kept for the next run, alters the photo; the run into the same folder must
    // show it in the photo as in its thumbnail (80 pixels a side at most, plus the shadow).
    const struct {
        const char* change;
        const char* section;
        const char* key;
        const char* value;
        ImageSize photo;
        ImageSize thumbnail;
    } runs[] = {
        {"first run", "", "", "", {80, 60}, {94, 74}},
        {"photo replaced", "", "", "", {120, 90}, {94, 74}},
        {"rotation", "Files", "Rotation_1", "1", {90, 120}, {74, 94}},
        {"resize type", "FTP Appearance", "Resize Image Type", "2", {45, 60}, {74, 94}},
        {"resize size", "FTP Appearance", "Resize Percentage", "25", {22, 30}, {74, 94}},
    };
    setKey("FTP Appearance", "Resize Percentage", "50");
    for (const auto& r : runs) {
        if (std::string(r.change) == "photo replaced")
            writeJpeg(Bitmap(120, 90), photo(), 90);
        else if (*r.section)
            setKey(r.section, r.key, r.value);
        const CliRun result = run({"generate", "albums/trip.CAT", "--output", "out"});
        ASSERT_EQ(result.status, 0) << r.change << '\n' << result.err;
        EXPECT_EQ(readJpegSize((m_work / "out/shot.jpg").string()), r.photo) << r.change;
        EXPECT_EQ(readJpegSize((m_work / "out/thumb_jpg_shot.jpg").string()), r.thumbnail) << r.change;
    }
}

TEST_F(CatalogArgumentTest, FailuresAreReportedOnStandardError)
{
    writeFile(m_work / "zero-bytes.jpg", "");
    const CliRun info = run({"info", photo(), "zero-bytes.jpg"});
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(info.out, photo() + ": JPEG, 80 x 60\n");
    EXPECT_NE(info.err.find("zero-bytes.jpg"), std::string::npos) << info.err;

    // Nothing listens on port 1 of the loopback address, so the upload cannot connect.
    ASSERT_EQ(run({"generate", "albums/trip.CAT", "--output", "out"}).status, 0);
    setKey("Generate Options", "OutputFolder", m_work.str() + "out/");
    writeFile(m_work / "closed.prf", "[Directories]\r\nFTP=127.0.0.1:1\r\n");
    const CliRun upload = run({"upload", "albums/trip.CAT", "--profile", "./closed.prf"});
    EXPECT_EQ(upload.status, 1);
    EXPECT_NE(upload.err.find("pictaven-cli upload: error: the upload did not finish: Failed to connect"),
              std::string::npos)
        << upload.err;
}

TEST_F(CatalogArgumentTest, OutputFilesAreNeverReplacedOrMisnamed)
{
    writeFile(m_work / "mine.CFG", "mine");
    const struct {
        std::vector<std::string> args;
        const char* message;
        const char* file;
        const char* content; // nullptr: the file must not exist
    } cases[] = {
        {{"default-template", "mine.CFG"}, "mine.CFG already exists; choose another name", "mine.CFG", "mine"},
        {{"convert", "photos/shot.jpg", "out.png"}, "its name must end in .jpg, .jpeg, .jpe or .jfif: out.png",
         "out.png", nullptr},
        {{"convert", "photos/shot.jpg", "out"}, "its name must end in .jpg, .jpeg, .jpe or .jfif: out", "out",
         nullptr},
    };
    for (const auto& c : cases) {
        const CliRun result = run(c.args);
        EXPECT_EQ(result.status, 1) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        if (c.content)
            EXPECT_EQ(readFile(m_work / c.file), c.content);
        else
            EXPECT_FALSE(fs::exists(m_work / c.file)) << c.file;
    }
    const CliRun converted = run({"convert", "photos/shot.jpg", "out.JPEG"});
    EXPECT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(readJpegSize((m_work / "out.JPEG").string()), (ImageSize{80, 60}));
}

} // namespace
} // namespace pictaven
