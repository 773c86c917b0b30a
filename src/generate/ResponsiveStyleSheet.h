#pragma once

#include "generate/ResponsivePhoto.h"

#include <string>
#include <vector>

namespace pictaven {

struct AlbumSettings;

// The style sheet of a responsive album (ResponsiveAlbum::styleSheetFileName): what the
// settings choose, then the template's own rules. The settings' colours (WebBgColor for the
// page, AlbumTitleColor for its text, LinkColor for links and the focus ring, each held to
// a readable contrast) make the look of the colour scheme they suit, light or dark; the other
// scheme gets the template's look. FontFamily leads the font list; TitleFontSize (points) is
// the largest the album title grows to.
class ResponsiveStyleSheet {
public:
    // The class of a thumbnail's list item, which gives it its share of the row: "a" and the
    // aspect ratio in thousandths, e.g. "a1333" for 4:3.
    static std::string aspectClass(int width, int height);

    // The whole style sheet: the settings' part, a rule for each aspect class that `photos`'
    // thumbnails use, then `templateRules` as they stand.
    static std::string text(const AlbumSettings& settings, const std::vector<ResponsivePhoto>& photos,
                            const std::string& templateRules);
};

} // namespace pictaven
