#include "WindowMotifs.h"

#include "WindowPalette.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace pictaven::makedata {

using namespace palette;

float Box::x(float f) const
{
    return left + std::round(width * f);
}

float Box::y(float f) const
{
    return top + std::round(height * f);
}

void drawPhoto(IconCanvas& canvas, const Box& box, float rim)
{
    const Shape frame = canvas.rect(box.left, box.top, box.right(), box.bottom(), rim * 1.5f);
    canvas.outlined(frame, Paper, Ink, rim);
    // The white mat is as wide as the rim, the view inside it gets a rim of its own.
    const float inset = 2 * rim;
    const Box view{box.left + inset, box.top + inset, box.width - 2 * inset, box.height - 2 * inset};
    const Shape window = canvas.rect(view.left, view.top, view.right(), view.bottom());
    canvas.fill(window, canvas.vertical(view.top, view.bottom(), Mist, Paper));
    const float sun = std::max(1.0f, std::round(view.height * 0.14f));
    canvas.fill(intersect(canvas.circle(view.x(0.3f), view.y(0.3f), sun), window), Amber);
    canvas.fill(intersect(canvas.polygon({{view.left - view.width * 0.1f, view.bottom()},
                                          {view.x(0.36f), view.y(0.4f)},
                                          {view.x(0.82f), view.bottom()}}),
                          window),
                Green);
    canvas.fill(intersect(canvas.polygon({{view.x(0.42f), view.bottom()},
                                          {view.x(0.72f), view.y(0.6f)},
                                          {view.right() + view.width * 0.1f, view.bottom()}}),
                          window),
                Green.mix(Ink, 0.25f));
}

void drawFolder(IconCanvas& canvas, const Box& box, float rim, bool open, bool holdsPhoto)
{
    const float radius = rim * 1.5f;
    const Shape tab = canvas.rect(box.left, box.top, box.x(0.45f), box.y(0.3f), radius);
    const Shape back = canvas.rect(box.left, box.y(0.14f), box.right(), box.bottom(), radius);
    canvas.outlined(unite(tab, back), DeepAmber, Ink, rim);
    if (holdsPhoto) {
        const Box photo{box.x(0.12f), box.y(0.08f), std::round(box.width * 0.62f), std::round(box.height * 0.62f)};
        drawPhoto(canvas, photo, rim);
    }
    if (open) {
        // The flap leans out to the right, its lower edge on the folder's.
        const float lean = std::round(box.width * 0.16f);
        canvas.outlined(canvas.polygon({{box.left + lean, box.y(0.36f)},
                                        {box.right() + lean * 0.5f, box.y(0.36f)},
                                        {box.right() - lean * 0.5f, box.bottom()},
                                        {box.left, box.bottom()}}),
                        Amber, Ink, rim);
    } else {
        const Shape front = canvas.rect(box.left, box.y(0.32f), box.right(), box.bottom(), radius);
        canvas.outlined(front, Amber, Ink, rim);
    }
}

void drawUpload(IconCanvas& canvas, const Box& box, float rim)
{
    // The cloud takes the upper two thirds; the arrow rises from the bottom into its middle.
    const Box cloud{box.left, box.top, box.width, std::round(box.height * 0.66f)};
    const float h = cloud.height;
    const Shape puffs = unite(unite(canvas.circle(cloud.x(0.3f), cloud.top + h * 0.6f, h * 0.3f),
                                    canvas.circle(cloud.x(0.56f), cloud.top + h * 0.42f, h * 0.4f)),
                              canvas.circle(cloud.x(0.8f), cloud.top + h * 0.64f, h * 0.26f));
    const Shape base =
        canvas.rect(cloud.left, cloud.top + h * 0.55f, cloud.right(), cloud.bottom(), h * 0.35f);
    canvas.outlined(unite(puffs, base), Paper, Ink, rim);

    const float cx = box.left + box.width / 2;
    const float shaft = std::max(2.0f, std::round(box.width * 0.1f));
    const float head = std::round(box.width * 0.2f);
    const float tip = cloud.top + std::round(h * 0.3f);
    const float wing = head + rim;
    const Shape arrowHead = canvas.polygon({{cx - wing, tip + wing}, {cx, tip}, {cx + wing, tip + wing}});
    const Shape arrow = unite(arrowHead, canvas.rect(cx - shaft / 2 - rim, tip + head, cx + shaft / 2 + rim, box.bottom()));
    canvas.outlined(arrow, Green, Ink, rim);
}

namespace {

// The turn by a whole circle over `parts` (cosine, sine), from square roots alone: halving a
// third or a quarter turn as often as needed. Throws std::invalid_argument for other counts.
Point turnOf(int parts)
{
    if (parts == 3)
        return {-0.5f, std::sqrt(0.75f)};
    if (parts == 4)
        return {0.0f, 1.0f};
    if (parts < 3 || parts % 2 != 0)
        throw std::invalid_argument("a gear has 3 or 4 teeth, or twice a count it may have");
    const Point whole = turnOf(parts / 2);
    return {std::sqrt((1.0f + whole.x) / 2.0f), std::sqrt((1.0f - whole.x) / 2.0f)};
}

} // namespace

Shape gearShape(const IconCanvas& canvas, float cx, float cy, float radius, int teeth)
{
    const float body = radius * 0.78f;
    // Each tooth narrows towards its tip and starts deep inside the body, so that the rim
    // drawn inside the outline never cuts it off.
    const float base = 0.8f * 2.0f * std::numbers::pi_v<float> * body / static_cast<float>(teeth);
    const float tip = base * 0.6f;
    const Point turn = turnOf(teeth);
    Shape gear = canvas.circle(cx, cy, body);
    // The first tooth points up; each next one is turned on from the last.
    float ux = 0.0f;
    float uy = -1.0f;
    for (int i = 0; i < teeth; ++i) {
        auto at = [&](float along, float across) {
            return Point{cx + ux * along - uy * across, cy + uy * along + ux * across};
        };
        gear = unite(gear, canvas.polygon({at(radius * 0.5f, -base / 2), at(radius, -tip / 2),
                                           at(radius, tip / 2), at(radius * 0.5f, base / 2)}));
        const float nx = ux * turn.x - uy * turn.y;
        uy = ux * turn.y + uy * turn.x;
        ux = nx;
    }
    return subtract(gear, canvas.circle(cx, cy, radius * 0.3f));
}

} // namespace pictaven::makedata
