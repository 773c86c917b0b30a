#include "generate/AlbumJob.h"
#include "generate/GenerationEvents.h"
#include "generate/PhotoPageWriter.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace pictaven {
namespace {

FileStorage photo(const std::string& path, const std::string& title = {})
{
    FileStorage storage;
    storage.SourcePath = path;
    storage.WorkingPath = path;
    storage.WebTitle = title;
    return storage;
}

class PhotoPages : public ::testing::Test {
protected:
    PhotoPages()
    {
        m_job.outputFolder = m_dir.str();
        m_job.albumTitle = "My Album";
        m_job.photos = {photo("/p/a.jpg", "Sunset"), photo("/p/b b.jpg"), photo("/p/c.jpg")};
        m_events.logMessage = [this](const std::string& message) { m_messages.push_back(message); };
    }

    // Writes the page of photo n and gives its text.
    std::string page(int n)
    {
        const PhotoPageWriter writer(m_job, m_events);
        const std::string name = n == 1 ? "jpg_a.htm" : n == 2 ? "jpg_b_b.htm" : "jpg_c.htm";
        EXPECT_TRUE(writer.createPhotoPage(m_dir.str() + name, m_dir.str() + "myalbum.htm", n));
        return test::readFile(m_dir / name);
    }

    test::TempDir m_dir;
    AlbumJob m_job;
    GenerationEvents m_events;
    std::vector<std::string> m_messages;
};

TEST_F(PhotoPages, WholePageWithTheDefaultLayout)
{
    m_job.settings.GenerateMetaData = false;
    m_job.settings.StyleSheetType = 2;
    m_job.settings.StyleSheetURL = "style.css";
    m_job.photos[0].Description = {"Line one", "", "<b>bold</b>"};
    EXPECT_EQ(
        page(1),
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"
        "\r\n<HTML>\r\n<HEAD>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
        "<meta http-equiv=\"Content-Style-Type\" content=\"text/css\">\r\n"
        "<!-- Generated with Pictaven - https://pictaven.example.org/ !-->\r\n\r\n"
        "\r\n<SCRIPT type='text/javascript' LANGUAGE=\"JavaScript\">\r\n<!-- \r\nvar count = 0;\r\n"
        "function preLoad() {   \r\n  NextImage = new Image();   \r\n  NextImage.src = \"b_b.jpg\"; \r\n}   \r\n"
        "-->   \r\n</SCRIPT>   \r\n"
        "<LINK REL=StyleSheet HREF=\"style.css\" TYPE=\"text/css\" >\r\n "
        "<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">\r\n"
        "<STYLE TYPE=\"text/css\">IMG[NAME=FullSizeImage] { max-width: 100%; height: auto; }</STYLE>\r\n"
        "\r\n<TITLE>My Album</TITLE>\r\n\r\n</HEAD>\r\n"
        "\r\n<BODY ONLOAD=\"preLoad()\" LEFTMARGIN=3 TOPMARGIN=3 MARGINWIDTH=3 MARGINHEIGHT=3  "
        "BGCOLOR=\"#ffffff\" TEXT=\"#000000\"  > \r\n\r\n"
        "<CENTER><FONT CLASS='PhotoTitle'  COLOR=\"#000000\" SIZE=+2>Sunset</FONT>\r\n<BR>\r\n"
        "<CENTER>\r\n\r\n<FORM NAME=\"ListBoxForm\">\r\n<SELECT CLASS='PulldownListbox' NAME=\"WebAlbListbox\" "
        "onchange=\"window.open(this.options[this.selectedIndex].value,'_self')\" CLASS=\"v11\">\r\n"
        "<OPTION SELECTED VALUE=\"jpg_a.htm\">Sunset\r\n<OPTION VALUE=\"jpg_b_b.htm\">b_b.jpg\r\n"
        "<OPTION VALUE=\"jpg_c.htm\">c.jpg\r\n</SELECT>\r\n</FORM>\r\n\r\n\r\n"
        "<CENTER>\r\n\r\n\r\n<FORM NAME=\"NavigationButtonsForm\">\r\n"
        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Index\" CLASS='NavigationButton'  "
        "ONCLICK=\"window.open('myalbum.htm', '_self')\">  \r\n"
        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Next\" CLASS='NavigationButton'  "
        "ONCLICK=\"window.open('jpg_b_b.htm', '_self')\">\r\n"
        "</SELECT>\r\n</FORM>\r\n\r\n\r\n"
        "<CENTER>\r\n<TABLE BGCOLOR='#ffffff' BORDER='1'\r\n BORDERCOLOR='#000000' CELLSPACING=0 CELLPADDING=0>\r\n"
        "<TR><TD>\r\n<IMG SRC=\"a.jpg\"    NAME='FullSizeImage' ALIGN=MIDDLE>\r\n</TD></TR></TABLE><BR>\r\n"
        "<FONT CLASS='PhotoLongDescription' COLOR=\"#000000\" SIZE =+1>\r\nLine one\r\n<b>bold</b>\r\n</FONT>\r\n"
        "</BODY>\r\n</HTML>\r\n");
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PhotoPages, SlideShowGoesRoundTheAlbum)
{
    m_job.settings.DisplaySlideShow = true;
    m_job.settings.RefreshRate = "5";
    EXPECT_NE(page(1).find("<META HTTP-EQUIV=REFRESH CONTENT=\"5;URL=jpg_b_b.htm\">\r\n"), std::string::npos);
    EXPECT_NE(page(2).find("<META HTTP-EQUIV=REFRESH CONTENT=\"5;URL=jpg_c.htm\">\r\n"), std::string::npos);
    const std::string last = page(3);
    EXPECT_NE(last.find("<META HTTP-EQUIV=REFRESH CONTENT=\"5;URL=jpg_a.htm\">\r\n"), std::string::npos);
    // The last photo preloads the one before it.
    EXPECT_NE(last.find("NextImage.src = \"b_b.jpg\";"), std::string::npos);
}

TEST_F(PhotoPages, OnePhotoAlbumHasNoRefreshAndPreloadsItself)
{
    m_job.settings.DisplaySlideShow = true;
    m_job.photos.resize(1);
    const std::string text = page(1);
    EXPECT_EQ(text.find("REFRESH"), std::string::npos);
    EXPECT_NE(text.find("NextImage.src = \"a.jpg\";"), std::string::npos);
    EXPECT_EQ(text.find("VALUE=\"Prev\""), std::string::npos);
    EXPECT_EQ(text.find("VALUE=\"Next\""), std::string::npos);
}

struct LayoutCase {
    const char* name;
    void (*configure)(AlbumJob&);
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

class PhotoPageLayouts : public PhotoPages, public ::testing::WithParamInterface<LayoutCase> { };

TEST_P(PhotoPageLayouts, FollowTheSettings)
{
    GetParam().configure(m_job);
    const std::string text = page(2);
    for (const std::string& piece : GetParam().present)
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
    for (const std::string& piece : GetParam().absent)
        EXPECT_EQ(text.find(piece), std::string::npos) << piece;
}

const std::string metaLines = "<META name=\"description\" content=\"Pictaven - Generate photo albums for the web\">\r\n"
                              "<META name=\"keywords\" content=\"software html internet photo album web ftp "
                              "thumbnail catalog slideshow\">\r\n\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, PhotoPageLayouts,
    ::testing::Values(
        LayoutCase{"metaLinesTwiceAndStyleBlockBeforeScript", [](AlbumJob&) {},
                   {metaLines + "<STYLE TYPE='text/css'>", "</SCRIPT>   \r\n" + metaLines + "<META NAME=\"viewport\""},
                   {"<LINK"}},
        LayoutCase{"textureWithoutSoftEdge", [](AlbumJob& j) { j.photoPageTexture = "/tex/Paper Sheet.jpg"; },
                   {"BACKGROUND=\"Paper_Sheet.jpg\" BGCOLOR"},
                   {}},
        LayoutCase{"softEdgeDropsTextureAndFrame",
                   [](AlbumJob& j) {
                       j.photoPageTexture = "/tex/paper.jpg";
                       j.settings.SoftEdge = true;
                   },
                   {"MARGINHEIGHT=3  BGCOLOR",
                    "<CENTER>\r\n<IMG SRC=\"b_b.jpg\"    NAME='FullSizeImage'  ALIGN=MIDDLE><BR>\r\n"},
                   {"<TABLE", "paper.jpg", "BACKGROUND"}},
        LayoutCase{"noBorder", [](AlbumJob& j) { j.settings.PhotoBorder = false; },
                   {"<CENTER>\r\n<IMG SRC=\"b_b.jpg\"    NAME='FullSizeImage'  ALIGN=MIDDLE><BR>\r\n"},
                   {"<TABLE"}},
        LayoutCase{"borderColoursAndWidth",
                   [](AlbumJob& j) {
                       j.settings.PhotoBorderWidth = "7";
                       j.settings.WebPhotoBgColor = 0x102030;
                       j.settings.WebPhotoBorderColor = 255;
                   },
                   {"<TABLE BGCOLOR='#302010' BORDER='7'\r\n BORDERCOLOR='#ff0000' CELLSPACING=0",
                    "BGCOLOR=\"#302010\" TEXT=\"#000000\""},
                   {}},
        LayoutCase{"descriptionOnTopHasNoFrame",
                   [](AlbumJob& j) {
                       j.settings.WebTitleAlignment = 0;
                       j.photos[1].Description = {"first", "", "second"};
                   },
                   {"<FONT CLASS='PhotoLongDescription'  COLOR=\"#000000\" SIZE =+1>\r\nfirst\r\nsecond\r\n"
                    "</FONT>\r\n<CENTER>\r\n\r\n<FORM NAME=\"ListBoxForm\">",
                    "<CENTER><BR>\r\n<IMG SRC=\"b_b.jpg\" NAME='FullSizeImage'   ALIGN=MIDDLE><BR>\r\n"},
                   {"<TABLE"}},
        LayoutCase{"descriptionHidden",
                   [](AlbumJob& j) {
                       j.settings.DisplayWebDesc = false;
                       j.photos[1].Description = {"hidden"};
                   },
                   {"SIZE =+1>\r\n</FONT>\r\n"},
                   {"hidden"}},
        LayoutCase{"emptyTitleGivesABreak", [](AlbumJob&) {},
                   {"TEXT=\"#000000\"  > \r\n\r\n<BR><CENTER>\r\n\r\n<FORM"},
                   {"PhotoTitle'"}},
        LayoutCase{"titleHidden",
                   [](AlbumJob& j) {
                       j.settings.DisplayWebTitle = false;
                       j.photos[1].WebTitle = "Hidden title";
                   },
                   {"TEXT=\"#000000\"  > \r\n\r\n<CENTER>\r\n\r\n<FORM"},
                   {"PhotoTitle'"}},
        LayoutCase{"fadeInAndProtection",
                   [](AlbumJob& j) {
                       j.settings.FadeIn = true;
                       j.settings.ProtectImages = true;
                   },
                   {"}   \r\nfunction FadeIn() { \r\n var photo = document.images['FullSizeImage'];  \r\n",
                    "     photo.style.visibility='visible';  \r\n }\r\n}\r\n-->   \r\n</SCRIPT>",
                    "<BODY ONLOAD=\"FadeIn();preLoad()\"",
                    "TEXT=\"#000000\"  oncontextmenu=\"return false\" ondragstart=\"return false\"  onselectstart="
                    "\"return false\" > \r\n",
                    "<IMG SRC=\"b_b.jpg\" STYLE='visibility:hidden'  NAME='FullSizeImage' ALIGN=MIDDLE>"},
                   {}},
        LayoutCase{"navigationAtTheBottomOnly",
                   [](AlbumJob& j) {
                       j.settings.ListboxAlignment = 1;
                       j.settings.NavigationButtonsAlignment = 1;
                   },
                   {"</FONT>\r\n<CENTER>\r\n\r\n<FORM NAME=\"ListBoxForm\">",
                    "</FORM>\r\n\r\n\r\n<CENTER>\r\n\r\n\r\n<FORM NAME=\"NavigationButtonsForm\">"},
                   {"<BR>\r\n<CENTER>\r\n\r\n<FORM"}},
        LayoutCase{"audioLink", [](AlbumJob& j) { j.photos[1].AudioFile = "/sounds/Mom's song.wav"; },
                   {"<A HREF=\"Mom&#39;s_song.wav\"><IMG SRC=\"speaker.gif\"></A>\r\n</BODY>\r\n</HTML>\r\n"},
                   {}},
        LayoutCase{"convertedPhotoShowsItsJpegCopy", [](AlbumJob& j) { j.photos[2].WorkingPath = "/out/scan.jpg"; },
                   {"NextImage.src = \"scan.jpg\";", "<OPTION VALUE=\"jpg_scan.htm\">"},
                   {}},
        LayoutCase{"nonWebNameIsShownAsJpeg", [](AlbumJob& j) { j.photos[1].WorkingPath = "/p/shot.bmp"; },
                   {"<IMG SRC=\"shot.jpg\""},
                   {}},
        LayoutCase{"fragmentAndQueryCharactersInNames",
                   [](AlbumJob& j) {
                       j.photos[1].WorkingPath = "/p/100% #1?.jpg";
                       j.photos[2].WorkingPath = "/p/c#.jpg";
                       j.settings.DisplaySlideShow = true;
                   },
                   {"NextImage.src = \"c%23.jpg\";", "<OPTION VALUE=\"jpg_100%25_%231%3F.htm\">100%_#1?.jpg\r\n",
                    "<OPTION VALUE=\"jpg_c%23.htm\">", "CONTENT=\"5;URL=jpg_c%23.htm\"",
                    "<IMG SRC=\"100%25_%231%3F.jpg\"", "ONCLICK=\"window.open('jpg_c%23.htm', '_self')\""},
                   {}},
        LayoutCase{"hostileNamesStayInTheirAttributes",
                   [](AlbumJob& j) {
                       j.albumTitle = "Tom & Jerry <3";
                       j.photos[1].WorkingPath = "/p/\"><b onclick=x>.jpg";
                       j.photos[1].WebTitle = "<i>Mom's</i>";
                       j.photos[2].WorkingPath = "/p/it's \"q\".jpg";
                   },
                   {"<IMG SRC=\"&quot;&gt;&lt;b_onclick=x&gt;.jpg\"", "NextImage.src = \"it\\'s_\\\"q\\\".jpg\";",
                    "<OPTION VALUE=\"jpg_&quot;&gt;&lt;b_onclick=x&gt;.htm\">&lt;i&gt;Mom's&lt;/i&gt;\r\n",
                    "<OPTION VALUE=\"jpg_it&#39;s_&quot;q&quot;.htm\">it's_\"q\".jpg\r\n",
                    "<TITLE>Tom &amp; Jerry &lt;3</TITLE>", "SIZE=+2>&lt;i&gt;Mom's&lt;/i&gt;</FONT>"},
                   {"<b_onclick", "<i>"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PhotoPages, PageThatCannotBeCreatedIsReported)
{
    const PhotoPageWriter writer(m_job, m_events);
    const std::string path = m_dir.str() + "missing/jpg_a.htm";
    EXPECT_FALSE(writer.createPhotoPage(path, m_dir.str() + "myalbum.htm", 1));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Error creating file on " + path + " - write protected? (No such file or directory)");
}

TEST_F(PhotoPages, PageThatCannotBeWrittenIsReported)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    const PhotoPageWriter writer(m_job, m_events);
    EXPECT_FALSE(writer.createPhotoPage("/dev/full", m_dir.str() + "myalbum.htm", 1));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Error creating file on /dev/full - write protected? (it is not a plain file)");
}

TEST_F(PhotoPages, PageThatCannotBeWrittenWholeNamesTheReason)
{
    const PhotoPageWriter writer(m_job, m_events);
    const std::string path = m_dir.str() + "jpg_a.htm";
    {
        // The page is longer than the disk allows.
        const test::FileSizeLimit limit(100);
        EXPECT_FALSE(writer.createPhotoPage(path, m_dir.str() + "myalbum.htm", 1));
    }
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Error creating file on " + path + " - write protected? (File too large)");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(PhotoPages, ReadOnlyPageFromAnEarlierRunIsOverwritten)
{
    test::writeFile(m_dir / "jpg_a.htm", "old");
    std::filesystem::permissions(m_dir / "jpg_a.htm", std::filesystem::perms::owner_read);
    EXPECT_TRUE(page(1).starts_with("<!DOCTYPE"));
    EXPECT_TRUE(m_messages.empty());
}

} // namespace
} // namespace pictaven
