#include "generate/ResponsiveStyleSheet.h"

#include "generate/HtmlText.h"
#include "generate/ReadableColour.h"
#include "settings/AlbumSettings.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace pictaven {

namespace {

struct Palette {
    std::int32_t page;
    std::int32_t text;
    std::int32_t accent;
};

constexpr std::int32_t rgb(int red, int green, int blue)
{
    return red | green << 8 | blue << 16;
}

// The template's looks for the scheme the settings' colours do not suit.
constexpr Palette lightLook{rgb(247, 246, 243), rgb(28, 27, 26), rgb(11, 87, 208)};
constexpr Palette darkLook{rgb(20, 20, 22), rgb(236, 236, 238), rgb(138, 180, 248)};

std::string colour(std::int32_t value)
{
    return "#" + HtmlText::hexColour(value);
}

std::string paletteRule(const Palette& palette, bool dark)
{
    return ":root {\n  color-scheme: " + std::string(dark ? "dark" : "light") + ";\n  --page: " +
           colour(palette.page) + ";\n  --text: " + colour(palette.text) + ";\n  --accent: " + colour(palette.accent) +
           ";\n}\n";
}

// A font name as a CSS string: quotes and backslashes escaped, line breaks and other control
// characters left out, so that no name can end the rule.
std::string fontName(const std::string& name)
{
    std::string quoted = "\"";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            continue;
        if (c == '"')
            quoted += "\\22 ";
        else if (c == '\\')
            quoted += "\\5c ";
        else if (c == '<')
            quoted += "\\3c ";
        else
            quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::string ResponsiveStyleSheet::aspectClass(int width, int height)
{
    const long thousandths = std::lround(1000.0 * width / height);
    return "a" + std::to_string(thousandths);
}

std::string ResponsiveStyleSheet::text(const AlbumSettings& settings, const std::vector<ResponsivePhoto>& photos,
                                       const std::string& templateRules)
{
    const Palette chosen{settings.WebBgColor & 0xffffff, ReadableColour::on(settings.WebBgColor, settings.AlbumTitleColor),
                         ReadableColour::on(settings.WebBgColor, settings.LinkColor)};
    // Below this luminance white text reads better than black: the page is a dark one.
    const bool darkPage = ReadableColour::luminance(chosen.page) < 0.18;
    std::string sheet = "/* The album's settings */\n";
    sheet += paletteRule(chosen, darkPage);
    sheet += ":root {\n  --font: " + fontName(settings.FontFamily) +
             ", system-ui, -apple-system, \"Segoe UI\", Roboto, \"Noto Sans\", sans-serif;\n  --title-size: " +
             std::to_string(std::max<std::int32_t>(settings.TitleFontSize, 1) * 4 / 3) + "px;\n}\n";
    sheet += "@media (prefers-color-scheme: " + std::string(darkPage ? "light" : "dark") + ") {\n";
    sheet += paletteRule(darkPage ? lightLook : darkLook, !darkPage);
    sheet += "}\n\n/* Each thumbnail's share of its row: its aspect ratio */\n";
    std::set<long> aspects;
    for (const ResponsivePhoto& photo : photos)
        aspects.insert(std::lround(1000.0 * photo.thumbnail.width / photo.thumbnail.height));
    for (const long aspect : aspects) {
        const std::string fraction = std::to_string(aspect % 1000 + 1000).substr(1);
        sheet += ".a" + std::to_string(aspect) + " { --a: " + std::to_string(aspect / 1000) + "." + fraction + "; }\n";
    }
    return sheet + "\n" + templateRules;
}

} // namespace pictaven
