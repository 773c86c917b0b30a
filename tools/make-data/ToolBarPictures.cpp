#include "ToolBarPictures.h"

#include "WindowMotifs.h"
#include "WindowPalette.h"

namespace pictaven::makedata {

namespace {

using namespace palette;

constexpr int Units = 20;
constexpr float Rim = 1.0f;

void drawNew(IconCanvas& c)
{
    // A sheet with a folded corner, and a plus badge over its lower right. The fold's edges
    // and the plus lie on whole pixels.
    const Shape sheet = c.polygon({{3, 1}, {11, 1}, {15, 5}, {15, 18}, {3, 18}});
    c.outlined(sheet, Paper, Ink, Rim);
    c.fill(intersect(c.polygon({{11, 1}, {11, 5}, {15, 5}}), c.grow(sheet, -Rim)), Mist);
    c.fill(c.rect(10, 1, 11, 6), Ink);
    c.fill(c.rect(10, 5, 15, 6), Ink);
    c.outlined(c.circle(14, 14, 5.5f), Green, Ink, Rim);
    c.fill(c.rect(11, 13, 17, 15), Paper);
    c.fill(c.rect(13, 11, 15, 17), Paper);
}

void drawOpen(IconCanvas& c)
{
    drawFolder(c, {1, 3, 17, 14}, Rim, true);
}

void drawSave(IconCanvas& c)
{
    c.outlined(c.polygon({{2, 2}, {15, 2}, {18, 5}, {18, 18}, {2, 18}}), Blue, Ink, Rim);
    c.outlined(c.rect(5, 2, 14, 8), Mist, Ink, Rim);
    c.fill(c.rect(10, 3, 12, 7), Ink);
    c.outlined(c.rect(4, 11, 16, 18), Paper, Ink, Rim);
    c.fill(c.rect(6, 13, 14, 14), Mist.mix(Ink, 0.35f));
}

void drawConfig(IconCanvas& c)
{
    // Three sliders at different settings.
    const Point knobs[] = {{6, 4}, {13, 10}, {9, 16}};
    for (const Point& knob : knobs)
        c.fill(c.rect(1, knob.y - 1, 19, knob.y + 1, 1), Ink);
    for (const Point& knob : knobs)
        c.outlined(c.circle(knob.x, knob.y, 3), Amber, Ink, Rim);
}

void drawCompress(IconCanvas& c)
{
    // A picture squeezed between two arrows.
    drawPhoto(c, {6, 4, 8, 12}, Rim);
    c.outlined(c.polygon({{0, 4}, {6, 10}, {0, 16}}), Coral, Ink, Rim);
    c.outlined(c.polygon({{20, 4}, {14, 10}, {20, 16}}), Coral, Ink, Rim);
}

void drawFtp(IconCanvas& c)
{
    drawUpload(c, {0, 1, 20, 19}, Rim);
}

void drawJpg(IconCanvas& c)
{
    drawPhoto(c, {1, 3, 18, 14}, Rim);
}

void drawSurf(IconCanvas& c)
{
    // Centred on a pixel, so that the one-pixel meridians and parallels stay sharp.
    const float m = 9.5f;
    const Shape globe = c.circle(m, m, 9);
    c.outlined(globe, Blue, Ink, Rim);
    const Shape inside = c.grow(globe, -Rim);
    const Shape meridians = unite(subtract(c.ellipse(m, m, 4.5f, 9), c.ellipse(m, m, 3.5f, 8)),
                                  c.rect(m - 0.5f, 0, m + 0.5f, 19));
    const Shape parallels =
        unite(c.rect(0, m - 0.5f, 19, m + 0.5f), unite(c.rect(0, 5, 19, 6), c.rect(0, 13, 19, 14)));
    c.fill(intersect(unite(meridians, parallels), inside), Mist);
}

void drawHelp(IconCanvas& c)
{
    c.outlined(c.circle(10, 10, 9), Amber, Ink, Rim);
    // The question mark: an open arc, a short stem and a dot.
    const float cx = 10;
    const float cy = 7.5f;
    const float r = 2.8f;
    const float w = 2.0f;
    const Shape upper = intersect(c.ring(cx, cy, r, w), c.rect(cx - 6, cy - 6, cx + 6, cy));
    const Shape right = intersect(c.ring(cx, cy, r, w), c.rect(cx, cy, cx + 6, cy + 2.0f));
    c.fill(unite(upper, right), Ink);
    c.fill(c.circle(cx - r, cy, w / 2), Ink);
    c.fill(c.line(cx + r * 0.8f, cy + r * 0.62f, cx, cy + r + 0.6f, w), Ink);
    c.fill(c.line(cx, cy + r + 0.6f, cx, cy + r + 1.6f, w), Ink);
    c.fill(c.circle(cx, 15.0f, 1.2f), Ink);
}

} // namespace

std::vector<WindowPicture> toolBarPictures()
{
    return {panelPicture("resource/New.res", Units, drawNew),
            panelPicture("resource/open.res", Units, drawOpen),
            panelPicture("resource/Save.res", Units, drawSave),
            panelPicture("resource/config.res", Units, drawConfig),
            panelPicture("resource/compress.res", Units, drawCompress),
            panelPicture("resource/ftp.res", Units, drawFtp),
            panelPicture("resource/jpg.res", Units, drawJpg),
            panelPicture("resource/surf.res", Units, drawSurf),
            panelPicture("resource/Help.res", Units, drawHelp)};
}

} // namespace pictaven::makedata
