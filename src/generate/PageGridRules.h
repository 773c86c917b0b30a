#pragma once

#include "generate/PageGrid.h"

#include <cstdint>

namespace pictaven {

struct AlbumSettings;

// How the page grid follows from the settings for each album kind. Sums and products that leave
// the 32-bit range (settings read from a file are taken as they are) are clamped, never wrapped.

// The label height that the row pitch counts: LabelHeight with Label on, else 0.
int effectiveLabelHeight(const AlbumSettings& settings);

// Thumbnails per index page, without overflow.
std::int64_t pageSizeOf(const PageGrid& grid);

// A basic album: exactly RowsPerPage rows of ThumbnailsPerRow cells, origin (10, 50).
PageGrid basicPageGrid(const AlbumSettings& settings);

// A graphical album on a background picture of the given size. First fits the thumbnail size to
// the picture and stores it in settings.ThumbWidth and settings.ThumbHeight, then counts the rows
// and columns that fit between the borders. The borders Left, Top, Right and Bottom are number
// texts; one that is not a number throws ConversionError. Requires ThumbnailsPerRow and
// RowsPerPage of at least 1 (std::invalid_argument otherwise). A thumbnail size or pitch below
// 1 gives a grid of 0 rows and 0 columns: nothing fits.
PageGrid graphicalPageGrid(AlbumSettings& settings, int pictureWidth, int pictureHeight);

} // namespace pictaven
