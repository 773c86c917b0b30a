#include "GifWriter.h"

#include "ini/SafeFileWriter.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <gif_lib.h>

namespace pictaven::makedata {

namespace {

constexpr int Transparent = -1;

std::string gifMessage(int error)
{
    const char* text = GifErrorString(error);
    return text ? text : "GIF error " + std::to_string(error);
}

int appendBytes(GifFileType* gif, const GifByteType* bytes, int count)
{
    auto* out = static_cast<std::string*>(gif->UserData);
    out->append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count));
    return count;
}

struct Palette {
    std::vector<GifColorType> colours;
    std::vector<GifPixelType> indexes; // one per pixel
    int transparentIndex = NO_TRANSPARENT_COLOR;
};

std::uint32_t packed(const GifColorType& c)
{
    return static_cast<std::uint32_t>(c.Red) << 16 | static_cast<std::uint32_t>(c.Green) << 8 | c.Blue;
}

Palette makePalette(const std::vector<int>& pixels, const std::vector<GifColorType>& opaque, const std::string& path)
{
    Palette palette;
    std::vector<std::uint32_t> unique;
    for (const GifColorType& c : opaque)
        unique.push_back(packed(c));
    std::sort(unique.begin(), unique.end());
    unique.erase(std::unique(unique.begin(), unique.end()), unique.end());

    // One palette entry stays free for the transparent colour.
    if (unique.size() > 255)
        throw std::runtime_error("Cannot write " + path + ": more than 255 colours");
    for (std::uint32_t value : unique)
        palette.colours.push_back({static_cast<GifByteType>(value >> 16), static_cast<GifByteType>(value >> 8),
                                   static_cast<GifByteType>(value)});
    std::vector<GifPixelType> opaqueIndexes;
    for (const GifColorType& c : opaque)
        opaqueIndexes.push_back(static_cast<GifPixelType>(
            std::lower_bound(unique.begin(), unique.end(), packed(c)) - unique.begin()));
    if (std::find(pixels.begin(), pixels.end(), Transparent) != pixels.end()) {
        palette.transparentIndex = static_cast<int>(palette.colours.size());
        palette.colours.push_back({0, 0, 0});
    }
    std::size_t o = 0;
    for (int p : pixels)
        palette.indexes.push_back(p == Transparent ? static_cast<GifPixelType>(palette.transparentIndex)
                                                   : opaqueIndexes[o++]);
    // giflib wants a power of two entries, two at least.
    std::size_t size = 2;
    while (size < palette.colours.size())
        size *= 2;
    palette.colours.resize(size, GifColorType{0, 0, 0});
    return palette;
}

} // namespace

void writeGif(const Canvas& canvas, const std::string& path)
{
    std::vector<int> pixels; // Transparent, or the pixel's place in `opaque`
    std::vector<GifColorType> opaque;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgba p = canvas.pixel(x, y);
            if (p.alpha < 0.5f) {
                pixels.push_back(Transparent);
                continue;
            }
            pixels.push_back(static_cast<int>(opaque.size()));
            opaque.push_back({toByte(p.red), toByte(p.green), toByte(p.blue)});
        }
    }
    Palette palette = makePalette(pixels, opaque, path);

    std::string bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendBytes, &error);
    if (!gif)
        throw std::runtime_error("Cannot write " + path + ": " + gifMessage(error));
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(palette.colours.size()), palette.colours.data());
    bool ok = map != nullptr;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, canvas.width(), canvas.height(), 8, 0, map) == GIF_OK;
    if (ok && palette.transparentIndex != NO_TRANSPARENT_COLOR) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = palette.transparentIndex;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, canvas.width(), canvas.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < canvas.height(); ++y)
        ok = EGifPutLine(gif, palette.indexes.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas.width()),
                         canvas.width())
            == GIF_OK;
    const int lastError = gif->Error;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok)
        throw std::runtime_error("Cannot write " + path + ": " + gifMessage(ok ? error : lastError));
    SafeFileWriter::writeFile(path, bytes);
}

} // namespace pictaven::makedata
