#pragma once

namespace pictaven {

// The pictures the program writes as JPEG; each kind takes its quality from its own place.
enum class JpegOutput {
    RenderedPhoto,  // album photos: the album's CompressionRatio
    Thumbnail,      // thumbnail files: always ThumbnailJpegQuality
    AlbumPicture,   // composed pictures of graphical albums: the global Compression1
    ConvertedPhoto, // photos converted from a format browsers cannot show: the global Compression2
};

inline constexpr int ThumbnailJpegQuality = 80;

// The quality settings as stored; values outside 0 to 100 are held to that range.
struct JpegQualitySettings {
    int compressionRatio = 0;
    int compression1 = 0;
    int compression2 = 0;
};

// The quality (0 to 100) to encode `output` with.
int jpegQuality(JpegOutput output, const JpegQualitySettings& settings);

} // namespace pictaven
