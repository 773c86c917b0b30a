#include "AlbumFixture.h"

#include "generate/PageGridRules.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace pictaven {
namespace {

class IndexPages : public ::testing::Test {
protected:
    IndexPages() : m_album(m_dir.str()) {}

    std::string page(const std::string& name = "myalbum.htm") const
    {
        return test::readFile(std::filesystem::path(m_album.outputFolder) / name);
    }

    test::TempDir m_dir;
    test::AlbumFixture m_album;
};

// The table's rows as letters: T and / open and close a row, C is a photo cell, F a filler
// cell, L a label cell.
std::string tableShape(const std::string& page)
{
    const std::string_view table =
        std::string_view(page).substr(page.find("<TABLE"), page.find("</TABLE>") - page.find("<TABLE"));
    std::string shape;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string_view rest = table.substr(i);
        if (rest.starts_with("<TR>\r\n")) {
            shape += 'T';
        } else if (rest.starts_with("</TR>\r\n")) {
            shape += '/';
        } else if (rest.starts_with("<TD CLASS='ThumbnailLabels'")) {
            shape += 'L';
        } else if (rest.starts_with("  <TD WIDTH=")) {
            const std::string_view cell = rest.substr(rest.find_first_not_of("0123456789", 12));
            if (cell.starts_with(" ALIGN='CENTER' ><A "))
                shape += 'C';
            else if (cell.starts_with(" ALIGN='CENTER' > &nbsp </TD>"))
                shape += 'F';
        }
    }
    return shape;
}

TEST_F(IndexPages, OnePhotoBasicAlbumWholePage)
{
    m_album.job.settings.GenerateMetaData = false;
    m_album.job.settings.StyleSheetType = 2;
    m_album.job.settings.StyleSheetURL = "album.css";
    m_album.job.albumTitle = "Tom & Jerry";
    FileStorage& photo = m_album.addPhoto("Beach Day.jpg");
    photo.WebTitle = "Mom's \"day\"";
    ASSERT_TRUE(m_album.writeAllPages());
    EXPECT_TRUE(m_album.messages.empty());
    EXPECT_EQ(page(),
              "<!-- Generated with Pictaven - https://pictaven.example.org/ !-->\r\n\r\n"
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"
              "\r\n<HTML>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
              "<TITLE> Tom &amp; Jerry  </TITLE>\r\n\r\n"
              "<HEAD>\r\n\r\n<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n"
              "<LINK REL=StyleSheet HREF=\"album.css\" TYPE=\"text/css\" >\r\n </HEAD>\r\n\r\n"
              "<BODY LEFTMARGIN=3 TOPMARGIN=3 MARGINWIDTH=3 MARGINHEIGHT=3   BGCOLOR=\"#ffffff\" TEXT=\"#ffffff\" "
              "LINK=\"#ffffff\" VLINK=\"#ffffff\"> \r\n\r\n"
              "<CENTER><FONT CLASS='AlbumTitle'>Tom &amp; Jerry</FONT></CENTER><FONT SIZE=-2><BR></FONT>"
              "<p class='PageNumber'><b> Page 1 of 1 </b></FONT></p>"
              "\r\n <CENTER><TABLE WIDTH='400' CELLPADDING=0 CELLSPACING=15> \r\n"
              "<TR>\r\n"
              "  <TD WIDTH=95 ALIGN='CENTER' ><A HREF=\"jpg_Beach_Day.htm\" target=\"_self\">\r\n"
              "  <IMG SRC=\"thumb_jpg_Beach_Day.jpg\" BORDER='0' ALIGN='TOP' ALT='Mom&#39;s &quot;day&quot;'> </A> \r\n"
              "  </TD>\r\n"
              "  <TD WIDTH=95 ALIGN='CENTER' > &nbsp </TD>\r\n"
              "  <TD WIDTH=95 ALIGN='CENTER' > &nbsp </TD>\r\n"
              "  <TD WIDTH=95 ALIGN='CENTER' > &nbsp </TD>\r\n"
              "</TR>\r\n<TR>\r\n"
              "<TD CLASS='ThumbnailLabels' ALIGN='CENTER'> Beach Day.jpg\r\n  </TD>\r\n"
              "</TR>\r\n"
              "<TR>\r\n</TR>\r\n<TR>\r\n</TR>\r\n"
              "<TR>\r\n</TR>\r\n<TR>\r\n</TR>\r\n"
              "<TR>\r\n</TR>\r\n<TR>\r\n</TR>\r\n"
              "</TABLE>\r\n<CENTER><BR></BODY>\r\n</HTML>\r\n");
    EXPECT_TRUE(std::filesystem::exists(m_album.outputFolder + "jpg_Beach_Day.htm"));
    EXPECT_TRUE(std::filesystem::exists(m_album.outputFolder + "thumb_jpg_Beach_Day.jpg"));
    EXPECT_TRUE(std::filesystem::exists(m_album.outputFolder + "myalbum_frame.htm"));
}

