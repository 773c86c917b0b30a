#include "decoders/DecoderError.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

namespace pictaven {
namespace {

struct GifSource {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

int readGif(GifFileType* gif, GifByteType* out, int count)
{
    auto* source = static_cast<GifSource*>(gif->UserData);
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), source->data.size() - source->position);
    std::memcpy(out, source->data.data() + source->position, n);
    source->position += n;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

std::string gifMessage(int error)
{
    if (error == D_GIF_ERR_READ_FAILED)
        return "truncated GIF file";
    const char* text = GifErrorString(error);
    return text ? text : "GIF error " + std::to_string(error);
}

} // namespace

Bitmap decodeGif(std::span<const std::uint8_t> data, const std::string& name)
{
    if (data.size() < 6 || std::memcmp(data.data(), "GIF8", 4) != 0)
        throw DecoderError(name, "not a GIF file");
    GifSource source;
    source.data = data;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readGif, &error));
    if (!gif)
        throw DecoderError(name, gifMessage(error));
    auto check = [&](int result) {
        if (result != GIF_OK)
            throw DecoderError(name, gifMessage(gif->Error));
    };

    // Extensions before the first image may carry its transparent colour.
    int transparent = -1;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        check(DGifGetRecordType(gif.get(), &type));
        if (type == IMAGE_DESC_RECORD_TYPE)
            break;
        if (type == TERMINATE_RECORD_TYPE)
            throw DecoderError(name, "GIF file without a picture");
        if (type != EXTENSION_RECORD_TYPE)
            continue;
        int code = 0;
        GifByteType* block = nullptr;
        check(DGifGetExtension(gif.get(), &code, &block));
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
            transparent = (block[1] & 1) ? block[4] : -1;
        while (block) {
            check(DGifGetExtensionNext(gif.get(), &block));
        }
    }
    check(DGifGetImageDesc(gif.get()));
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map)
        throw DecoderError(name, "GIF file without a colour table");
    Palette palette(static_cast<std::size_t>(std::max(map->ColorCount, 0)), name);
    for (int i = 0; i < map->ColorCount; ++i)
        palette.set(i, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);

    // The frame is placed on the logical screen, which is widened if the frame lies outside it;
    // what the frame does not cover is white, like its transparent pixels.
    const std::int64_t left = frame.Left;
    const std::int64_t top = frame.Top;
    const std::int64_t width = std::max<std::int64_t>(gif->SWidth, left + frame.Width);
    const std::int64_t height = std::max<std::int64_t>(gif->SHeight, top + frame.Height);
    Bitmap bitmap = allocatePicture(width, height, name, 0xFF);
    std::vector<GifPixelType> line(static_cast<std::size_t>(std::max(frame.Width, 1)));
    auto readLine = [&](int y) {
        check(DGifGetLine(gif.get(), line.data(), frame.Width));
        std::uint8_t* dst = bitmap.row(static_cast<int>(top) + y) + 3 * left;
        for (int x = 0; x < frame.Width; ++x, dst += 3) {
            if (line[x] != transparent)
                palette.put(dst, line[x]);
        }
    };
    if (frame.Interlace) {
        static constexpr int start[] = {0, 4, 2, 1};
        static constexpr int step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < frame.Height; y += step[pass])
                readLine(y);
    } else {
        for (int y = 0; y < frame.Height; ++y)
            readLine(y);
    }
    return bitmap;
}

} // namespace pictaven
