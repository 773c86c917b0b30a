#include "generate/PhotoRenderer.h"

#include "decoders/GraphicToJpeg.h"
#include "decoders/PictureLoader.h"
#include "decoders/PublishedMetadata.h"
#include "decoders/TurnedGif.h"
#include "decoders/TurnedPng.h"
#include "generate/FileDigest.h"
#include "generate/GeneratedFile.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/ExifOrientation.h"
#include "imaging/GraphicFormats.h"
#include "imaging/InputFile.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegQuality.h"
#include "imaging/ResampledJpeg.h"
#include "imaging/RotateBitmap.h"
#include "imaging/SoftEdgeMask.h"
#include "imaging/Watermark.h"
#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

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
        const double p = PhotoRenderer::resizePercentage(settings.ResizePercentage);
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

// A picture the render reads once for all photos, by its content.
std::string pictureRecipe(const std::string& path)
{
    try {
        return path + " " + fileSha256(path);
    } catch (const std::exception&) {
        return path + " unreadable";
    }
}

} // namespace

PhotoRenderer::PhotoRenderer(const AlbumJob& job, int convertQuality,
                             std::function<void(const std::string&)> logMessage)
    : m_settings(job.settings)
    , m_outputFolder(job.outputFolder)
    , m_names(job.settings)
    , m_convertQuality(convertQuality)
    , m_publishedMetadata(job.publishedMetadata)
    , m_logMessage(std::move(logMessage))
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

    const AlbumSettings& s = m_settings;
    std::string& r = m_sharedRecipe;
    r = "photo 1\nconvert quality " + std::to_string(m_convertQuality);
    r += "\nmetadata " + (m_publishedMetadata ? std::to_string(static_cast<int>(*m_publishedMetadata)) : "unset");
    r += "\ncompress " + std::to_string(s.CompressJPEG) + " " + std::to_string(s.CompressionRatio);
    r += "\nresize " + std::to_string(s.ResizeImageType) + " " + s.NewPhotoWidth + " " + s.NewPhotoHeight + " " +
         s.ResizePercentage + " resample " + std::to_string(s.Resample);
    r += "\nsoft edge " + std::to_string(s.SoftEdge);
    if (s.SoftEdge)
        r += " " + std::to_string(s.WebPhotoBgColor) + " " + pictureRecipe(job.programFolder + "mask.jpg");
    r += "\nwatermark " + std::to_string(s.WatermarkType);
    if (s.WatermarkType == 1 || s.WatermarkType == 2)
        r += " " + std::to_string(s.WatermarkOrientation) + " " + s.WatermarkFontSize + "\n" + s.WatermarkText;
    if (s.WatermarkType == 2)
        r += "\n" + pictureRecipe(s.WatermarkImage);
}

std::string PhotoRenderer::recipe(const FileStorage& photo, const std::string& photoName) const
{
    return textSha256(m_sharedRecipe + "\nname " + m_names.webFileName(photoName) + "\nturn " +
                      std::to_string(photo.Rotation) + " " + std::to_string(photo.Mirrored) + "\nsource " +
                      photo.SourcePath);
}

void PhotoRenderer::markRendered(FileStorage& photo, const std::string& photoName) const
{
    if (isWebFormat(photo.SourcePath))
        return;
    photo.Converted = true;
    photo.WorkingPath = m_outputFolder + m_names.webFileName(photoName);
}

double PhotoRenderer::resizePercentage(const std::string& text)
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

std::string PhotoRenderer::resizeProblem(const AlbumSettings& settings)
{
    const std::string advice = " Change \"Resize Photos\" in the preferences.";
    if (settings.ResizeImageType == 1) {
        const std::optional<std::int32_t> width = parseInteger(settings.NewPhotoWidth);
        const std::optional<std::int32_t> height = parseInteger(settings.NewPhotoHeight);
        auto usable = [](const std::optional<std::int32_t>& side) {
            return side && *side >= 1 && *side <= Bitmap::MaxSide;
        };
        if (!usable(width) || !usable(height))
            return "Photos cannot be resized to a width of \"" + settings.NewPhotoWidth + "\" and a height of \"" +
                   settings.NewPhotoHeight + "\": both must be whole numbers from 1 to " +
                   std::to_string(Bitmap::MaxSide) + " pixels." + advice;
    } else if (settings.ResizeImageType == 2) {
        double percent = 0;
        try {
            percent = resizePercentage(settings.ResizePercentage);
        } catch (const std::exception&) {
            percent = 0;
        }
        if (!(percent > 0) || !std::isfinite(percent))
            return "Photos cannot be scaled by \"" + settings.ResizePercentage +
                   "\" percent: the percentage must be a number greater than 0." + advice;
    }
    return {};
}

