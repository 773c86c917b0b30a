#include "session/ColourPreviewerPresenter.h"

#include "WorkspaceFixture.h"
#include "settings/ConfigFile.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::ScriptedDialogs;

constexpr std::int32_t red = 0x0000ff;
constexpr std::int32_t green = 0x00ff00;
constexpr std::int32_t teal = 0x808000;

class ColourPreviewerPresenterTest : public test::WorkspaceFixture {
protected:
    ColourPreviewerPresenterTest()
    {
        // The shipped sample, where start-up puts it.
        fs::create_directories(m_home / "resource");
        fs::copy_file(fs::path(PICTAVEN_SOURCE_DATA_DIR) / "resource" / "preview.bmp",
                      m_home / "resource" / "preview.bmp");
        m_presenter.emplace(workspace());
        presenter().open();
    }

    ColourPreviewerPresenter& presenter() { return *m_presenter; }
    std::int32_t at(int x, int y) const
    {
        return static_cast<std::int32_t>(m_presenter->view().sample.pixel(x, y).toSettings());
    }

    std::optional<ColourPreviewerPresenter> m_presenter;
};

struct FillCase {
    std::size_t swatch;
    std::vector<std::pair<int, int>> points; // recoloured by the swatch
};

TEST_F(ColourPreviewerPresenterTest, EachSwatchRecoloursItsOwnRegionsOfTheSample)
{
    const std::vector<FillCase> cases = {
        {0, {{1, 1}, {220, 270}}},
        {7, {{48, 48}, {180, 230}}},
        {3, {{67, 87}, {69, 92}}},
        {5, {{73, 119}, {150, 185}}},
        {6, {{65, 101}, {156, 191}, {100, 101}}},
    };
    const std::vector<std::pair<int, int>> all = {{1, 1}, {48, 48}, {67, 87}, {69, 92}, {73, 119}, {65, 101}};
    for (const std::int32_t colour : {red, green, teal}) {
        for (const FillCase& c : cases) {
            std::vector<std::int32_t> before;
            for (auto [x, y] : all)
                before.push_back(at(x, y));
            presenter().chooseColour(c.swatch, colour);
            for (auto [x, y] : c.points)
                EXPECT_EQ(at(x, y), colour) << "swatch " << c.swatch << " at " << x << "," << y;
            for (std::size_t i = 0; i < all.size(); ++i) {
                if (std::find(c.points.begin(), c.points.end(), all[i]) == c.points.end()) {
                    EXPECT_EQ(at(all[i].first, all[i].second), before[i]) << "swatch " << c.swatch;
                }
            }
        }
    }
}

TEST_F(ColourPreviewerPresenterTest, LabelsTakeTheirColours)
{
    presenter().chooseColour(0, teal);
    presenter().chooseColour(1, red);
    presenter().chooseColour(2, green);
    presenter().chooseColour(4, 0x123456);
    const ColourPreviewerView& view = presenter().view();
    EXPECT_EQ(view.albumTitleBackground, teal);
    EXPECT_EQ(view.linksText, red);
    EXPECT_EQ(view.albumTitleText, green);
    EXPECT_EQ(view.thumbnailText, 0x123456);
}

TEST_F(ColourPreviewerPresenterTest, CancelKeepsTheSettingsAndReopeningShowsThemAgain)
{
    const std::int32_t old = workspace().albumSettings().ThumbBgColor;
    presenter().chooseColour(5, red);
    presenter().open();
    EXPECT_EQ(workspace().albumSettings().ThumbBgColor, old);
    EXPECT_EQ(presenter().view().swatches[5].colour, old);
    EXPECT_EQ(at(73, 119), old);
}

TEST_F(ColourPreviewerPresenterTest, OkCopiesEveryColourIntoTheSettings)
{
    for (std::size_t i = 0; i < colourSwatchCount; ++i)
        presenter().chooseColour(i, static_cast<std::int32_t>(i + 1));
    presenter().accept();
    const AlbumSettings& s = workspace().albumSettings();
    const std::vector<std::int32_t> fields = {s.WebBgColor,        s.LinkColor,         s.AlbumTitleColor,
                                              s.LabelBgColor,      s.LabelTextColor,    s.ThumbBgColor,
                                              s.ThumbBorderColor,  s.BgColor,           s.WebPhotoBgColor,
                                              s.WebPhotoTextColor, s.WebPhotoDescColor, s.WebPhotoBorderColor};
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(fields[i], static_cast<std::int32_t>(i + 1)) << presenter().view().swatches[i].caption;
}

TEST_F(ColourPreviewerPresenterTest, ThePhotoPageBackgroundAsksForRenderingEvenWhenCancelled)
{
    workspace().generationFlags().rerenderPhotos = false;
    presenter().chooseColour(4, std::nullopt);
    EXPECT_FALSE(workspace().generationFlags().rerenderPhotos);
    presenter().chooseColour(ColourPreviewerPresenter::photoBackgroundSwatch, std::nullopt);
    EXPECT_TRUE(workspace().generationFlags().rerenderPhotos);
}

TEST_F(ColourPreviewerPresenterTest, SavingWithoutACatalogAsksTheTemplateQuestionAndKeepsTheColours)
{
    m_dialogs.yesNoAnswers = {false};
    presenter().chooseColour(7, red);
    presenter().saveAlbumPreferences();
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Question).size(), 1U);
    EXPECT_EQ(workspace().albumSettings().BgColor, red);
}

TEST_F(ColourPreviewerPresenterTest, SavingWithACatalogOpenWritesItsFile)
{
    workspace().catalog().name = "trip.cat";
    workspace().catalog().folder = m_home.str();
    presenter().chooseColour(7, red);
    presenter().saveAlbumPreferences();
    EXPECT_TRUE(m_dialogs.texts(ScriptedDialogs::Kind::Question).empty());
    AlbumSettings read = AlbumSettings::startUpValues(workspace().programFolder());
    OutputFolderState folders;
    readConfigFile(path("trip.cat"), ConfigMode::Catalog, workspace().programFolder(), read, folders);
    EXPECT_EQ(read.BgColor, red);
}

} // namespace
} // namespace pictaven
