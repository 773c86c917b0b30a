#include "ini/BigIniFile.h"
#include "ini/IoError.h"
#include "session/CatalogCommands.h"
#include "session/TemplateCommands.h"

#include "WorkspaceFixture.h"
#include "support/FileSizeLimit.h"

#include <ctime>
#include <filesystem>
#include <random>

namespace pictaven {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::writeFile;
namespace fs = std::filesystem;
using Kind = ScriptedDialogs::Kind;

const std::string kMissingStart = "ERROR: Some photos in the photo album can not be found.\r\n"
                                  "If these files are located on removable media such as CDROM\n\r"
                                  "then please insert this media and reload the album.\r\n\r\n"
                                  "If these files were renamed then they should be removed and added back to the "
                                  "photo album.\r\n\r\nFiles missing : ";

class CatalogCommandsTest : public test::WorkspaceFixture {
protected:
    // A catalog of the given photos at `name` below the program folder, written by hand.
    std::string handWritten(const std::string& name, const std::string& sections, const std::vector<std::string>& sources)
    {
        std::string files = "[Files]\r\n";
        for (std::size_t n = 0; n < sources.size(); ++n)
            files += "Source_File_" + std::to_string(n + 1) + "=" + sources[n] + "\r\n";
        fs::create_directories((m_home / name).parent_path());
        writeFile(m_home / name, sections + files);
        return path(name);
    }

