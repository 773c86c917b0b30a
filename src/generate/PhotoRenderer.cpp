#include "generate/PhotoRenderer.h"

#include "decoders/PictureLoader.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/GraphicFormats.h"
#include "imaging/GraphicToJpeg.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegQuality.h"
#include "imaging/ResampledJpeg.h"
#include "imaging/RotateBitmap.h"
#include "imaging/SoftEdgeMask.h"
#include "imaging/TurnedGif.h"
#include "imaging/TurnedPng.h"
#include "imaging/Watermark.h"
#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"

#include <charconv>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <utility>

namespace pictaven {
namespace {

namespace fs = std::filesystem;

// A computed side length, truncated toward zero; out-of-range values stop the render.
int side(double length)
{
    if (!(length > -1.0 && length < Bitmap::MaxSide + 1.0))
        throw std::length_error("Picture size out of range");
    return static_cast<int>(length);
}

// ResizePercentage as a decimal number, blanks around it allowed.
double percentage(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    double value = 0;
    if (first != std::string::npos) {
        const char* begin = text.data() + first;
        const char* end = text.data() + last + 1;
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (error == std::errc() && stop == end)
            return value;
    }
    throw std::runtime_error("'" + text + "' is not a valid floating point value");
}

ImageSize newSize(const AlbumSettings& settings, int iw, int ih, int rotation)
{
    if (settings.ResizeImageType == 1) {
        int w = textToInt(settings.NewPhotoWidth);
        int h = textToInt(settings.NewPhotoHeight);
        // The box is turned too, because the photo is turned after scaling.
        if (rotation == 1 || rotation == 2)
            std::swap(w, h);
        const double byWidth = static_cast<double>(w) / iw;
        const double byHeight = static_cast<double>(h) / ih;
        const float scale = static_cast<float>(byWidth >= byHeight ? byHeight : byWidth);
        return {side(static_cast<double>(iw) * scale), side(static_cast<double>(ih) * scale)};
    }
    if (settings.ResizeImageType == 2) {
        const double p = percentage(settings.ResizePercentage);
        return {side(iw * p * 0.01), side(ih * p * 0.01)};
    }
    return {iw, ih};
}

bool hasExtension(const std::string& path, const char* extension)
{
    const std::string name = asciiLower(OutputNames::fileNamePart(path));
    const std::string ext(extension);
    return name.size() >= ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0;
}

bool isJpegByName(const std::string& path)
{
    return asciiLower(path).find(".jp") != std::string::npos;
}

} // namespace

PhotoRenderer::PhotoRenderer(const AlbumJob& job, int convertQuality, std::function<void(const std::string&)> logMessage)
    : m_settings(job.settings),
      m_outputFolder(job.outputFolder),
      m_names(job.settings),
      m_convertQuality(convertQuality),
      m_logMessage(std::move(logMessage))
{
    // Read once for all photos; a photo that needs a missing mask is not rendered.
    if (m_settings.SoftEdge) {
        try {
            m_maskPicture = readJpeg(job.programFolder + "mask.jpg");
        } catch (const std::exception&) {
        }
    }
    if (m_settings.WatermarkType == 2) {
        try {
            m_watermarkPicture = loadPicture(m_settings.WatermarkImage);
        } catch (const std::exception&) {
        }
    }
}

void PhotoRenderer::renderPhoto(FileStorage& photo, const std::string& photoName,
                                std::optional<ThumbnailSource>* thumbnailSource) const
{
    if (thumbnailSource)
        thumbnailSource->reset();
    try {
        std::string path = photo.SourcePath;
        bool converted = false;
        const std::string target = m_outputFolder + m_names.webFileName(photoName);
        if (!isWebFormat(path)) {
            GraphicToJpegContext context;
            context.outputFolder = m_outputFolder;
            context.quality = m_convertQuality;
            context.fileName = m_names.webFileName(photoName);
            context.logMessage = [this](const std::string& message) {
                if (m_logMessage)
                    m_logMessage(message);
            };
            graphicToJpeg(photo.SourcePath, photo.WorkingPath, photo.Converted, context);
            converted = true;
            path = photo.WorkingPath;
        }
        const bool anyOption = m_settings.CompressJPEG || m_settings.SoftEdge || m_settings.WatermarkType > 0 ||
                               m_settings.ResizeImageType > 0;
        if (anyOption && (isJpegByName(path) || converted))
            process(path, converted, photo.Rotation, target, thumbnailSource);
        else
            copyOrTurn(path, converted, photo.Rotation, target, thumbnailSource);
    } catch (...) {
        // A photo that cannot be rendered is simply missing from the album; the next
        // generation tries it again because its output file is missing.
    }
}

void PhotoRenderer::process(const std::string& path, bool converted, int rotation, const std::string& target,
                            std::optional<ThumbnailSource>* thumbnailSource) const
{
    if (!converted) {
        std::error_code ignored;
        fs::remove(target, ignored);
    }
    // The converted copy is not what the thumbnail reads, so only an unconverted decode is shared.
    const bool handBack = thumbnailSource && !converted;
    Bitmap picture;
    if (m_settings.Resample) {
        // Decoded band by band straight into the resampler: a large photo is never held whole.
        ResampledJpeg decoded = readJpegResampled(
            path, [&](ImageSize size) { return newSize(m_settings, size.width, size.height, rotation); }, handBack);
        if (handBack)
            *thumbnailSource = std::move(decoded.thumbnailSource);
        picture = std::move(decoded.picture);
    } else {
        Bitmap source = readJpeg(path);
        if (handBack)
            *thumbnailSource = makeThumbnailSource(source);
        const ImageSize size = newSize(m_settings, source.width(), source.height(), rotation);
        if (size.width == source.width() && size.height == source.height()) {
            // A nearest-neighbour stretch to the picture's own size leaves it unchanged.
            picture = std::move(source);
        } else {
            picture = Bitmap(size.width, size.height);
            stretchBitmap(picture, Rect{0, 0, size.width, size.height}, source);
        }
    }
    if (m_settings.SoftEdge) {
        if (!m_maskPicture)
            throw std::runtime_error("The soft-edge mask could not be read");
        maskWith(picture, *m_maskPicture, static_cast<std::uint32_t>(m_settings.WebPhotoBgColor));
    }
    if (rotation > 0)
        rotateBitmap(picture, picture, rotation);
    if (m_settings.WatermarkType == 1 || m_settings.WatermarkType == 2) {
        WatermarkOptions options;
        options.type = m_settings.WatermarkType;
        options.orientation = m_settings.WatermarkOrientation;
        options.text = m_settings.WatermarkText;
        if (options.type == 1)
            options.fontSizePoints = textToInt(m_settings.WatermarkFontSize);
        drawWatermark(picture, options, m_watermarkPicture ? &*m_watermarkPicture : nullptr);
    }
    writeJpeg(picture, target, jpegQuality(JpegOutput::RenderedPhoto, {m_settings.CompressionRatio, 0, 0}));
}

void PhotoRenderer::copyOrTurn(const std::string& path, bool converted, int rotation, const std::string& target,
                               std::optional<ThumbnailSource>* thumbnailSource) const
{
    if (rotation <= 0) {
        if (thumbnailSource && !converted && isJpegByName(path)) {
            try {
                *thumbnailSource = readJpegThumbnailSource(path);
            } catch (const std::exception&) {
                // The page phase loads the photo itself and reports what is wrong with it.
            }
        }
        std::error_code error;
        if (fs::equivalent(path, target, error))
            return;
        fs::copy_file(path, target, fs::copy_options::overwrite_existing, error);
        if (error) {
            std::error_code ignored;
            fs::remove(target, ignored);
        }
        return;
    }
    if (hasExtension(path, ".png")) {
        writeTurnedPng(path, target, rotation);
        return;
    }
    if (hasExtension(path, ".gif")) {
        writeTurnedGif(path, target, rotation);
        return;
    }
    Bitmap picture = readJpeg(path);
    if (thumbnailSource && !converted)
        *thumbnailSource = makeThumbnailSource(picture);
    rotateBitmap(picture, picture, rotation);
    writeJpeg(picture, target, jpegQuality(JpegOutput::RenderedPhoto, {m_settings.CompressionRatio, 0, 0}));
}

} // namespace pictaven
