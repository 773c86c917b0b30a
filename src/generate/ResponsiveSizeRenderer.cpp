#include "generate/ResponsiveSizeRenderer.h"

#include "decoders/PictureLoader.h"
#include "generate/GeneratedFile.h"
#include "imaging/JpegCodec.h"
#include "imaging/JpegQuality.h"
#include "ini/FilePaths.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>

namespace pictaven {

namespace {

namespace fs = std::filesystem;

// The job as the extra pictures see it: the album's settings and folders, no photos.
AlbumJob withoutPhotos(const AlbumJob& job)
{
    AlbumJob copy = job;
    copy.photos.clear();
    return copy;
}

// Thumbnails are drawn whole, without the frame of a classic cell.
AlbumJob thumbnailJob(const AlbumJob& job)
{
    AlbumJob copy = withoutPhotos(job);
    copy.settings.AspectRatio = true;
    copy.settings.Buttonize = false;
    return copy;
}

} // namespace

ResponsiveSizeRenderer::ResponsiveSizeRenderer(const AlbumJob& job)
    : m_outputFolder(job.outputFolder)
    , m_names(job.settings)
    , m_album(m_names)
    , m_job(withoutPhotos(job))
    , m_thumbnails(thumbnailJob(job), GenerationEvents{})
{
    for (const int width : ResponsiveAlbum::ladderWidths)
        m_sizeRenderers.push_back(boxRenderer(m_job, width, Bitmap::MaxSide, false));
}

std::unique_ptr<PhotoRenderer> ResponsiveSizeRenderer::boxRenderer(const AlbumJob& job, int width, int height,
                                                                   bool plain) const
{
    AlbumJob sized = job;
    AlbumSettings& s = sized.settings;
    s.ResizeImageType = 1;
    s.NewPhotoWidth = std::to_string(width);
    s.NewPhotoHeight = std::to_string(height);
    // Small sizes stretched pixel by pixel would shimmer; the album's Resample choice is for its
    // web copies.
    s.Resample = true;
    if (plain) {
        s.SoftEdge = false;
        s.WatermarkType = 0;
        sized.publishedMetadata = PublishedMetadata::None;
    }
    // Failures are reported by the caller, once for the photo.
    return std::make_unique<PhotoRenderer>(sized, job.compression2, nullptr);
}

std::string ResponsiveSizeRenderer::render(const FileStorage& photo, const std::string& photoName,
                                           bool renderAgain) const
{
    try {
        renderSizes(photo, photoName, renderAgain);
        renderThumbnails(photo, photoName, readPictureSize(m_outputFolder + m_names.webFileName(photoName)),
                         renderAgain);
        return {};
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "unknown failure";
    }
}

std::string ResponsiveSizeRenderer::renderVideoThumbnails(const FileStorage& video, const std::string& videoName,
                                                          ImageSize published, bool renderAgain) const
{
    try {
        renderThumbnails(video, videoName, published, renderAgain);
        return {};
    } catch (const std::exception& error) {
        return error.what();
    }
}

void ResponsiveSizeRenderer::renderSizes(const FileStorage& photo, const std::string& photoName, bool renderAgain) const
{
    if (!ResponsiveAlbum::hasSizeLadder(photo))
        return;
    const ImageSize published = readPictureSize(m_outputFolder + m_names.webFileName(photoName));
    const std::vector<int> widths = ResponsiveAlbum::ladderBelow(published.width);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const std::string name = m_album.sizeFileName(photoName, widths[i]);
        if (!renderAgain && isFile(m_outputFolder + name))
            continue;
        // The renderer may record a converted copy in the photo; that copy is this size.
        FileStorage copy = photo;
        if (const std::string failure = m_sizeRenderers[i]->renderPhoto(copy, name); !failure.empty())
            throw std::runtime_error(name + ": " + failure);
    }
}

void ResponsiveSizeRenderer::renderThumbnails(const FileStorage& photo, const std::string& photoName,
                                              ImageSize published, bool renderAgain) const
{
    if (published.width <= 0 || published.height <= 0)
        throw std::runtime_error("the photo has no pixels");
    // A thumbnail of another height is not this album's: a classic album's of the same name, or
    // one of an earlier photo of this name.
    auto current = [&](const std::string& name, int height) {
        if (renderAgain)
            return false;
        try {
            return std::abs(readPictureSize(m_outputFolder + name).height - height) <= 1;
        } catch (const std::exception&) {
            return false;
        }
    };
    const int height = std::min(ResponsiveAlbum::thumbnailHeight, published.height);
    if (const std::string small = m_names.thumbnailFileName(photoName); !current(small, height))
        writeThumbnail(photo, small, height);
    const std::string large = m_album.largeThumbnailFileName(photoName);
    const int largeHeight = std::min(2 * ResponsiveAlbum::thumbnailHeight, published.height);
    if (largeHeight > height) {
        if (!current(large, largeHeight))
            writeThumbnail(photo, large, largeHeight);
    } else {
        // One of an earlier, larger photo of this name would be offered for this one.
        std::error_code ignored;
        fs::remove(m_outputFolder + large, ignored);
    }
}

void ResponsiveSizeRenderer::writeThumbnail(const FileStorage& photo, const std::string& fileName, int height) const
{
    if (ResponsiveAlbum::hasSizeLadder(photo)) {
        FileStorage copy = photo;
        const std::unique_ptr<PhotoRenderer> renderer = boxRenderer(m_job, Bitmap::MaxSide, height, true);
        if (const std::string failure = renderer->renderPhoto(copy, fileName); !failure.empty())
            throw std::runtime_error(fileName + ": " + failure);
        return;
    }
    bool rerender = false;
    const std::optional<ThumbnailSource> source = m_thumbnails.loadThumbnailSource(photo, rerender);
    if (!source || source->width <= 0 || source->height <= 0)
        throw std::runtime_error(fileName + ": the photo could not be read for its thumbnail");
    // The thumbnail takes the turned shape of the photo.
    const bool quarter = photo.Rotation == 1 || photo.Rotation == 2;
    const int shownWidth = quarter ? source->height : source->width;
    const int shownHeight = quarter ? source->width : source->height;
    const int width =
        std::max(1, static_cast<int>(std::lround(static_cast<double>(shownWidth) * height / shownHeight)));
    const Bitmap thumbnail = m_thumbnails.makeThumbnailBitmap(source->preShrunk, Rect{0, 0, width, height}, width,
                                                              height, photo.Rotation, photo.Mirrored);
    GeneratedFile::writeBytes(m_outputFolder + fileName, encodeJpeg(thumbnail, ThumbnailJpegQuality));
}

} // namespace pictaven
