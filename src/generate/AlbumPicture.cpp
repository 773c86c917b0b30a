#include "generate/AlbumPicture.h"

#include "catalog/FileStorage.h"
#include "generate/GeneratedFile.h"
#include "generate/OutputNames.h"
#include "generate/PageGrid.h"
#include "generate/ThumbnailCell.h"
#include "imaging/BitmapDrawing.h"
#include "imaging/JpegCodec.h"
#include "imaging/TextRenderer.h"
#include "ini/AsciiCase.h"
#include "settings/AlbumSettings.h"

#include <cmath>

namespace pictaven {

AlbumPicture::AlbumPicture(const Bitmap& background, const AlbumSettings& settings, const PageGrid& grid)
    : m_settings(settings)
    , m_picture(background)
{
    if (settings.EnableBgColor) {
        const Colour white{255, 255, 255};
        const Colour fill = Colour::fromSettings(static_cast<std::uint32_t>(settings.BgColor));
        floodFill(m_picture, grid.maxX / 4, grid.maxY / 2, white, fill);
        floodFill(m_picture, static_cast<int>(std::trunc(grid.maxX * 0.75)), grid.maxY / 2, white, fill);
    }
}

AlbumPicture::~AlbumPicture() = default;

void AlbumPicture::drawLabel(const FileStorage& photo, int x, int y)
{
    const AlbumSettings& s = m_settings;
    const std::string text = !photo.Caption.empty() && photo.Caption != "0"
                                 ? photo.Caption
                                 : asciiLower(OutputNames::fileNamePart(photo.WorkingPath));
    if (!m_labelFont)
        m_labelFont = std::make_unique<TextRenderer>("Arial", s.LabelFontSize);
    Rect box{x - 1, y - s.LabelHeight, x + s.ThumbWidth, y};
    fillRect(m_picture, box, Colour::fromSettings(static_cast<std::uint32_t>(s.LabelBgColor)));
    ++box.top;
    --box.bottom;
    ++box.left;
    const int width = m_labelFont->textWidth(text);
    const int offset = width >= s.ThumbWidth ? 2 : s.ThumbWidth / 2 - width / 2;
    m_labelFont->drawText(m_picture, box.left + offset, box.top, text,
                          Colour::fromSettings(static_cast<std::uint32_t>(s.LabelTextColor)), box);
}

void AlbumPicture::drawThumbnail(const Bitmap& thumbnail, const ThumbnailCell& cell, int x, int y)
{
    if (m_settings.Backdrop && m_settings.AspectRatio)
        drawBitmap(m_picture, thumbnail, x - 1, y - 1);
    else
        drawBitmap(m_picture, thumbnail, cell.thumbnail.left, cell.thumbnail.top);
    if (m_settings.Border)
        frameRect(m_picture, cell.cell, Colour::fromSettings(static_cast<std::uint32_t>(m_settings.ThumbBorderColor)));
}

void AlbumPicture::save(const std::string& path, int quality) const
{
    GeneratedFile::writeBytes(path, encodeJpeg(m_picture, quality));
}

} // namespace pictaven
