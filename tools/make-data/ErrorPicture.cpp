#include "ErrorPicture.h"

#include "Canvas.h"

namespace pictaven::makedata {

Bitmap drawErrorPicture()
{
    constexpr int Width = 128;
    constexpr int Height = 96;
    Canvas canvas(Width, Height);
    canvas.fill(rectangle(0, 0, Width, Height),
                verticalGradient(0, Height, Rgba::rgb(246, 246, 246), Rgba::rgb(222, 222, 224)));
    canvas.fill(subtract(rectangle(0, 0, Width, Height), rectangle(1, 1, Width - 1, Height - 1)),
                solid(Rgba::rgb(168, 168, 172)));

    // The photo symbol: a frame, a sun and two mountains, all in greys.
    const Rgba grey = Rgba::rgb(150, 152, 158);
    const Shape frame = roundedRect(26, 18, 102, 76, 5);
    canvas.fill(frame, solid(grey));
    canvas.fill(roundedRect(30, 22, 98, 72, 2), solid(Rgba::rgb(250, 250, 250)));
    canvas.fill(circle(48, 36, 6), solid(Rgba::rgb(196, 198, 204)));
    const Shape window = rectangle(30, 22, 98, 72);
    canvas.fill(intersect(convexPolygon({{30, 72}, {56, 44}, {80, 72}}), window), solid(Rgba::rgb(176, 178, 184)));
    canvas.fill(intersect(convexPolygon({{58, 72}, {80, 50}, {102, 72}}), window), solid(grey));

    // The badge: a red disc with a white cross, over the frame's lower right corner.
    canvas.fillSoft(circle(96, 72, 15), solid(Rgba::rgb(0, 0, 0, 0.3f)), 4);
    canvas.fill(circle(95, 70, 15), solid(Rgba::rgb(255, 255, 255)));
    canvas.fill(circle(95, 70, 13), verticalGradient(57, 83, Rgba::rgb(232, 64, 56), Rgba::rgb(176, 24, 20)));
    canvas.fill(segment(89, 64, 101, 76, 3.2f), solid(Rgba::rgb(255, 255, 255)));
    canvas.fill(segment(101, 64, 89, 76, 3.2f), solid(Rgba::rgb(255, 255, 255)));
    return canvas.toBitmap({255, 255, 255});
}

} // namespace pictaven::makedata
