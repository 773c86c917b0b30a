#include "imaging/GraphicFormats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using pictaven::createFileMask;
using pictaven::GraphicFormatCount;
using pictaven::isWebFormat;

namespace {

enum Format { Jpg, Gif, Png, Bmp, Pcx, Tif, Psp, Tga, Emf, Psd, Pbm, Pic, Cut };

std::array<bool, GraphicFormatCount> only(const std::vector<Format>& formats)
{
    std::array<bool, GraphicFormatCount> enabled{};
    for (Format f : formats)
        enabled[f] = true;
    return enabled;
}

} // namespace

TEST(GraphicFormats, FileMaskJoinsTheFragmentsOfTheFormatsSwitchedOnInTableOrder)
{
    struct Case {
        std::vector<Format> formats;
        std::string mask;
    };
    const std::vector<Case> cases = {
        {{}, ""},
        {{Jpg, Gif, Png}, "*.jpg;*.jpeg;*.gif;*.png;"},
        {{Psd, Bmp, Jpg}, "*.jpg;*.jpeg;*.bmp;*.dib;*.rle;*.psd;*.pdd;"},
        {{Emf}, "*.emf;"},
        {{Cut, Pic, Pbm, Tga, Psp, Tif, Pcx},
         "*.pcx;*.tif;*.psp;*.tga;*.pbm;*.pgm;*.ppm;*.pic;*.cel;*.cut;"},
        {{Jpg, Gif, Png, Bmp, Pcx, Tif, Psp, Tga, Emf, Psd, Pbm, Pic, Cut},
         "*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.dib;*.rle;*.pcx;*.tif;*.psp;*.tga;*.emf;*.psd;*.pdd;"
         "*.pbm;*.pgm;*.ppm;*.pic;*.cel;*.cut;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(createFileMask(only(c.formats)), c.mask);
}

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
