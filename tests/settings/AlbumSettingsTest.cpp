#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

TEST(AlbumSettingsTest, DefaultsPutTheOutputFolderBelowTheProgramFolder)
{
    const AlbumSettings settings = AlbumSettings::defaults("/home/me/.local/share/pictaven/");
    EXPECT_EQ(settings.OutputFolder, "/home/me/.local/share/pictaven/Projects");
    EXPECT_EQ(settings.StyleTheme, 0);
    EXPECT_TRUE(settings.GenerateMetaData);
    EXPECT_EQ(settings.LabelBgColor, 255 * 65536) << "blue lives in bits 16 to 23";
}

TEST(AlbumSettingsTest, StartUpValuesDifferInTheCatalogOnlyFieldsTheDialogPresets)
{
    const AlbumSettings settings = AlbumSettings::startUpValues("/p/");
    EXPECT_TRUE(settings.DeleteFolder);
    EXPECT_EQ(settings.HomeButtonFrame, "_self");
    EXPECT_EQ(settings.StyleSheetURL, "");
    EXPECT_FALSE(settings.GenerateMetaData);
    EXPECT_EQ(settings.StyleTheme, -1);
    EXPECT_EQ(settings.OutputFolder, "/p/Projects");
}

} // namespace
} // namespace pictaven
