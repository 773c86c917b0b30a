#include "decoders/ComposeOverWhite.h"
#include "decoders/Decoders.h"
#include "imaging/DecoderError.h"

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

struct PngHeader {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::uint64_t rowBytes = 0; // one stored row, before any conversion
    int passes = 1;             // 7 for an interlaced file
};

// Reads the header and sets up the output as 8-bit RGBA rows.
bool readHeader(PngHandles& handles, PngState& state, PngHeader* header)
{
    if (setjmp(state.jump))
        return false;
    png_set_read_fn(handles.png, &state, readData);
    png_read_info(handles.png, handles.info);
    header->width = png_get_image_width(handles.png, handles.info);
    header->height = png_get_image_height(handles.png, handles.info);
    header->rowBytes = png_get_rowbytes(handles.png, handles.info);
    png_set_expand(handles.png);
    png_set_scale_16(handles.png);
    png_set_gray_to_rgb(handles.png);
    png_set_filler(handles.png, 0xFF, PNG_FILLER_AFTER);
    header->passes = png_set_interlace_handling(handles.png);
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

bool readRow(PngHandles& handles, PngState& state, png_bytep row)
{
    if (setjmp(state.jump))
        return false;
    png_read_row(handles.png, row, nullptr);
    return true;
}

// Creates the libpng handles on `state` and reads the header, checked.
PngHeader startPng(PngHandles& handles, PngState& state, std::span<const std::uint8_t> data, const std::string& name)
{
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        throw DecoderError(name, "not a PNG file");
    state.data = data;
    handles.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
    if (handles.png)
        handles.info = png_create_info_struct(handles.png);
    if (!handles.info)
        throw DecoderError(name, "out of memory");
    PngHeader header;
    if (!readHeader(handles, state, &header))
        throw DecoderError(name, state.message);
    checkPictureSize(header.width, header.height, name);
    return header;
}

} // namespace

ImageSize readPngSize(std::span<const std::uint8_t> data, const std::string& name)
{
    PngState state;
    PngHandles handles;
    const PngHeader header = startPng(handles, state, data, name);
    return {static_cast<int>(header.width), static_cast<int>(header.height)};
}

Bitmap decodePng(std::span<const std::uint8_t> data, const std::string& name)
{
    PngState state;
    PngHandles handles;
    const PngHeader header = startPng(handles, state, data, name);
    // What is left of the file must be able to hold the compressed rows.
    checkDataHolds(data.size() - state.position, header.rowBytes * header.height, DeflateBestRatio, name, "PNG");

    Bitmap bitmap = allocatePicture(header.width, header.height, name);
    const std::size_t rgbaRowBytes = static_cast<std::size_t>(header.width) * 4;
    if (header.passes == 1) {
        // Row by row: the picture is held once, as the bitmap.
        std::vector<std::uint8_t> rgba(rgbaRowBytes);
        for (int y = 0; y < bitmap.height(); ++y) {
            if (!readRow(handles, state, rgba.data()))
                throw DecoderError(name, state.message);
            composeOverWhite(rgba.data(), bitmap.row(y), bitmap.width());
        }
        return bitmap;
    }
    // The passes of an interlaced file build on each other's rows, so all of them are kept.
    std::vector<std::uint8_t> rgba(rgbaRowBytes * header.height);
    std::vector<png_bytep> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = rgba.data() + y * rgbaRowBytes;
    if (!readRows(handles, state, rows.data()))
        throw DecoderError(name, state.message);
    for (int y = 0; y < bitmap.height(); ++y)
        composeOverWhite(rows[static_cast<std::size_t>(y)], bitmap.row(y), bitmap.width());
    return bitmap;
}

} // namespace pictaven
