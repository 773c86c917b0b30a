#include "decoders/PictureLoader.h"

#include "decoders/PictureFormats.h"
#include "imaging/DecoderError.h"
#include "imaging/InputFile.h"

namespace pictaven {
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
