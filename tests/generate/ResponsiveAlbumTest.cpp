#include "AlbumFixture.h"

#include "generate/AlbumGenerator.h"
#include "generate/OutputFolderRecord.h"
#include "generate/ReadableColour.h"
#include "generate/RenderRecord.h"
#include "generate/ResponsiveAlbum.h"
#include "generate/ResponsivePhoto.h"
#include "generate/ResponsiveStyleSheet.h"
#include "imaging/JpegCodec.h"
#include "settings/AlbumSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace pictaven {
namespace {

namespace fs = std::filesystem;

TEST(ResponsiveAlbum, IsChosenByItsTemplateEntryOnly)
{
    struct Case {
        std::int32_t index;
        const char* name;
        bool chosen;
    };
    for (const Case& c : {Case{3, "Responsive", true}, Case{5, "responsive", true}, Case{0, "Responsive", false},
                          Case{2, "Gallery", false}, Case{4, "Responsive2", false}}) {
        AlbumJob job;
        job.templateIndex = c.index;
        job.templateName = c.name;
        EXPECT_EQ(ResponsiveAlbum::chosen(job), c.chosen) << c.index << " " << c.name;
    }
}

TEST(ResponsiveAlbum, NamesItsPicturesAfterThePhotoLikeItsThumbnail)
{
    struct Case {
        bool substitutions;
        bool lowercase;
        const char* photo;
        const char* size640;
        const char* largeThumbnail;
    };
    for (const Case& c : {Case{false, false, "Beach Day.JPG", "w640_jpg_Beach Day.jpg", "thumb2x_jpg_Beach Day.jpg"},
                          Case{true, false, "Beach Day & Night.jpeg", "w640_jpe_Beach_Day___Night.jpg",
                               "thumb2x_jpe_Beach_Day___Night.jpg"},
                          Case{true, true, "Zoë's Café.png", "w640_png_zoë's_café.jpg", "thumb2x_png_zoë's_café.jpg"}}) {
        const ResponsiveAlbum album(OutputNames(c.substitutions, c.lowercase));
        EXPECT_EQ(album.sizeFileName(c.photo, 640), c.size640);
        EXPECT_EQ(album.largeThumbnailFileName(c.photo), c.largeThumbnail);
    }
}

TEST(ResponsiveAlbum, LadderStopsBelowThePublishedWidth)
{
    EXPECT_EQ(ResponsiveAlbum::ladderBelow(640), std::vector<int>{});
    EXPECT_EQ(ResponsiveAlbum::ladderBelow(641), std::vector<int>{640});
    EXPECT_EQ(ResponsiveAlbum::ladderBelow(1920), (std::vector<int>{640, 1280}));
    EXPECT_EQ(ResponsiveAlbum::ladderBelow(4032), (std::vector<int>{640, 1280, 1920, 2560}));
}

TEST(ResponsiveAlbum, OnlyPhotosPublishedAsJpegGetALadder)
{
    struct Case {
        const char* source;
        bool ladder;
    };
    for (const Case& c : {Case{"/p/a.jpg", true}, Case{"/p/a.JPEG", true}, Case{"/p/a.tif", true},
                          Case{"/p/a.heic", true}, Case{"/p/a.png", false}, Case{"/p/a.gif", false}}) {
        FileStorage photo;
        photo.SourcePath = c.source;
        EXPECT_EQ(ResponsiveAlbum::hasSizeLadder(photo), c.ladder) << c.source;
    }
}

constexpr std::int32_t rgb(int red, int green, int blue)
{
    return red | green << 8 | blue << 16;
}

TEST(ReadableColour, KeepsReadableColoursAndReplacesTheOthers)
{
    EXPECT_NEAR(ReadableColour::contrast(rgb(0, 0, 0), rgb(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ReadableColour::contrast(rgb(119, 119, 119), rgb(255, 255, 255)), 4.48, 0.01);
    struct Case {
        std::int32_t background;
        std::int32_t colour;
        std::int32_t readable;
    };
    for (const Case& c : {Case{rgb(255, 255, 255), rgb(11, 87, 208), rgb(11, 87, 208)},
                          Case{rgb(255, 255, 255), rgb(119, 119, 119), rgb(0, 0, 0)},
                          Case{rgb(255, 255, 255), rgb(255, 255, 0), rgb(0, 0, 0)},
                          Case{rgb(20, 20, 22), rgb(40, 40, 200), rgb(255, 255, 255)},
                          Case{rgb(20, 20, 22), rgb(138, 180, 248), rgb(138, 180, 248)}}) {
        const std::int32_t chosen = ReadableColour::on(c.background, c.colour);
        EXPECT_EQ(chosen, c.readable) << std::hex << c.background << " " << c.colour;
        EXPECT_GE(ReadableColour::contrast(c.background, chosen), 4.5);
    }
}

TEST(ResponsivePhoto, DescriptionBecomesPlainTextForAltText)
{
    struct Case {
        std::vector<std::string> lines;
        const char* plain;
    };
    for (const Case& c : {Case{{}, ""}, Case{{"", ""}, ""},
                          Case{{"A <b>bold</b> line", "", "Second &amp; more"}, "A bold line Second & more"},
                          Case{{"  <a href=\"x>y\">Link</a>  "}, "y\">Link"},
                          Case{{"&lt;not a tag&gt; &quot;q&quot; it&#39;s&nbsp;here"}, "<not a tag> \"q\" it's here"},
                          Case{{"Ünïcode &unknown; stays"}, "Ünïcode &unknown; stays"}}) {
        EXPECT_EQ(ResponsivePhoto::plainText(c.lines), c.plain);
    }
}

TEST(ResponsiveStyleSheet, ColoursMakeTheLookOfTheirSchemeAndStayReadable)
{
    AlbumSettings light;
    light.WebBgColor = rgb(255, 255, 255);
    light.AlbumTitleColor = rgb(200, 200, 200); // too faint on white: black instead
    light.LinkColor = rgb(11, 87, 208);
    light.FontFamily = "My \"Font\"\n</style>";
    light.TitleFontSize = 24;
    const std::string lightSheet = ResponsiveStyleSheet::text(light, {}, "/* template */");
    EXPECT_NE(lightSheet.find("color-scheme: light;\n  --page: #ffffff;\n  --text: #000000;\n  --accent: #0b57d0;"),
              std::string::npos) << lightSheet;
    EXPECT_NE(lightSheet.find("@media (prefers-color-scheme: dark)"), std::string::npos);
    EXPECT_NE(lightSheet.find("--font: \"My \\22 Font\\22 \\3c /style>\", system-ui"), std::string::npos) << lightSheet;
    EXPECT_NE(lightSheet.find("--title-size: 32px;"), std::string::npos);
    EXPECT_TRUE(lightSheet.ends_with("\n/* template */"));

    AlbumSettings dark = light;
    dark.WebBgColor = rgb(16, 16, 16);
    dark.AlbumTitleColor = rgb(240, 240, 240);
    const std::string darkSheet = ResponsiveStyleSheet::text(dark, {}, "");
    EXPECT_NE(darkSheet.find("color-scheme: dark;\n  --page: #101010;\n  --text: #f0f0f0;\n  --accent: #ffffff;"),
              std::string::npos) << darkSheet;
    EXPECT_NE(darkSheet.find("@media (prefers-color-scheme: light)"), std::string::npos);
}

TEST(ResponsiveStyleSheet, OneAspectClassPerShapeOfThumbnail)
{
    EXPECT_EQ(ResponsiveStyleSheet::aspectClass(400, 300), "a1333");
    EXPECT_EQ(ResponsiveStyleSheet::aspectClass(225, 300), "a750");
    EXPECT_EQ(ResponsiveStyleSheet::aspectClass(3000, 300), "a10000");
    std::vector<ResponsivePhoto> photos(3);
    photos[0].thumbnail = {"a", 400, 300};
    photos[1].thumbnail = {"b", 225, 300};
    photos[2].thumbnail = {"c", 800, 600};
    const std::string sheet = ResponsiveStyleSheet::text(AlbumSettings{}, photos, "");
    EXPECT_NE(sheet.find(".a750 { --a: 0.750; }\n.a1333 { --a: 1.333; }\n"), std::string::npos) << sheet;
    EXPECT_EQ(sheet.find(".a1333", sheet.find(".a1333") + 1), std::string::npos);
}

// A responsive album generated whole, from the shipped script and style sheet.
class ResponsiveGeneration : public ::testing::Test {
protected:
    void SetUp() override
    {
        album.job.templateIndex = 5;
        album.job.templateName = ResponsiveAlbum::templateName;
        album.job.settings.Substitutions = true;
        album.job.rerenderPhotos = true;
    }

    bool generate()
    {
        return album.writeAllPages();
    }

    std::string output(const std::string& name) const { return test::readFile(fs::path(album.outputFolder) / name); }
    ImageSize sizeOf(const std::string& name) const { return readJpegSize(album.outputFolder + name); }

    test::TempDir dir;
    test::AlbumFixture album{dir.str()};
};

TEST_F(ResponsiveGeneration, RendersTheLadderBelowEachPhotoAndThumbnailsNeverLarger)
{
    album.addPhoto("wide view.jpg", 1500, 1000);
    FileStorage& turned = album.addPhoto("turned.jpg", 1400, 700);
    turned.Rotation = 2;
    album.addPhoto("small.jpg", 320, 200);
    ASSERT_TRUE(generate()) << (album.messages.empty() ? "" : album.messages.front());

    struct Expected {
        const char* file;
        int width;
        int height;
    };
    for (const Expected& e : {Expected{"wide_view.jpg", 1500, 1000}, Expected{"w640_jpg_wide_view.jpg", 640, 426},
                              Expected{"w1280_jpg_wide_view.jpg", 1280, 853},
                              Expected{"thumb_jpg_wide_view.jpg", 450, 300},
                              Expected{"thumb2x_jpg_wide_view.jpg", 900, 600},
                              // Turned a quarter: the ladder counts the turned width.
                              Expected{"turned.jpg", 700, 1400}, Expected{"w640_jpg_turned.jpg", 640, 1280},
                              Expected{"thumb_jpg_turned.jpg", 150, 300}, Expected{"thumb2x_jpg_turned.jpg", 300, 600},
                              Expected{"small.jpg", 320, 200}, Expected{"thumb_jpg_small.jpg", 320, 200}}) {
        const ImageSize size = sizeOf(e.file);
        // Scaling rounds down by a pixel at most.
        EXPECT_NEAR(size.width, e.width, 1) << e.file;
        EXPECT_NEAR(size.height, e.height, 1) << e.file;
    }
    for (const char* absent : {"w1920_jpg_wide_view.jpg", "w1280_jpg_turned.jpg", "w640_jpg_small.jpg",
                               "thumb2x_jpg_small.jpg"})
        EXPECT_FALSE(fs::exists(fs::path(album.outputFolder) / absent)) << absent;
}

TEST_F(ResponsiveGeneration, EveryPictureOfThePagesHasItsSizeAndEveryFileReferencedExists)
{
    album.addPhoto("one.jpg", 1500, 1000).Caption = "Mom's \"day\"";
    album.addPhoto("two.jpg", 300, 400).Description = {"<b>Bold</b> text"};
    album.addPhoto("three.jpg", 200, 200);
    ASSERT_TRUE(generate());

    const std::string index = output("myalbum.htm");
    const std::regex image("<img ([^>]*)>");
    int images = 0;
    for (auto it = std::sregex_iterator(index.begin(), index.end(), image); it != std::sregex_iterator(); ++it) {
        const std::string attributes = (*it)[1];
        if (attributes.find("viewer-photo") != std::string::npos)
            continue;
        ++images;
        EXPECT_NE(attributes.find(" width=\""), std::string::npos) << attributes;
        EXPECT_NE(attributes.find(" height=\""), std::string::npos) << attributes;
        EXPECT_NE(attributes.find(" decoding=\"async\""), std::string::npos) << attributes;
    }
    EXPECT_EQ(images, 3);
    EXPECT_NE(index.find("alt=\"Mom&#39;s &quot;day&quot;\""), std::string::npos);
    EXPECT_NE(index.find("alt=\"Bold text\""), std::string::npos);
    EXPECT_NE(index.find("alt=\"three\""), std::string::npos);
    EXPECT_NE(index.find("data-srcset=\"w640_jpg_one.jpg 640w, w1280_jpg_one.jpg 1280w, one.jpg 1500w\""),
              std::string::npos);
    // No inline script or style, which the declared policy forbids.
    for (const char* page : {"myalbum.htm", "jpg_one.htm", "jpg_two.htm", "jpg_three.htm"}) {
        const std::string text = output(page);
        EXPECT_NE(text.find("script-src 'self'"), std::string::npos) << page;
        EXPECT_EQ(text.find("<script>"), std::string::npos) << page;
        EXPECT_EQ(text.find("<style"), std::string::npos) << page;
        EXPECT_EQ(text.find(" style="), std::string::npos) << page;
        const std::regex reference("(?:src|href|data-src)=\"([^\"#:]+)\"");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), reference); it != std::sregex_iterator(); ++it)
            EXPECT_TRUE(fs::is_regular_file(fs::path(album.outputFolder) / (*it)[1].str())) << page << ": " << (*it)[1];
    }
    EXPECT_NE(output(ResponsiveAlbum::scriptFileName).find("showModal"), std::string::npos);
    EXPECT_NE(output(ResponsiveAlbum::licenceFileName).find("MIT"), std::string::npos);
}

