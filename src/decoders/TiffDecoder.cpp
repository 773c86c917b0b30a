#include "decoders/Decoders.h"
#include "imaging/DecoderError.h"

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

// A TIFF file opened on its first image. Not moved once opened: libtiff keeps the source's address.
struct TiffFile {
    TiffSource source;
    std::unique_ptr<TIFFOpenOptions, OptionsFreer> options;
    std::unique_ptr<TIFF, TiffCloser> tiff;
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    DecoderError failure(const std::string& name, const char* fallback) const
    {
        return DecoderError(name, source.firstError.empty() ? fallback : source.firstError);
    }
};

void openTiff(TiffFile& file, std::span<const std::uint8_t> data, const std::string& name)
{
    if (data.size() < 4 || !((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M')))
        throw DecoderError(name, "not a TIFF file");
    file.source.data = data;
    file.options.reset(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(file.options.get(), onError, &file.source);
    TIFFOpenOptionsSetWarningHandlerExtR(file.options.get(), onWarning, nullptr);
    TIFFOpenOptionsSetMaxSingleMemAlloc(file.options.get(), MaxLibraryAllocation);
    file.tiff.reset(TIFFClientOpenExt(name.c_str(), "rm", &file.source, readProc, writeProc, seekProc, closeProc,
                                      sizeProc, mapProc, unmapProc, file.options.get()));
    if (!file.tiff)
        throw file.failure(name, "not a TIFF file");
    if (!TIFFGetField(file.tiff.get(), TIFFTAG_IMAGEWIDTH, &file.width) ||
        !TIFFGetField(file.tiff.get(), TIFFTAG_IMAGELENGTH, &file.height))
        throw file.failure(name, "TIFF file without a picture size");
    checkPictureSize(file.width, file.height, name);
}

// The best packing ratio of the file's coding; 0 for codings whose best is not bounded here
// (fax and JPEG codings among them) and for subsampled colour, whose samples are fewer than
// the pixels' count says. Those are left to the picture size limits.
std::uint64_t bestRatio(TIFF* tiff)
{
    std::uint16_t photometric = PHOTOMETRIC_RGB;
    if (TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric) && photometric == PHOTOMETRIC_YCBCR)
        return 0;
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    switch (compression) {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_PACKBITS:
        return PackBitsBestRatio;
    case COMPRESSION_LZW:
        return TiffLzwBestRatio;
    case COMPRESSION_DEFLATE:
    case COMPRESSION_ADOBE_DEFLATE:
        return DeflateBestRatio;
    default:
        return 0;
    }
}

} // namespace

ImageSize readTiffSize(std::span<const std::uint8_t> data, const std::string& name)
{
    TiffFile file;
    openTiff(file, data, name);
    return {static_cast<int>(file.width), static_cast<int>(file.height)};
}

Bitmap decodeTiff(std::span<const std::uint8_t> data, const std::string& name)
{
    TiffFile file;
    openTiff(file, data, name);
    TIFF* const tiff = file.tiff.get();
    const std::uint32_t width = file.width;
    const std::uint32_t height = file.height;
    char reason[1024] = {};
    if (!TIFFRGBAImageOK(tiff, reason))
        throw DecoderError(name, reason);
    // The whole file must be able to hold the picture's samples in the file's coding.
    if (const std::uint64_t ratio = bestRatio(tiff)) {
        std::uint16_t samples = 1;
        std::uint16_t bits = 1;
        TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
        const std::uint64_t rowBytes = (std::uint64_t{width} * samples * bits + 7) / 8;
        checkDataHolds(data.size(), rowBytes * height, ratio, name, "TIFF");
    }

    std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 1))
        throw file.failure(name, "damaged TIFF file");

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
