#include "settings/TemplateGeometry.h"

#include <limits>
#include <stdexcept>

namespace pictaven {

namespace {

// 64-bit sums, so that no offset or size read from a file can overflow on the way.
std::int32_t fit(std::int64_t space, std::int64_t step, const char* what, const std::string& picturePath)
{
    if (step == 0)
        throw std::runtime_error("Cannot lay out the thumbnails on " + picturePath + ": the thumbnail " + what
                                 + " plus the spacing is 0");
    const std::int64_t count = space / step;
    if (count < std::numeric_limits<std::int32_t>::min() || count > std::numeric_limits<std::int32_t>::max())
        throw std::runtime_error("Cannot lay out the thumbnails on " + picturePath
                                 + ": the border offsets and thumbnail sizes give no usable grid");
    return static_cast<std::int32_t>(count);
}

} // namespace

void fitTemplateGeometry(std::int32_t width, std::int32_t height, const std::string& picturePath,
                         AlbumSettings& settings)
{
    const BorderOffsets& offsets = settings.CatalogOffsets;
    const std::int32_t perRow = fit(std::int64_t{width} - offsets.Left - offsets.Right,
                                    std::int64_t{settings.ThumbWidth} + settings.SpacingCols, "width", picturePath);
    const std::int32_t rows = fit(std::int64_t{height} - offsets.Top - offsets.Bottom,
                                  std::int64_t{settings.ThumbHeight} + settings.SpacingRows, "height", picturePath);
    settings.ThumbnailsPerRow = perRow;
    settings.RowsPerPage = rows;
}

} // namespace pictaven
