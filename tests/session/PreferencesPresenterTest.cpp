#include "session/PreferencesPresenter.h"

#include "WorkspaceFixture.h"
#include "settings/AlbumSettingsField.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace pictaven
{
namespace
{

using test::ScriptedDialogs;
using test::writeFile;
namespace fs = std::filesystem;
using Kind = ScriptedDialogs::Kind;

class PreferencesPresenterTest : public test::WorkspaceFixture
{
protected:
    PreferencesPresenter& presenter()
    {
        if (!m_presenter) {
            m_presenter = std::make_unique<PreferencesPresenter>(workspace());
            m_presenter->opened({ "Helvetica" });
        }
        return *m_presenter;
    }

    // Types `text` into a box and leaves it.
    void enter(std::string_view field, const std::string& text)
    {
        presenter().edit(field, text);
        presenter().leave(field);
    }

    void putTemplateFile(const std::string& name, const std::string& bytes)
    {
        fs::create_directories(m_home / "ALBUMS");
        writeFile(m_home / "ALBUMS" / name, bytes);
    }

    std::unique_ptr<PreferencesPresenter> m_presenter;
};

TEST_F(PreferencesPresenterTest, LeavingABoxAppliesItsRule)
{
    struct Case {
        std::string field;
        std::string typed;
        std::string shown; // what the box shows afterwards
        std::string setting; // the setting as a file holds it afterwards
        std::string error; // the error shown, if any
    };
    const Case cases[] = {
        { "ThumbnailsPerRow", "0", "2", "2", "" },
        { "ThumbnailsPerRow", "101", "2", "2", "" },
        { "ThumbnailsPerRow", "abc", "2", "2", "" },
        { "ThumbnailsPerRow", "100", "100", "100", "" },
        { "RowsPerPage", "-3", "2", "2", "" },
        { "ThumbWidth", "", "80", "80", "" },
        { "ThumbWidth", "120", "120", "120", "" },
        { "ThumbWidth", "abc", "abc", "33", "'abc' is not a valid integer value" },
        { "ThumbHeight", "", "80", "80", "" },
        { "SpacingCols", "", "15", "15", "" },
        { "SpacingRows", "7x", "7x", "33", "'7x' is not a valid integer value" },
        { "LabelHeight", "", "15", "15", "" },
        { "PrefixIndex", "", "Index", "Index", "" },
        { "PrefixPrev", "", "Prev", "Prev", "" },
        { "PrefixNext", "", "Next", "Next", "" },
        { "PrefixHome", "", "Home", "Home", "" },
        { "PrefixHome", "Start", "Start", "Start", "" },
        { "NewPhotoWidth", "wide", "600", "600", "" },
        { "NewPhotoHeight", "x", "400", "400", "" },
        { "ResizePercentage", "50%", "100", "100", "" },
        { "ResizePercentage", "50", "50", "50", "" },
        { "CompressionRatio", "abc", "90", "90", "" },
        { "CompressionRatio", "75", "75", "75", "" },
        { "TitleFontSize", "big", "14", "14", "" },
        { "TitleFontSize", "24", "24", "24", "" },
        // Every change of a font-size box checks the layout numbers as shown, the empty one too.
        { "LabelFontSize", "", "", "8", "'' is not a valid integer value" },
        { "LabelFontSize", "11", "11", "11", "" },
        { "LabelFontSize", "tiny", "tiny", "33", "'tiny' is not a valid integer value" },
        { "PhotoBorderWidth", "123456789012345678901234", "12345678901234567890", "12345678901234567890",
            "" },
    };
    for (const Case& c : cases) {
        AlbumSettings& settings = workspace().albumSettings();
        // A value no rule produces, to see whether the setting changed.
        settings.ThumbWidth = settings.SpacingRows = settings.LabelFontSize = 33;
        m_presenter.reset();
        m_dialogs.shown.clear();
        enter(c.field, c.typed);
        EXPECT_EQ(presenter().text(c.field), c.shown) << c.field << " " << c.typed;
        EXPECT_EQ(AlbumSettingsField::byName(c.field).valueText(settings), c.setting)
            << c.field << " " << c.typed;
        const auto errors = m_dialogs.texts(Kind::Error);
        EXPECT_EQ(errors.empty() ? std::string() : errors.front(), c.error) << c.field << " " << c.typed;
    }
}

TEST_F(PreferencesPresenterTest, LeavingOneBoxLeavesTheOthersAlone)
{
    enter("PrefixIndex", "Up");
    enter("PrefixPrev", "");
    EXPECT_EQ(presenter().text("PrefixPrev"), "Prev");
    EXPECT_EQ(presenter().text("PrefixIndex"), "Up");
    enter("NewPhotoWidth", "640");
    enter("NewPhotoHeight", "x");
    EXPECT_EQ(presenter().text("NewPhotoHeight"), "400");
    EXPECT_EQ(presenter().text("NewPhotoWidth"), "640");
}

TEST_F(PreferencesPresenterTest, TheLabelSwitchSetsTheLabelHeight)
{
    enter("LabelHeight", "22");
    presenter().setSwitch("Label", false);
    EXPECT_EQ(presenter().text("LabelHeight"), "0");
    EXPECT_EQ(workspace().albumSettings().LabelHeight, 0);
    EXPECT_FALSE(presenter().view().labelHeightEnabled);
    enter("LabelHeight", "30");
    presenter().setSwitch("Label", true);
    EXPECT_EQ(presenter().text("LabelHeight"), "15");
    EXPECT_EQ(workspace().albumSettings().LabelHeight, 15);
    EXPECT_TRUE(presenter().view().labelHeightEnabled);
}

TEST_F(PreferencesPresenterTest, ResizeChoiceEnablesItsBoxes)
{
    EXPECT_FALSE(presenter().view().resampleEnabled);
    struct Case {
        std::int32_t choice;
        bool size, percentage;
    };
    for (const Case c : { Case { 1, true, false }, Case { 2, false, true }, Case { 0, false, false } }) {
        presenter().choose("ResizeImageType", c.choice);
        const PreferencesView view = presenter().view();
        EXPECT_EQ(view.photoSizeEnabled, c.size) << c.choice;
        EXPECT_EQ(view.percentageEnabled, c.percentage) << c.choice;
        EXPECT_EQ(view.resampleEnabled, c.choice != 0) << c.choice;
    }
    // A choice read from a catalog moves the boxes but not Resample.
    presenter().choose("ResizeImageType", 1);
    workspace().albumSettings().ResizeImageType = 0;
    EXPECT_FALSE(presenter().view().photoSizeEnabled);
    EXPECT_TRUE(presenter().view().resampleEnabled);
}

TEST_F(PreferencesPresenterTest, ChoicesAndSwitchesEnableTheirControls)
{
    using Flag = bool PreferencesView::*;
    struct Case {
        std::string field;
        std::int32_t choice;
        std::vector<Flag> enabled;
        std::vector<Flag> disabled;
    };
    const Case cases[] = {
        { "WatermarkType", 0, {},
            { &PreferencesView::watermarkTextEnabled, &PreferencesView::watermarkImageEnabled } },
        { "WatermarkType", 1, { &PreferencesView::watermarkTextEnabled },
            { &PreferencesView::watermarkImageEnabled } },
        { "WatermarkType", 2, { &PreferencesView::watermarkImageEnabled },
            { &PreferencesView::watermarkTextEnabled } },
        { "StyleSheetType", 0, {}, { &PreferencesView::styleSheetFileEnabled } },
        { "StyleSheetType", 1, { &PreferencesView::styleSheetFileEnabled }, {} },
        { "StyleSheetType", 2, { &PreferencesView::styleSheetFileEnabled }, {} },
        { "ButtonType", 8, {}, { &PreferencesView::buttonTextsEnabled } },
        { "ButtonType", 0, { &PreferencesView::buttonTextsEnabled }, {} },
    };
    for (const Case& c : cases) {
        presenter().choose(c.field, c.choice);
        const PreferencesView view = presenter().view();
        for (const Flag flag : c.enabled)
            EXPECT_TRUE(view.*flag) << c.field << " " << c.choice;
        for (const Flag flag : c.disabled)
            EXPECT_FALSE(view.*flag) << c.field << " " << c.choice;
    }
    presenter().setSwitch("CompressJPEG", true);
    EXPECT_TRUE(presenter().view().compressionEnabled);
    presenter().setSwitch("CompressJPEG", false);
    EXPECT_FALSE(presenter().view().compressionEnabled);
    EXPECT_FALSE(workspace().albumSettings().CompressJPEG);
}

TEST_F(PreferencesPresenterTest, ButtonSetsPointTheNavigationPicturesAtTheirFiles)
{
    const std::string buttons = workspace().programFolder() + "NAVBUTS/";
    const AlbumSettings& settings = workspace().albumSettings();
    presenter().choose("ButtonType", 8);
    EXPECT_EQ(settings.NextButtonImage, buttons + "8Next.gif");
    EXPECT_EQ(settings.PrevButtonImage, buttons + "8Prev.gif");
    EXPECT_EQ(settings.IndexButtonImage, buttons + "8Index.gif");
    EXPECT_EQ(settings.HomeButtonImage, buttons + "8Home.gif");
    presenter().choose("ButtonType", 10);
    EXPECT_EQ(settings.NextButtonImage, buttons + "next.gif");
    EXPECT_EQ(settings.HomeButtonImage, buttons + "home.gif");
    presenter().choose("ButtonType", 0);
    EXPECT_EQ(settings.ButtonType, 0);
    EXPECT_EQ(settings.NextButtonImage, buttons + "next.gif");
}

TEST_F(PreferencesPresenterTest, OffsetsFollowThePictureTemplate)
{
    EXPECT_FALSE(presenter().view().offsetsEnabled);
    EXPECT_TRUE(presenter().view().thumbSizeEnabled);
    workspace().catalog().templateIndex = 1;
    EXPECT_TRUE(presenter().view().offsetsEnabled);
    EXPECT_FALSE(presenter().view().thumbSizeEnabled);
}

TEST_F(PreferencesPresenterTest, RenderingChangesAskForPhotosToBeRenderedAgain)
{
    struct Case {
        const char* what;
        std::function<void(PreferencesPresenter&)> command;
        bool rerender;
    };
    const Case cases[] = {
        { "resize choice", [](PreferencesPresenter& p) { p.choose("ResizeImageType", 1); }, true },
        { "width", [](PreferencesPresenter& p) { p.edit("NewPhotoWidth", "800"); }, true },
        { "height", [](PreferencesPresenter& p) { p.edit("NewPhotoHeight", "500"); }, true },
        { "percentage", [](PreferencesPresenter& p) { p.edit("ResizePercentage", "50"); }, true },
        { "JPEG switch", [](PreferencesPresenter& p) { p.setSwitch("CompressJPEG", true); }, true },
        { "compression", [](PreferencesPresenter& p) { p.edit("CompressionRatio", "70"); }, true },
        { "compression label", [](PreferencesPresenter& p) { p.compressionLabelClicked(); }, true },
        { "resample", [](PreferencesPresenter& p) { p.setSwitch("Resample", true); }, true },
        { "soft edge", [](PreferencesPresenter& p) { p.setSwitch("SoftEdge", true); }, true },
        { "photo border", [](PreferencesPresenter& p) { p.setSwitch("PhotoBorder", false); }, true },
        { "watermark", [](PreferencesPresenter& p) { p.choose("WatermarkType", 1); }, true },
        { "orientation", [](PreferencesPresenter& p) { p.choose("WatermarkOrientation", 0); }, true },
        { "published metadata", [](PreferencesPresenter& p) { p.choose("PublishedMetadata", 0); }, true },
        { "watermark text", [](PreferencesPresenter& p) { p.edit("WatermarkText", "(c)"); }, true },
        { "watermark image", [](PreferencesPresenter& p) { p.edit("WatermarkImage", "/tmp/w.bmp"); }, true },
        { "font size, no watermark", [](PreferencesPresenter& p) { p.edit("ListBoxFontSize", "10"); },
            false },
        { "font size with a watermark",
            [](PreferencesPresenter& p) {
                p.choose("WatermarkType", 2);
                p.edit("WatermarkFontSize", "10");
            },
            true },
        { "shadow", [](PreferencesPresenter& p) { p.setSwitch("Shadow", false); }, false },
        { "colour", [](PreferencesPresenter& p) { p.setColour("WebBgColor", 255); }, false },
        { "thumbnail width", [](PreferencesPresenter& p) { p.edit("ThumbWidth", "90"); }, false },
    };
    for (const Case& c : cases) {
        workspace().albumSettings().WatermarkType = 0;
        m_presenter.reset();
        presenter();
        workspace().generationFlags().rerenderPhotos = false;
        c.command(presenter());
        EXPECT_EQ(workspace().generationFlags().rerenderPhotos, c.rerender) << c.what;
        // The rule for the watermark font sizes reads the watermark choice.
        if (std::string(c.what) == "font size with a watermark") {
            workspace().generationFlags().rerenderPhotos = false;
            presenter().edit("PageNumberFontSize", "9");
            EXPECT_TRUE(workspace().generationFlags().rerenderPhotos);
        }
    }
}

TEST_F(PreferencesPresenterTest, FontSizeChangesCheckTheLayoutNumbersAsShown)
{
    enter("SpacingCols", "-4");
    workspace().guards().settingsValid = true;
    presenter().edit("PhotoTitleFontSize", "13");
    EXPECT_FALSE(workspace().guards().settingsValid);
    EXPECT_EQ(workspace().albumSettings().PhotoTitleFontSize, "13");

    enter("SpacingCols", "4");
    presenter().edit("PhotoTitleFontSize", "14");
    EXPECT_TRUE(workspace().guards().settingsValid);

    // A box that is not a number stops the check with its error; the guard stays as it was.
    m_dialogs.shown.clear();
    presenter().edit("ThumbHeight", "tall");
    presenter().edit("ListBoxFontSize", "9");
    EXPECT_EQ(
        m_dialogs.texts(Kind::Error), std::vector<std::string> { "'tall' is not a valid integer value" });
    EXPECT_TRUE(workspace().guards().settingsValid);
    EXPECT_EQ(presenter().text("ThumbHeight"), "tall");
}

TEST_F(PreferencesPresenterTest, TheLinksPageAndTheSaveButtonFollowTheCatalogName)
{
    EXPECT_FALSE(presenter().view().indexPageLinksShown);
    EXPECT_EQ(presenter().view().saveCaption, "&Save To Album Template");
    workspace().catalog().name = "Trip.CAT";
    EXPECT_TRUE(presenter().view().indexPageLinksShown);
    EXPECT_EQ(presenter().view().saveCaption, "&Save Catalog");
}

TEST_F(PreferencesPresenterTest, SaveWritesTheTemplateOnlyAfterYes)
{
    fs::create_directories(m_home / "ALBUMS");
    const fs::path file = m_home / "ALBUMS" / "DEFAULT.CFG";
    enter("ThumbWidth", "91");
    m_dialogs.yesNoAnswers = { false };
    presenter().save();
    EXPECT_FALSE(fs::exists(file));
    m_dialogs.yesNoAnswers = { true };
    presenter().save();
    ASSERT_TRUE(fs::exists(file));
    const auto questions = m_dialogs.texts(Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_TRUE(questions[0].starts_with("Do you want to make permanent changes to the album template?"));
    EXPECT_NE(test::readFile(file).find("ThumbWidth=91"), std::string::npos);
}

TEST_F(PreferencesPresenterTest, SaveWritesANamedCatalogWithoutAsking)
{
    workspace().catalog().name = "Trip.CAT";
    workspace().catalog().folder = path("catalog");
    fs::create_directories(m_home / "catalog");
    enter("ThumbWidth", "92");
    presenter().save();
    EXPECT_TRUE(m_dialogs.texts(Kind::Question).empty());
    EXPECT_NE(test::readFile(m_home / "catalog" / "Trip.CAT").find("ThumbWidth=92"), std::string::npos);
}

TEST_F(PreferencesPresenterTest, PublishedMetadataIsTheCatalogsChoice)
{
    EXPECT_EQ(PreferencesPresenter::choices("PublishedMetadata"),
        (std::vector<std::string>{"none", "all but location and serial numbers", "all"}));
    EXPECT_EQ(presenter().value("PublishedMetadata"), 1) << "a new catalog's choice";
    workspace().catalog().publishedMetadata = std::nullopt;
    EXPECT_EQ(presenter().value("PublishedMetadata"), -1) << "an older catalog chose nothing";
    workspace().catalog().modified = false;
    presenter().choose("PublishedMetadata", 2);
    EXPECT_EQ(workspace().catalog().publishedMetadata, PublishedMetadata::All);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(presenter().value("PublishedMetadata"), 2);

    workspace().catalog().name = "Trip.CAT";
    workspace().catalog().folder = path("catalog");
    fs::create_directories(m_home / "catalog");
    presenter().save();
    EXPECT_NE(test::readFile(m_home / "catalog" / "Trip.CAT").find("PublishedMetadata=2"), std::string::npos);
}

TEST_F(PreferencesPresenterTest, RestoreReadsTheFactoryCopyIntoTheBoxes)
{
    // Without a factory copy nothing happens and nothing is shown.
    enter("ThumbWidth", "97");
    presenter().restore();
    EXPECT_EQ(presenter().text("ThumbWidth"), "97");
    EXPECT_TRUE(m_dialogs.shown.empty());
    EXPECT_FALSE(workspace().catalog().modified);

    putTemplateFile("DEFAULT.DEF", "[Size]\r\nThumbWidth=77\r\n");
    presenter().restore();
    EXPECT_EQ(presenter().text("ThumbWidth"), "77");
    EXPECT_EQ(workspace().albumSettings().ThumbWidth, 77);
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(PreferencesPresenterTest, UnusualTemplateValuesAreNamedAndKept)
{
    putTemplateFile("DEFAULT.DEF",
        "[Size]\r\nThumbWidth=abc\r\n[Appearance]\r\nPhotoBorderWidth=500\r\n"
        "PageNumberFontSize=huge\r\n");
    presenter().restore();
    const auto errors = m_dialogs.texts(Kind::Error);
    EXPECT_EQ(errors, std::vector<std::string> { "'abc' is not a valid integer value" });
    EXPECT_EQ(presenter().text("ThumbWidth"), "80");

    putTemplateFile("DEFAULT.DEF", "[Appearance]\r\nPhotoBorderWidth=500\r\nPageNumberFontSize=huge\r\n");
    m_dialogs.shown.clear();
    presenter().restore();
    const auto warnings = m_dialogs.texts(Kind::Warning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("Border Width \"500\""), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("PageNumberFontSize \"huge\""), std::string::npos) << warnings[0];
    EXPECT_EQ(presenter().text("PhotoBorderWidth"), "500");
    EXPECT_EQ(presenter().text("PageNumberFontSize"), "huge");
}

TEST_F(PreferencesPresenterTest, AFontThatIsNotInstalledIsNamedAndKept)
{
    struct Case {
        std::string family;
        bool warned;
    };
    for (const Case& c : { Case { "NoSuchFace", true }, Case { "helvetica", false },
             Case { "NoSuchFace, Helvetica", false } }) {
        workspace().albumSettings().FontFamily = c.family;
        m_dialogs.shown.clear();
        PreferencesPresenter fresh(workspace());
        fresh.opened({ "Helvetica", "Verdana" });
        const auto warnings = m_dialogs.texts(Kind::Warning);
        EXPECT_EQ(!warnings.empty(), c.warned) << c.family;
        if (c.warned) {
            EXPECT_NE(warnings[0].find("\"" + c.family + "\" is not installed"), std::string::npos);
        }
        EXPECT_EQ(workspace().albumSettings().FontFamily, c.family);
    }
}

TEST_F(PreferencesPresenterTest, ChoosersFillTheirBoxes)
{
    m_dialogs.chooserAnswers = { path("site.css"), std::nullopt, path("mark.bmp") };
    presenter().chooseStyleSheet();
    EXPECT_EQ(workspace().albumSettings().StyleSheet, path("site.css"));
    EXPECT_EQ(workspace().albumSettings().ExternalStyleSheet, path("site.css"));
    workspace().generationFlags().rerenderPhotos = false;
    presenter().chooseWatermarkImage();
    EXPECT_EQ(workspace().albumSettings().WatermarkImage, "");
    EXPECT_FALSE(workspace().generationFlags().rerenderPhotos);
    presenter().chooseWatermarkImage();
    EXPECT_EQ(workspace().albumSettings().WatermarkImage, path("mark.bmp"));
    EXPECT_TRUE(workspace().generationFlags().rerenderPhotos);
    EXPECT_EQ(m_dialogs.shown[0].filter, "Style Sheet (.CSS) (*.CSS *.css)");
    EXPECT_EQ(m_dialogs.shown[1].folder, workspace().programFolder());
}

TEST_F(PreferencesPresenterTest, BorderWidthStepsWithinOneToFifty)
{
    struct Case {
        std::string shown;
        std::int32_t step;
        std::string after;
    };
    for (const Case& c : { Case { "1", -1, "1" }, Case { "1", 1, "2" }, Case { "50", 1, "50" },
             Case { "abc", 1, "2" }, Case { "80", -1, "49" } }) {
        presenter().edit("PhotoBorderWidth", c.shown);
        presenter().stepBorderWidth(c.step);
        EXPECT_EQ(workspace().albumSettings().PhotoBorderWidth, c.after) << c.shown << " " << c.step;
    }
}

TEST_F(PreferencesPresenterTest, ClosingOutdatesTheAlbumAndNothingIsUndone)
{
    enter("ThumbWidth", "101");
    workspace().guards().albumGenerated = true;
    presenter().closed();
    EXPECT_FALSE(workspace().guards().albumGenerated);
    EXPECT_EQ(workspace().albumSettings().ThumbWidth, 101);
}

TEST_F(PreferencesPresenterTest, NothingChangesWhileAJobRuns)
{
    workspace().setJobRunning(true);
    EXPECT_FALSE(presenter().view().enabled);
    enter("ThumbWidth", "55");
    presenter().setSwitch("Shadow", false);
    EXPECT_EQ(workspace().albumSettings().ThumbWidth, 80);
    EXPECT_TRUE(workspace().albumSettings().Shadow);
}

} // namespace
} // namespace pictaven
