// Golden folders: small albums made by the test, their pages compared text for text with
// tests/generate/golden/<case>/. A change of output is a reviewed change of those files: after
// changing the page writers, regenerate them with
//     PICTAVEN_UPDATE_GOLDEN=1 build/tests/generate/test_generate_golden
// and review the difference with git diff before committing it.
#include "AlbumFixture.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>
#include <set>

namespace pictaven {
namespace {

namespace fs = std::filesystem;

std::set<std::string> pageNames(const fs::path& folder)
{
    std::set<std::string> names;
    if (!fs::is_directory(folder))
        return names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".htm")
            names.insert(entry.path().filename().string());
    }
    return names;
}

// The tags of a page, scripts left out: every one must keep its double quotes paired, so that
// no text ended an attribute early.
std::vector<std::string> tagsOutsideScripts(const std::string& page)
{
    std::vector<std::string> tags;
    std::size_t i = 0;
    while ((i = page.find('<', i)) != std::string::npos) {
        if (page.compare(i, 7, "<SCRIPT") == 0) {
            const std::size_t end = page.find("</SCRIPT>", i);
            if (end == std::string::npos)
                break;
            i = end + 9;
            continue;
        }
        const std::size_t close = page.find_first_of("<>", i + 1);
        if (close == std::string::npos)
            break;
        if (page[close] == '>')
            tags.push_back(page.substr(i, close - i + 1));
        i = close;
    }
    return tags;
}

// Photos whose names and texts hold everything that could break a page.
void hostilePhotos(test::AlbumFixture& album)
{
    FileStorage& first = album.addPhoto("Beach Day & Night.jpg");
    first.Caption = "Mom's \"big\" day";
    first.Description = {"A <b>bold</b> line", "", "Second line & more"};
    FileStorage& second = album.addPhoto("Zoë's café.jpg", 48, 64);
    second.WebTitle = "Zoë & <Ünïcode> \"title\"";
    second.Caption = "ignored caption";
    album.addPhoto("it's <here> #2.jpg");
    FileStorage& fourth = album.addPhoto("plain.JPG");
    fourth.Description = {"<i>HTML stays</i>"};
    fourth.Rotation = 1;
    album.addPhoto("Holiday_in_Mallorca-2004_Sunset.jpg");
}

struct GoldenCase {
    const char* name;
    void (*make)(test::AlbumFixture&);
};

