#include "catalog/StripPicture.h"

#include "decoders/BmpWriter.h"
#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "decoders/PictureLoader.h"
#include "decoders/VideoFile.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/ExifOrientation.h"
#include "ini/AsciiCase.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace pictaven {

namespace {

constexpr float StripBox = 94.0f;
constexpr int StripCut = 2;

Bitmap loadPhoto(const std::string& path)
{
    // Its poster, whatever its folders are called.
    if (isVideoPath(path))
        return loadPicture(path);
    const std::string lower = asciiLower(path);
    if (lower.find("jpg") != std::string::npos || lower.find("jpeg") != std::string::npos)
        return readJpegUpright(path);
    if (lower.find("gif") != std::string::npos)
        return decodeGif(readFileBytes(path), path);
    return loadPicture(path);
}

// An unreadable picture gives an empty bitmap: the strip has no message for it.
Bitmap readOrEmpty(const std::string& path, Bitmap (*read)(const std::string&))
{
    try {
        return read(path);
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

Bitmap fitToStrip(const Bitmap& picture)
{
    const float scale = StripBox / static_cast<float>(std::max(picture.width(), picture.height()));
    const int width = std::max(1, static_cast<int>(static_cast<float>(picture.width()) * scale) - StripCut);
    const int height = std::max(1, static_cast<int>(static_cast<float>(picture.height()) * scale) - StripCut);
    Bitmap fitted(width, height, 32);
    stretchBitmap(fitted, {0, 0, width, height}, picture);
    return fitted;
}

StripPicture loadStripPicture(const std::string& cacheFile, const std::string& workingPath,
                              const std::string& errorPicture, const std::string& scratchFile)
{
    std::error_code ignored;
    if (std::filesystem::is_regular_file(cacheFile, ignored)) {
        Bitmap cached = readOrEmpty(cacheFile, loadPicture);
        if (!cached.empty())
            return {std::move(cached), true, {}, {}};
    }
    Bitmap photo = readOrEmpty(workingPath, loadPhoto);
    if (photo.empty())
        photo = readOrEmpty(errorPicture, loadPicture);
    if (photo.empty())
        return {};
    StripPicture made{fitToStrip(photo), false, scratchFile, {}};
    try {
        writeBmp(made.picture, scratchFile);
    } catch (const std::exception& error) {
        made.scratchFile.clear();
        made.writeError = error.what();
    }
    return made;
}

} // namespace pictaven
