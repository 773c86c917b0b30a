#pragma once

#include "TemplateGrid.h"
#include "imaging/Bitmap.h"
#include "settings/AlbumSettings.h"

#include <string>
#include <vector>

namespace pictaven::makedata {

// One picture template as shipped: ALBUMS/<name>.bmp with <name>.CFG and its factory copy.
struct PictureTemplate {
    std::string name;
    Bitmap picture;
    AlbumSettings settings;
};

// The settings colour form (red in the low byte) of an 8-bit colour.
std::int32_t settingsColour(int red, int green, int blue);

// Settings at their defaults with the layout's grid keys filled in: the border offsets,
// spacings, thumbnails per row, rows per page, label on exactly when it has a height, and
// the thumbnail size that the grid gives.
AlbumSettings layoutSettings(const TemplateLayout& layout);

// An open photo album: two white pages (which the template background colour recolours)
// on a leather cover with gold corners.
PictureTemplate drawAlbumTemplate();
// Two strips of film on a light table (the light table takes the template background colour).
PictureTemplate drawFilmstripTemplate();
// Cards pinned to a cork board in a wooden frame.
PictureTemplate drawCorkboardTemplate();
// Six pictures in gilt frames with mats, hung on a gallery wall under spotlights.
PictureTemplate drawGalleryTemplate();
// A browser window and a phone showing rows of photos: the responsive album.
PictureTemplate drawResponsiveTemplate();

// Writes ALBUMS/<name>.bmp, .CFG and .DEF below `folder` (ending in "/"), each from nothing.
// Returns the paths written, relative to `folder`.
std::vector<std::string> writePictureTemplate(const PictureTemplate& pictureTemplate, const std::string& folder);

} // namespace pictaven::makedata
