#include "generate/StyleWriter.h"

#include "generate/HtmlText.h"
#include "generate/OutputNames.h"
#include "settings/AlbumSettings.h"

#include <array>

namespace pictaven {

namespace {

struct ThemeColours {
    const char* background;
    const char* text;
};

constexpr std::array<ThemeColours, 12> themes{{
    {"blue", "white"},   {"red", "white"},  {"yellow", "black"}, {"green", "white"},
    {"black", "white"},  {"gray", "white"}, {"orange", "black"}, {"pink", "red"},
    {"cyan", "blue"},    {"white", "black"}, {"purple", "yellow"}, {"silver", "black"},
}};

ThemeColours themeColours(int theme)
{
    return theme >= 0 && theme < static_cast<int>(themes.size()) ? themes[static_cast<std::size_t>(theme)]
                                                                   : themes[0];
}

} // namespace

void StyleWriter::writeStyleBlock(std::string& page, const AlbumSettings& s)
{
    const ThemeColours theme = themeColours(s.StyleTheme);
    const std::string titleSize = std::to_string(s.TitleFontSize);
    const std::string labelSize = std::to_string(s.LabelFontSize);
    const std::string& font = s.FontFamily;
    page += HtmlText::fill(
        "<STYLE TYPE='text/css'>\r\n<!--\r\n"
        ".AlbumTitle  {font: %spt \"%s\"; font-weight: normal;} \r\n"
        ".PhotoTitle  {font-family: \"%s\"; font: %spt }\r\n"
        ".NavigationButton  {font-family : \"%s\" ;  font-size: %spt; font-weight: bold; color: %s; background: %s}\r\n"
        ".PhotoLongDescription  {font-family: \"%s\";  font-size: %spt;}\r\n"
        ".ThumbnailLabels {color: %s; background: %s; border-top-width: 1px;\r\n"
        "   border-top-style: solid; border-bottom-width: 1px; border-bottom-style: solid;\r\n"
        "   border-right-width: 1px; border-right-style: solid; border-left-width: 1px;\r\n"
        "   border-left-style: solid; border-color: %s; font: %spt \"%s\"}\r\n"
        ".CustomLink  {font-family: \"%s\"; font: %spt; font-weight: bold }\r\n"
        ".PulldownListbox  {font: %spt \"%s\"; color: %s; font-weight: bold; background: %s }\r\n"
        ".PageNumber  {text-align: center; font: %spt \"%s\"; font-weight: normal; }\r\n"
        "-->\r\n</STYLE>\r\n",
        {titleSize, font,
         font, s.PhotoTitleFontSize,
         font, s.NavButtonsFontSize, theme.text, theme.background,
         font, s.PhotoLongDescFontSize,
         theme.text, theme.background, theme.text, labelSize, font,
         font, s.CustomLinkFontSize,
         s.ListBoxFontSize, font, theme.text, theme.background,
         s.PageNumberFontSize, font});
}

void StyleWriter::writeStyleLink(std::string& page, const std::string& href)
{
    page += HtmlText::fill("<LINK REL=StyleSheet HREF=\"%s\" TYPE=\"text/css\" >\r\n ", {HtmlText::attribute(href)});
}

void StyleWriter::writeStylePart(std::string& page, const AlbumSettings& settings, const OutputNames& names)
{
    if (settings.StyleSheetType == 0)
        writeStyleBlock(page, settings);
    else if (settings.StyleSheetType == 1)
        writeStyleLink(page,
                       HtmlText::fileReference(names.webFileName(OutputNames::fileNamePart(settings.StyleSheet))));
    else if (settings.StyleSheetType == 2)
        writeStyleLink(page, settings.StyleSheetURL);
    // No style is chosen (-1) when a hand-made file says so; the pages then carry none.
}

} // namespace pictaven
