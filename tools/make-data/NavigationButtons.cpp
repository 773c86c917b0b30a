#include "NavigationButtons.h"

#include "GifWriter.h"

#include <array>

namespace pictaven::makedata {

namespace {

// The sets as the settings number them: 1 to 6 "Button Set", 7 "Small VCR Controls",
// 8 and 9 "Round 1" and "Round 2", 10 "VCR Controls" (the fixed pictures share its look).
ButtonStyle styleOfSet(int set)
{
    const Rgba white = Rgba::rgb(255, 255, 255);
    switch (set) {
    case 1: // blue, glossy
        return {56, 26, 7, Rgba::rgb(96, 156, 232), Rgba::rgb(28, 78, 168), Rgba::rgb(18, 50, 112), white, true, 14};
    case 2: // green, square-cut
        return {56, 26, 3, Rgba::rgb(128, 196, 96), Rgba::rgb(48, 118, 40), Rgba::rgb(28, 72, 24), white, false, 14};
    case 3: // red pill
        return {60, 24, 12, Rgba::rgb(226, 88, 74), Rgba::rgb(150, 30, 24), Rgba::rgb(92, 18, 14), white, true, 13};
    case 4: // brushed silver with dark symbols
        return {56, 26, 7, Rgba::rgb(248, 249, 250), Rgba::rgb(178, 184, 194), Rgba::rgb(112, 118, 130),
                Rgba::rgb(48, 54, 66), false, 14};
    case 5: // black glass with light blue symbols
        return {56, 26, 7, Rgba::rgb(78, 80, 86), Rgba::rgb(8, 8, 10), Rgba::rgb(0, 0, 0), Rgba::rgb(120, 214, 255),
                true, 14};
    case 6: // plum with gold symbols
        return {56, 26, 7, Rgba::rgb(128, 76, 168), Rgba::rgb(66, 28, 100), Rgba::rgb(40, 16, 64),
                Rgba::rgb(250, 212, 112), true, 14};
    case 7: // small VCR controls
        return {24, 18, 3, Rgba::rgb(84, 88, 96), Rgba::rgb(26, 28, 32), Rgba::rgb(10, 10, 12),
                Rgba::rgb(236, 238, 242), false, 9};
    case 8: // round, blue
        return {32, 32, 16, Rgba::rgb(96, 156, 232), Rgba::rgb(28, 78, 168), Rgba::rgb(18, 50, 112), white, true, 15};
    case 9: // round, amber
        return {32, 32, 16, Rgba::rgb(255, 190, 84), Rgba::rgb(222, 112, 16), Rgba::rgb(140, 64, 6), white, true, 15};
    default: // 10: VCR controls
        return {40, 28, 6, Rgba::rgb(84, 88, 96), Rgba::rgb(26, 28, 32), Rgba::rgb(10, 10, 12),
                Rgba::rgb(236, 238, 242), true, 14};
    }
}

} // namespace

Canvas drawButton(const ButtonStyle& style, Glyph glyph)
{
    const float w = static_cast<float>(style.width);
    const float h = static_cast<float>(style.height);
    Canvas canvas(style.width, style.height);
    canvas.fill(roundedRect(0, 0, w, h, style.radius), solid(style.outline));
    const Shape body = roundedRect(1, 1, w - 1, h - 1, style.radius - 1);
    if (style.gloss) {
        canvas.fill(body, verticalGradient(1, h - 1, style.top, style.bottom));
        // The reflection: a lighter band over the upper half, fading downwards.
        const Shape upper = intersect(roundedRect(2, 2, w - 2, h - 2, style.radius - 2), rectangle(0, 0, w, h * 0.5f));
        canvas.fill(upper, verticalGradient(2, h * 0.5f, Rgba::rgb(255, 255, 255, 0.45f), Rgba::rgb(255, 255, 255, 0.08f)));
    } else {
        // A bevel: a light line along the top, a dark one along the bottom.
        canvas.fill(body, solid(style.bottom.mix(Rgba::rgb(0, 0, 0), 0.25f)));
        canvas.fill(roundedRect(1, 1, w - 1, h - 2, style.radius - 1), solid(style.top.mix(Rgba::rgb(255, 255, 255), 0.5f)));
        canvas.fill(roundedRect(1, 2, w - 1, h - 2, style.radius - 1), verticalGradient(2, h - 2, style.top, style.bottom));
    }
    const float cx = w / 2;
    const float cy = h / 2;
    // A dark copy one pixel lower lifts a light symbol off the body; a dark symbol gets a light one.
    const bool lightGlyph = style.glyph.red + style.glyph.green + style.glyph.blue > 1.5f;
    const Rgba relief = lightGlyph ? Rgba::rgb(0, 0, 0, 0.45f) : Rgba::rgb(255, 255, 255, 0.7f);
    canvas.fill(glyphShape(glyph, cx, cy + 1, style.glyphSize), solid(relief));
    canvas.fill(glyphShape(glyph, cx, cy, style.glyphSize), solid(style.glyph));
    return canvas;
}

std::vector<std::string> writeNavigationButtons(const std::string& folder)
{
    std::vector<std::string> written;
    auto write = [&](const Canvas& canvas, const std::string& name) {
        const std::string relative = "NAVBUTS/" + name;
        writeGif(canvas, folder + relative);
        written.push_back(relative);
    };

    const ButtonStyle vcr = styleOfSet(10);
    const std::array<std::pair<Glyph, const char*>, 7> fixed{{{Glyph::Home, "home.gif"},
                                                               {Glyph::First, "first.gif"},
                                                               {Glyph::Prev, "prev.gif"},
                                                               {Glyph::Next, "next.gif"},
                                                               {Glyph::Last, "last.gif"},
                                                               {Glyph::Speaker, "speaker.gif"},
                                                               {Glyph::Index, "index.gif"}}};
    for (const auto& [glyph, name] : fixed)
        write(drawButton(vcr, glyph), name);

    const std::array<std::pair<Glyph, const char*>, 4> ofSet{
        {{Glyph::Next, "Next.gif"}, {Glyph::Prev, "Prev.gif"}, {Glyph::Index, "Index.gif"}, {Glyph::Home, "Home.gif"}}};
    for (int set = 1; set <= 9; ++set) {
        const ButtonStyle style = styleOfSet(set);
        for (const auto& [glyph, name] : ofSet)
            write(drawButton(style, glyph), std::to_string(set) + name);
    }
    return written;
}

} // namespace pictaven::makedata
