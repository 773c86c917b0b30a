#include "imaging/BitmapDrawing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pictaven {
namespace {

Rect clipped(const Bitmap& bitmap, const Rect& rect)
{
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, bitmap.width()),
            std::min(rect.bottom, bitmap.height())};
}

bool isWhite(const std::uint8_t* p)
{
    return p[0] == 255 && p[1] == 255 && p[2] == 255;
}

template <bool WhiteIsTransparent>
void copyPixels(Bitmap& target, const Bitmap& source, int x, int y)
{
    const Rect area = clipped(target, {x, y, x + source.width(), y + source.height()});
    if (area.empty())
        return;
    const int sourceStep = source.bytesPerPixel();
    const int targetStep = target.bytesPerPixel();
    for (int ty = area.top; ty < area.bottom; ++ty) {
        const std::uint8_t* s = source.row(ty - y) + (area.left - x) * sourceStep;
        std::uint8_t* t = target.row(ty) + area.left * targetStep;
        for (int tx = area.left; tx < area.right; ++tx, s += sourceStep, t += targetStep) {
            if (WhiteIsTransparent && isWhite(s))
                continue;
            t[0] = s[0];
            t[1] = s[1];
            t[2] = s[2];
        }
    }
}

} // namespace

void fillRect(Bitmap& target, const Rect& rect, Colour colour)
{
    const Rect area = clipped(target, rect);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            target.setPixel(x, y, colour);
}

void frameRect(Bitmap& target, const Rect& rect, Colour colour)
{
    if (rect.empty())
        return;
    fillRect(target, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
    fillRect(target, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    fillRect(target, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    fillRect(target, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void floodFill(Bitmap& target, int x, int y, Colour area, Colour fill)
{
    if (x < 0 || y < 0 || x >= target.width() || y >= target.height() || area == fill ||
        target.pixel(x, y) != area)
        return;
    // Span filling: each seed grows into the whole run of its row, and the rows above and below
    // get one seed per run of area pixels touching it. Filled pixels no longer match, so every
    // pixel is painted once and waits as a seed at most twice (from above and from below).
    struct Seed {
        int x;
        int y;
    };
    std::vector<Seed> seeds{{x, y}};
    while (!seeds.empty()) {
        const Seed seed = seeds.back();
        seeds.pop_back();
        if (target.pixel(seed.x, seed.y) != area)
            continue;
        int left = seed.x;
        while (left > 0 && target.pixel(left - 1, seed.y) == area)
            --left;
        int right = seed.x + 1;
        while (right < target.width() && target.pixel(right, seed.y) == area)
            ++right;
        for (int px = left; px < right; ++px)
            target.setPixel(px, seed.y, fill);
        for (int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= target.height())
                continue;
            bool inRun = false;
            for (int px = left; px < right; ++px) {
                const bool matches = target.pixel(px, ny) == area;
                if (matches && !inRun)
                    seeds.push_back({px, ny});
                inRun = matches;
            }
        }
    }
}

void drawBitmap(Bitmap& target, const Bitmap& source, int x, int y)
{
    copyPixels<false>(target, source, x, y);
}

void drawBitmapWhiteTransparent(Bitmap& target, const Bitmap& source, int x, int y)
{
    copyPixels<true>(target, source, x, y);
}

void stretchBitmap(Bitmap& target, const Rect& rect, const Bitmap& source)
{
    if (rect.empty() || source.empty())
        return;
    const Rect area = clipped(target, rect);
    if (area.empty())
        return;
    // Source column of each target column, from the target pixel's centre.
    std::vector<int> columns(static_cast<std::size_t>(area.width()));
    for (int tx = area.left; tx < area.right; ++tx)
        columns[static_cast<std::size_t>(tx - area.left)] =
            stretchSourceIndex(tx - rect.left, rect.width(), source.width());
    for (int ty = area.top; ty < area.bottom; ++ty) {
        const int sy = stretchSourceIndex(ty - rect.top, rect.height(), source.height());
        for (int tx = area.left; tx < area.right; ++tx)
            target.setPixel(tx, ty, source.pixel(columns[static_cast<std::size_t>(tx - area.left)], sy));
    }
}

} // namespace pictaven