TEST_F(IndexPages, FivePhotosFillFourColumnsThenFillersAndEmptyRows)
{
    m_album.job.settings.ThumbnailsPerRow = 4;
    m_album.job.settings.RowsPerPage = 3;
    for (int i = 0; i < 5; ++i)
        m_album.addPhoto("p" + std::to_string(i) + ".jpg", 16, 12);
    ASSERT_TRUE(m_album.writeAllPages());
    EXPECT_EQ(tableShape(page()), "TCCCC/TLLLL/TCFFF/TL/T/T/");

    m_album.job.settings.Label = false;
    ASSERT_TRUE(m_album.writeAllPages());
    EXPECT_EQ(tableShape(page()), "TCCCC/TCFFF/T/");
}

TEST_F(IndexPages, LabelsCutLongWordsAndTitlesFallBackToCaptions)
{
    m_album.job.settings.ThumbnailsPerRow = 5;
    m_album.addPhoto("Holiday_in_Mallorca-2004_Sunset.jpg", 8, 8);
    m_album.addPhoto("Supercalifragilisticexpialidocious.jpg", 8, 8);
    m_album.addPhoto("My_Supercalifragilisticexpialidocious.jpg", 8, 8);
    m_album.addPhoto("a.jpg", 8, 8).Caption = "Beach & <Sea>";
    FileStorage& titled = m_album.addPhoto("b.jpg", 8, 8);
    titled.Caption = "Beach";
    titled.WebTitle = "Sunset";
    ASSERT_TRUE(m_album.writeAllPages());
    const std::string text = page();
    for (const char* label : {"> Holiday in Mallorca 2004 Sunset.jpg\r\n", "> Supercalifragil\r\n",
                              "> My Supercalifragi\r\n", "> Beach &amp; &lt;Sea&gt;\r\n", "> Beach\r\n"})
        EXPECT_NE(text.find(label), std::string::npos) << label;
    EXPECT_NE(text.find("ALT=''"), std::string::npos);
    EXPECT_NE(text.find("ALT='Beach &amp; &lt;Sea&gt;'"), std::string::npos);
    EXPECT_NE(text.find("ALT='Sunset'"), std::string::npos);
}

