#include "Textures.h"

#include "Canvas.h"
#include "ValueNoise.h"

#include <cmath>
#include <functional>

namespace pictaven::makedata {

namespace {

constexpr int Side = 128;

Bitmap paintTexture(const std::function<Rgba(float, float)>& paint)
{
    Canvas canvas(Side, Side);
    canvas.fill(rectangle(0, 0, Side, Side), paint);
    return canvas.toBitmap({0, 0, 0});
}

// 0 at whole multiples of `period`, 1 halfway between: a thread's cross-section.
float triangleWave(float x, float period)
{
    const float t = x / period - std::floor(x / period);
    return 1.0f - std::abs(2.0f * t - 1.0f);
}

} // namespace

std::vector<Texture> drawTextures()
{
    // Every noise repeats after exactly `Side` pixels: the lattice period times its scale.
    const ValueNoise fibres(41, Side / 16, Side / 2);
    const ValueNoise clouds(42, Side / 32, Side / 32);
    const Rgba paper = Rgba::rgb(247, 242, 230);
    Bitmap paperPicture = paintTexture([&](float x, float y) {
        const float f = fibres.at(x / 16.0f, y / 2.0f);
        const float c = clouds.at(x / 32.0f, y / 32.0f);
        return paper.mix(Rgba::rgb(214, 204, 184), 0.18f * f + 0.22f * c);
    });

    const ValueNoise slub(43, Side / 8, Side / 8);
    const Rgba linen = Rgba::rgb(226, 218, 200);
    Bitmap linenPicture = paintTexture([&](float x, float y) {
        const float warp = triangleWave(x, 4.0f);
        const float weft = triangleWave(y, 4.0f);
        const float s = slub.at(x / 8.0f, y / 8.0f);
        return linen.mix(Rgba::rgb(170, 158, 136), 0.25f * (1.0f - warp * weft) + 0.15f * s);
    });

    const ValueNoise grain(44, Side / 4, Side / 4);
    const ValueNoise veins(45, Side / 64, Side / 16);
    const Rgba slate = Rgba::rgb(58, 64, 72);
    Bitmap slatePicture = paintTexture([&](float x, float y) {
        const float g = grain.at(x / 4.0f, y / 4.0f);
        const float v = veins.at(x / 64.0f, y / 16.0f);
        return slate.mix(Rgba::rgb(96, 104, 114), 0.25f * g + 0.35f * v * v);
    });

    std::vector<Texture> textures;
    textures.push_back({"paper.jpg", std::move(paperPicture)});
    textures.push_back({"linen.jpg", std::move(linenPicture)});
    textures.push_back({"slate.jpg", std::move(slatePicture)});
    return textures;
}

} // namespace pictaven::makedata
