#include "generate/ThumbnailRenderer.h"

#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "decoders/PictureLoader.h"
#include "decoders/VideoFile.h"
#include "generate/FileDigest.h"
#include "generate/GeneratedFile.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegQuality.h"
#include "imaging/PlayMark.h"
#include "imaging/ResampledJpeg.h"
#include "ini/AsciiCase.h"

#include <exception>
#include <filesystem>

namespace pictaven {
namespace {

namespace fs = std::filesystem;

// How a photo is read for its thumbnail, chosen by name.
enum class SourceKind { Jpeg, Gif, Bitmap, Other };

SourceKind sourceKind(const FileStorage& photo)
{
    if (asciiLower(photo.SourcePath).find(".jp") != std::string::npos)
        return SourceKind::Jpeg;
    const std::string working = asciiLower(photo.WorkingPath);
    if (working.find(".gif") != std::string::npos)
        return SourceKind::Gif;
    if (working.find(".bmp") != std::string::npos)
        return SourceKind::Bitmap;
    return SourceKind::Other;
}

// A video's thumbnail is its poster frame with the mark that says it plays.
ThumbnailSource readVideoSource(const std::string& path)
{
    Bitmap poster = decodeVideoPoster(path);
    drawPlayMark(poster);
    return makeThumbnailSource(poster);
}

ThumbnailSource readSource(const std::string& path, SourceKind kind)
{
    if (isVideoPath(path))
        return readVideoSource(path);
    switch (kind) {
    case SourceKind::Jpeg:
        return readJpegThumbnailSource(path);
    case SourceKind::Gif:
        return makeThumbnailSource(decodeGif(readFileBytes(path), path));
    case SourceKind::Bitmap:
    case SourceKind::Other:
        break;
    }
    return makeThumbnailSource(loadPicture(path));
}

std::string decodingFailure(const std::string& reason, SourceKind kind, const std::string& workingPath)
{
    const std::string advice = "\r\nConsider removing this file from the Photo Album";
    switch (kind) {
    case SourceKind::Jpeg:
        return reason + "\r\nError decoding JPEG file: " + workingPath;
    case SourceKind::Gif:
        return reason + "\r\nError decoding GIF file: " + workingPath + advice;
    case SourceKind::Bitmap:
        return reason + "\r\nError decoding Bitmap file: " + workingPath + advice;
    case SourceKind::Other:
        break;
    }
    return reason + "\r\nError decoding image file: " + workingPath + advice;
}

std::string missingFile(SourceKind kind, const std::string& workingPath)
{
    return "Error processing file [" + workingPath + "]\r\n\r\n" + (kind == SourceKind::Gif ? "\r\n" : "") +
           "If the 'Smart Render' option has been disabled - please enable.";
}

} // namespace

ThumbnailRenderer::ThumbnailRenderer(const AlbumJob& job, GenerationEvents events)
    : m_settings(job.settings)
    , m_outputFolder(job.outputFolder)
    , m_names(job.settings)
    , m_basicAlbum(job.basicAlbum())
    , m_events(std::move(events))
{
    const AlbumSettings& s = m_settings;
    m_style.aspectRatio = s.AspectRatio;
    m_style.backdrop = s.Backdrop;
    m_style.border = s.Border;
    // A basic album whose index pages have a texture has no plain colour to cast a shadow on.
    m_style.shadow = s.Shadow && !(m_basicAlbum && !job.indexPageTexture.empty() && !s.Backdrop && s.AspectRatio);
    m_style.thumbBackground = Colour::fromSettings(static_cast<std::uint32_t>(s.ThumbBgColor));
    m_style.borderColour = Colour::fromSettings(static_cast<std::uint32_t>(s.ThumbBorderColor));
    m_style.pageBackground = Colour::fromSettings(static_cast<std::uint32_t>(s.WebBgColor));
}

std::optional<ThumbnailSource> ThumbnailRenderer::loadThumbnailSource(const FileStorage& photo,
                                                                      bool& rerenderPhotos) const
{
    const SourceKind kind = sourceKind(photo);
    try {
        return readSource(photo.SourcePath, kind);
    } catch (const std::exception& error) {
        // A JPEG is looked for where it is read; other photos where the album takes them from.
        const std::string& expected = kind == SourceKind::Jpeg ? photo.SourcePath : photo.WorkingPath;
        std::error_code ignored;
        std::string message;
        if (fs::exists(expected, ignored)) {
            message = decodingFailure(error.what(), kind, photo.WorkingPath);
        } else {
            message = missingFile(kind, photo.WorkingPath);
            rerenderPhotos = true;
        }
        m_events.logMessage(message);
        return std::nullopt;
    }
}

Bitmap ThumbnailRenderer::makeThumbnailBitmap(const Bitmap& preShrunk, const Rect& thumbnailRect, int fittedWidth,
                                              int fittedHeight, int rotation, bool mirrored) const
{
    ThumbnailShape shape;
    shape.aspectRatio = m_settings.AspectRatio;
    shape.rectWidth = thumbnailRect.width();
    shape.rectHeight = thumbnailRect.height();
    shape.fittedWidth = fittedWidth;
    shape.fittedHeight = fittedHeight;
    shape.thumbWidth = m_settings.ThumbWidth;
    shape.thumbHeight = m_settings.ThumbHeight;
    shape.rotation = rotation;
    shape.mirrored = mirrored;
    shape.buttonize = m_settings.Buttonize;
    return pictaven::makeThumbnailBitmap(preShrunk, shape);
}

std::string ThumbnailRenderer::recipe(const FileStorage& photo) const
{
    const AlbumSettings& s = m_settings;
    auto number = [](auto value) { return " " + std::to_string(value); };
    return textSha256("thumbnail 1\nsource " + photo.SourcePath + number(static_cast<int>(sourceKind(photo))) +
                      "\nturn" + number(photo.Rotation) + number(photo.Mirrored) + "\nsize" + number(s.ThumbWidth) +
                      number(s.ThumbHeight) + number(s.AspectRatio) + number(s.Buttonize) + "\nstyle" +
                      number(m_style.backdrop) + number(m_style.border) + number(m_style.shadow) +
                      number(s.ThumbBgColor) + number(s.ThumbBorderColor) + number(s.WebBgColor) + "\nquality" +
                      number(ThumbnailJpegQuality) + (isVideoPath(photo.SourcePath) ? "\nplay mark 1" : ""));
}

std::string ThumbnailRenderer::thumbnailPath(const std::string& photoName) const
{
    return m_outputFolder + m_names.thumbnailFileName(OutputNames::fileNamePart(photoName));
}

void ThumbnailRenderer::drawThumbnail(const Bitmap* albumPicture, int left, int top, Bitmap& thumbnail,
                                      const std::string& photoName, const Rect& cell) const
{
    composeThumbnail(thumbnail, albumPicture, left, top, cell, m_style);
    if (m_basicAlbum) {
        GeneratedFile::writeBytes(thumbnailPath(photoName), encodeJpeg(thumbnail, ThumbnailJpegQuality));
    }
}

} // namespace pictaven
