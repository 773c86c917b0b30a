#include "imaging/OutlinedText.h"

#include "imaging/Colour.h"

#include <algorithm>
#include <array>

namespace pictaven {

std::uint32_t outlineColourFor(std::uint32_t colour)
{
    // Black, blue, grey, green, maroon, red, navy, olive and purple get a white outline.
    static constexpr std::array<std::uint32_t, 9> Dark = {0,      16711680, 8421504, 32768, 128,
                                                          255,    8388608,  32896,   8388736};
    return std::find(Dark.begin(), Dark.end(), colour) != Dark.end() ? 16777215u : 0u;
}

void drawOutlinedText(Bitmap& bitmap, TextRenderer& font, int x, int y, const std::string& text,
                      std::uint32_t colour)
{
    const Colour outline = Colour::fromSettings(outlineColourFor(colour));
    // Every offset pair is drawn, the unmoved one too: antialiased edges darken with each pass.
    for (int i = 0; i <= 1; ++i)
        for (int j = 0; j <= 1; ++j) {
            font.drawText(bitmap, x - i, y - j, text, outline);
            font.drawText(bitmap, x + i, y - j, text, outline);
            font.drawText(bitmap, x + i, y + j, text, outline);
            font.drawText(bitmap, x - i, y + j, text, outline);
        }
    font.drawText(bitmap, x, y, text, Colour::fromSettings(colour));
}

} // namespace pictaven