struct PageCase {
    const char* name;
    bool picture;
    void (*configure)(test::AlbumFixture&);
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

class IndexPageSettings : public IndexPages, public ::testing::WithParamInterface<PageCase> { };

TEST_P(IndexPageSettings, ShapeThePage)
{
    if (GetParam().picture)
        m_album.usePictureTemplate(640, 480);
    m_album.addPhoto("Beach Day.jpg", 800, 600).Caption = "Mom's <day>";
    GetParam().configure(m_album);
    ASSERT_TRUE(m_album.writeAllPages());
    const std::string text = page();
    for (const std::string& piece : GetParam().present)
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
    for (const std::string& piece : GetParam().absent)
        EXPECT_EQ(text.find(piece), std::string::npos) << piece;
}

// The example grid: 640 x 480, borders 40/40/60/20, spacing 10, labels 15 high, 4 x 3 cells of
// 132 x 116 from (40, 60).
void exampleGrid(test::AlbumFixture& album)
{
    AlbumSettings& s = album.job.settings;
    s.Left = "40";
    s.Right = "40";
    s.Top = "60";
    s.Bottom = "20";
    s.SpacingCols = 10;
    s.SpacingRows = 10;
    s.LabelHeight = 15;
    s.ThumbnailsPerRow = 4;
    s.RowsPerPage = 3;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndexPageSettings,
    ::testing::Values(
        PageCase{"pictureAreaFromTheThumbnailRectangle", true, exampleGrid,
                 {"\r\n <IMG SRC=\"myalbum_thumb.jpg\" BORDER=\"0\" USEMAP=\"#AUTOGENMAP7\"> </A>\r\n\r\n"
                  "<MAP NAME=\"AUTOGENMAP7\">\r\n<p class='PageNumber'><b> Page 1 of 1 </b></FONT></p>"
                  "<AREA SHAPE=\"RECT\" COORDS=\"40,68,172,167\"\r\n HREF=\"jpg_Beach_Day.htm\" "
                  "TITLE=\"Mom&#39;s &lt;day&gt;\" target='_self'>\r\n\r\n</MAP>\r\n<CENTER><BR></BODY>"},
                 {"<TABLE"}},
        PageCase{"pictureAreaFromTheBackdropCell", true,
                 [](test::AlbumFixture& a) {
                     exampleGrid(a);
                     a.job.settings.Backdrop = true;
                     a.job.settings.MultiWindow = true;
                     a.job.settings.CenterAlbum = true;
                 },
                 {"<CENTER>\r\n <IMG SRC=\"myalbum_thumb.jpg\" BORDER=\"0\" USEMAP=\"#AUTOGENMAP7\"></CENTER></A>",
                  "COORDS=\"38,58,173,177\"", "target='ImageFrame'>"},
                 {"PageNumber'><b>"}},
        PageCase{"backdropTableAndTexture", false,
                 [](test::AlbumFixture& a) {
                     a.job.settings.Backdrop = true;
                     a.job.settings.ThumbBgColor = 0x336699;
                     a.job.indexPageTexture = "/textures/Old Paper's.jpg";
                 },
                 {"<CENTER><TABLE WIDTH='400' BGCOLOR='996633' CELLPADDING=0 CELLSPACING=15> \r\n",
                  "MARGINHEIGHT=3 BACKGROUND='Old_Paper&#39;s.jpg' BGCOLOR="},
                 {}},
        PageCase{"leftTitleLinksAndFrames", false,
                 [](test::AlbumFixture& a) {
                     AlbumSettings& s = a.job.settings;
                     s.AlbumTitleAlignment = 2;
                     s.MultiWindow = true;
                     s.HTMLLink = "http://a.example/?x=1&y=2";
                     s.HTMLLinkDesc = "First & best";
                     s.HTMLLink2 = "b.htm";
                     s.HTMLLinkDesc2 = "Second";
                     s.NewWindow2 = false;
                     s.WebBgColor = 0x000080;
                     s.AlbumTitleColor = 0x00ff00;
                     s.LinkColor = 0x0000ff;
                 },
                 {"BGCOLOR=\"#800000\" TEXT=\"#00ff00\" LINK=\"#ff0000\" VLINK=\"#ff0000\"> \r\n\r\n"
                  "<FONT CLASS='AlbumTitle'> Album </FONT>\r\n<FONT SIZE=-2><BR></FONT>\r\n <CENTER><TABLE",
                  "target=\"ImageFrame\">",
                  "</TABLE>\r\n<CENTER><FONT CLASS='CustomLink' SIZE=+1><BR><A HREF=\"http://a.example/?x=1&amp;y=2\" "
                  "target=new> First &amp; best </A>\r\n&nbsp &nbsp <FONT CLASS='CustomLink' SIZE=+1><A HREF=\"b.htm\"  > "
                  "Second </A><BR>\r\n</BODY>"},
                 {"PageNumber'><b>"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IndexPages, HairlinePhotoGetsAThumbnailToo)
{
    m_album.addPhoto("line.jpg", 1, 300);
    m_album.addPhoto("dot.jpg", 1, 1);
    ASSERT_TRUE(m_album.writeAllPages());
    EXPECT_TRUE(std::filesystem::exists(m_album.outputFolder + "thumb_jpg_line.jpg"));
    EXPECT_TRUE(std::filesystem::exists(m_album.outputFolder + "thumb_jpg_dot.jpg"));
}

TEST_F(IndexPages, PagingBarOnEveryPageOfALongerAlbum)
{
    m_album.job.settings.ThumbnailsPerRow = 1;
    m_album.job.settings.RowsPerPage = 1;
    for (int i = 0; i < 3; ++i)
        m_album.addPhoto("p" + std::to_string(i) + ".jpg", 8, 8);
    ASSERT_TRUE(m_album.writeAllPages());
    EXPECT_NE(page("myalbum2.htm").find("HREF=\"myalbum.htm\" target=_self style=\"text-decoration:none\"> "
                                        "<IMG SRC=\"prev.gif\""),
              std::string::npos);
    EXPECT_NE(page("myalbum2.htm").find("<b> Page 2 of 3 </b>"), std::string::npos);
    EXPECT_EQ(page("myalbum3.htm").find("next.gif"), std::string::npos);
    // Photo pages link back to the index page that shows them.
    EXPECT_NE(test::readFile(m_album.outputFolder + "jpg_p1.htm").find("window.open('myalbum2.htm', '_self')"),
              std::string::npos);
}

TEST_F(IndexPages, PictureAlbumSavesItsAlbumPicture)
{
    m_album.usePictureTemplate(320, 240);
    m_album.job.compression1 = 60;
    m_album.addPhoto("a.jpg");
    ASSERT_TRUE(m_album.writeAllPages());
    EXPECT_EQ(readJpegSize(m_album.outputFolder + "myalbum_thumb.jpg"), (ImageSize{320, 240}));
    EXPECT_FALSE(std::filesystem::exists(m_album.outputFolder + "thumb_jpg_a.jpg"));
}

TEST_F(IndexPages, CancelBeforeTheThirdCellKeepsWhatWasWritten)
{
    for (int i = 0; i < 4; ++i)
        m_album.addPhoto("p" + std::to_string(i) + ".jpg", 8, 8);
    m_album.events.progressPosition = [this](int position) {
        if (position == 1)
            m_album.cancel = true;
    };
    EXPECT_FALSE(m_album.writeAllPages());
    EXPECT_FALSE(m_album.cancel);
    EXPECT_TRUE(m_album.messages.empty());
    const std::string text = page();
    EXPECT_EQ(tableShape(text + "</TABLE>"), "TCC");
    EXPECT_TRUE(std::filesystem::exists(m_album.outputFolder + "jpg_p1.htm"));
    EXPECT_FALSE(std::filesystem::exists(m_album.outputFolder + "jpg_p2.htm"));
}

TEST_F(IndexPages, PageThatCannotBeCreatedIsReported)
{
    m_album.addPhoto("a.jpg");
    std::filesystem::remove_all(m_album.outputFolder);
    EXPECT_FALSE(m_album.writeAllPages());
    ASSERT_EQ(m_album.messages.size(), 1u);
    EXPECT_EQ(m_album.messages[0],
              "Error creating file - " + m_album.outputFolder + "myalbum.htm (No such file or directory)");
}

TEST_F(IndexPages, PageThatCannotBeWrittenIsReported)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    m_album.addPhoto("a.jpg");
    const PageGrid grid = basicPageGrid(m_album.job.settings);
    IndexPageWriter writer(m_album.job, grid, nullptr, m_album.events, m_album.cancel);
    IndexPageArguments arguments = m_album.pages(grid.pageSize()).front();
    arguments.thisPage = "/dev/full";
    EXPECT_FALSE(writer.createAlbumPage(arguments));
    ASSERT_EQ(m_album.messages.size(), 1u);
    EXPECT_EQ(m_album.messages[0], "Error creating file - /dev/full (it is not a plain file)");
}

TEST_F(IndexPages, MissingPhotoEndsThePageAfterTheCellsBeforeIt)
{
    m_album.addPhoto("a.jpg");
    m_album.addPhoto("b.jpg");
    std::filesystem::remove(m_album.photoFolder + "b.jpg");
    EXPECT_FALSE(m_album.writeAllPages());
    ASSERT_EQ(m_album.messages.size(), 1u);
    EXPECT_NE(m_album.messages[0].find(m_album.photoFolder + "b.jpg"), std::string::npos);
    EXPECT_EQ(tableShape(page() + "</TABLE>"), "TC");
}

TEST_F(IndexPages, ThumbnailThatCannotBeSavedThrowsAndKeepsThePageSoFar)
{
    m_album.addPhoto("a.jpg");
    m_album.addPhoto("b.jpg");
    std::filesystem::create_directory(m_album.outputFolder + "thumb_jpg_b.jpg");
    EXPECT_THROW(m_album.writeAllPages(), std::runtime_error);
    EXPECT_EQ(tableShape(page() + "</TABLE>"), "TC");
}

TEST_F(IndexPages, FrameSetPageThatCannotBeWrittenEndsThePage)
{
    m_album.addPhoto("a.jpg");
    std::filesystem::create_directory(m_album.outputFolder + "myalbum_frame.htm");
    EXPECT_FALSE(m_album.writeAllPages());
    ASSERT_EQ(m_album.messages.size(), 1u);
    EXPECT_EQ(m_album.messages[0],
              "Error creating file on " + m_album.outputFolder + "myalbum_frame.htm - write protected? (it is a folder)");
}

} // namespace
} // namespace pictaven
