#include "generate/OutputNames.h"
#include "generate/StyleWriter.h"
#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

TEST(StyleWriter, BlueThemeBlockWithTheDefaultFonts)
{
    AlbumSettings settings;
    settings.PageNumberFontSize = "12";
    std::string page;
    StyleWriter::writeStyleBlock(page, settings);
    EXPECT_EQ(page,
              "<STYLE TYPE='text/css'>\r\n<!--\r\n"
              ".AlbumTitle  {font: 18pt \"Helvetica\"; font-weight: normal;} \r\n"
              ".PhotoTitle  {font-family: \"Helvetica\"; font: 12pt }\r\n"
              ".NavigationButton  {font-family : \"Helvetica\" ;  font-size: 12pt; font-weight: bold; color: white; "
              "background: blue}\r\n"
              ".PhotoLongDescription  {font-family: \"Helvetica\";  font-size: 12pt;}\r\n"
              ".ThumbnailLabels {color: white; background: blue; border-top-width: 1px;\r\n"
              "   border-top-style: solid; border-bottom-width: 1px; border-bottom-style: solid;\r\n"
              "   border-right-width: 1px; border-right-style: solid; border-left-width: 1px;\r\n"
              "   border-left-style: solid; border-color: white; font: 8pt \"Helvetica\"}\r\n"
              ".CustomLink  {font-family: \"Helvetica\"; font: 12pt; font-weight: bold }\r\n"
              ".PulldownListbox  {font: 12pt \"Helvetica\"; color: white; font-weight: bold; background: blue }\r\n"
              ".PageNumber  {text-align: center; font: 12pt \"Helvetica\"; font-weight: normal; }\r\n"
              "-->\r\n</STYLE>\r\n");
}

struct ThemeCase {
    int theme;
    const char* background;
    const char* text;
};

class Themes : public ::testing::TestWithParam<ThemeCase> { };

TEST_P(Themes, ColourTheButtonsLabelsAndList)
{
    AlbumSettings settings;
    settings.StyleTheme = GetParam().theme;
    std::string page;
    StyleWriter::writeStyleBlock(page, settings);
    const std::string background = GetParam().background;
    const std::string text = GetParam().text;
    EXPECT_NE(page.find("font-weight: bold; color: " + text + "; background: " + background + "}"), std::string::npos);
    EXPECT_NE(page.find(".ThumbnailLabels {color: " + text + "; background: " + background), std::string::npos);
    EXPECT_NE(page.find("border-color: " + text + ";"), std::string::npos);
    EXPECT_NE(page.find("color: " + text + "; font-weight: bold; background: " + background + " }"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, Themes,
                         ::testing::Values(ThemeCase{0, "blue", "white"}, ThemeCase{1, "red", "white"},
                                           ThemeCase{2, "yellow", "black"}, ThemeCase{3, "green", "white"},
                                           ThemeCase{4, "black", "white"}, ThemeCase{5, "gray", "white"},
                                           ThemeCase{6, "orange", "black"}, ThemeCase{7, "pink", "red"},
                                           ThemeCase{8, "cyan", "blue"}, ThemeCase{9, "white", "black"},
                                           ThemeCase{10, "purple", "yellow"}, ThemeCase{11, "silver", "black"},
                                           ThemeCase{-1, "blue", "white"}, ThemeCase{12, "blue", "white"}));

struct StylePartCase {
    int type;
    const char* expected; // empty: the style block
};

class StyleParts : public ::testing::TestWithParam<StylePartCase> { };

TEST_P(StyleParts, FollowTheStyleSheetType)
{
    AlbumSettings settings;
    settings.StyleSheetType = GetParam().type;
    settings.StyleSheet = "/home/me/css/My Style.css";
    settings.StyleSheetURL = "http://example.org/a.css?x=1&y='2'";
    std::string page;
    StyleWriter::writeStylePart(page, settings, OutputNames(true, false));
    if (GetParam().type == 0)
        EXPECT_TRUE(page.starts_with("<STYLE TYPE='text/css'>"));
    else
        EXPECT_EQ(page, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StyleParts,
    ::testing::Values(StylePartCase{0, ""},
                      StylePartCase{1, "<LINK REL=StyleSheet HREF=\"My_Style.css\" TYPE=\"text/css\" >\r\n "},
                      StylePartCase{2, "<LINK REL=StyleSheet HREF=\"http://example.org/a.css?x=1&amp;y=&#39;2&#39;\" "
                                       "TYPE=\"text/css\" >\r\n "},
                      StylePartCase{-1, ""}));

} // namespace
} // namespace pictaven
