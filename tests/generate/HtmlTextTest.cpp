#include "generate/HtmlText.h"
#include "generate/PagePreamble.h"
#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pictaven {
namespace {

TEST(HtmlText, FillPutsArgumentsInOrderAndColoursInOnePlace)
{
    EXPECT_EQ(HtmlText::fill("<A HREF=\"%s\" target=%s> %d %% </A>", {"a.htm", "_self", "7"}),
              "<A HREF=\"a.htm\" target=_self> 7 % </A>");
    EXPECT_EQ(HtmlText::fill("BGCOLOR=\"#%02x%02x%02x\" TEXT=\"#%02x%02x%02x\"", {"ff0000", "00ff00"}),
              "BGCOLOR=\"#ff0000\" TEXT=\"#00ff00\"");
}

TEST(HtmlText, FillRefusesArgumentsThatDoNotMatchThePlaces)
{
    EXPECT_THROW(HtmlText::fill("%s and %s", {"one"}), std::logic_error);
    EXPECT_THROW(HtmlText::fill("%s", {"one", "two"}), std::logic_error);
    EXPECT_THROW(HtmlText::fill("%x", {"one"}), std::logic_error);
}

struct EscapeCase {
    const char* text;
    const char* attribute;
    const char* script;
};

class Escaping : public ::testing::TestWithParam<EscapeCase> { };

TEST_P(Escaping, KeepsTextFromEndingItsPlace)
{
    EXPECT_EQ(HtmlText::attribute(GetParam().text), GetParam().attribute);
    EXPECT_EQ(HtmlText::scriptString(GetParam().text), GetParam().script);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Escaping,
    ::testing::Values(EscapeCase{"plain.jpg", "plain.jpg", "plain.jpg"},
                      EscapeCase{"Mom's birthday", "Mom&#39;s birthday", "Mom\\'s birthday"},
                      EscapeCase{"Tom & \"Jerry\"", "Tom &amp; &quot;Jerry&quot;", "Tom & \\\"Jerry\\\""},
                      EscapeCase{"a<b>c", "a&lt;b&gt;c", "a\\x3Cb>c"},
                      EscapeCase{"</SCRIPT>", "&lt;/SCRIPT&gt;", "\\x3C/SCRIPT>"},
                      EscapeCase{"back\\slash\r\n", "back\\slash\r\n", "back\\\\slash\\r\\n"},
                      EscapeCase{"Zoë über Straße", "Zoë über Straße", "Zoë über Straße"},
                      EscapeCase{"caf\xE9 & \xC3", "caf\uFFFD &amp; \uFFFD", "caf\xE9 & \xC3"},
                      EscapeCase{"\xED\xA0\x80\xC0\xAF", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD",
                                 "\xED\xA0\x80\xC0\xAF"}));

TEST(HtmlText, FileReferencesKeepFragmentAndQueryCharactersInTheName)
{
    EXPECT_EQ(HtmlText::fileReference("jpg_photo_#1.htm"), "jpg_photo_%231.htm");
    EXPECT_EQ(HtmlText::fileReference("100% sure?.jpg"), "100%25%20sure%3F.jpg");
    EXPECT_EQ(HtmlText::fileReference("Zoë's.jpg"), "Zoë's.jpg");
    EXPECT_EQ(HtmlText::fileAttribute("it's #2.jpg"), "it&#39;s%20%232.jpg");
    EXPECT_EQ(HtmlText::fileReference("photo:1.jpg"), "photo%3A1.jpg") << "not a scheme";
    EXPECT_EQ(HtmlText::fileReference("x\\y.jpg"), "x%5Cy.jpg") << "not a folder";
    EXPECT_EQ(HtmlText::fileReference(" tab\tline\n.jpg "), "%20tab%09line%0A.jpg%20");
    EXPECT_EQ(HtmlText::fileReference("caf\xE9 Zoë.jpg"), "caf%E9%20Zoë.jpg") << "Latin-1 bytes as they are on disk";
    EXPECT_EQ(HtmlText::fileReference("\xF0\x9F\x93\xB7\xF0\x9F.jpg"), "\xF0\x9F\x93\xB7%F0%9F.jpg");
}

TEST(HtmlText, ColoursAreRedGreenBlueInLowerCaseHexadecimal)
{
    EXPECT_EQ(HtmlText::hexColour(16777215), "ffffff");
    EXPECT_EQ(HtmlText::hexColour(255), "ff0000");
    EXPECT_EQ(HtmlText::hexColour(16711680), "0000ff");
    EXPECT_EQ(HtmlText::hexColour(0x00ab12cd), "cd12ab");
    EXPECT_EQ(HtmlText::hexColour(-1), "ffffff");
}

TEST(PagePreamble, GeneratedByCommentAndMetaLines)
{
    EXPECT_EQ(PagePreamble::generatedByComment(),
              "<!-- Generated with Pictaven - https://pictaven.example.org/ !-->\r\n\r\n");
    AlbumSettings settings;
    settings.MetaDesc = "Mom's \"best\" photos";
    settings.MetaKeywords = "a&b";
    EXPECT_EQ(PagePreamble::metaLines(settings),
              "<META name=\"description\" content=\"Mom&#39;s &quot;best&quot; photos\">\r\n"
              "<META name=\"keywords\" content=\"a&amp;b\">\r\n\r\n");
    settings.GenerateMetaData = false;
    EXPECT_EQ(PagePreamble::metaLines(settings), "");
    EXPECT_EQ(PagePreamble::docType(),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">");
}

} // namespace
} // namespace pictaven
