#include "session/Step2Presenter.h"
#include "session/Step3Presenter.h"
#include "session/StepNavigator.h"

#include "WorkspaceFixture.h"

#include <filesystem>

namespace pictaven {
namespace {

using test::ScriptedDialogs;
using test::writeFile;
namespace fs = std::filesystem;
using Kind = ScriptedDialogs::Kind;

class Step2PresenterTest : public test::WorkspaceFixture {
protected:
    void putTemplate(const std::string& name, const std::string& bytes)
    {
        fs::create_directories(m_home / "ALBUMS");
        writeFile(m_home / "ALBUMS" / name, bytes);
    }
};

TEST_F(Step2PresenterTest, ShortNameTakesOnlyDigitsLowerCaseLettersAndBackspace)
{
    struct Case {
        std::string typed;
        std::string shown;
    };
    const Case cases[] = {
        {"My Album!", "ylbum"},     {"trip2024", "trip2024"},
        {"abc\b\bz", "az"},         {"abcdefghijklmnopqrst", "abcdefghijklmn"},
        {"\xC3\xA9t\xC3\xA9", "t"},
    };
    for (const Case& c : cases) {
        Step2Presenter presenter(workspace());
        std::string box;
        presenter.setShortName(box);
        for (const char key : c.typed) {
            if (!Step2Presenter::shortNameKeyAccepted(static_cast<unsigned char>(key)))
                continue;
            if (key == '\b') {
                if (!box.empty())
                    box.pop_back();
            } else {
                box += key;
            }
            presenter.setShortName(box);
        }
        EXPECT_EQ(workspace().albumSettings().AlbumShortName, c.shown) << c.typed;
        EXPECT_EQ(presenter.view().shortName, c.shown) << c.typed;
    }
}

TEST_F(Step2PresenterTest, ChoosingATemplateReadsItAndTellsEveryPage)
{
    putTemplate("Board.bmp", "x");
    putTemplate("Board.CFG", "[Size]\r\nThumbWidth=120\r\n");
    restart();
    Step2Presenter presenter(workspace());
    int told = 0;
    workspace().changes().subscribe([&told] { ++told; });
    EXPECT_EQ(presenter.view().templates, (std::vector<std::string>{"<Basic Photo Album>", "Board"}));

    presenter.chooseTemplate(1);
    EXPECT_EQ(presenter.view().chosenTemplate, 1);
    EXPECT_EQ(workspace().albumSettings().ThumbWidth, 120);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(told, 1);

    presenter.chooseTemplate(7);
    EXPECT_EQ(m_dialogs.texts(Kind::Error).size(), 1u) << "a missing entry is shown, not thrown";
    EXPECT_EQ(presenter.view().chosenTemplate, 1);
}

TEST_F(Step2PresenterTest, RestoreReadsTheFactoryCopy)
{
    putTemplate("DEFAULT.CFG", "[Size]\r\nThumbWidth=99\r\n");
    putTemplate("DEFAULT.DEF", "[Size]\r\nThumbWidth=77\r\n");
    restart();
    Step2Presenter presenter(workspace());
    ASSERT_EQ(workspace().albumSettings().ThumbWidth, 99);
    presenter.restoreTemplate();
    EXPECT_EQ(workspace().albumSettings().ThumbWidth, 77);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(Step2PresenterTest, TitleAndThemeMarkTheCatalogChanged)
{
    Step2Presenter presenter(workspace());
    EXPECT_EQ(presenter.view().styleThemes.size(), 12u);
    EXPECT_EQ(presenter.view().styleThemes.back(), "Light Gray Theme");
    workspace().albumSettings().StyleTheme = -1;
    EXPECT_EQ(presenter.view().styleTheme, 0) << "none chosen shows the first theme";

    int told = 0;
    presenter.changed().subscribe([&told] { ++told; });
    presenter.setAlbumTitle("Summer");
    EXPECT_EQ(workspace().catalog().albumTitle, "Summer");
    EXPECT_TRUE(workspace().catalog().modified);
    workspace().catalog().modified = false;
    presenter.setStyleTheme(4);
    EXPECT_EQ(workspace().albumSettings().StyleTheme, 4);
    EXPECT_EQ(presenter.view().styleTheme, 4);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(told, 2);

    workspace().setJobRunning(true);
    presenter.setAlbumTitle("Winter");
    presenter.setStyleTheme(2);
    EXPECT_FALSE(presenter.view().enabled);
    EXPECT_EQ(workspace().catalog().albumTitle, "Summer");
    EXPECT_EQ(workspace().albumSettings().StyleTheme, 4);
}

TEST_F(Step2PresenterTest, VideoLongSideStaysWithinItsRange)
{
    Step2Presenter presenter(workspace());
    EXPECT_EQ(presenter.view().videoLongSide, 1920);
    EXPECT_LT(presenter.view().videoLongSideLowest, 640);
    EXPECT_GE(presenter.view().videoLongSideHighest, 3840);
    presenter.setVideoLongSide(1280);
    EXPECT_EQ(workspace().albumSettings().VideoLongSide, 1280);
    EXPECT_TRUE(workspace().catalog().modified);
    presenter.setVideoLongSide(1);
    EXPECT_EQ(workspace().albumSettings().VideoLongSide, presenter.view().videoLongSideLowest);

    workspace().setJobRunning(true);
    presenter.setVideoLongSide(1280);
    EXPECT_EQ(workspace().albumSettings().VideoLongSide, presenter.view().videoLongSideLowest);
}

TEST_F(Step2PresenterTest, CatalogEditorNeedsPhotos)
{
    Step2Presenter presenter(workspace());
    EXPECT_FALSE(presenter.catalogEditorAllowed());
    EXPECT_EQ(m_dialogs.texts(Kind::Information),
              std::vector<std::string>{"You must first select photos for the photo album from Step 1."});
    workspace().catalog().photos.push_back({"a.jpg", {}});
    m_dialogs.shown.clear();
    EXPECT_TRUE(presenter.catalogEditorAllowed());
    EXPECT_TRUE(m_dialogs.shown.empty());
}

class Step3PresenterTest : public test::WorkspaceFixture {
protected:
    void addPhoto(const std::string& source, const std::string& working)
    {
        FileStorage storage;
        storage.SourcePath = source;
        storage.WorkingPath = working;
        workspace().catalog().photos.push_back({fs::path(source).filename().string(), storage});
        workspace().guards().photosSelected = true;
    }
    std::string folder(const std::string& name)
    {
        fs::create_directories(m_home / name);
        return path(name);
    }
    StepNavigator m_navigator{workspace()};
};

TEST_F(Step3PresenterTest, MovingTheTreeMakesItsFolderTheOutputFolder)
{
    const std::string photos = folder("Pics");
    const std::string other = folder("Out");
    addPhoto(photos + "/a.jpg", photos + "/a.jpg");
    Step3Presenter presenter(workspace(), m_navigator);

    struct Case {
        std::string moveTo;
        bool photoFolder;
    };
    const Case cases[] = {{other, false}, {path("PICS"), true}, {photos, true}, {other + "/", false}};
    for (const Case& c : cases) {
        workspace().generationFlags().rerenderPhotos = false;
        fs::create_directories(c.moveTo);
        presenter.moveTree(c.moveTo);
        const std::string tree = c.moveTo.back() == '/' ? c.moveTo.substr(0, c.moveTo.size() - 1) : c.moveTo;
        EXPECT_EQ(presenter.view().treeFolder, tree);
        EXPECT_EQ(presenter.view().destinationLine, "[" + tree + "]");
        EXPECT_EQ(workspace().outputFolder(), tree + "/");
        EXPECT_EQ(workspace().guards().outputIsPhotoFolder, c.photoFolder) << c.moveTo;
        EXPECT_EQ(workspace().guards().outputFolderValid, !c.photoFolder) << c.moveTo;
    }
    workspace().generationFlags().rerenderPhotos = false;
    presenter.moveTree(other);
    EXPECT_FALSE(workspace().generationFlags().rerenderPhotos) << "a tree that stays put is no change";
}

TEST_F(Step3PresenterTest, TheVolumeBoxJudgesByTheWorkingCopies)
{
    addPhoto("/elsewhere/a.png", "/a.jpg");
    Step3Presenter presenter(workspace(), m_navigator);
    presenter.moveTree("/");
    EXPECT_FALSE(workspace().guards().outputIsPhotoFolder);
    presenter.moveTree(folder("Out"));
    presenter.chooseVolume("/");
    EXPECT_EQ(workspace().outputFolder(), "/");
    EXPECT_TRUE(workspace().guards().outputIsPhotoFolder);
    EXPECT_FALSE(workspace().guards().outputFolderValid);
}

TEST_F(Step3PresenterTest, EnteringBringsTheTreeToTheOutputFolder)
{
    const std::string output = folder("Out");
    Step3Presenter presenter(workspace(), m_navigator);
    workspace().outputFolders().outputFolder = output;
    presenter.enter();
    EXPECT_EQ(presenter.view().treeFolder, output);
    EXPECT_EQ(workspace().outputFolder(), output + "/");
    EXPECT_EQ(presenter.view().destinationLine, "[" + output + "]");

    workspace().generationFlags().rerenderPhotos = false;
    presenter.enter();
    EXPECT_EQ(presenter.view().destinationLine, "[" + output + "/]");
    EXPECT_FALSE(workspace().generationFlags().rerenderPhotos);
}

TEST_F(Step3PresenterTest, ACatalogMovingTheTreeAppliesTheSameRule)
{
    const std::string photos = folder("Pics");
    addPhoto(photos + "/a.jpg", photos + "/a.jpg");
    auto presenter = std::make_unique<Step3Presenter>(workspace(), m_navigator);
    OutputFolderState& folders = workspace().outputFolders();
    folders.treeFolder = photos;
    folders.outputFolder = photos + "/";
    folders.onTreeMoved();
    EXPECT_TRUE(workspace().guards().outputIsPhotoFolder);
    EXPECT_EQ(presenter->view().destinationLine, "[" + photos + "]");
    presenter.reset();
    EXPECT_FALSE(folders.onTreeMoved);
}

TEST_F(Step3PresenterTest, CreateDirectoryAsksBeforeCreatingAMissingFolder)
{
    Step3Presenter presenter(workspace(), m_navigator);
    const std::string start = presenter.view().treeFolder;
    const std::string wanted = path("New/Album");
    struct Case {
        std::optional<std::string> chosen;
        std::vector<bool> answers;
        bool created;
        std::string tree;
    };
    const Case cases[] = {
        {std::nullopt, {}, false, start},
        {wanted, {false}, false, start},
        {wanted, {true}, true, wanted},
    };
    for (const Case& c : cases) {
        m_dialogs.shown.clear();
        m_dialogs.chooserAnswers.push_back(c.chosen);
        m_dialogs.yesNoAnswers.assign(c.answers.begin(), c.answers.end());
        presenter.createDirectory();
        ASSERT_EQ(m_dialogs.shown.at(0).kind, Kind::Folder);
        EXPECT_EQ(m_dialogs.shown.at(0).folder, start);
        EXPECT_EQ(m_dialogs.texts(Kind::Question).size(), c.answers.size());
        EXPECT_EQ(fs::is_directory(wanted), c.created);
        EXPECT_EQ(presenter.view().treeFolder, c.tree);
    }
    // An existing folder is taken without a question.
    m_dialogs.shown.clear();
    m_dialogs.chooserAnswers.push_back(folder("Out"));
    presenter.createDirectory();
    EXPECT_TRUE(m_dialogs.texts(Kind::Question).empty());
    EXPECT_EQ(presenter.view().treeFolder, path("Out"));
}

TEST_F(Step3PresenterTest, AFolderThatCannotBeCreatedIsAnError)
{
    writeFile(m_home / "blocker", "x");
    Step3Presenter presenter(workspace(), m_navigator);
    const std::string start = presenter.view().treeFolder;
    m_dialogs.chooserAnswers.push_back(path("blocker/inside"));
    m_dialogs.yesNoAnswers.push_back(true);
    presenter.createDirectory();
    EXPECT_EQ(m_dialogs.texts(Kind::Question),
              std::vector<std::string>{"The specified directory does not exist. Create it?"});
    ASSERT_EQ(m_dialogs.texts(Kind::Error).size(), 1u);
    EXPECT_NE(m_dialogs.texts(Kind::Error)[0].find(path("blocker/inside")), std::string::npos);
    EXPECT_EQ(presenter.view().treeFolder, start);
}

TEST_F(Step3PresenterTest, TexturesMarkTheCatalogAndRecheckTheOutputFolder)
{
    Step3Presenter presenter(workspace(), m_navigator);
    for (const bool photoFolder : {false, true}) {
        workspace().catalog().modified = false;
        workspace().guards().outputIsPhotoFolder = photoFolder;
        workspace().guards().outputFolderValid = photoFolder;
        presenter.setIndexPageTexture(photoFolder ? "/t/index.gif" : "/t/other.gif");
        EXPECT_TRUE(workspace().catalog().modified);
        EXPECT_EQ(workspace().guards().outputFolderValid, !photoFolder);
    }
    EXPECT_EQ(presenter.view().indexPageTexture, "/t/index.gif");

    workspace().catalog().modified = false;
    presenter.setIndexPageTexture("/t/index.gif");
    EXPECT_FALSE(workspace().catalog().modified) << "a box left unchanged changes nothing";

    m_dialogs.chooserAnswers = {std::nullopt, path("backgrnd/stone.jpg")};
    presenter.browsePhotoPageTexture();
    EXPECT_EQ(workspace().catalog().photoPageTexture, "");
    presenter.browsePhotoPageTexture();
    EXPECT_EQ(presenter.view().photoPageTexture, path("backgrnd/stone.jpg"));
    EXPECT_EQ(m_dialogs.shown.at(0).text, "Texture (Photo Page)");
    EXPECT_EQ(m_dialogs.shown.at(0).folder, path("backgrnd"));
}

TEST_F(Step3PresenterTest, LeavingRechecksTheGuards)
{
    Step3Presenter presenter(workspace(), m_navigator);
    workspace().guards().photosSelected = true;
    workspace().guards().outputFolderValid = false;
    workspace().albumSettings().ThumbWidth = -1;
    presenter.leave();
    EXPECT_FALSE(workspace().guards().photosSelected);
    EXPECT_FALSE(workspace().guards().settingsValid);
    EXPECT_TRUE(workspace().guards().outputFolderValid);
}

} // namespace
} // namespace pictaven
