#include "decoders/ComposeOverWhite.h"
#include "decoders/Decoders.h"
#include "imaging/DecoderError.h"

#include <memory>
#include <webp/decode.h>
#include <webp/demux.h>

// Everything that touches libwebp lives in this file.

namespace pictaven
{
namespace
{

struct AnimDecoderDelete {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

} // namespace

ImageSize readWebpSize(std::span<const std::uint8_t> data, const std::string& name)
{
    WebPBitstreamFeatures features;
    switch (WebPGetFeatures(data.data(), data.size(), &features)) {
    case VP8_STATUS_OK:
        break;
    case VP8_STATUS_NOT_ENOUGH_DATA:
        throw DecoderError(name, "truncated WebP file");
    default:
        throw DecoderError(name, "not a WebP file");
    }
    checkPictureSize(features.width, features.height, name);
    return { features.width, features.height };
}

// A still picture or the first frame of an animation, on its canvas.
Bitmap decodeWebp(std::span<const std::uint8_t> data, const std::string& name)
{
    const ImageSize size = readWebpSize(data, name);
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        throw DecoderError(name, "the WebP library does not match its headers");
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const WebPData webp { data.data(), data.size() };
    const std::unique_ptr<WebPAnimDecoder, AnimDecoderDelete> decoder(WebPAnimDecoderNew(&webp, &options));
    if (!decoder)
        throw DecoderError(name, "damaged or truncated WebP file");
    WebPAnimInfo info;
    if (!WebPAnimDecoderGetInfo(decoder.get(), &info))
        throw DecoderError(name, "damaged WebP file");
    if (static_cast<int>(info.canvas_width) != size.width
        || static_cast<int>(info.canvas_height) != size.height)
        throw DecoderError(name, "the picture decodes to another size than its header gives");
    std::uint8_t* frame = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &frame, &timestamp) || !frame)
        throw DecoderError(name, "damaged or truncated WebP file");
    Bitmap picture(size.width, size.height);
    for (int y = 0; y < size.height; ++y)
        composeOverWhite(frame + static_cast<std::ptrdiff_t>(y) * size.width * 4, picture.row(y), size.width);
    return picture;
}

} // namespace pictaven
