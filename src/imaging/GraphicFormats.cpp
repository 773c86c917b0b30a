#include "imaging/GraphicFormats.h"

#include "ini/AsciiCase.h"

namespace pictaven {

std::string createFileMask(const std::array<bool, GraphicFormatCount>& enabled)
{
    // "EMF" offers only *.emf, although its box names WMF as well.
    static constexpr std::array<const char*, GraphicFormatCount> Fragments = {
        "*.jpg;*.jpeg;", "*.gif;", "*.png;", "*.bmp;*.dib;*.rle;", "*.pcx;",
        "*.tif;", "*.psp;", "*.tga;", "*.emf;", "*.psd;*.pdd;",
        "*.pbm;*.pgm;*.ppm;", "*.pic;*.cel;", "*.cut;",
    };
    std::string mask;
    for (std::size_t i = 0; i < GraphicFormatCount; ++i)
        if (enabled[i])
            mask += Fragments[i];
    return mask;
}

bool isWebFormat(const std::string& path)
{
    const std::string lower = asciiLower(path);
    return lower.find(".jp") != std::string::npos || lower.find(".png") != std::string::npos ||
           lower.find(".gif") != std::string::npos;
}

} // namespace pictaven
