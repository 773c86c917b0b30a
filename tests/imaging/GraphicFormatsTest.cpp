#include "imaging/GraphicFormats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using pictaven::isWebFormat;

TEST(GraphicFormats, WebFormatIsASubstringTestOnTheWholeLowerCasedPath)
{
    const std::vector<std::pair<std::string, bool>> cases = {
        {"/photos/beach.jpg", true},
        {"/photos/BEACH.JPEG", true},
        {"/photos/logo.Png", true},
        {"/photos/anim.GIF", true},
        {"/photos/scan.TIF", false},
        {"/photos/scan.bmp", false},
        {"/my.jpgs/scan.bmp", true},   // the folder name counts
        {"/a.gifts/scan.pcx", true},
        {"/photos/scan.jp2", true},
        {"/photos/jpg", false},        // no dot before the letters
        {"/fotos/größe.pNg", true},
        {"", false},
    };
    for (const auto& [path, web] : cases)
        EXPECT_EQ(isWebFormat(path), web) << path;
}
