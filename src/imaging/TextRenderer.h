#pragma once

#include "imaging/Bitmap.h"
#include "imaging/Colour.h"
#include "imaging/Rect.h"

#include <memory>
#include <string>

namespace pictaven {

// Text in one font at one size, drawn with FreeType onto bitmaps. The font is the face that
// fontconfig matches for a family name ("Helvetica", "Arial", ...); sizes are points at 96
// pixels per inch. Text is UTF-8; bytes that are not valid UTF-8 count as U+FFFD. One object
// must not be used by two threads at once.
class TextRenderer {
public:
    // Throws std::runtime_error when `sizePoints` is not positive or no font can be loaded.
    TextRenderer(const std::string& family, double sizePoints);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // The font file that fontconfig chose.
    const std::string& fontFile() const { return m_fontFile; }

    // Width of the text in pixels: the sum of its characters' advances.
    int textWidth(const std::string& text);
    // Height of a line in pixels, from the top of the text's cell to the bottom.
    int lineHeight() const { return m_ascent + m_descent; }

    // Draws the text with the top-left corner of its cell at (x, y) over a transparent
    // background: glyph pixels are blended into the bitmap by their coverage, nothing else
    // changes. Only pixels inside `clip` change; the overload without one clips to the bitmap.
    void drawText(Bitmap& target, int x, int y, const std::string& text, Colour colour, const Rect& clip);
    void drawText(Bitmap& target, int x, int y, const std::string& text, Colour colour);

private:
    struct FreeType;
    std::unique_ptr<FreeType> m_freeType;
    std::string m_fontFile;
    int m_ascent = 0;
    int m_descent = 0;
};

} // namespace pictaven