const GoldenCase goldenCases[] = {
    {"basic",
     [](test::AlbumFixture& a) {
         a.job.albumTitle = "Tom & Jerry's <Summer> Café";
         AlbumSettings& s = a.job.settings;
         s.ThumbnailsPerRow = 2;
         s.RowsPerPage = 2;
         s.PrefixName = "Photo";
         s.HomeButtonEnable = true;
         s.HomeURL = "http://example.org/?a=1&b='2'";
         s.HomeButtonFrame = "_top";
         s.HTMLLink = "http://example.org/links?x=\"1\"";
         s.HTMLLinkDesc = "Links & more";
         s.HTMLLinkDesc2 = "Second";
         s.HTMLLink2 = "second.htm";
         hostilePhotos(a);
     }},
    {"basic_frames",
     [](test::AlbumFixture& a) {
         a.job.albumTitle = "Frames";
         a.job.photoPageTexture = a.job.programFolder + "backgrnd/Paper Sheet.jpg";
         a.job.indexPageTexture = a.job.programFolder + "backgrnd/Stone & Wall.jpg";
         AlbumSettings& s = a.job.settings;
         s.MultiWindow = true;
         s.FrameAlignment = 1;
         s.Backdrop = true;
         s.ThumbBgColor = 0x203040;
         s.ButtonType = 3;
         s.NextButtonImage = a.job.programFolder + "NAVBUTS/3Next.gif";
         s.PrevButtonImage = a.job.programFolder + "NAVBUTS/3Prev.gif";
         s.IndexButtonImage = a.job.programFolder + "NAVBUTS/3Index.gif";
         s.HomeButtonImage = a.job.programFolder + "NAVBUTS/3Home.gif";
         s.HomeButtonEnable = true;
         s.DisplaySlideShow = true;
         s.RefreshRate = "7";
         s.FadeIn = true;
         s.ProtectImages = true;
         s.StyleSheetType = 1;
         s.StyleSheet = "/home/me/My Styles.css";
         s.LowercaseFiles = true;
         s.ListboxAlignment = 2;
         s.NavigationButtonsAlignment = 1;
         s.WebTitleAlignment = 0;
         s.StyleTheme = 7;
         s.ThumbnailsPerRow = 3;
         s.RowsPerPage = 1;
         hostilePhotos(a);
         a.job.photos[2].AudioFile = "/sounds/Song & Dance.wav";
     }},
    {"picture",
     [](test::AlbumFixture& a) {
         a.usePictureTemplate(320, 240);
         a.job.albumTitle = "Picture \"album\"";
         AlbumSettings& s = a.job.settings;
         s.ThumbnailsPerRow = 2;
         s.RowsPerPage = 1;
         s.CenterAlbum = true;
         s.AlbumTitleAlignment = 1;
         s.GenerateMetaData = false;
         hostilePhotos(a);
     }},
    {"picture_frames",
     [](test::AlbumFixture& a) {
         a.usePictureTemplate(320, 240);
         a.job.albumTitle = "Picture frames";
         AlbumSettings& s = a.job.settings;
         s.MultiWindow = true;
         s.Backdrop = true;
         s.ButtonType = 10;
         s.NextButtonImage = a.job.programFolder + "NAVBUTS/next.gif";
         s.PrevButtonImage = a.job.programFolder + "NAVBUTS/prev.gif";
         s.IndexButtonImage = a.job.programFolder + "NAVBUTS/index.gif";
         s.HomeButtonImage = a.job.programFolder + "NAVBUTS/home.gif";
         s.DisplaySlideShow = true;
         s.StyleSheetType = 2;
         s.StyleSheetURL = "http://example.org/style.css?v=1&w=2";
         s.PhotoBorder = false;
         s.ThumbnailsPerRow = 3;
         s.RowsPerPage = 2;
         hostilePhotos(a);
     }},
    {"preview",
     [](test::AlbumFixture& a) {
         AlbumSettings& s = a.job.settings;
         s.SneakPeek = true;
         s.Label = false;
         s.ThumbnailsPerRow = 2;
         s.RowsPerPage = 1;
         s.DisplayListbox = true;
         hostilePhotos(a);
     }},
    {"responsive",
     [](test::AlbumFixture& a) {
         a.job.templateIndex = 5;
         a.job.templateName = "Responsive";
         a.job.albumTitle = "Tom & Jerry's <Summer> Café";
         AlbumSettings& s = a.job.settings;
         s.Substitutions = true;
         s.HTMLLink = "http://example.org/links?x=\"1\"&y=2";
         s.HTMLLinkDesc = "Links & more";
         s.NewWindow1 = true;
         hostilePhotos(a);
         // Wide enough for two smaller sizes and a 2x thumbnail.
         a.addPhoto("wide.jpg", 1400, 900).WebTitle = "日本の夏";
     }},
};

class GoldenPages : public ::testing::TestWithParam<GoldenCase> { };

TEST_P(GoldenPages, MatchTheReviewedPages)
{
    test::TempDir dir;
    test::AlbumFixture album(dir.str());
    GetParam().make(album);
    ASSERT_TRUE(album.writeAllPages());
    EXPECT_TRUE(album.messages.empty());

    const fs::path golden = fs::path(GOLDEN_DIR) / GetParam().name;
    const std::set<std::string> written = pageNames(album.outputFolder);
    if (const char* update = std::getenv("PICTAVEN_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        fs::create_directories(golden);
        for (const std::string& stale : pageNames(golden))
            fs::remove(golden / stale);
        for (const std::string& name : written)
            fs::copy_file(fs::path(album.outputFolder) / name, golden / name);
        GTEST_SKIP() << "golden pages written to " << golden;
    }

    EXPECT_EQ(written, pageNames(golden));
    for (const std::string& name : written) {
        const std::string text = test::readFile(fs::path(album.outputFolder) / name);
        EXPECT_EQ(text, test::readFile(golden / name)) << name;
        for (const std::string& markup : tagsOutsideScripts(text))
            EXPECT_EQ(std::count(markup.begin(), markup.end(), '"') % 2, 0) << name << ": " << markup;
    }
}

INSTANTIATE_TEST_SUITE_P(Albums, GoldenPages, ::testing::ValuesIn(goldenCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pictaven
