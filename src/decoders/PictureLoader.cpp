#include "decoders/PictureLoader.h"

#include "decoders/DecoderError.h"
#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "imaging/JpegCodec.h"
#include "ini/AsciiCase.h"

#include <array>
#include <filesystem>

namespace pictaven {
namespace {

Bitmap decodeJpegFile(std::span<const std::uint8_t> data, const std::string& path)
{
    return decodeJpeg(data.data(), data.size(), path);
}

constexpr std::array<PictureFormat, 23> Formats{{
    {"jpg", "JPEG", decodeJpegFile},
    {"jpeg", "JPEG", decodeJpegFile},
    {"gif", "GIF", decodeGif},
    {"png", "PNG", decodePng},
    {"bmp", "BMP", decodeBmp},
    {"dib", "BMP", decodeBmp},
    {"rle", "BMP", decodeBmp},
    {"pcx", "PCX", decodePcx},
    {"tif", "TIFF", decodeTiff},
    {"tiff", "TIFF", decodeTiff},
    {"psp", "Paint Shop Pro", decodePsp},
    {"tga", "Targa", decodeTga},
    {"emf", "Windows metafile", decodeMetafile},
    {"wmf", "Windows metafile", decodeMetafile},
    {"psd", "Photoshop", decodePsd},
    {"pdd", "Photoshop", decodePsd},
    {"pbm", "PBM", decodePnm},
    {"pgm", "PGM", decodePnm},
    {"ppm", "PPM", decodePnm},
    {"pnm", "PNM", decodePnm},
    {"pic", "Autodesk Animator", decodeAnimatorPic},
    {"cel", "Autodesk Animator", decodeAnimatorPic},
    {"cut", "Dr. Halo CUT", decodeCutBesidePalette},
}};

} // namespace

const PictureFormat* pictureFormatFor(const std::string& path)
{
    const std::string dotted = std::filesystem::path(path).extension().string();
    if (dotted.empty())
        return nullptr;
    const std::string extension = asciiLower(dotted.substr(1));
    for (const auto& format : Formats) {
        if (extension == format.extension)
            return &format;
    }
    return nullptr;
}

Bitmap decodePicture(std::span<const std::uint8_t> data, const std::string& path)
{
    const PictureFormat* format = pictureFormatFor(path);
    if (!format)
        throw DecoderError(path, "not a picture format this program reads");
    if (data.empty())
        throw DecoderError(path, "empty file");
    return format->decode(data, path);
}

Bitmap loadPicture(const std::string& path)
{
    if (!pictureFormatFor(path))
        throw DecoderError(path, "not a picture format this program reads");
    return decodePicture(readFileBytes(path), path);
}

} // namespace pictaven
