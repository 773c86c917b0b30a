#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace pictaven {

// The graphic formats the step 1 folder pane can offer, in file-mask order: JPG, GIF, PNG, BMP,
// PCX, TIF, PSP, TGA, EMF, PSD, PBM, PIC, CUT. The first three are the web formats.
inline constexpr std::size_t GraphicFormatCount = 13;

// The folder pane's file mask: the fragments of the formats switched on, in mask order, e.g.
// "*.jpg;*.jpeg;*.bmp;*.dib;*.rle;". Empty when none is on; otherwise it ends with ";".
std::string createFileMask(const std::array<bool, GraphicFormatCount>& enabled);

// A path counts as a web format when its text, lower-cased, contains ".jp", ".png" or ".gif"
// anywhere: a plain substring test on the whole path, so "/my.jpgs/scan.bmp" counts too.
bool isWebFormat(const std::string& path);

} // namespace pictaven