    // Adds a photo file to the open catalog, as the album list would.
    void addPhoto(const std::string& name)
    {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath = photo(name);
        workspace().catalog().photos.push_back({fs::path(name).filename().string(), storage});
        workspace().catalog().modified = true;
    }
};

TEST_F(CatalogCommandsTest, VersionDecidesTheMessageAndTheGridRecomputation)
{
    fs::create_directories(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS/Board.bmp", test::bmpBytes(600, 450));
    restart();
    const struct {
        const char* versionLine;
        bool priorVersionMessage;
        bool recomputed;
    } cases[] = {{"Version=2.80\r\n", true, false}, {"Version=3.03\r\n", false, false}, {"Version=2.70\r\n", true, false},
                 {"", false, true},                 {"Version=1.00\r\n", false, true}, {"Version=2.50\r\n", true, true}};
    const std::string existing = photo("Photos/a.jpg");
    for (const auto& c : cases) {
        const std::string file = handWritten(
            "Old.CAT",
            std::string("[Program]\r\n") + c.versionLine
                + "[Preferences]\r\nAlbum Filename=Board\r\n[Size]\r\nThumbnails Per Row=9\r\nRows Per Page=9\r\n",
            {existing});
        m_dialogs.shown.clear();
        openCatalogFile(workspace(), file);
        const auto information = m_dialogs.texts(Kind::Information);
        if (c.priorVersionMessage) {
            const std::string version = std::string(c.versionLine).substr(8, 4);
            ASSERT_EQ(information.size(), 1u) << c.versionLine;
            EXPECT_EQ(information[0], "You are loading a photo album from a prior version.\r\nSome features in version "
                                          + version
                                          + " are not transferable to this newer version.\r\nThis mainly includes the "
                                            "various generated album directories.\r\nBe assured your photos, "
                                            "descriptions and most options will be transferred.");
        } else {
            EXPECT_TRUE(information.empty()) << c.versionLine;
        }
        EXPECT_TRUE(m_dialogs.texts(Kind::Error).empty()) << c.versionLine;
        const AlbumSettings& settings = workspace().albumSettings();
        EXPECT_EQ(settings.ThumbnailsPerRow, c.recomputed ? 5 : 9) << c.versionLine;
        EXPECT_EQ(settings.RowsPerPage, c.recomputed ? 3 : 9) << c.versionLine;
        EXPECT_EQ(workspace().catalog().templateName, "Board");
        EXPECT_FALSE(workspace().catalog().modified);
    }
}

TEST_F(CatalogCommandsTest, MissingPhotosAreCountedOnceAndKept)
{
    const std::string file
        = handWritten("Trip.CAT", "[Program]\r\nVersion=3.03\r\n",
                      {path("Photos/gone1.jpg"), photo("Photos/here.jpg"), path("Photos/gone2.jpg"), path("Photos")});
    openCatalogFile(workspace(), file);
    EXPECT_EQ(m_dialogs.texts(Kind::Error), std::vector<std::string>{kMissingStart + "3"});
    EXPECT_EQ(workspace().catalog().photos.size(), 4u);
    const StepGuards& guards = workspace().guards();
    EXPECT_TRUE(guards.photosSelected && guards.settingsValid && guards.outputFolderValid);
    EXPECT_FALSE(guards.albumGenerated);
}

TEST_F(CatalogCommandsTest, EmptyCatalogLeavesOnlyStepTwoDone)
{
    workspace().guards().albumGenerated = true;
    handWritten("Projects/Empty.CAT", "[Program]\r\nVersion=3.03\r\n", {});
    openCatalogFile(workspace(), "Empty.CAT");
    EXPECT_EQ(workspace().catalog().folder, path("Projects")) << "relative to the output folder";
    const StepGuards& guards = workspace().guards();
    EXPECT_FALSE(guards.photosSelected || guards.outputFolderValid || guards.albumGenerated);
    EXPECT_TRUE(guards.settingsValid);
    EXPECT_EQ(workspace().catalog().albumTitle, "Untitled Album");
    EXPECT_EQ(workspace().caption(), "Pictaven 3.03 - Catalog <Empty.CAT>");
}

TEST_F(CatalogCommandsTest, RelativePathsInACatalogAreTakenAgainstItsOutputFolder)
{
    fs::create_directories(m_home / "album");
    const struct {
        std::string outputFolder;
        std::string base;
    } cases[] = {{path("album"), path("album/")}, {"not/absolute", path("Projects/")}};
    for (const auto& c : cases) {
        writeFile(c.base + "here.jpg", "photo");
        const std::string file = handWritten(
            "Rel.CAT",
            "[Program]\r\nVersion=3.03\r\n[Generate Options]\r\nOutputFolder=" + c.outputFolder
                + "\r\n[Preferences]\r\nBackground Image=tex/paper.jpg\r\nThumbnail Background Image=/fixed/tex.jpg\r\n"
                  "[Appearance]\r\nStyleSheet=../style.css\r\n[FTP Appearance]\r\nWatermark Image=mark.png\r\n",
            {"here.jpg", "sub/../gone.jpg"});
        BigIniFile ini(file);
        ini.writeString("Files", "AudioFile_1", "song.mp3");
        ini.flushFile();
        m_dialogs.shown.clear();

        openCatalogFile(workspace(), file);
        const Catalog& catalog = workspace().catalog();
        ASSERT_EQ(catalog.photos.size(), 2u);
        EXPECT_EQ(catalog.photos[0].storage.SourcePath, c.base + "here.jpg");
        EXPECT_EQ(catalog.photos[0].storage.WorkingPath, c.base + "here.jpg");
        EXPECT_EQ(catalog.photos[0].storage.AudioFile, c.base + "song.mp3");
        EXPECT_EQ(catalog.photos[1].storage.SourcePath, c.base + "gone.jpg");
        EXPECT_EQ(m_dialogs.texts(Kind::Error), std::vector<std::string>{kMissingStart + "1"}) << c.outputFolder;
        EXPECT_EQ(catalog.photoPageTexture, c.base + "tex/paper.jpg");
        EXPECT_EQ(catalog.indexPageTexture, "/fixed/tex.jpg");
        const AlbumSettings& settings = workspace().albumSettings();
        EXPECT_EQ(settings.StyleSheet, fs::path(c.base + "../style.css").lexically_normal().string());
        EXPECT_EQ(settings.ExternalStyleSheet, settings.StyleSheet);
        EXPECT_EQ(settings.WatermarkImage, c.base + "mark.png");
        EXPECT_EQ(workspace().outputFolder(), c.base);
    }
}

TEST_F(CatalogCommandsTest, TemplateIsChosenByExactNameThenByPosition)
{
    fs::create_directories(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS/baby.bmp", test::bmpBytes(4, 4));
    writeFile(m_home / "ALBUMS/Wedding.bmp", test::bmpBytes(4, 4));
    writeFile(m_home / "ALBUMS/Wedding.CFG", "[Size]\r\nLeft=25\r\n");
    restart();
    const struct {
        const char* preferences;
        std::int32_t index;
        const char* left;
    } cases[] = {{"Album Filename=Wedding\r\nAlbum Index=1\r\n", 2, "25"},
                 {"Album Filename=wedding\r\nAlbum Index=1\r\n", 1, "40"},
                 {"Album Filename=Gone\r\nAlbum Index=2\r\n", 2, "25"},
                 {"Album Index=7\r\n", 0, "40"},
                 {"Album Index=-1\r\n", 0, "40"},
                 {"Album Filename=Wedding\r\n", 2, "25"}};
    for (const auto& c : cases) {
        openCatalogFile(workspace(), handWritten("T.CAT", std::string("[Program]\r\nVersion=3.03\r\n[Preferences]\r\n")
                                                             + c.preferences, {}));
        EXPECT_EQ(workspace().catalog().templateIndex, c.index) << c.preferences;
        EXPECT_EQ(workspace().catalog().templateName, workspace().templateList().entries()[c.index]);
        EXPECT_EQ(workspace().albumSettings().Left, c.left) << c.preferences;
    }
}

TEST_F(CatalogCommandsTest, UnreadableCatalogChangesNothing)
{
    fs::create_directories(m_home / "Folder.CAT");
    addPhoto("Photos/a.jpg");
    workspace().catalog().name = "Mine.CAT";
    EXPECT_THROW(openCatalogFile(workspace(), path("Folder.CAT")), IoError);
    EXPECT_EQ(workspace().catalog().name, "Mine.CAT");
    EXPECT_EQ(workspace().catalog().photos.size(), 1u);
    EXPECT_TRUE(workspace().catalog().modified);
}

TEST_F(CatalogCommandsTest, DamagedFilesOpenWithWhatTheRulesAllow)
{
    std::mt19937 random(7);
    std::string binary;
    for (int i = 0; i < 65536; ++i)
        binary.push_back(static_cast<char>(random() & 0xFF));
    const struct {
        const char* name;
        std::string bytes;
        std::size_t photos;
        std::string caption; // of the first photo
    } cases[] = {
        {"binary", binary, 0, ""},
        {"binary after a header", "[Files]\r\nSource_File_1=/p/\xFF\xFE.jpg\r\n" + binary, 1, ""},
        {"non-UTF-8 names", "[Files]\r\nSource_File_1=/p/\xE9t\xE9.jpg\r\nCaption_1=\xC3(\r\n[Preferences]\r\n"
                            "Album Filename=\xFF\r\nAlbum Title=\x80\x81\r\n", 1, "\xC3("},
        {"lines longer than 255 bytes", "[Files]\r\nSource_File_1=/p/a.jpg\r\nCaption_1=" + std::string(400, 'c')
                                            + "\r\nDescr_1_Line_1" + std::string(300, 'k') + "=x\r\n", 1,
         std::string(400, 'c')},
        {"nothing but a NUL", std::string(1, '\0'), 0, ""},
    };
    for (const auto& c : cases) {
        writeFile(m_home / "Bad.CAT", c.bytes);
        openCatalogFile(workspace(), path("Bad.CAT"));
        EXPECT_EQ(workspace().catalog().photos.size(), c.photos) << c.name;
        EXPECT_EQ(workspace().catalog().name, "Bad.CAT");
        // What was loaded can be saved again and opened once more.
        m_dialogs.yesNoAnswers = {};
        EXPECT_TRUE(saveCatalog(workspace())) << c.name;
        openCatalogFile(workspace(), path("Bad.CAT"));
        ASSERT_EQ(workspace().catalog().photos.size(), c.photos) << c.name;
        if (c.photos > 0) {
            EXPECT_EQ(workspace().catalog().photos[0].storage.Caption, c.caption) << c.name;
        }
    }
}

TEST_F(CatalogCommandsTest, TenThousandPhotosOpenSaveAndOpenAgain)
{
    std::vector<std::string> sources;
    for (int n = 1; n <= 10000; ++n)
        sources.push_back("/nowhere/photo" + std::to_string(n) + ".jpg");
    openCatalogFile(workspace(), handWritten("Big.CAT", "[Program]\r\nVersion=3.03\r\n", sources));
    EXPECT_EQ(m_dialogs.texts(Kind::Error), std::vector<std::string>{kMissingStart + "10000"});
    ASSERT_EQ(workspace().catalog().photos.size(), 10000u);
    workspace().catalog().photos.erase(workspace().catalog().photos.begin() + 5000, workspace().catalog().photos.end());
    ASSERT_TRUE(saveCatalog(workspace()));
    const std::string text = readFile(m_home / "Big.CAT");
    EXPECT_NE(text.find("\r\nSource_File_5000=/nowhere/photo5000.jpg\r\nRotation_5000=0\r\nSource_File_5001=\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("photo5001.jpg"), std::string::npos) << "no key of a removed photo survives";
    openCatalogFile(workspace(), path("Big.CAT"));
    EXPECT_EQ(workspace().catalog().photos.size(), 5000u);
    EXPECT_EQ(workspace().catalog().photos.back().storage.SourcePath, "/nowhere/photo5000.jpg");
}

TEST_F(CatalogCommandsTest, FirstSaveAsksForAFileAndNamesTheCatalog)
{
    addPhoto("Photos/a.jpg");
    const std::string folder = path("trips");
    fs::create_directories(folder);
    const struct {
        std::optional<std::string> chosen;
        bool saved;
    } cases[] = {{std::nullopt, false}, {folder + "/Summer.cat", true}};
    for (const auto& c : cases) {
        m_dialogs.chooserAnswers = {c.chosen};
        m_dialogs.shown.clear();
        EXPECT_EQ(saveCatalog(workspace()), c.saved);
        ASSERT_EQ(m_dialogs.shown.size(), 1u);
        EXPECT_EQ(m_dialogs.shown[0].kind, Kind::SaveFile);
        EXPECT_EQ(m_dialogs.shown[0].folder, path("catalog"));
        EXPECT_TRUE(m_dialogs.shown[0].suggestedName.starts_with("Album_")
                    && m_dialogs.shown[0].suggestedName.ends_with(".Cat"))
            << m_dialogs.shown[0].suggestedName;
        const Catalog& catalog = workspace().catalog();
        EXPECT_EQ(catalog.modified, !c.saved);
        EXPECT_EQ(catalog.name, c.saved ? "Summer.cat" : "");
    }
    const Catalog& catalog = workspace().catalog();
    EXPECT_EQ(catalog.folder, folder);
    EXPECT_EQ(catalog.lastCatalogPath, folder + "/Summer.cat");
    EXPECT_EQ(workspace().lastCatalogEntry(), std::optional<std::string>("SUMMER.CAT"));
    EXPECT_EQ(workspace().caption(), "Pictaven 3.03 - Catalog <Summer.cat>");
    EXPECT_EQ(BigIniFile(folder + "/Summer.cat").readString("Files", "Source_File_1", ""), path("Photos/a.jpg"));
    EXPECT_EQ(fs::status(folder + "/Summer.cat").permissions() & fs::perms::others_read, fs::perms::none);

    // A named catalog is saved without a question.
    addPhoto("Photos/b.jpg");
    m_dialogs.shown.clear();
    EXPECT_TRUE(saveCatalog(workspace()));
    EXPECT_TRUE(m_dialogs.shown.empty());
    EXPECT_EQ(BigIniFile(folder + "/Summer.cat").readString("Files", "Source_File_2", ""), path("Photos/b.jpg"));
}

TEST_F(CatalogCommandsTest, OpeningAndSavingAgainChangesNoByte)
{
    addPhoto("Photos/a.jpg");
    addPhoto("Photos/b.jpg");
    m_dialogs.chooserAnswers = {path("Trip.CAT")};
    ASSERT_TRUE(saveCatalog(workspace()));
    const std::string written = readFile(m_home / "Trip.CAT");
    for (int round = 0; round < 2; ++round) {
        openCatalogFile(workspace(), path("Trip.CAT"));
        ASSERT_TRUE(saveCatalog(workspace()));
        EXPECT_EQ(readFile(m_home / "Trip.CAT"), written) << round;
    }
}

TEST_F(CatalogCommandsTest, SaveAsWritesANewFileAndLeavesTheOldOne)
{
    addPhoto("Photos/a.jpg");
    m_dialogs.chooserAnswers = {path("One.CAT")};
    ASSERT_TRUE(saveCatalog(workspace()));
    const std::string before = readFile(m_home / "One.CAT");
    addPhoto("Photos/b.jpg");

    fs::create_directories(m_home / "copies");
    m_dialogs.chooserAnswers = {path("copies/Two.CAT")};
    m_dialogs.shown.clear();
    EXPECT_TRUE(saveCatalogAs(workspace()));
    EXPECT_EQ(m_dialogs.shown.at(0).suggestedName, "One.CAT");
    EXPECT_EQ(readFile(m_home / "One.CAT"), before);
    EXPECT_EQ(BigIniFile(path("copies/Two.CAT")).readString("Files", "Source_File_2", ""), path("Photos/b.jpg"));
    EXPECT_EQ(workspace().catalog().name, "Two.CAT");
    EXPECT_EQ(workspace().catalog().folder, path("copies"));
    EXPECT_EQ(workspace().catalog().lastCatalogPath, path("copies/Two.CAT"));
    EXPECT_FALSE(workspace().catalog().modified);
}

TEST_F(CatalogCommandsTest, ANameChosenWithoutTheExtensionGetsIt)
{
    fs::create_directories(m_home / "trips");
    writeFile(m_home / "trips/Taken.CAT", "[Directories]\r\n");
    const std::string replace = path("trips/Taken.CAT") + " already exists.\r\nDo you want to replace it?";
    const struct {
        const char* what;
        bool named; // the catalog has a file already, so that Save would not ask
        std::string chosen;
        std::deque<bool> replaceAnswers;
        std::string written; // empty: nothing is written
    } cases[] = {
        {"Save", false, path("trips/summer2026"), {}, "summer2026.CAT"},
        {"Save As", true, path("trips/summer2026"), {}, "summer2026.CAT"},
        {"Save As, keeping the name", true, path("trips/Summer.Cat"), {}, "Summer.Cat"},
        {"Save As over a file, replaced", true, path("trips/Taken"), {true}, "Taken.CAT"},
        {"Save As over a file, kept", true, path("trips/Taken"), {false}, ""},
        {"Save over a file, kept", false, path("trips/Taken"), {false}, ""},
    };
    for (const auto& c : cases) {
        for (const char* name : {"summer2026.CAT", "Summer.Cat"})
            fs::remove(m_home / "trips" / name);
        workspace().catalog().modified = false;
        closeCatalog(workspace());
        if (c.named) {
            m_dialogs.chooserAnswers = {path("First.CAT")};
            ASSERT_TRUE(saveCatalog(workspace())) << c.what;
        }
        addPhoto("Photos/a.jpg");
        const std::string taken = readFile(m_home / "trips/Taken.CAT");
        const std::string name = workspace().catalog().name;
        m_dialogs.chooserAnswers = {c.chosen};
        m_dialogs.yesNoAnswers = c.replaceAnswers;
        m_dialogs.shown.clear();

        const bool saved = c.named ? saveCatalogAs(workspace()) : saveCatalog(workspace());
        EXPECT_EQ(saved, !c.written.empty()) << c.what;
        EXPECT_EQ(m_dialogs.texts(Kind::Question),
                  c.replaceAnswers.empty() ? std::vector<std::string>{} : std::vector<std::string>{replace})
            << c.what;
        EXPECT_TRUE(m_dialogs.yesNoAnswers.empty()) << c.what;
        const Catalog& catalog = workspace().catalog();
        if (saved) {
            EXPECT_EQ(catalog.name, c.written) << c.what;
            EXPECT_EQ(catalog.folder, path("trips")) << c.what;
            EXPECT_FALSE(catalog.modified) << c.what;
            EXPECT_EQ(BigIniFile(path("trips/" + c.written)).readString("Files", "Source_File_1", ""),
                      path("Photos/a.jpg"))
                << c.what;
        } else {
            EXPECT_EQ(catalog.name, name) << c.what;
            EXPECT_TRUE(catalog.modified) << c.what;
            EXPECT_EQ(readFile(m_home / "trips/Taken.CAT"), taken) << c.what;
        }
        if (c.written != "summer2026.CAT") {
            EXPECT_FALSE(fs::exists(m_home / "trips/summer2026.CAT")) << c.what;
        }
    }
}

TEST_F(CatalogCommandsTest, FailedSaveKeepsTheOldFileAndTheChanges)
{
    addPhoto("Photos/a.jpg");
    m_dialogs.chooserAnswers = {path("Trip.CAT")};
    ASSERT_TRUE(saveCatalog(workspace()));
    const std::string before = readFile(m_home / "Trip.CAT");
    for (int n = 0; n < 50; ++n)
        addPhoto("Photos/more" + std::to_string(n) + ".jpg");
    {
        const test::FileSizeLimit limit(before.size() + 100);
        EXPECT_THROW(saveCatalog(workspace()), IoError);
        m_dialogs.chooserAnswers = {path("Other.CAT")};
        EXPECT_THROW(saveCatalogAs(workspace()), IoError);
    }
    EXPECT_EQ(readFile(m_home / "Trip.CAT"), before);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(workspace().catalog().name, "Trip.CAT");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(m_home.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left,
        (std::vector<std::string>{"CDROM", "Photos", "Projects", "Trip.CAT", "catalog", "settings.ini", "temp"}));
}

TEST_F(CatalogCommandsTest, CloseOffersToSaveAndReturnsToTheBasicAlbum)
{
    fs::create_directories(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS/Board.bmp", test::bmpBytes(4, 4));
    writeFile(m_home / "ALBUMS/DEFAULT.CFG", "[Generate Options]\r\nAlbumShortName=basic\r\n");
    restart();
    addPhoto("Photos/a.jpg");
    m_dialogs.chooserAnswers = {path("Trip.CAT")};
    ASSERT_TRUE(saveCatalog(workspace()));
    changeTemplate(workspace(), 1);
    workspace().catalog().albumTitle = "Trip";
    workspace().catalog().photoPageTexture = "/t.jpg";
    const std::string saved = readFile(m_home / "Trip.CAT");

    m_dialogs.saveAnswers = {Dialogs::SaveChoice::Discard};
    m_dialogs.shown.clear();
    closeCatalog(workspace());
    EXPECT_EQ(m_dialogs.texts(Kind::Question),
              std::vector<std::string>{"Catalog [Trip.CAT] has changed - Save catalog now? "});
    EXPECT_EQ(readFile(m_home / "Trip.CAT"), saved);
    const Catalog& catalog = workspace().catalog();
    EXPECT_TRUE(catalog.name.empty() && catalog.photos.empty() && catalog.photoPageTexture.empty());
    EXPECT_FALSE(catalog.modified);
    EXPECT_EQ(catalog.albumTitle, "Untitled Album Title");
    EXPECT_EQ(catalog.templateIndex, 0);
    EXPECT_EQ(templateFileName(workspace()), "DEFAULT");
    EXPECT_EQ(workspace().albumSettings().AlbumShortName, "basic") << "DEFAULT.CFG read in catalog mode";
    EXPECT_EQ(workspace().caption(), "Pictaven 3.03");
    EXPECT_EQ(workspace().step1Folder(), path("Photos"));
    EXPECT_FALSE(workspace().guards().photosSelected);
    EXPECT_TRUE(workspace().generationFlags().rerenderPhotos);
}

TEST_F(CatalogCommandsTest, OpenCommandAndLastCatalogEntry)
{
    addPhoto("Photos/a.jpg");
    fs::create_directories(m_home / "trips");
    m_dialogs.chooserAnswers = {path("trips/Trip.CAT")};
    ASSERT_TRUE(saveCatalog(workspace()));
    closeCatalog(workspace());

    m_dialogs.chooserAnswers = {std::nullopt, path("trips/Trip.txt"), path("trips/Trip.CAT")};
    EXPECT_FALSE(chooseAndOpenCatalog(workspace()));
    EXPECT_FALSE(chooseAndOpenCatalog(workspace()));
    EXPECT_TRUE(workspace().catalog().name.empty());
    m_dialogs.shown.clear();
    EXPECT_TRUE(chooseAndOpenCatalog(workspace()));
    EXPECT_EQ(m_dialogs.shown.at(0).folder, path("trips")) << "the folder of the last catalog saved";
    EXPECT_EQ(workspace().catalog().name, "Trip.CAT");
    EXPECT_EQ(workspace().catalog().photos.size(), 1u);
    EXPECT_EQ(workspace().lastCatalogEntry(), std::optional<std::string>("TRIP.CAT"));

    // The entry survives a restart through album.cfg, and opens the catalog it names.
    EXPECT_TRUE(workspace().close());
    Workspace& again = restart();
    EXPECT_EQ(again.lastCatalogEntry(), std::optional<std::string>("Trip.CAT"));
    openLastCatalog(again);
    EXPECT_EQ(again.catalog().photos.size(), 1u);
    EXPECT_EQ(again.lastCatalogEntry(), std::optional<std::string>("Trip.CAT")) << "the caption is not changed";
}

TEST_F(CatalogCommandsTest, ExitSavesThroughTheCatalogSaveCommand)
{
    addPhoto("Photos/a.jpg");
    m_dialogs.chooserAnswers = {path("Trip.CAT")};
    ASSERT_TRUE(saveCatalog(workspace()));
    addPhoto("Photos/b.jpg");
    m_dialogs.saveAnswers = {Dialogs::SaveChoice::Save};
    EXPECT_TRUE(workspace().close());
    EXPECT_EQ(BigIniFile(path("Trip.CAT")).readString("Files", "Source_File_2", ""), path("Photos/b.jpg"));
}

TEST_F(CatalogCommandsTest, NewCatalogDialogRules)
{
    fs::create_directories(m_home / "catalog");
    writeFile(m_home / "catalog/Taken.CAT", "");
    fs::create_directories(m_home / "elsewhere");
    writeFile(m_home / "elsewhere/Used.CAT", "");
    const std::string exists = "] already exists.\r\n\r\nPlease use a different name! ";
    const struct {
        std::string typed;
        bool accepted;
        std::string result; // the name, or the message
    } cases[] = {
        {"", false, ""},
        {"Holiday", true, "Holiday.CAT"},
        {"holiday.cat", true, "holiday.cat.CAT"},
        {"Trip.CAT", true, "Trip.CAT"},
        {"Taken", false, "Photo Album [" + path("catalog/Taken.CAT") + exists},
        {"Used.CAT", false, "Photo Album [" + path("elsewhere/Used.CAT") + exists},
    };
    for (const auto& c : cases) {
        const NewCatalogNameCheck check = checkNewCatalogName(c.typed, m_home.str(), path("elsewhere"));
        EXPECT_EQ(check.accepted, c.accepted) << c.typed;
        EXPECT_EQ(c.accepted ? check.name : check.message, c.result) << c.typed;
    }
    EXPECT_FALSE(fs::exists(m_home / "elsewhere/Holiday.CAT")) << "the probe file is gone";
    const NewCatalogNameCheck unusable = checkNewCatalogName("X", m_home.str(), path("catalog/Taken.CAT"));
    EXPECT_FALSE(unusable.accepted);
    EXPECT_TRUE(unusable.message.starts_with("The catalog [" + path("catalog/Taken.CAT/X.CAT") + "] cannot be created: "))
        << unusable.message;
}

TEST_F(CatalogCommandsTest, NewCatalogAsksAgainUntilANameIsAcceptedAndSavesWithoutAsking)
{
    fs::create_directories(m_home / "catalog");
    writeFile(m_home / "catalog/Taken.CAT", "");
    addPhoto("Photos/a.jpg");
    std::deque<std::optional<std::string>> typed = {"", "Taken", "Holiday"};
    const auto ask = [&]() {
        auto next = typed.front();
        typed.pop_front();
        return next;
    };
    m_dialogs.saveAnswers = {Dialogs::SaveChoice::Discard};
    EXPECT_TRUE(newCatalog(workspace(), ask));
    EXPECT_EQ(m_dialogs.texts(Kind::Question),
              std::vector<std::string>{"Catalog [Unnamed Catalog] has changed - Save catalog now? "});
    EXPECT_EQ(m_dialogs.texts(Kind::Information).size(), 1u);
    EXPECT_EQ(workspace().catalog().name, "Holiday.CAT");
    EXPECT_TRUE(workspace().catalog().photos.empty());
    EXPECT_EQ(workspace().caption(), "Pictaven 3.03 [Holiday.CAT]");
    EXPECT_FALSE(fs::exists(m_home / "catalog/Holiday.CAT")) << "nothing is written before the first save";

    addPhoto("Photos/b.jpg");
    m_dialogs.shown.clear();
    EXPECT_TRUE(saveCatalog(workspace()));
    EXPECT_TRUE(m_dialogs.shown.empty());
    EXPECT_EQ(BigIniFile(path("catalog/Holiday.CAT")).readString("Files", "Source_File_1", ""), path("Photos/b.jpg"));
}

TEST_F(CatalogCommandsTest, CancelledNewCatalogKeepsTheChangesTheUserDidNotSave)
{
    addPhoto("Photos/a.jpg");
    m_dialogs.saveAnswers = {Dialogs::SaveChoice::Discard};
    EXPECT_FALSE(newCatalog(workspace(), [] { return std::optional<std::string>(); }));
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(workspace().catalog().photos.size(), 1u);
}

TEST(DefaultCatalogName, MonthDayAndYear)
{
    std::tm parts{};
    parts.tm_year = 2004 - 1900;
    parts.tm_mon = 2;
    parts.tm_mday = 5;
    parts.tm_hour = 12;
    parts.tm_isdst = -1;
    EXPECT_EQ(defaultCatalogName(std::mktime(&parts), std::locale::classic()), "Album_Mar_05_2004.Cat");
}

} // namespace
} // namespace pictaven
