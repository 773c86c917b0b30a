#include "ini/BigIniFile.h"
#include "session/CatalogFilePresenter.h"
#include "session/StepNavigator.h"

#include "WorkspaceFixture.h"

#include <filesystem>
#include <functional>

namespace pictaven {
namespace {

using test::ScriptedDialogs;
using Kind = ScriptedDialogs::Kind;
using SaveChoice = Dialogs::SaveChoice;
namespace fs = std::filesystem;

std::string question(const std::string& name)
{
    return "Catalog [" + name + "] has changed - Save catalog now? ";
}

class CatalogFilePresenterTest : public test::WorkspaceFixture {
protected:
    // The presenter shows every error it catches, so a question the test did not answer would
    // otherwise pass unnoticed.
    void TearDown() override
    {
        for (const ScriptedDialogs::Shown& shown : m_dialogs.shown)
            EXPECT_EQ(shown.text.find("no scripted answer"), std::string::npos) << shown.text;
    }

    CatalogFilePresenter& presenter()
    {
        if (!m_presenter) {
            m_navigator = std::make_unique<StepNavigator>(workspace());
            m_presenter = std::make_unique<CatalogFilePresenter>(workspace(), *m_navigator);
            workspace().changes().subscribe([this] { ++m_told; });
        }
        return *m_presenter;
    }

    StepNavigator& navigator()
    {
        presenter();
        return *m_navigator;
    }

    void addPhoto(const std::string& name)
    {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath = photo(name);
        workspace().catalog().photos.push_back({fs::path(name).filename().string(), storage});
        workspace().catalog().modified = true;
        workspace().guards().photosSelected = true;
    }

    // Goes to step 3 with the output folder taken for a photo's folder.
    void showStepThree()
    {
        workspace().guards().outputIsPhotoFolder = true;
        ASSERT_TRUE(navigator().selectStep(3, StepClick::Panel));
    }

    // A saved catalog of one photo at `name`, then closed.
    std::string savedCatalog(const std::string& name)
    {
        addPhoto("Photos/a.jpg");
        fs::create_directories(fs::path(path(name)).parent_path());
        m_dialogs.chooserAnswers = {path(name)};
        presenter().save();
        EXPECT_EQ(workspace().catalog().name, fs::path(name).filename().string());
        presenter().close();
        m_dialogs.shown.clear();
        return path(name);
    }

