#pragma once

#include "generate/AlbumJob.h"
#include "generate/PhotoRenderer.h"
#include "generate/ResponsiveAlbum.h"
#include "generate/ThumbnailRenderer.h"
#include "imaging/ImageSize.h"

#include <memory>
#include <string>
#include <vector>

namespace pictaven {

// Renders the extra pictures of a responsive album's photo, after its web copy: the narrower
// sizes of the ladder (ResponsiveAlbum::ladderBelow the web copy's width) and the thumbnails
// at 1x and 2x, never larger than the photo. Every one goes through PhotoRenderer with the
// album's settings but for the size: the same decoding, conversion, turn, mirror, soft edge,
// watermark, quality and metadata choice as the web copy, resampled rather than stretched so
// that small sizes stay sharp. Thumbnails leave out soft edge, watermark and metadata, as
// the classic thumbnails do; a PNG or GIF photo, which the renderer only copies, gets its
// thumbnails from ThumbnailRenderer. No 2x thumbnail is kept for a photo too small for one.
//
// Built once per generation; render is const and may run on several threads for different
// photos, like PhotoRenderer::renderPhoto.
class ResponsiveSizeRenderer {
public:
    // Reads what the renderers need once (see PhotoRenderer). Throws nothing.
    explicit ResponsiveSizeRenderer(const AlbumJob& job);

    // `photoName` is the photo's name in the album (OutputNames::distinctPhotoNames); its web
    // copy must be in the output folder. Sizes already there, and thumbnails of the height
    // they should have, are kept unless `renderAgain`. Gives an empty text when all went well,
    // else why not.
    // Never throws.
    std::string render(const FileStorage& photo, const std::string& photoName, bool renderAgain) const;
    // The thumbnails of a video, from its poster frame with the play mark, no larger than the
    // published video (`published`, its size as shown). Like render otherwise.
    std::string renderVideoThumbnails(const FileStorage& video, const std::string& videoName, ImageSize published,
                                      bool renderAgain) const;

private:
    // A renderer whose settings resize every photo into `width` x `height`.
    std::unique_ptr<PhotoRenderer> boxRenderer(const AlbumJob& job, int width, int height, bool plain) const;
    void renderSizes(const FileStorage& photo, const std::string& photoName, bool renderAgain) const;
    void renderThumbnails(const FileStorage& photo, const std::string& photoName, ImageSize published,
                          bool renderAgain) const;
    void writeThumbnail(const FileStorage& photo, const std::string& fileName, int height) const;

    std::string m_outputFolder;
    OutputNames m_names;
    ResponsiveAlbum m_album;
    AlbumJob m_job;                                              // the album's settings and folders, without its photos
    std::vector<std::unique_ptr<PhotoRenderer>> m_sizeRenderers; // one per ladder width, in order
    ThumbnailRenderer m_thumbnails;
};

} // namespace pictaven
