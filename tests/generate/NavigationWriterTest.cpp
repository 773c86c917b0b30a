#include "generate/AlbumJob.h"
#include "generate/NavigationWriter.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

FileStorage photo(const std::string& path, const std::string& caption = {}, const std::string& title = {})
{
    FileStorage storage;
    storage.SourcePath = path;
    storage.WorkingPath = path;
    storage.Caption = caption;
    storage.WebTitle = title;
    return storage;
}

const std::string firstButton =
    " <A HREF=\"myalbum.htm\" target=_self style=\"text-decoration:none\"><IMG SRC=\"first.gif\"   BORDER=0> </A>  \r\n";

struct PagingCase {
    const char* name;
    std::string next;
    std::string previous;
    std::string last;
    std::string expectedButtons; // between <CENTER> and </CENTER>, after the first button
};

class PagingBar : public ::testing::TestWithParam<PagingCase> { };

TEST_P(PagingBar, ShowsTheNeighbouringPages)
{
    AlbumJob job;
    const NavigationWriter writer(job);
    const PagingCase& c = GetParam();
    std::string page;
    writer.writeIndexNavigation(page, "myalbum.htm", c.last, c.next, c.previous);
    EXPECT_EQ(page, "<CENTER>\r\n" + firstButton + c.expectedButtons + "</CENTER>\r\n");
}

const std::string prev2 =
    " <A HREF=\"myalbum2.htm\" target=_self style=\"text-decoration:none\"> <IMG SRC=\"prev.gif\"   BORDER=0> </A>  \r\n";
const std::string next2 =
    " <A HREF=\"myalbum2.htm\" target=_self style=\"text-decoration:none\"><IMG SRC=\"next.gif\"   BORDER=0> </A>  \r\n";
const std::string next3 =
    " <A HREF=\"myalbum3.htm\" target=_self style=\"text-decoration:none\"><IMG SRC=\"next.gif\"   BORDER=0> </A>  \r\n";
const std::string prev1 =
    " <A HREF=\"myalbum.htm\" target=_self style=\"text-decoration:none\"> <IMG SRC=\"prev.gif\"   BORDER=0> </A>  \r\n";
const std::string last3 =
    " <A HREF=\"myalbum3.htm\" target=_self style=\"text-decoration:none\"><IMG SRC=\"last.gif\"   BORDER=0> </A>  \r\n";
