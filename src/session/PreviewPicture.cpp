#include "session/PreviewPicture.h"

#include "app/ErrorLog.h"
#include "decoders/PictureLoader.h"
#include "decoders/VideoFile.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/ExifOrientation.h"
#include "ini/AsciiCase.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

Bitmap readErrorPicture(const std::string& errorPicturePath)
{
    try {
        return loadPicture(errorPicturePath);
    } catch (const std::exception&) {
        // The pane then shows the failure text alone.
        return {};
    }
}

std::string modificationText(const fs::path& file)
{
    std::error_code error;
    const auto time = fs::last_write_time(file, error);
    if (error)
        return {};
    const auto seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(time)));
    return errorLogTimestamp(seconds);
}

} // namespace

PreviewPicture loadPreviewPicture(const std::string& path, const std::string& errorPicturePath)
{
    PreviewPicture preview;
    preview.path = path;
    const std::string lowerPath = asciiLower(path);
    // A video's name may hold ".jp" too (in a folder's name): its poster comes from the general
    // loader all the same.
    const bool jpeg = !isVideoPath(path) && lowerPath.find(".jp") != std::string::npos;
    Bitmap picture;
    std::error_code error;
    const bool exists = fs::is_regular_file(path, error);
    if (!exists) {
        preview.failure = "The file " + path + " no longer exists.";
    } else {
        try {
            picture = jpeg ? readJpegUpright(path) : loadPicture(path);
        } catch (const std::exception& failure) {
            preview.failure = failure.what();
            preview.generalLoaderFailed = !jpeg && lowerPath.find(".gif") == std::string::npos;
        }
    }
    if (!preview.failure.empty())
        picture = readErrorPicture(errorPicturePath);

    preview.fit = fitPreview(picture.width(), picture.height());
    if (preview.fit.controlWidth > 0 && preview.fit.controlHeight > 0) {
        preview.picture = Bitmap(preview.fit.controlWidth, preview.fit.controlHeight);
        stretchBitmap(preview.picture, Rect{0, 0, preview.fit.controlWidth, preview.fit.controlHeight}, picture);
    }

    if (!preview.failure.empty()) {
        preview.hint = preview.failure;
        return preview;
    }
    const auto bytes = fs::file_size(path, error);
    const std::string byteText = error ? std::string("?") : std::to_string(bytes);
    preview.sizeText = (error ? std::string("?") : std::to_string(bytes / 1024)) + " KB";
    const std::string width = std::to_string(picture.width());
    const std::string height = std::to_string(picture.height());
    preview.dimensionText = width + "x" + height;
    preview.hint = "Filename : " + path + "\r\nWidth : " + width + "  Height : " + height +
                   "\r\nSize (Bytes) : " + byteText + "\r\nDate: " + modificationText(path);
    return preview;
}

} // namespace pictaven
