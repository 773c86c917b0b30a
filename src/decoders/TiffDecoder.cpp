#include "decoders/DecoderError.h"
#include "decoders/Decoders.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <tiffio.h>

// Everything that touches libtiff lives in this file. The library reads from memory through
// client procedures, and its error and warning handlers are set on each opened file, so that
// messages are collected for the exception and nothing is printed.

namespace pictaven {
namespace {

// libtiff allocates strip and tile buffers itself; no single one may exceed this.
constexpr tmsize_t MaxLibraryAllocation = tmsize_t{1} << 30;

struct TiffSource {
    std::span<const std::uint8_t> data;
    std::uint64_t position = 0;
    std::string firstError;
};

tmsize_t readProc(thandle_t handle, void* out, tmsize_t count)
{
    auto* source = static_cast<TiffSource*>(handle);
    if (count <= 0 || source->position >= source->data.size())
        return 0;
    const std::size_t n = std::min<std::uint64_t>(static_cast<std::uint64_t>(count), source->data.size() - source->position);
    std::memcpy(out, source->data.data() + source->position, n);
    source->position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t, void*, tmsize_t)
{
    return -1;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* source = static_cast<TiffSource*>(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = source->position;
    else if (whence == SEEK_END)
        base = source->data.size();
    if (offset > UINT64_MAX - base)
        return static_cast<toff_t>(-1);
    source->position = base + offset;
    return source->position;
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t handle)
{
    return static_cast<TiffSource*>(handle)->data.size();
}

int mapProc(thandle_t, void**, toff_t*)
{
    return 0;
}

void unmapProc(thandle_t, void*, toff_t) {}

int onError(TIFF*, void* userData, const char*, const char* format, va_list args)
{
    auto* source = static_cast<TiffSource*>(userData);
    if (source->firstError.empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        source->firstError = text;
    }
    return 1;
}

int onWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
struct OptionsFreer {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

} // namespace

Bitmap decodeTiff(std::span<const std::uint8_t> data, const std::string& name)
{
    if (data.size() < 4 || !((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M')))
        throw DecoderError(name, "not a TIFF file");
    TiffSource source;
    source.data = data;
    auto failure = [&](const char* fallback) {
        return DecoderError(name, source.firstError.empty() ? fallback : source.firstError);
    };
    std::unique_ptr<TIFFOpenOptions, OptionsFreer> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), onError, &source);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), onWarning, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), MaxLibraryAllocation);
    std::unique_ptr<TIFF, TiffCloser> tiff(TIFFClientOpenExt(name.c_str(), "rm", &source, readProc, writeProc,
                                                             seekProc, closeProc, sizeProc, mapProc, unmapProc,
                                                             options.get()));
    if (!tiff)
        throw failure("not a TIFF file");

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height))
        throw failure("TIFF file without a picture size");
    checkPictureSize(width, height, name);
    char reason[1024] = {};
    if (!TIFFRGBAImageOK(tiff.get(), reason))
        throw DecoderError(name, reason);

    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 1))
        throw failure("damaged TIFF file");

    // libtiff gives premultiplied alpha; adding the uncovered part of white composes over white.
    Bitmap bitmap = allocatePicture(width, height, name);
    const std::uint32_t* src = raster.data();
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* dst = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x, ++src, dst += 3) {
            const unsigned white = 255 - TIFFGetA(*src);
            dst[0] = static_cast<std::uint8_t>(std::min(255u, TIFFGetB(*src) + white));
            dst[1] = static_cast<std::uint8_t>(std::min(255u, TIFFGetG(*src) + white));
            dst[2] = static_cast<std::uint8_t>(std::min(255u, TIFFGetR(*src) + white));
        }
    }
    return bitmap;
}

} // namespace pictaven
