#include "imaging/JpegQuality.h"

#include <algorithm>

namespace pictaven {

int jpegQuality(JpegOutput output, const JpegQualitySettings& settings)
{
    int quality = ThumbnailJpegQuality;
    switch (output) {
    case JpegOutput::RenderedPhoto:
        quality = settings.compressionRatio;
        break;
    case JpegOutput::Thumbnail:
        break;
    case JpegOutput::AlbumPicture:
        quality = settings.compression1;
        break;
    case JpegOutput::ConvertedPhoto:
        quality = settings.compression2;
        break;
    }
    return std::clamp(quality, 0, 100);
}

} // namespace pictaven
