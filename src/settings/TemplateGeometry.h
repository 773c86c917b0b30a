#pragma once

#include "settings/AlbumSettings.h"

#include <cstdint>
#include <string>

namespace pictaven {

// Fits the thumbnail grid of a picture template to its background picture of `width` x
// `height` pixels: ThumbnailsPerRow := (width - left - right) / (ThumbWidth + SpacingCols) and
// RowsPerPage := (height - top - bottom) / (ThumbHeight + SpacingRows), divisions that drop the
// fraction, with the offsets from settings.CatalogOffsets.
//
// Throws std::runtime_error naming `picturePath` when a divisor is 0 or a result does not fit
// a 32-bit integer; the settings are then unchanged.
void fitTemplateGeometry(std::int32_t width, std::int32_t height, const std::string& picturePath,
                         AlbumSettings& settings);

} // namespace pictaven
