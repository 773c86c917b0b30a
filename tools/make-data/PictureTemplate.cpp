#include "PictureTemplate.h"

#include "decoders/BmpWriter.h"
#include "imaging/Colour.h"
#include "settings/ConfigFile.h"

#include <filesystem>

namespace pictaven::makedata {

std::int32_t settingsColour(int red, int green, int blue)
{
    return static_cast<std::int32_t>(
        Colour{static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green), static_cast<std::uint8_t>(red)}
            .toSettings());
}

AlbumSettings layoutSettings(const TemplateLayout& layout)
{
    const TemplateGrid grid = gridOf(layout);
    AlbumSettings settings;
    settings.Left = std::to_string(layout.left);
    settings.Right = std::to_string(layout.right);
    settings.Top = std::to_string(layout.top);
    settings.Bottom = std::to_string(layout.bottom);
    settings.SpacingCols = layout.spacingCols;
    settings.SpacingRows = layout.spacingRows;
    settings.ThumbnailsPerRow = layout.columns;
    settings.RowsPerPage = layout.rows;
    settings.Label = layout.labelHeight > 0;
    if (settings.Label)
        settings.LabelHeight = layout.labelHeight;
    settings.ThumbWidth = grid.thumbWidth;
    settings.ThumbHeight = grid.thumbHeight;
    return settings;
}

std::vector<std::string> writePictureTemplate(const PictureTemplate& pictureTemplate, const std::string& folder)
{
    const std::string base = "ALBUMS/" + pictureTemplate.name;
    writeBmp(pictureTemplate.picture, folder + base + ".bmp");
    // The settings writer keeps what a file already holds, so both files start from nothing.
    for (const char* extension : {".CFG", ".DEF"}) {
        std::filesystem::remove(folder + base + extension);
        writeConfigFile(folder + base + extension, pictureTemplate.settings);
    }
    return {base + ".bmp", base + ".CFG", base + ".DEF"};
}

} // namespace pictaven::makedata
