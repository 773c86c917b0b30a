#pragma once

#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "imaging/StretchAndResample.h"
#include "imaging/ThumbnailBitmap.h"

#include <functional>
#include <optional>
#include <string>

namespace pictaven {

// A JPEG photo and what rendering needs of it, from one decode.
struct ResampledJpeg {
    ImageSize sourceSize;
    Bitmap picture; // 24-bit, of the chosen size
    std::optional<ThumbnailSource> thumbnailSource; // when asked for
};

// Decodes a JPEG file band by band and resamples it (Lanczos 3) to the size `chooseSize` gives
// for the picture's size, so that a large photo is never held whole; a chosen size equal to the
// picture's gives the picture itself, and 0 x 0 no picture. With `withThumbnailSource` the
// pre-shrunk thumbnail source comes from the same decode. The bytes are those of readJpeg
// followed by stretchAndResample(picture, lanczos3Filter, 3) and makeThumbnailSource. Throws
// like readJpeg (std::runtime_error naming the file, also for a size beyond the Bitmap
// limits); what chooseSize throws reaches the caller.
ResampledJpeg readJpegResampled(const std::string& path, const std::function<ImageSize(ImageSize)>& chooseSize,
                                bool withThumbnailSource, ResamplePath resamplePath = fastestResamplePath());

// The thumbnail source of a JPEG file, keeping only the pre-shrunk rows while decoding: the
// same as makeThumbnailSource(readJpeg(path)). Throws like readJpeg.
ThumbnailSource readJpegThumbnailSource(const std::string& path);

} // namespace pictaven
