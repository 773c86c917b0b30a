#pragma once

#include "catalog/FileStorage.h"
#include "generate/AlbumJob.h"
#include "generate/GenerationEvents.h"
#include "generate/OutputNames.h"
#include "imaging/Bitmap.h"
#include "imaging/Rect.h"
#include "imaging/ThumbnailBitmap.h"
#include "imaging/ThumbnailComposition.h"

#include <optional>
#include <string>

namespace pictaven {

// The thumbnails of the index pages: loading a photo for its thumbnail, scaling it into the
// thumbnail rectangle and composing it with backdrop, border and shadow; a basic album's
// thumbnail is written as its own JPEG file. Built once per page phase from the job; the
// methods keep no state and may be called from several threads at once.
class ThumbnailRenderer {
public:
    // Copies the settings, output folder, album kind and index-page texture from the job.
    // `events.logMessage` receives the loading failures. Throws nothing.
    ThumbnailRenderer(const AlbumJob& job, GenerationEvents events);

    // LoadThumbnailSource: reads the photo's SourcePath (a video's poster frame with the play
    // mark drawn on it (drawPlayMark), else the JPEG decoder when the name holds ".jp",
    // else the GIF decoder when WorkingPath holds ".gif", else the general picture loader) and
    // pre-shrinks it. On failure reports one message through logMessage and gives nullopt; when
    // the failure is a missing file it also sets `rerenderPhotos`. A picture 0 pixels wide or
    // high gives a source of that size (no thumbnail). Throws nothing.
    std::optional<ThumbnailSource> loadThumbnailSource(const FileStorage& photo, bool& rerenderPhotos) const;

    // MakeThumbnailBitmap: `thumbnailRect` is the page's thumbnail rectangle and fittedWidth x
    // fittedHeight the fitted size it was made from (both as the page lays them out, exchanged for
    // quarter turns); rotation is the photo's Rotation. Throws std::length_error for sizes beyond
    // the Bitmap limits.
    Bitmap makeThumbnailBitmap(const Bitmap& preShrunk, const Rect& thumbnailRect, int fittedWidth, int fittedHeight,
                               int rotation, bool mirrored) const;

    // DrawThumbnail: composes the thumbnail in place. Basic album: albumPicture nullptr, left =
    // top = 0, and the result is also written to outputFolder + thumbnailFileName(photoName)
    // at quality 80, as a generated file (GeneratedFile), where photoName is the photo's name in
    // the album (OutputNames::distinctPhotoNames; of a path only the file name counts).
    // Graphical album: albumPicture is the page's album picture (not
    // changed; the caller draws the result onto it), (left, top) the thumbnail rectangle's
    // corner. `cell` is the page's cell rectangle. Throws std::runtime_error (naming the file)
    // when the thumbnail file cannot be written.
    void drawThumbnail(const Bitmap* albumPicture, int left, int top, Bitmap& thumbnail, const std::string& photoName,
                       const Rect& cell) const;

    // A digest of everything but the source's content that shapes the thumbnail file of this
    // photo (basic albums): how its source is read, its turn, and the thumbnail settings.
    std::string recipe(const FileStorage& photo) const;

    // Where drawThumbnail writes a basic album's thumbnail of that photo.
    std::string thumbnailPath(const std::string& photoName) const;

private:
    AlbumSettings m_settings;
    std::string m_outputFolder;
    OutputNames m_names;
    bool m_basicAlbum;
    ThumbnailStyle m_style;
    GenerationEvents m_events;
};

} // namespace pictaven
