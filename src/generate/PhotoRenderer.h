#pragma once

#include "catalog/FileStorage.h"
#include "generate/AlbumJob.h"
#include "generate/OutputNames.h"
#include "imaging/Bitmap.h"
#include "imaging/ThumbnailBitmap.h"

#include <functional>
#include <optional>
#include <string>

namespace pictaven {

// Makes the web copy of album photos in the output folder: converts a photo browsers cannot
// show to JPEG, then scales, softens the edge, turns and watermarks it and writes it as JPEG at
// the album's CompressionRatio; with no such option set the photo is copied (or only turned).
//
// Built once per generation from the job; afterwards renderPhoto is const and keeps no state
// between calls, so the driver may call it for different photos on several threads at once and
// every file comes out byte for byte as in a one-thread run. Two photos whose output names are
// equal must not be rendered at the same time (the later one wins, as in album order).
class PhotoRenderer {
public:
    // Copies what it needs from `job` (settings, program and output folders). mask.jpg and
    // the watermark picture are read here once when the settings use them; a missing or damaged
    // one makes every render that needs it fail silently (mask) or draw no watermark (picture).
    // `convertQuality` is Compression2 (0 to 100) for photos converted to JPEG; `logMessage`
    // (error box and error.log line) receives only the conversion's own failure reports and may
    // be called from the rendering threads. Throws nothing.
    PhotoRenderer(const AlbumJob& job, int convertQuality, std::function<void(const std::string&)> logMessage);

    // Renders one photo (SourcePath, Rotation) to outputFolder + webFileName(photoName), where
    // photoName is the photo's name in the album (OutputNames::distinctPhotoNames), as a
    // generated file (GeneratedFile). A source that is not a web format is converted first to
    // that file, which sets the photo's WorkingPath and Converted. Gives an empty text when the
    // output file was written, else why it was not; a photo that fails has no output file
    // afterwards, so a later generation renders it again. Never throws.
    //
    // thumbnailSource: when given, and the photo's SourcePath is a JPEG by name that this call
    // can decode, receives the thumbnail source made from that one decode: the same pixels that
    // ThumbnailRenderer::loadThumbnailSource would give, so the page phase need not decode the
    // photo again (a photo that is only copied is decoded for it too). Left empty otherwise
    // (converted photos, PNG, GIF, failures): then load the thumbnail source as usual. The
    // pre-shrunk copy of a large photo takes up to about 1.5 MB; a caller keeping many should
    // keep the finished thumbnail bitmaps (ThumbnailRenderer::makeThumbnailBitmap) instead.
    std::string renderPhoto(FileStorage& photo, const std::string& photoName,
                            std::optional<ThumbnailSource>* thumbnailSource = nullptr) const;

    // A digest of everything but the source's content that shapes the file renderPhoto writes
    // for this photo: its source path and turn, and the settings and pictures the render uses.
    // Equal recipes and an unchanged source give the same bytes.
    std::string recipe(const FileStorage& photo, const std::string& photoName) const;
    // Leaves WorkingPath and Converted as renderPhoto leaves them, for a photo whose file is
    // kept from an earlier render.
    void markRendered(FileStorage& photo, const std::string& photoName) const;

    // ResizePercentage as a decimal number, blanks around it allowed. Throws std::runtime_error
    // "'<text>' is not a valid floating point value".
    static double resizePercentage(const std::string& text);
    // Why the resize settings cannot resize any photo (a width or height that is not a whole
    // number from 1 to Bitmap::MaxSide, a percentage that is not a number greater than 0), as a
    // sentence for the person; empty when they can.
    static std::string resizeProblem(const AlbumSettings& settings);

private:
    void process(const std::string& path, bool converted, const FileStorage& photo, const std::string& target,
                 std::optional<ThumbnailSource>* thumbnailSource) const;
    void copyOrTurn(const std::string& path, bool converted, const FileStorage& photo, const std::string& target,
                    std::optional<ThumbnailSource>* thumbnailSource) const;
    // A copy of the file as it is, but for an EXIF Orientation other than 1, which becomes 1, and
    // for the metadata that the album's choice leaves out.
    void copyUpright(const std::string& path, const std::string& target) const;
    // `metadataSource` is the photo whose metadata the output carries, as the album's choice keeps it.
    void writeRendered(const Bitmap& picture, const std::string& target, const std::string& metadataSource) const;
    void writeJpegFile(const Bitmap& picture, const std::string& target, int quality,
                       const std::string& metadataSource) const;
    static void removeOutput(const std::string& target);

    AlbumSettings m_settings;
    std::string m_outputFolder;
    OutputNames m_names;
    int m_convertQuality;
    MetadataChoice m_publishedMetadata;
    std::function<void(const std::string&)> m_logMessage;
    std::optional<Bitmap> m_maskPicture;      // mask.jpg when SoftEdge is on and it could be read
    std::optional<Bitmap> m_watermarkPicture; // WatermarkImage when WatermarkType is 2 and readable
    std::string m_sharedRecipe;               // the part of recipe() that is the same for every photo
};

} // namespace pictaven