    std::unique_ptr<StepNavigator> m_navigator;
    std::unique_ptr<CatalogFilePresenter> m_presenter;
    int m_told = 0;
};

TEST_F(CatalogFilePresenterTest, OpenAsksAboutChangesThenShowsStepOneWithTheCatalogsGuards)
{
    const std::string catalog = savedCatalog("Trip.CAT");
    addPhoto("Photos/b.jpg");
    showStepThree();
    m_told = 0;

    m_dialogs.saveAnswers = {SaveChoice::Discard};
    m_dialogs.chooserAnswers = {catalog};
    presenter().open();
    EXPECT_EQ(m_dialogs.texts(Kind::Question), std::vector<std::string>{question("Unnamed Catalog")});
    EXPECT_EQ(navigator().currentStep(), 1);
    const StepGuards& guards = workspace().guards();
    EXPECT_TRUE(guards.photosSelected && guards.settingsValid && guards.outputFolderValid);
    EXPECT_FALSE(guards.albumGenerated);
    const CatalogFileView view = presenter().view();
    EXPECT_EQ(view.caption, "Pictaven 3.03 - Catalog <Trip.CAT>");
    EXPECT_EQ(view.lastCatalogEntry, std::optional<std::string>("TRIP.CAT"));
    EXPECT_GE(m_told, 1);

    // Cancelling the chooser keeps the step and the catalog.
    ASSERT_TRUE(navigator().selectStep(3, StepClick::Panel));
    m_dialogs.chooserAnswers = {std::nullopt};
    presenter().open();
    EXPECT_EQ(navigator().currentStep(), 3);
    EXPECT_EQ(workspace().catalog().name, "Trip.CAT");
}

TEST_F(CatalogFilePresenterTest, EachCloseAsksOnceAboutChanges)
{
    struct Case {
        const char* what;
        bool named;
        SaveChoice answer;
        std::vector<std::string> questions;
        bool savedFile;
    };
    const std::vector<Case> cases = {
        {"named, Save", true, SaveChoice::Save, {question("Trip.CAT")}, true},
        {"named, Discard", true, SaveChoice::Discard, {question("Trip.CAT")}, false},
        {"unnamed, Discard", false, SaveChoice::Discard, {question("Unnamed Catalog")}, false},
    };
    for (const Case& c : cases) {
        const std::string catalog = savedCatalog("Trip.CAT");
        if (c.named) {
            m_dialogs.chooserAnswers = {catalog};
            presenter().open();
        }
        fs::remove(catalog);
        addPhoto("Photos/b.jpg");
        showStepThree();
        m_dialogs.shown.clear();
        m_dialogs.saveAnswers = {c.answer};
        presenter().close();
        EXPECT_EQ(m_dialogs.texts(Kind::Question), c.questions) << c.what;
        EXPECT_EQ(fs::exists(catalog), c.savedFile) << c.what;
        EXPECT_TRUE(workspace().catalog().photos.empty()) << c.what;
        EXPECT_EQ(presenter().view().caption, "Pictaven 3.03") << c.what;
        EXPECT_EQ(navigator().currentStep(), 1) << c.what;
        EXPECT_FALSE(workspace().guards().photosSelected) << c.what;
    }

    // Save for an unnamed catalog, then Cancel in the chooser: nothing is closed.
    addPhoto("Photos/b.jpg");
    showStepThree();
    m_dialogs.saveAnswers = {SaveChoice::Save};
    m_dialogs.chooserAnswers = {std::nullopt};
    presenter().close();
    EXPECT_EQ(workspace().catalog().photos.size(), 1u);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(navigator().currentStep(), 3);
}

TEST_F(CatalogFilePresenterTest, CancelInTheSaveQuestionStopsEveryCommandWithNothingChanged)
{
    bool askedForAName = false;
    bool windowMayClose = false;
    const auto newCatalog = [&] {
        presenter().newCatalog([&] {
            askedForAName = true;
            return std::optional<std::string>("Other");
        });
    };
    const auto open = [&] { presenter().open(); };
    const auto close = [&] { presenter().close(); };
    const auto exit = [&] { windowMayClose = presenter().exit(); };
    const struct {
        const char* what;
        bool named;
        std::function<void()> command;
    } cases[] = {
        {"New, unnamed", false, newCatalog},
        {"New, named", true, newCatalog},
        {"Open, unnamed", false, open},
        {"Open, named", true, open},
        {"last catalog, named", true, [&] { presenter().openLast(); }},
        {"Close, unnamed", false, close},
        {"Close, named", true, close},
        {"Exit, unnamed", false, exit},
        {"Exit, named", true, exit},
    };
    for (const auto& c : cases) {
        const std::string catalog = savedCatalog("Trip.CAT");
        if (c.named) {
            m_dialogs.chooserAnswers = {catalog};
            presenter().open();
        }
        addPhoto("Photos/b.jpg");
        showStepThree();
        const std::string saved = test::readFile(catalog);
        const std::string name = workspace().catalog().name;
        const std::size_t photos = workspace().catalog().photos.size();
        m_dialogs.shown.clear();
        m_dialogs.saveAnswers = {SaveChoice::Cancel};

        c.command();
        EXPECT_EQ(m_dialogs.texts(Kind::Question),
                  std::vector<std::string>{question(c.named ? "Trip.CAT" : "Unnamed Catalog")})
            << c.what;
        EXPECT_EQ(m_dialogs.shown.size(), 1u) << c.what << ": nothing else is shown after Cancel";
        EXPECT_FALSE(askedForAName) << c.what;
        EXPECT_FALSE(windowMayClose) << c.what;
        EXPECT_EQ(workspace().catalog().name, name) << c.what;
        EXPECT_EQ(workspace().catalog().photos.size(), photos) << c.what;
        EXPECT_TRUE(workspace().catalog().modified) << c.what;
        EXPECT_EQ(test::readFile(catalog), saved) << c.what;
        EXPECT_EQ(navigator().currentStep(), 3) << c.what;

        m_dialogs.saveAnswers = {SaveChoice::Discard};
        presenter().close();
    }
}

TEST_F(CatalogFilePresenterTest, NewAsksOnceAndNamesTheCatalog)
{
    addPhoto("Photos/a.jpg");
    showStepThree();
    m_dialogs.saveAnswers = {SaveChoice::Discard};
    std::vector<std::string> typed = {"", "Holiday"};
    presenter().newCatalog([&typed]() -> std::optional<std::string> {
        const std::string next = typed.front();
        typed.erase(typed.begin());
        return next;
    });
    EXPECT_EQ(m_dialogs.texts(Kind::Question), std::vector<std::string>{question("Unnamed Catalog")});
    EXPECT_EQ(presenter().view().caption, "Pictaven 3.03 [Holiday.CAT]");
    EXPECT_EQ(navigator().currentStep(), 1);
    EXPECT_TRUE(workspace().catalog().photos.empty());

    // Cancel keeps the catalog and the step.
    addPhoto("Photos/a.jpg");
    ASSERT_TRUE(navigator().selectStep(2, StepClick::Panel));
    m_dialogs.saveAnswers = {SaveChoice::Discard};
    presenter().newCatalog([] { return std::optional<std::string>(); });
    EXPECT_EQ(navigator().currentStep(), 2);
    EXPECT_EQ(workspace().catalog().name, "Holiday.CAT");
}

TEST_F(CatalogFilePresenterTest, SaveIsGreyWhileItRunsAndFailuresAreShown)
{
    std::vector<bool> saveEnabled;
    presenter().changed().subscribe([&] { saveEnabled.push_back(presenter().view().saveEnabled); });
    addPhoto("Photos/a.jpg");
    m_dialogs.chooserAnswers = {path("Trip.CAT")};
    presenter().save();
    EXPECT_EQ(saveEnabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(BigIniFile(path("Trip.CAT")).readString("Files", "Source_File_1", ""), path("Photos/a.jpg"));
    EXPECT_FALSE(workspace().catalog().modified);
    EXPECT_EQ(presenter().view().caption, "Pictaven 3.03 - Catalog <Trip.CAT>");

    // A catalog file that cannot be written: the error is shown, the changes still count.
    addPhoto("Photos/b.jpg");
    fs::remove(path("Trip.CAT"));
    fs::create_directory(path("Trip.CAT"));
    m_dialogs.shown.clear();
    EXPECT_NO_THROW(presenter().save());
    EXPECT_EQ(m_dialogs.texts(Kind::Error).size(), 1u);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_TRUE(presenter().view().saveEnabled);

    // Opening a catalog that cannot be read shows the reason and changes nothing.
    m_dialogs.shown.clear();
    m_dialogs.chooserAnswers = {path("Trip.CAT")};
    m_dialogs.saveAnswers = {SaveChoice::Discard};
    EXPECT_NO_THROW(presenter().open());
    EXPECT_EQ(m_dialogs.texts(Kind::Error).size(), 1u);
    EXPECT_EQ(workspace().catalog().photos.size(), 2u);
}

TEST_F(CatalogFilePresenterTest, SaveAsAndSaveTemplatePreferencesKeepTheStepShown)
{
    const std::string first = savedCatalog("Trip.CAT");
    m_dialogs.chooserAnswers = {first};
    presenter().open();
    ASSERT_TRUE(navigator().selectStep(2, StepClick::Panel));
    m_told = 0;

    m_dialogs.chooserAnswers = {path("Copy.CAT")};
    presenter().saveAs();
    EXPECT_EQ(presenter().view().caption, "Pictaven 3.03 - Catalog <Copy.CAT>");
    EXPECT_EQ(presenter().view().lastCatalogEntry, std::optional<std::string>("COPY.CAT"));
    EXPECT_EQ(BigIniFile(path("Copy.CAT")).readString("Files", "Source_File_1", ""), path("Photos/a.jpg"));

    workspace().albumSettings().ThumbWidth = 99;
    fs::create_directories(m_home / "ALBUMS");
    m_dialogs.yesNoAnswers = {true};
    presenter().saveTemplatePreferences();
    EXPECT_NE(test::readFile(m_home / "ALBUMS" / "DEFAULT.CFG").find("ThumbWidth=99\r\n"), std::string::npos);
    EXPECT_EQ(navigator().currentStep(), 2);
    EXPECT_EQ(m_told, 2);
}

TEST_F(CatalogFilePresenterTest, LastCatalogEntryOpensTheCatalogAfterARestart)
{
    savedCatalog("trips/Trip.CAT");
    m_dialogs.chooserAnswers = {path("trips/Trip.CAT")};
    presenter().open();
    EXPECT_TRUE(presenter().exit());
    m_presenter.reset();
    m_navigator.reset();
    restart();
    EXPECT_EQ(presenter().view().lastCatalogEntry, std::optional<std::string>("Trip.CAT"));
    presenter().openLast();
    EXPECT_EQ(workspace().catalog().photos.size(), 1u);
    EXPECT_EQ(presenter().view().caption, "Pictaven 3.03 - Catalog <Trip.CAT>");
    EXPECT_TRUE(m_dialogs.texts(Kind::Question).empty());
}

TEST_F(CatalogFilePresenterTest, ExitAsksAboutAnUnnamedCatalogToo)
{
    addPhoto("Photos/a.jpg");
    m_dialogs.saveAnswers = {SaveChoice::Save};
    m_dialogs.chooserAnswers = {std::nullopt};
    EXPECT_FALSE(presenter().exit()) << "the save asked for was cancelled";

    m_dialogs.saveAnswers = {SaveChoice::Save};
    m_dialogs.chooserAnswers = {path("Trip.CAT")};
    EXPECT_TRUE(presenter().exit());
    EXPECT_TRUE(fs::exists(path("Trip.CAT")));
    EXPECT_EQ(m_dialogs.texts(Kind::Question), std::vector<std::string>(2, question("Unnamed Catalog")));
    EXPECT_EQ(BigIniFile(path("album.cfg")).readString("Catalog", "Last Catalog", ""), path("Trip.CAT"));

    // A named catalog is asked about once, by the exit sequence.
    m_dialogs.shown.clear();
    addPhoto("Photos/b.jpg");
    m_dialogs.saveAnswers = {SaveChoice::Discard};
    EXPECT_TRUE(presenter().exit());
    EXPECT_EQ(m_dialogs.texts(Kind::Question), std::vector<std::string>{question("Trip.CAT")});
}

TEST_F(CatalogFilePresenterTest, WhileAJobRunsTheCommandsOnlyBeep)
{
    addPhoto("Photos/a.jpg");
    workspace().setJobRunning(true);
    EXPECT_FALSE(presenter().view().commandsEnabled);
    presenter().newCatalog([] { return std::optional<std::string>("Other"); });
    presenter().open();
    presenter().openLast();
    presenter().save();
    presenter().saveAs();
    presenter().close();
    presenter().saveTemplatePreferences();
    EXPECT_FALSE(presenter().exit());
    for (const ScriptedDialogs::Shown& shown : m_dialogs.shown)
        EXPECT_EQ(shown.kind, Kind::Beep);
    EXPECT_EQ(m_dialogs.shown.size(), 8u);
    EXPECT_EQ(workspace().catalog().photos.size(), 1u);
    workspace().setJobRunning(false);
    EXPECT_TRUE(presenter().view().commandsEnabled);
}

} // namespace
} // namespace pictaven
