#include "decoders/ComposeOverWhite.h"
#include "decoders/Decoders.h"
#include "imaging/DecoderError.h"

#include <libheif/heif.h>
#include <memory>

// Everything that touches libheif lives in this file.

namespace pictaven
{
namespace
{

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

void check(const heif_error& error, const std::string& name)
{
    if (error.code == heif_error_Ok)
        return;
    if (error.code == heif_error_Unsupported_feature && error.subcode == heif_suberror_Unsupported_codec)
        throw DecoderError(
            name, "no decoder for its compression is installed (" + std::string(error.message) + ")");
    throw DecoderError(name, error.message);
}

// The file's context and its primary picture, whose size is checked.
struct PrimaryPicture {
    std::unique_ptr<heif_context, ContextFree> context;
    std::unique_ptr<heif_image_handle, HandleRelease> handle;
    int width = 0;
    int height = 0;
};

PrimaryPicture openPrimary(std::span<const std::uint8_t> data, const std::string& name)
{
    // Plugins and the decoders built into libheif are registered once per program.
    static const heif_error initialised = heif_init(nullptr);
    check(initialised, name);
    PrimaryPicture picture;
    picture.context.reset(heif_context_alloc());
    if (!picture.context)
        throw DecoderError(name, "out of memory");
    check(
        heif_context_read_from_memory_without_copy(picture.context.get(), data.data(), data.size(), nullptr),
        name);
    heif_image_handle* handle = nullptr;
    check(heif_context_get_primary_image_handle(picture.context.get(), &handle), name);
    picture.handle.reset(handle);
    picture.width = heif_image_handle_get_width(handle);
    picture.height = heif_image_handle_get_height(handle);
    checkPictureSize(picture.width, picture.height, name);
    return picture;
}

} // namespace

Bitmap decodeHeif(std::span<const std::uint8_t> data, const std::string& name)
{
    const PrimaryPicture primary = openPrimary(data, name);
    std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    heif_image* decoded = nullptr;
    check(heif_decode_image(primary.handle.get(), &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA,
              options.get()),
        name);
    const std::unique_ptr<heif_image, ImageRelease> image(decoded);
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    if (width != primary.width || height != primary.height)
        throw DecoderError(name, "the picture decodes to another size than its header gives");
    int stride = 0;
    const std::uint8_t* pixels = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    if (!pixels || stride < width * 4)
        throw DecoderError(name, "the picture has no colour data");
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        composeOverWhite(pixels + static_cast<std::ptrdiff_t>(y) * stride, picture.row(y), width);
    return picture;
}

ImageSize readHeifSize(std::span<const std::uint8_t> data, const std::string& name)
{
    const PrimaryPicture primary = openPrimary(data, name);
    return { primary.width, primary.height };
}

} // namespace pictaven
