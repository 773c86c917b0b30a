#include "decoders/DecoderError.h"
#include "decoders/Decoders.h"

#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

// Everything that touches libpng lives in this file. libpng reports errors through a callback
// that must not return; ours longjmps back into one of two small functions that hold no C++
// objects, and the caller turns the failure into an exception.

namespace pictaven {
namespace {

struct PngState {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
    std::jmp_buf jump;
    char message[256] = {};
};

void onError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<PngState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    std::longjmp(state->jump, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readData(png_structp png, png_bytep out, png_size_t count)
{
    auto* state = static_cast<PngState*>(png_get_io_ptr(png));
    if (count > state->data.size() - state->position)
        png_error(png, "truncated PNG file");
    std::memcpy(out, state->data.data() + state->position, count);
    state->position += count;
}

struct PngHandles {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngHandles() { png_destroy_read_struct(&png, &info, nullptr); }
};

// Reads the header and sets up the output as 8-bit RGBA rows.
bool readHeader(PngHandles& handles, PngState& state, png_uint_32* width, png_uint_32* height)
{
    if (setjmp(state.jump))
        return false;
    png_set_read_fn(handles.png, &state, readData);
    png_read_info(handles.png, handles.info);
    *width = png_get_image_width(handles.png, handles.info);
    *height = png_get_image_height(handles.png, handles.info);
    png_set_expand(handles.png);
    png_set_scale_16(handles.png);
    png_set_gray_to_rgb(handles.png);
    png_set_filler(handles.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(handles.png);
    png_read_update_info(handles.png, handles.info);
    if (png_get_channels(handles.png, handles.info) != 4 || png_get_bit_depth(handles.png, handles.info) != 8)
        png_error(handles.png, "unsupported PNG layout");
    return true;
}

bool readRows(PngHandles& handles, PngState& state, png_bytepp rows)
{
    if (setjmp(state.jump))
        return false;
    png_read_image(handles.png, rows);
    return true;
}

} // namespace

Bitmap decodePng(std::span<const std::uint8_t> data, const std::string& name)
{
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        throw DecoderError(name, "not a PNG file");
    PngState state;
    state.data = data;
    PngHandles handles;
    handles.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
    if (handles.png)
        handles.info = png_create_info_struct(handles.png);
    if (!handles.info)
        throw DecoderError(name, "out of memory");

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    if (!readHeader(handles, state, &width, &height))
        throw DecoderError(name, state.message);
    checkPictureSize(width, height, name);
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = rgba.data() + static_cast<std::size_t>(y) * width * 4;
    if (!readRows(handles, state, rows.data()))
        throw DecoderError(name, state.message);

    // Transparency is shown against white.
    Bitmap bitmap = allocatePicture(width, height, name);
    const std::uint8_t* src = rgba.data();
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* dst = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x, src += 4, dst += 3) {
            const unsigned alpha = src[3];
            for (int c = 0; c < 3; ++c)
                dst[2 - c] = static_cast<std::uint8_t>((src[c] * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }
    return bitmap;
}

} // namespace pictaven
