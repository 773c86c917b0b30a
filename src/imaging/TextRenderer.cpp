#include "imaging/TextRenderer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace pictaven {
namespace {

constexpr int DotsPerInch = 96;
constexpr char32_t Replacement = 0xFFFD;

// Next code point of a UTF-8 text; malformed, overlong and surrogate sequences give U+FFFD and
// skip one byte, so any byte string can be drawn.
char32_t nextCodePoint(const std::string& text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++i;
        return Replacement;
    }
    if (i + extra >= text.size()) {
        ++i;
        return Replacement;
    }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return Replacement;
        }
        cp = cp << 6 | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t Smallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < Smallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return Replacement;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

struct FontChoice {
    std::string file;
    int index = 0;
};

FontChoice matchFont(const std::string& family)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        throw std::runtime_error("Cannot look up font " + family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    // Bitmap fonts cannot be drawn at any size.
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FontChoice choice;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        choice.file = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(match, FC_INDEX, 0, &choice.index);
    }
    if (match)
        FcPatternDestroy(match);
    if (choice.file.empty())
        throw std::runtime_error("No font found for " + family);
    return choice;
}

} // namespace

struct TextRenderer::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~FreeType()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }

    // Loads the glyph of one character into the face's slot; a character the face lacks gets
    // the face's own missing-glyph shape.
    void load(char32_t cp, FT_Int32 flags)
    {
        if (FT_Load_Glyph(face, FT_Get_Char_Index(face, cp), flags) != 0)
            FT_Load_Glyph(face, 0, flags);
    }
};

TextRenderer::TextRenderer(const std::string& family, double sizePoints)
    : m_freeType(std::make_unique<FreeType>())
{
    if (!(sizePoints > 0) || sizePoints > 10000)
        throw std::runtime_error("Invalid font size " + std::to_string(sizePoints) + " for " + family);
    const FontChoice choice = matchFont(family);
    m_fontFile = choice.file;
    if (FT_Init_FreeType(&m_freeType->library) != 0)
        throw std::runtime_error("Cannot start the font engine");
    if (FT_New_Face(m_freeType->library, choice.file.c_str(), choice.index, &m_freeType->face) != 0)
        throw std::runtime_error("Cannot load font " + choice.file);
    const auto size26_6 = static_cast<FT_F26Dot6>(std::lround(sizePoints * 64));
    if (FT_Set_Char_Size(m_freeType->face, 0, size26_6, DotsPerInch, DotsPerInch) != 0)
        throw std::runtime_error("Cannot size font " + choice.file);
    const FT_Size_Metrics& metrics = m_freeType->face->size->metrics;
    m_ascent = static_cast<int>((metrics.ascender + 63) >> 6);
    m_descent = static_cast<int>((-metrics.descender + 63) >> 6);
}

TextRenderer::~TextRenderer() = default;

int TextRenderer::textWidth(const std::string& text)
{
    FT_Pos width = 0;
    for (std::size_t i = 0; i < text.size();) {
        m_freeType->load(nextCodePoint(text, i), FT_LOAD_DEFAULT);
        width += m_freeType->face->glyph->advance.x;
    }
    return static_cast<int>((width + 32) >> 6);
}

void TextRenderer::drawText(Bitmap& target, int x, int y, const std::string& text, Colour colour)
{
    drawText(target, x, y, text, colour, {0, 0, target.width(), target.height()});
}

void TextRenderer::drawText(Bitmap& target, int x, int y, const std::string& text, Colour colour, const Rect& clip)
{
    const Rect area{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, target.width()),
                    std::min(clip.bottom, target.height())};
    if (area.empty())
        return;
    const int baseline = y + m_ascent;
    FT_Pos pen = static_cast<FT_Pos>(x) * 64;
    const FT_GlyphSlot slot = m_freeType->face->glyph;
    for (std::size_t i = 0; i < text.size();) {
        m_freeType->load(nextCodePoint(text, i), FT_LOAD_RENDER);
        const FT_Bitmap& glyph = slot->bitmap;
        const int left = static_cast<int>(pen >> 6) + slot->bitmap_left;
        const int top = baseline - slot->bitmap_top;
        pen += slot->advance.x;
        if (glyph.pixel_mode != FT_PIXEL_MODE_GRAY)
            continue;
        const int rows = static_cast<int>(glyph.rows);
        const int columns = static_cast<int>(glyph.width);
        for (int gy = std::max(0, area.top - top); gy < rows && top + gy < area.bottom; ++gy) {
            // A negative pitch means the rows are stored from the bottom up.
            const int storedRow = glyph.pitch >= 0 ? gy : rows - 1 - gy;
            const unsigned char* coverage =
                glyph.buffer + static_cast<std::ptrdiff_t>(storedRow) * std::abs(glyph.pitch);
            for (int gx = std::max(0, area.left - left); gx < columns && left + gx < area.right; ++gx) {
                const unsigned a = coverage[gx];
                if (a == 0)
                    continue;
                std::uint8_t* p = target.row(top + gy) + (left + gx) * target.bytesPerPixel();
                const std::uint8_t ink[3] = {colour.blue, colour.green, colour.red};
                for (int c = 0; c < 3; ++c)
                    p[c] = static_cast<std::uint8_t>((p[c] * (255 - a) + ink[c] * a + 127) / 255);
            }
        }
    }
}

} // namespace pictaven

// fontconfig loses a few bytes while it parses its configuration, once per process. Builds with
// the leak checker are told so here, beside the only caller, rather than failing every test that
// draws text. The library has no frame pointers, so only its name is left to match on.
#if defined(__SANITIZE_ADDRESS__)
#define PICTAVEN_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PICTAVEN_LEAK_CHECKED 1
#endif
#endif
#ifdef PICTAVEN_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif
