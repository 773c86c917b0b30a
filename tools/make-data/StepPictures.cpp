#include "StepPictures.h"

#include "WindowMotifs.h"
#include "WindowPalette.h"

#include <string>

namespace pictaven::makedata {

namespace {

using namespace palette;

constexpr int StepUnits = 48;
constexpr int GenerateUnits = 64;
constexpr float Rim = 2.0f;

void drawPickPhotos(IconCanvas& c)
{
    // A photo laid aside, the chosen one over it, and the tick that chose it.
    c.outlined(c.turnedRect(20, 22, 30, 24, -0.2f), Mist, Ink, Rim);
    drawPhoto(c, {12, 14, 32, 26}, Rim);
    const Shape badge = c.circle(37, 37, 9);
    c.fill(c.grow(badge, 1.5f), PanelBlue);
    c.outlined(badge, Green, Ink, Rim);
    c.fill(c.line(32.5f, 37.5f, 35.5f, 40.5f, 2.6f), Paper);
    c.fill(c.line(35.5f, 40.5f, 41.5f, 33.5f, 2.6f), Paper);
}

void drawSettings(IconCanvas& c)
{
    // A painter's palette with its thumb hole and four colours.
    const Shape board = subtract(subtract(c.ellipse(24, 25, 21, 17), c.circle(33, 36, 4.5f)),
                                 c.circle(45, 40, 9));
    c.outlined(board, Rgba::rgb(250, 236, 206), Ink, Rim);
    const std::pair<Point, Rgba> dabs[] = {
        {{13, 19}, Coral}, {{22, 13}, Amber}, {{32, 14}, Green}, {{14, 30}, Blue}};
    for (const auto& [at, colour] : dabs)
        c.outlined(c.circle(at.x, at.y, 4.5f), colour, Ink, Rim);
}

void drawOutputFolder(IconCanvas& c)
{
    drawFolder(c, {4, 7, 40, 34}, Rim, false, true);
}

void drawBuild(IconCanvas& c)
{
    // Pages coming off a turning wheel.
    const Rgba text = Mist.mix(Ink, 0.3f);
    for (const float offset : {0.0f, 5.0f}) {
        const float left = 6 + offset;
        const float top = 4 + offset;
        c.outlined(c.rect(left, top, left + 24, top + 30, 2), Paper, Ink, Rim);
        for (int line = 0; line < 4; ++line) {
            const float y = top + 7 + static_cast<float>(line) * 5;
            c.fill(c.rect(left + 5, y, left + (line == 3 ? 13 : 19), y + 2, 1), text);
        }
    }
    const Shape gear = gearShape(c, 33, 33, 14, 6);
    c.fill(c.grow(gear, 1.5f), PanelBlue);
    c.outlined(gear, Blue, Ink, Rim);
}

void drawPublish(IconCanvas& c)
{
    drawUpload(c, {2, 6, 44, 38}, Rim);
}

// The Generate control: a wheel that lights up and dims while the album is made.
void drawGenerate(IconCanvas& c, bool lit)
{
    const Shape gear = gearShape(c, 32, 32, 24, 8);
    if (lit) {
        c.glow(c.circle(32, 32, 22), Rgba::rgb(255, 246, 196, 0.85f), 10);
        c.outlined(gear, Amber, Ink, Rim);
    } else {
        c.outlined(gear, Amber.mix(PanelBlue, 0.6f), Ink.mix(PanelBlue, 0.4f), Rim);
    }
}

} // namespace

std::vector<WindowPicture> stepPictures()
{
    std::vector<WindowPicture> pictures;
    int step = 0;
    for (void (*draw)(IconCanvas&) : {drawPickPhotos, drawSettings, drawOutputFolder, drawBuild, drawPublish})
        pictures.push_back(panelPicture("resource/step" + std::to_string(++step) + ".res", StepUnits, draw));
    pictures.push_back(
        panelPicture("resource/generate.res", GenerateUnits, [](IconCanvas& c) { drawGenerate(c, true); }));
    pictures.push_back(
        panelPicture("resource/generate2.res", GenerateUnits, [](IconCanvas& c) { drawGenerate(c, false); }));
    return pictures;
}

} // namespace pictaven::makedata
