#pragma once

#include "imaging/Bitmap.h"

#include <memory>
#include <string>

namespace pictaven {

struct AlbumSettings;
struct FileStorage;
struct PageGrid;
class TextRenderer;
struct ThumbnailCell;

// The album picture of one index page of a picture album: the template's background picture
// with every thumbnail, its label box and its frame drawn onto it, saved as a JPEG file when
// the page is complete. Keeps a reference to the settings, which must outlive it.
class AlbumPicture {
public:
    // Copies the background; with EnableBgColor on, recolours with BgColor the pure white areas
    // that hold (maxX div 4, maxY div 2) and (trunc(maxX * 0.75), maxY div 2).
    AlbumPicture(const Bitmap& background, const AlbumSettings& settings, const PageGrid& grid);
    ~AlbumPicture();
    AlbumPicture(const AlbumPicture&) = delete;
    AlbumPicture& operator=(const AlbumPicture&) = delete;

    // The label box straight above the cell at (x, y): LabelHeight pixels of LabelBgColor from
    // x - 1 to x + ThumbWidth, with the photo's Caption (unless empty or "0", else its file name
    // in lower case) in Arial at LabelFontSize points, LabelTextColor, centred when it fits.
    // Throws std::runtime_error when no font can be loaded.
    void drawLabel(const FileStorage& photo, int x, int y);

    // Draws a finished thumbnail at the cell's corner (x - 1, y - 1) when Backdrop and
    // AspectRatio are both on, else at the thumbnail rectangle's corner; then, with Border on,
    // a one-pixel frame of ThumbBorderColor along the cell rectangle.
    void drawThumbnail(const Bitmap& thumbnail, const ThumbnailCell& cell, int x, int y);

    const Bitmap& bitmap() const { return m_picture; }

    // Replaces the file at `path` with the picture as a JPEG of the given quality, as a
    // generated file (GeneratedFile). Throws std::runtime_error naming the file when it cannot be
    // written.
    void save(const std::string& path, int quality) const;

private:
    const AlbumSettings& m_settings;
    Bitmap m_picture;
    std::unique_ptr<TextRenderer> m_labelFont; // made at the first label
};

} // namespace pictaven