std::string PhotoRenderer::renderPhoto(FileStorage& photo, const std::string& photoName,
                                       std::optional<ThumbnailSource>* thumbnailSource) const
{
    if (thumbnailSource)
        thumbnailSource->reset();
    const std::string target = m_outputFolder + m_names.webFileName(photoName);
    try {
        std::string path = photo.SourcePath;
        bool converted = false;
        if (!isWebFormat(path)) {
            GraphicToJpegContext context;
            context.outputFolder = m_outputFolder;
            context.quality = m_convertQuality;
            context.fileName = m_names.webFileName(photoName);
            context.logMessage = [this](const std::string& message) {
                if (m_logMessage)
                    m_logMessage(message);
            };
            context.writeJpeg = [&](const Bitmap& picture, const std::string& file, int quality) {
                writeJpegFile(picture, file, quality, photo.SourcePath);
            };
            graphicToJpeg(photo.SourcePath, photo.WorkingPath, photo.Converted, context);
            converted = true;
            path = photo.WorkingPath;
        }
        const bool anyOption = m_settings.CompressJPEG || m_settings.SoftEdge || m_settings.WatermarkType > 0 ||
                               m_settings.ResizeImageType > 0;
        if (anyOption && (isJpegByName(path) || converted))
            process(path, converted, photo, target, thumbnailSource);
        else
            copyOrTurn(path, converted, photo, target, thumbnailSource);
        return {};
    } catch (const std::exception& error) {
        removeOutput(target);
        return error.what();
    } catch (...) {
        removeOutput(target);
        return "unknown failure";
    }
}

void PhotoRenderer::removeOutput(const std::string& target)
{
    // No output file is better than one of an earlier render: the next generation sees the
    // photo missing and renders it again.
    std::error_code ignored;
    if (!target.empty())
        fs::remove(target, ignored);
}

void PhotoRenderer::process(const std::string& path, bool converted, const FileStorage& photo,
                            const std::string& target, std::optional<ThumbnailSource>* thumbnailSource) const
{
    const int rotation = photo.Rotation;
    if (!converted)
        removeOutput(target);
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
    orientBitmap(picture, rotation, photo.Mirrored);
    if (m_settings.WatermarkType == 1 || m_settings.WatermarkType == 2) {
        WatermarkOptions options;
        options.type = m_settings.WatermarkType;
        options.orientation = m_settings.WatermarkOrientation;
        options.text = m_settings.WatermarkText;
        if (options.type == 1)
            options.fontSizePoints = textToInt(m_settings.WatermarkFontSize);
        drawWatermark(picture, options, m_watermarkPicture ? &*m_watermarkPicture : nullptr);
    }
    writeRendered(picture, target, photo.SourcePath);
}

void PhotoRenderer::writeRendered(const Bitmap& picture, const std::string& target,
                                  const std::string& metadataSource) const
{
    writeJpegFile(picture, target, jpegQuality(JpegOutput::RenderedPhoto, {m_settings.CompressionRatio, 0, 0}),
                  metadataSource);
}

void PhotoRenderer::writeJpegFile(const Bitmap& picture, const std::string& target, int quality,
                                  const std::string& metadataSource) const
{
    // Made whole in memory and written at once: a photo file is written, and its metadata
    // added, in one go rather than in small pieces.
    std::string jpeg = encodeJpeg(picture, quality);
    carryPublishedMetadata(metadataSource, jpeg, picture.width(), picture.height(), m_publishedMetadata);
    GeneratedFile::writeBytes(target, jpeg);
}

void PhotoRenderer::copyUpright(const std::string& path, const std::string& target) const
{
    const ExifOrientation orientation = readExifOrientation(path);
    if (orientation.value == 1 && m_publishedMetadata == PublishedMetadata::All) {
        GeneratedFile::copy(path, target);
        return;
    }
    GeneratedFile::write(target, [&](const std::string& writePath) {
        if (orientation.value == 1) {
            fs::copy_file(path, writePath, fs::copy_options::overwrite_existing);
        } else {
            // The album shows the stored pixels as they are, so a browser that follows the tag
            // must not turn them: the copy says Orientation 1.
            InputFile file(path);
            std::vector<std::uint8_t> bytes = file.readAll();
            if (orientation.offset + 2 > bytes.size())
                throw std::runtime_error(path + ": changed while it was read");
            bytes[orientation.offset + (orientation.bigEndian ? 0 : 1)] = 0;
            bytes[orientation.offset + (orientation.bigEndian ? 1 : 0)] = 1;
            std::ofstream out(writePath, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out.flush())
                throw std::runtime_error("Cannot write " + writePath);
        }
        keepPublishedMetadata(writePath, m_publishedMetadata);
    });
}

void PhotoRenderer::copyOrTurn(const std::string& path, bool converted, const FileStorage& photo,
                               const std::string& target, std::optional<ThumbnailSource>* thumbnailSource) const
{
    const int rotation = photo.Rotation;
    if (rotation <= 0 && !photo.Mirrored) {
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
        copyUpright(path, target);
        return;
    }
    // Only a JPEG's EXIF asks for mirroring; PNG and GIF are turned in their own format.
    if (!photo.Mirrored && hasExtension(path, ".png")) {
        GeneratedFile::write(target, [&](const std::string& writePath) {
            writeTurnedPng(path, writePath, rotation);
            keepPublishedMetadata(writePath, m_publishedMetadata);
        });
        return;
    }
    if (!photo.Mirrored && hasExtension(path, ".gif")) {
        GeneratedFile::write(target, [&](const std::string& writePath) {
            writeTurnedGif(path, writePath, rotation);
            keepPublishedMetadata(writePath, m_publishedMetadata);
        });
        return;
    }
    Bitmap picture = readJpeg(path);
    if (thumbnailSource && !converted)
        *thumbnailSource = makeThumbnailSource(picture);
    orientBitmap(picture, rotation, photo.Mirrored);
    writeRendered(picture, target, photo.SourcePath);
}

} // namespace pictaven