const std::string lastNone =
    " <A HREF=\"\" target=_self style=\"text-decoration:none\"><IMG SRC=\"last.gif\"   BORDER=0> </A>  \r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, PagingBar,
    ::testing::Values(PagingCase{"page1of3", "myalbum2.htm", "", "myalbum3.htm", next2 + last3},
                      PagingCase{"page2of3", "myalbum3.htm", "myalbum.htm", "myalbum3.htm", prev1 + next3 + last3},
                      PagingCase{"page3of3", "", "myalbum2.htm", "myalbum3.htm", prev2 + last3},
                      PagingCase{"blankNeighbours", "  ", " ", "myalbum3.htm", last3},
                      PagingCase{"preview", "", "", "", lastNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PagingBar, OnePageAlbumHasNone)
{
    AlbumJob job;
    std::string page;
    NavigationWriter(job).writeIndexNavigation(page, "myalbum.htm", "myalbum.htm", "", "");
    EXPECT_EQ(page, "");
}

TEST(PagingBar, HomeButtonAndLowButtonsInAOneColumnFrame)
{
    AlbumJob job;
    job.settings.HomeButtonEnable = true;
    job.settings.HomeURL = "http://example.org/?a=1&b=2";
    job.settings.HomeButtonFrame = "_top";
    job.settings.MultiWindow = true;
    job.settings.ThumbnailsPerRow = 1;
    std::string page;
    NavigationWriter(job).writeIndexNavigation(page, "a.htm", "b.htm", "b.htm", "");
    EXPECT_EQ(page, "<CENTER>\r\n"
                    " <A HREF=\"http://example.org/?a=1&amp;b=2\" target=_top style=\"text-decoration:none\"> "
                    "<IMG SRC=\"home.gif\"  HEIGHT = 24  BORDER=0> </A>  \r\n"
                    " <A HREF=\"a.htm\" target=_self style=\"text-decoration:none\"><IMG SRC=\"first.gif\"  "
                    "HEIGHT = 24  BORDER=0> </A>  \r\n"
                    " <A HREF=\"b.htm\" target=_self style=\"text-decoration:none\"><IMG SRC=\"next.gif\"  "
                    "HEIGHT = 24  BORDER=0> </A>  \r\n"
                    " <A HREF=\"b.htm\" target=_self style=\"text-decoration:none\"><IMG SRC=\"last.gif\"  "
                    "HEIGHT = 24  BORDER=0> </A>  \r\n"
                    "</CENTER>\r\n");
}

const std::string formStart = "<CENTER>\r\n\r\n\r\n<FORM NAME=\"NavigationButtonsForm\">\r\n";
const std::string formEnd = "</SELECT>\r\n</FORM>\r\n\r\n\r\n";

struct ButtonsCase {
    const char* name;
    void (*configure)(AlbumSettings&);
    std::string expected;
};

class NavigationButtons : public ::testing::TestWithParam<ButtonsCase> { };

TEST_P(NavigationButtons, FollowTheSettings)
{
    AlbumJob job;
    job.settings.HomeButtonImage = "/prog/NAVBUTS/3Home.gif";
    job.settings.IndexButtonImage = "/prog/NAVBUTS/3Index.gif";
    job.settings.PrevButtonImage = "/prog/NAVBUTS/3Prev.gif";
    job.settings.NextButtonImage = "/prog/NAVBUTS/3Next.gif";
    GetParam().configure(job.settings);
    std::string page;
    NavigationWriter(job).writeNavigationButtons(page, "/out/My Album2.htm", "jpg_c.htm", "jpg_a.htm");
    EXPECT_EQ(page, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NavigationButtons,
    ::testing::Values(
        ButtonsCase{"textButtons", [](AlbumSettings&) {},
                    formStart +
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Index\" CLASS='NavigationButton'  "
                        "ONCLICK=\"window.open('My_Album2.htm', '_self')\">  \r\n"
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Prev\" CLASS='NavigationButton' \r\n "
                        "ONCLICK=\"window.open('jpg_a.htm', '_self')\">\r\n"
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Next\" CLASS='NavigationButton'  "
                        "ONCLICK=\"window.open('jpg_c.htm', '_self')\">\r\n" +
                        formEnd},
        ButtonsCase{"homeTextButton",
                    [](AlbumSettings& s) {
                        s.HomeButtonEnable = true;
                        s.HomeButtonFrame = "_top";
                        s.MultiWindow = true;
                    },
                    formStart +
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Home\" CLASS='NavigationButton'  "
                        "ONCLICK=\"window.open('http://', '_top')\">\r\n"
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Prev\" CLASS='NavigationButton' \r\n "
                        "ONCLICK=\"window.open('jpg_a.htm', 'ImageFrame')\">\r\n"
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Next\" CLASS='NavigationButton'  "
                        "ONCLICK=\"window.open('jpg_c.htm', 'ImageFrame')\">\r\n" +
                        formEnd},
        ButtonsCase{"pictureButtons",
                    [](AlbumSettings& s) {
                        s.ButtonType = 3;
                        s.HomeButtonEnable = true;
                        s.HomeButtonFrame = "_blank";
                    },
                    formStart +
                        "\r\n<A HREF=\"http://\" target=_blank style=\"text-decoration:none\"> "
                        "<IMG SRC=\"3Home.gif\" BORDER=0> </A>  \r\n"
                        "\r\n<A HREF=\"My_Album2.htm\" target=\"_self\" style=\"text-decoration:none\"> "
                        "<IMG SRC=\"3Index.gif\" BORDER=0> </A>  \r\n"
                        "\r\n<A HREF=\"jpg_a.htm\" target=_self style=\"text-decoration:none\">\r\n "
                        "<IMG SRC=\"3Prev.gif\"  BORDER=0> </A>  \r\n"
                        "\r\n<A HREF=\"jpg_c.htm\" target=_self style=\"text-decoration:none\"> "
                        "<IMG SRC=\"3Next.gif\"  BORDER=0> </A>  \r\n" +
                        formEnd},
        ButtonsCase{"previewHasNoNext", [](AlbumSettings& s) { s.SneakPeek = true; },
                    formStart +
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Index\" CLASS='NavigationButton'  "
                        "ONCLICK=\"window.open('My_Album2.htm', '_self')\">  \r\n"
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Prev\" CLASS='NavigationButton' \r\n "
                        "ONCLICK=\"window.open('jpg_a.htm', '_self')\">\r\n" +
                        formEnd},
        ButtonsCase{"listBoxOnlyKeepsTheEmptyForm", [](AlbumSettings& s) { s.DisplayNavigationButtons = false; },
                    formStart + formEnd},
        ButtonsCase{"neither",
                    [](AlbumSettings& s) {
                        s.DisplayNavigationButtons = false;
                        s.DisplayListbox = false;
                    },
                    ""},
        ButtonsCase{"quotesInTexts",
                    [](AlbumSettings& s) {
                        s.HomeButtonEnable = true;
                        s.PrefixHome = "Mom's \"home\"";
                        s.HomeURL = "http://x.org/it's";
                        s.MultiWindow = true;
                        s.DisplayNavigationButtons = true;
                    },
                    formStart +
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Mom&#39;s &quot;home&quot;\" CLASS='NavigationButton'  "
                        "ONCLICK=\"window.open('http://x.org/it\\&#39;s', '_parent')\">\r\n"
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Prev\" CLASS='NavigationButton' \r\n "
                        "ONCLICK=\"window.open('jpg_a.htm', 'ImageFrame')\">\r\n"
                        "\r\n<INPUT TYPE=\"BUTTON\" VALUE=\"Next\" CLASS='NavigationButton'  "
                        "ONCLICK=\"window.open('jpg_c.htm', 'ImageFrame')\">\r\n" +
                        formEnd}),
    [](const auto& info) { return std::string(info.param.name); });

const std::string listStart =
    "<CENTER>\r\n\r\n<FORM NAME=\"ListBoxForm\">\r\n<SELECT CLASS='PulldownListbox' NAME=\"WebAlbListbox\" "
    "onchange=\"window.open(this.options[this.selectedIndex].value,'_self')\" CLASS=\"v11\">\r\n";

TEST(ListBox, EntryTextsSelectionAndPrefix)
{
    AlbumJob job;
    job.photos = {photo("/p/a.jpg", "Beach", "Sunset"), photo("/p/Mom's Day.JPG", "Mom & me"),
                  photo("/p/c.gif"), photo("/p/d.png")};
    job.settings.PrefixName = "Photo";
    std::string page;
    NavigationWriter(job).writeListBox(page, "/out/JPG_Mom's_Day.htm");
    EXPECT_EQ(page, listStart + "<OPTION VALUE=\"jpg_a.htm\">Sunset\r\n"
                                "<OPTION VALUE=\"jpg_Mom&#39;s_Day.htm\">Mom &amp; me\r\n"
                                "<OPTION VALUE=\"gif_c.htm\">Photo #3\r\n"
                                "<OPTION VALUE=\"png_d.htm\">Photo #4\r\n" + formEnd);

    page.clear();
    NavigationWriter(job).writeListBox(page, "/out/jpg_Mom's_Day.htm");
    EXPECT_NE(page.find("<OPTION SELECTED VALUE=\"jpg_Mom&#39;s_Day.htm\">Mom &amp; me\r\n"), std::string::npos);
}

TEST(ListBox, FileNamesWithoutPrefixOnlyTheFirstInPreviewAndFramedTarget)
{
    AlbumJob job;
    job.photos = {photo("/p/My Photo.jpg"), photo("/p/b.jpg")};
    job.settings.LowercaseFiles = true;
    std::string page;
    NavigationWriter(job).writeListBox(page, "/out/jpg_b.htm");
    EXPECT_EQ(page, listStart + "<OPTION VALUE=\"jpg_my_photo.htm\">my_photo.jpg\r\n"
                                "<OPTION SELECTED VALUE=\"jpg_b.htm\">b.jpg\r\n" + formEnd);

    job.settings.SneakPeek = true;
    job.settings.MultiWindow = true;
    page.clear();
    NavigationWriter(job).writeListBox(page, "/out/jpg_my_photo.htm");
    EXPECT_EQ(page, "<CENTER>\r\n\r\n<FORM NAME=\"ListBoxForm\">\r\n<SELECT CLASS='PulldownListbox' "
                    "NAME=\"WebAlbListbox\" onchange=\"window.open(this.options[this.selectedIndex].value,"
                    "'ImageFrame')\" CLASS=\"v11\">\r\n<OPTION SELECTED VALUE=\"jpg_my_photo.htm\">my_photo.jpg\r\n"
                    "</SELECT>\r\n</FORM>\r\n\r\n\r\n");

    job.settings.DisplayListbox = false;
    page.clear();
    NavigationWriter(job).writeListBox(page, "/out/jpg_b.htm");
    EXPECT_EQ(page, "");
}

} // namespace
} // namespace pictaven
