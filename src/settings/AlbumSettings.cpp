#include "settings/AlbumSettings.h"

namespace pictaven {

AlbumSettings AlbumSettings::defaults(const std::string& programFolder)
{
    AlbumSettings settings;
    settings.OutputFolder = programFolder + "Projects";
    return settings;
}

AlbumSettings AlbumSettings::startUpValues(const std::string& programFolder)
{
    AlbumSettings settings = defaults(programFolder);
    settings.DeleteFolder = true;
    settings.HomeButtonFrame = "_self";
    settings.StyleSheetURL.clear();
    settings.GenerateMetaData = false;
    settings.StyleTheme = -1;
    return settings;
}

} // namespace pictaven