TEST_F(ResponsiveGeneration, UploadOrderHasEveryFileOfTheAlbumAndEachPageAfterWhatItShows)
{
    album.addPhoto("one.jpg", 1500, 1000);
    album.addPhoto("two.jpg", 300, 400).AudioFile = album.photoFolder + "song & dance.mid";
    test::writeFile(album.photoFolder + "song & dance.mid", "MThd");
    album.addPhoto("three.jpg", 800, 200);
    ASSERT_TRUE(generate());

    std::vector<std::string> photoNames;
    std::vector<std::string> audioFiles;
    for (const FileStorage& photo : album.job.photos) {
        photoNames.push_back(OutputNames::fileNamePart(photo.WorkingPath));
        audioFiles.push_back(photo.AudioFile);
    }
    const std::vector<std::string> order =
        ResponsiveAlbum(OutputNames(album.job.settings)).uploadOrder(album.outputFolder, "myalbum.htm", photoNames, audioFiles);

    std::set<std::string> inFolder;
    for (const fs::directory_entry& entry : fs::directory_iterator(album.outputFolder)) {
        // The records of what generation wrote are not part of the album.
        if (entry.path().filename() != OutputFolderRecord::fileName && entry.path().filename() != RenderRecord::fileName)
            inFolder.insert(entry.path().filename().string());
    }
    EXPECT_EQ(std::set<std::string>(order.begin(), order.end()), inFolder);
    EXPECT_EQ(order.size(), inFolder.size());
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.back(), "myalbum.htm");

    // Every file a page names (src, href, data-src, srcset and data-srcset candidates) is sent
    // before the page.
    const std::regex single("(?:src|href|data-src|data-audio)=\"([^\"#:]+)\"");
    const std::regex list("srcset=\"([^\"]+)\"");
    for (std::size_t position = 0; position < order.size(); ++position) {
        if (!order[position].ends_with(".htm"))
            continue;
        const std::string page = output(order[position]);
        std::vector<std::string> named;
        for (auto it = std::sregex_iterator(page.begin(), page.end(), single); it != std::sregex_iterator(); ++it)
            named.push_back((*it)[1]);
        for (auto it = std::sregex_iterator(page.begin(), page.end(), list); it != std::sregex_iterator(); ++it) {
            std::istringstream candidates((*it)[1].str());
            for (std::string candidate; std::getline(candidates, candidate, ',');) {
                std::istringstream parts(candidate);
                std::string file;
                parts >> file;
                named.push_back(file);
            }
        }
        ASSERT_FALSE(named.empty()) << order[position];
        for (const std::string& file : named) {
            // Links from a photo page to its neighbours and the index lead to pages, not pictures.
            if (file.ends_with(".htm"))
                continue;
            const auto at = std::find(order.begin(), order.end(), file);
            ASSERT_NE(at, order.end()) << order[position] << " names " << file;
            EXPECT_LT(at - order.begin(), static_cast<std::ptrdiff_t>(position)) << order[position] << " names " << file;
        }
    }
}

TEST_F(ResponsiveGeneration, ShippedFilesMissingFailTheAlbumWithTheirName)
{
    album.addPhoto("one.jpg", 100, 80);
    album.withResponsiveFiles = false;
    EXPECT_FALSE(generate());
    ASSERT_FALSE(album.messages.empty());
    EXPECT_NE(album.messages.back().find("ALBUMS/Responsive/album.css"), std::string::npos) << album.messages.back();
}

} // namespace
} // namespace pictaven
