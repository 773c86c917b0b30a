#include "decoders/PictureLoader.h"

#include "decoders/PictureFormats.h"
#include "imaging/DecoderError.h"
#include "imaging/InputFile.h"

#include <limits>

namespace pictaven {
namespace {

const PictureFormat& readableFormat(const std::string& path)
{
    const PictureFormat* format = pictureFormatFor(path);
    if (!format)
        throw DecoderError(path, "not a picture format this program reads");
    return *format;
}

// A video is read in parts, never whole, so its size is no reason to refuse it.
std::int64_t sizeLimit(const std::string& path)
{
    const PictureFormat* format = pictureFormatFor(path);
    return format && isVideoFormat(*format) ? std::numeric_limits<std::int64_t>::max() : InputFile::MaxPictureBytes;
}

} // namespace

Bitmap decodePicture(std::span<const std::uint8_t> data, const std::string& path)
{
    const PictureFormat& format = readableFormat(path);
    if (!format.decode)
        throw DecoderError(path, "a video is read from its file, not from memory");
    if (data.empty())
        throw DecoderError(path, "empty file");
    return format.decode(data, path);
}

// In both, the file is opened before its name is looked at, so that a folder or a named pipe
// is named as such whatever its name ends with.

Bitmap loadPicture(const std::string& path)
{
    InputFile file(path, sizeLimit(path));
    const PictureFormat& format = readableFormat(path);
    if (format.decodeFile)
        return format.decodeFile(path);
    return decodePicture(file.readAll(), path);
}

ImageSize readPictureSize(const std::string& path)
{
    InputFile file(path, sizeLimit(path));
    const PictureFormat& format = readableFormat(path);
    if (format.readFileSize)
        return format.readFileSize(path);
    const std::vector<std::uint8_t> data = file.readAll();
    if (data.empty())
        throw DecoderError(path, "empty file");
    return format.readSize(data, path);
}

} // namespace pictaven
