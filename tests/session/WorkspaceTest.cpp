#include "ini/IntegerText.h"
#include "session/Workspace.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>

namespace pictaven {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;

class WorkspaceTest : public ::testing::Test {
protected:
    std::unique_ptr<Workspace> start(const std::string& dataFolder = "")
    {
        return std::make_unique<Workspace>(m_home.str(), dataFolder, m_dialogs);
    }

    // Paths given on a command line are taken against it, so the program never changes it.
    const fs::path m_startFolder = fs::current_path();
    TempDir m_home;
    ScriptedDialogs m_dialogs;
};

TEST_F(WorkspaceTest, EmptyProgramFolderIsLaidOut)
{
    const auto workspace = start();
    for (const char* folder : {"CDROM", "Projects", "temp", "Photos", "catalog"})
        EXPECT_TRUE(fs::is_directory(m_home / folder)) << folder;
    EXPECT_TRUE(fs::is_regular_file(m_home / "settings.ini"));
    EXPECT_FALSE(fs::exists(m_home / "album.cfg")) << "start-up only reads album.cfg";
    EXPECT_EQ(workspace->settingsStore().read("FileMask"), std::optional<std::string>("*.jpg;*.gif;*.png"));
    EXPECT_EQ(workspace->outputFolder(), m_home.str() + "Projects/");
    EXPECT_EQ(workspace->catalog().folder, m_home.str() + "catalog");
    EXPECT_EQ(workspace->catalog().name, "");
    EXPECT_FALSE(workspace->catalog().modified);
    EXPECT_EQ(workspace->ftpProfilePath(), m_home.str() + "profiles/default.prf");
    EXPECT_EQ(workspace->lastCatalogEntry(), std::nullopt);
    EXPECT_EQ(workspace->albumSettings().OutputFolder, m_home.str() + "Projects");
    EXPECT_TRUE(workspace->albumSettings().DeleteFolder) << "the start-up values, not the key defaults";
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(WorkspaceTest, ProgramFolderIsFoundWithoutItsSlash)
{
    const Workspace workspace(m_home.path().string(), "", m_dialogs);
    EXPECT_EQ(workspace.programFolder(), m_home.str());
}

TEST_F(WorkspaceTest, TheProfileNamedByLastProfileIsLoaded)
{
    fs::create_directories(m_home / "profiles");
    writeFile(m_home / "settings.ini", "[Vardle]\r\nLastProfile=work.prf\r\n");
    writeFile(m_home / "profiles/work.prf", "[Directories]\r\nFTP=ftp.example.net\r\nUser=me\r\nPassword=bdf\r\n");
    const auto workspace = start();
    EXPECT_EQ(workspace->ftpProfilePath(), m_home.str() + "profiles/work.prf");
    EXPECT_EQ(workspace->ftpProfile().ftp, "ftp.example.net");
    EXPECT_EQ(workspace->ftpProfile().user, "me");
    EXPECT_EQ(workspace->ftpProfile().password, "abc");
}

TEST_F(WorkspaceTest, MissingOrUnreadableProfileGivesTheDefaults)
{
    EXPECT_EQ(start()->ftpProfile(), FtpProfile{});
    EXPECT_TRUE(m_dialogs.shown.empty());

    fs::create_directories(m_home / "profiles/default.prf");
    EXPECT_EQ(start()->ftpProfile(), FtpProfile{});
    const auto errors = m_dialogs.texts(ScriptedDialogs::Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("default.prf"), std::string::npos) << errors[0];
}

TEST_F(WorkspaceTest, LeftoverThumbnailsAreDeletedAndOtherFilesKept)
{
    fs::create_directories(m_home / "temp/sub.bmp");
    writeFile(m_home / "temp/thumb3.bmp", "old thumbnail");
    writeFile(m_home / "temp/THUMB4.BMP", "old thumbnail");
    writeFile(m_home / "temp/notes.txt", "mine");
    writeFile(m_home / "temp/thumb3.bmp.txt", "mine");
    start();
    EXPECT_FALSE(fs::exists(m_home / "temp/thumb3.bmp"));
    EXPECT_FALSE(fs::exists(m_home / "temp/THUMB4.BMP"));
    EXPECT_EQ(readFile(m_home / "temp/notes.txt"), "mine");
    EXPECT_EQ(readFile(m_home / "temp/thumb3.bmp.txt"), "mine");
    EXPECT_TRUE(fs::is_directory(m_home / "temp/sub.bmp"));
}

TEST_F(WorkspaceTest, BadStoredNumberStopsStartUp)
{
    writeFile(m_home / "settings.ini", "[Vardle]\r\nCompression1=high\r\n");
    try {
        start();
        FAIL() << "start-up went on";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'high' is not a valid integer value");
    }
}

TEST_F(WorkspaceTest, UnusableProgramFolderStopsStartUpNamingIt)
{
    writeFile(m_home / "file", "");
    const std::string folder = (m_home / "file/pictaven").string() + "/";
    try {
        Workspace workspace(folder, "", m_dialogs);
        FAIL() << "start-up went on";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(folder), std::string::npos) << error.what();
    }
}

TEST_F(WorkspaceTest, ShippedDataIsSeededAndFailuresWarned)
{
    TempDir data;
    fs::create_directories(data / "ALBUMS");
    writeFile(data / "ALBUMS/DEFAULT.CFG", "shipped");
    writeFile(data / "gradient.res", "shipped");
    fs::create_directories(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS/DEFAULT.CFG", "mine");
    fs::create_directories(m_home / "gradient.res");

    start(data.path().string());
    EXPECT_EQ(readFile(m_home / "ALBUMS/DEFAULT.CFG"), "mine");
    EXPECT_TRUE(m_dialogs.texts(ScriptedDialogs::Kind::Warning).empty()) << "a folder in the way counts as there";

    fs::remove_all(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS", "a file in the way");
    start(data.path().string());
    const auto warnings = m_dialogs.texts(ScriptedDialogs::Kind::Warning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("Some of the program's data files could not be put in place:\n", 0), 0u) << warnings[0];
    EXPECT_NE(warnings[0].find((m_home / "ALBUMS").string()), std::string::npos) << warnings[0];
}

TEST_F(WorkspaceTest, LastCatalogIsOfferedOnlyWhenItsFileExists)
{
    fs::create_directories(m_home / "trips");
    writeFile(m_home / "trips/Holiday.CAT", "[Directories]\r\n");
    const struct {
        std::string lastCatalog;
        bool offered;
    } cases[] = {{(m_home / "trips/Holiday.CAT").string(), true},
                 {(m_home / "trips/Gone.CAT").string(), false},
                 {(m_home / "trips").string(), false},
                 {"", false}};
    for (const auto& c : cases) {
        writeFile(m_home / "album.cfg", "[Catalog]\r\nLast Catalog=" + c.lastCatalog + "\r\n");
        const auto workspace = start();
        EXPECT_EQ(workspace->catalog().lastCatalogPath, c.lastCatalog);
        EXPECT_EQ(workspace->catalog().name, "") << "the catalog is offered, not opened";
        if (c.offered) {
            EXPECT_EQ(workspace->lastCatalogEntry(), std::optional<std::string>("Holiday.CAT"));
            EXPECT_EQ(workspace->catalog().folder, (m_home / "trips").string());
        } else {
            EXPECT_EQ(workspace->lastCatalogEntry(), std::nullopt) << c.lastCatalog;
            EXPECT_EQ(workspace->catalog().folder, m_home.str() + "catalog");
        }
    }
}

TEST_F(WorkspaceTest, FirstShowPicksTheStepOneFolderAndResetsTheGuardsOnce)
{
    fs::create_directories(m_home / "pictures");
    const struct {
        std::string imageSourceDir;
        std::string step1Folder;
    } cases[] = {{(m_home / "pictures").string(), (m_home / "pictures").string()},
                 {(m_home / "gone").string(), m_home.str() + "Photos"}};
    for (const auto& c : cases) {
        writeFile(m_home / "settings.ini", "[Vardle]\r\nImageSourceDir=" + c.imageSourceDir + "\r\n");
        const auto workspace = start();
        workspace->guards().photosSelected = true;
        workspace->guards().settingsValid = false;
        workspace->catalog().modified = true;
        workspace->firstShow();
        EXPECT_EQ(workspace->step1Folder(), c.step1Folder);
        EXPECT_FALSE(workspace->guards().photosSelected);
        EXPECT_TRUE(workspace->guards().settingsValid);
        EXPECT_FALSE(workspace->guards().outputFolderValid);
        EXPECT_FALSE(workspace->guards().albumGenerated);
        EXPECT_FALSE(workspace->guards().outputIsPhotoFolder);
        EXPECT_FALSE(workspace->catalog().modified);
        EXPECT_EQ(fs::current_path(), m_startFolder);

        workspace->guards().photosSelected = true;
        workspace->firstShow();
        EXPECT_TRUE(workspace->guards().photosSelected) << "a second show changes nothing";
    }
}

TEST_F(WorkspaceTest, FirstShowReadsTheBasicTemplateInTemplateMode)
{
    fs::create_directories(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS/DEFAULT.CFG", "[Size]\r\nThumbWidth=120\r\n[Generate Options]\r\nAlbumShortName=other\r\n");
    const auto workspace = start();
    EXPECT_EQ(workspace->albumSettings().ThumbWidth, 80);
    workspace->firstShow();
    EXPECT_EQ(workspace->albumSettings().ThumbWidth, 120);
    EXPECT_EQ(workspace->albumSettings().AlbumShortName, "myalbum") << "a catalog-only key stays";
    EXPECT_EQ(workspace->outputFolder(), m_home.str() + "Projects/");
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(WorkspaceTest, DamagedBasicTemplateIsReportedAndTheFirstShowCompleted)
{
    fs::create_directories(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS/DEFAULT.CFG", "[Size]\r\nThumbWidth=wide\r\n");
    const auto workspace = start();
    workspace->catalog().modified = true;
    workspace->firstShow();
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Error),
              std::vector<std::string>{"'wide' is not a valid integer value"});
    EXPECT_FALSE(workspace->catalog().modified);
    EXPECT_EQ(fs::current_path(), m_startFolder);
}

TEST_F(WorkspaceTest, ExitWithoutNamedCatalogWritesAndAsksNothing)
{
    for (const bool albumConfigExists : {false, true}) {
        if (albumConfigExists)
            writeFile(m_home / "album.cfg", "[Catalog]\r\nLast Catalog=\r\n");
        const auto workspace = start();
        workspace->catalog().modified = true;
        workspace->guards().photosSelected = true;
        EXPECT_TRUE(workspace->close());
        EXPECT_EQ(fs::exists(m_home / "album.cfg"), albumConfigExists);
        if (albumConfigExists) {
            EXPECT_EQ(readFile(m_home / "album.cfg"), "[Catalog]\r\nLast Catalog=\r\n");
        }
        EXPECT_TRUE(m_dialogs.shown.empty());
    }
}

TEST_F(WorkspaceTest, ExitWithNamedModifiedCatalogRecordsItThenAsks)
{
    using Choice = Dialogs::SaveChoice;
    for (const Choice choice : {Choice::Discard, Choice::Save, Choice::Cancel}) {
        const auto workspace = start();
        workspace->catalog().name = "Trip.CAT";
        workspace->catalog().folder = (m_home / "trips").string();
        workspace->catalog().modified = true;
        int saves = 0;
        workspace->setSaveCatalogCommand([&] { ++saves; });
        std::string recordedWhenAsked;
        m_dialogs.onQuestion = [&](const std::string&) {
            recordedWhenAsked = IniFile((m_home / "album.cfg").string()).readString("Catalog", "Last Catalog", "");
        };
        m_dialogs.saveAnswers = {choice};
        m_dialogs.shown.clear();

        EXPECT_EQ(workspace->close(), choice != Choice::Cancel) << "Cancel keeps the window open";
        EXPECT_EQ(recordedWhenAsked, (m_home / "trips/Trip.CAT").string());
        EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Question),
                  std::vector<std::string>{"Catalog [Trip.CAT] has changed - Save catalog now? "});
        EXPECT_EQ(saves, choice == Choice::Save ? 1 : 0);
        EXPECT_EQ(m_dialogs.shown.size(), 1u);
    }
}

TEST_F(WorkspaceTest, ExitWithNamedUnchangedCatalogOnlyRecordsIt)
{
    writeFile(m_home / "album.cfg", "[Proxy]\r\nProxy User=me\r\n");
    const auto workspace = start();
    workspace->catalog().name = "Trip.CAT";
    workspace->catalog().folder = m_home.str() + "catalog/";
    EXPECT_TRUE(workspace->close());
    const IniFile albumConfig((m_home / "album.cfg").string());
    EXPECT_EQ(albumConfig.readString("Catalog", "Last Catalog", ""), m_home.str() + "catalog/Trip.CAT");
    EXPECT_EQ(albumConfig.readString("Proxy", "Proxy User", ""), "me");
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(WorkspaceTest, FailedSaveOnExitKeepsTheWindowOpen)
{
    const auto workspace = start();
    workspace->catalog().name = "Trip.CAT";
    workspace->catalog().modified = true;
    workspace->setSaveCatalogCommand([] { throw std::runtime_error("Unable to write to /full/Trip.CAT"); });
    m_dialogs.saveAnswers = {Dialogs::SaveChoice::Save};
    EXPECT_FALSE(workspace->close());
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Error),
              std::vector<std::string>{"Unable to write to /full/Trip.CAT"});
}

TEST_F(WorkspaceTest, UnwritableAlbumConfigOnExitStillAsksAboutSaving)
{
    const auto workspace = start();
    fs::create_directories(m_home / "album.cfg");
    workspace->catalog().name = "Trip.CAT";
    workspace->catalog().modified = true;
    m_dialogs.saveAnswers = {Dialogs::SaveChoice::Discard};
    EXPECT_TRUE(workspace->close());
    ASSERT_EQ(m_dialogs.shown.size(), 2u);
    EXPECT_EQ(m_dialogs.shown[0].kind, ScriptedDialogs::Kind::Error);
    EXPECT_EQ(m_dialogs.shown[1].kind, ScriptedDialogs::Kind::Question);
}

TEST(ErrorLogTest, WorkspaceLogsIntoItsProgramFolder)
{
    TempDir home;
    ScriptedDialogs dialogs;
    Workspace workspace(home.str(), "", dialogs);
    workspace.logMessage("Error converting [x.bmp] to JPEG");
    EXPECT_EQ(dialogs.texts(ScriptedDialogs::Kind::Error), std::vector<std::string>{"Error converting [x.bmp] to JPEG"});
    const std::string log = readFile(home / "error.log");
    EXPECT_NE(log.find(">   Error converting [x.bmp] to JPEG\r\n"), std::string::npos) << log;
}

} // namespace
} // namespace pictaven
