#include "decoders/PictureLoader.h"

#include "decoders/Decoders.h"
#include "imaging/DecoderError.h"
#include "imaging/InputFile.h"
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

ImageSize readJpegFileSize(std::span<const std::uint8_t> data, const std::string& path)
{
    return decodeJpegSize(data.data(), data.size(), path);
}

constexpr std::array<PictureFormat, 23> Formats{{
    {"jpg", "JPEG", decodeJpegFile, readJpegFileSize},
    {"jpeg", "JPEG", decodeJpegFile, readJpegFileSize},
    {"gif", "GIF", decodeGif, readGifSize},
    {"png", "PNG", decodePng, readPngSize},
    {"bmp", "BMP", decodeBmp, readBmpSize},
    {"dib", "BMP", decodeBmp, readBmpSize},
    {"rle", "BMP", decodeBmp, readBmpSize},
    {"pcx", "PCX", decodePcx, readPcxSize},
    {"tif", "TIFF", decodeTiff, readTiffSize},
    {"tiff", "TIFF", decodeTiff, readTiffSize},
    {"psp", "Paint Shop Pro", decodePsp, readPspSize},
    {"tga", "Targa", decodeTga, readTgaSize},
    {"emf", "Windows metafile", decodeMetafile, readMetafileSize},
    {"wmf", "Windows metafile", decodeMetafile, readMetafileSize},
    {"psd", "Photoshop", decodePsd, readPsdSize},
    {"pdd", "Photoshop", decodePsd, readPsdSize},
    {"pbm", "PBM", decodePnm, readPnmSize},
    {"pgm", "PGM", decodePnm, readPnmSize},
    {"ppm", "PPM", decodePnm, readPnmSize},
    {"pnm", "PNM", decodePnm, readPnmSize},
    {"pic", "Autodesk Animator", decodeAnimatorPic, readAnimatorPicSize},
    {"cel", "Autodesk Animator", decodeAnimatorPic, readAnimatorPicSize},
    {"cut", "Dr. Halo CUT", decodeCutBesidePalette, readCutSize},
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

namespace {

const PictureFormat& readableFormat(const std::string& path)
{
    const PictureFormat* format = pictureFormatFor(path);
    if (!format)
        throw DecoderError(path, "not a picture format this program reads");
    return *format;
}

} // namespace

Bitmap decodePicture(std::span<const std::uint8_t> data, const std::string& path)
{
    const PictureFormat& format = readableFormat(path);
    if (data.empty())
        throw DecoderError(path, "empty file");
    return format.decode(data, path);
}

// In both, the file is opened before its name is looked at, so that a folder or a named pipe
// is named as such whatever its name ends with.

Bitmap loadPicture(const std::string& path)
{
    InputFile file(path);
    readableFormat(path);
    return decodePicture(file.readAll(), path);
}

ImageSize readPictureSize(const std::string& path)
{
    InputFile file(path);
    const PictureFormat& format = readableFormat(path);
    const std::vector<std::uint8_t> data = file.readAll();
    if (data.empty())
        throw DecoderError(path, "empty file");
    return format.readSize(data, path);
}

} // namespace pictaven
