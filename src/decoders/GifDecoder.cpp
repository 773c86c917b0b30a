#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "imaging/DecoderError.h"

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

// A GIF file read up to the description of its first image.
struct GifStart {
    GifSource source;
    std::unique_ptr<GifFileType, GifCloser> gif;
    int transparent = -1; // the first image's transparent colour, if any
    std::int64_t width = 0;  // of the logical screen, widened to hold the first image
    std::int64_t height = 0;
};

void checkGif(const GifStart& start, int result, const std::string& name)
{
    if (result != GIF_OK)
        throw DecoderError(name, gifMessage(start.gif->Error));
}

void readToFirstImage(GifStart& start, std::span<const std::uint8_t> data, const std::string& name)
{
    if (data.size() < 6 || std::memcmp(data.data(), "GIF8", 4) != 0)
        throw DecoderError(name, "not a GIF file");
    start.source.data = data;
    int error = 0;
    start.gif.reset(DGifOpen(&start.source, readGif, &error));
    if (!start.gif)
        throw DecoderError(name, gifMessage(error));
    GifFileType* gif = start.gif.get();

    // Extensions before the first image may carry its transparent colour.
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        checkGif(start, DGifGetRecordType(gif, &type), name);
        if (type == IMAGE_DESC_RECORD_TYPE)
            break;
        if (type == TERMINATE_RECORD_TYPE)
            throw DecoderError(name, "GIF file without a picture");
        if (type != EXTENSION_RECORD_TYPE)
            continue;
        int code = 0;
        GifByteType* block = nullptr;
        checkGif(start, DGifGetExtension(gif, &code, &block), name);
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
            start.transparent = (block[1] & 1) ? block[4] : -1;
        while (block) {
            checkGif(start, DGifGetExtensionNext(gif, &block), name);
        }
    }
    checkGif(start, DGifGetImageDesc(gif), name);
    // The frame is placed on the logical screen, which is widened if the frame lies outside it.
    const GifImageDesc& frame = gif->Image;
    start.width = std::max<std::int64_t>(gif->SWidth, std::int64_t{frame.Left} + frame.Width);
    start.height = std::max<std::int64_t>(gif->SHeight, std::int64_t{frame.Top} + frame.Height);
    checkPictureSize(start.width, start.height, name);
}

} // namespace

ImageSize readGifSize(std::span<const std::uint8_t> data, const std::string& name)
{
    GifStart start;
    readToFirstImage(start, data, name);
    return {static_cast<int>(start.width), static_cast<int>(start.height)};
}

Bitmap decodeGif(std::span<const std::uint8_t> data, const std::string& name)
{
    GifStart start;
    readToFirstImage(start, data, name);
    GifFileType* gif = start.gif.get();
    const int transparent = start.transparent;
    auto check = [&](int result) { checkGif(start, result, name); };
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map)
        throw DecoderError(name, "GIF file without a colour table");
    Palette palette(static_cast<std::size_t>(std::max(map->ColorCount, 0)), name);
    for (int i = 0; i < map->ColorCount; ++i)
        palette.set(i, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);

    // What the frame does not cover is white, like its transparent pixels. The rest of the file
    // must be able to hold a frame as large as the picture: a few bytes claiming a huge screen
    // take no memory for it.
    const std::int64_t left = frame.Left;
    const std::int64_t top = frame.Top;
    checkDataHolds(data.size() - start.source.position, static_cast<std::uint64_t>(start.width * start.height),
                   GifLzwBestRatio, name, "GIF");
    Bitmap bitmap = allocatePicture(start.width, start.height, name, 0xFF);
    std::vector<GifPixelType> line(static_cast<std::size_t>(std::max(frame.Width, 1)));
    auto readLine = [&](int y) {
        check(DGifGetLine(gif, line.data(), frame.Width));
        std::uint8_t* dst = bitmap.row(static_cast<int>(top) + y) + 3 * left;
        for (int x = 0; x < frame.Width; ++x, dst += 3) {
            if (line[x] != transparent)
                palette.put(dst, line[x]);
        }
    };
    if (frame.Interlace) {
        static constexpr int firstRow[] = {0, 4, 2, 1};
        static constexpr int step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = firstRow[pass]; y < frame.Height; y += step[pass])
                readLine(y);
    } else {
        for (int y = 0; y < frame.Height; ++y)
            readLine(y);
    }
    return bitmap;
}

} // namespace pictaven
