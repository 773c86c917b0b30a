#pragma once

#include <string>
#include <vector>

namespace pictaven {

// What step 1 says about the pictures of its folder that the graphic formats keep out of the
// list, so that photos never vanish without a word: "3 files hidden: HEIC, WebP — Settings ›
// Select Graphic Formats". The kinds come in the order of the formats table, each named by its
// format's name when that is the extension (WebP), else by the extension in capitals (HEIC for a
// HEIF file named .heic). Empty when `hiddenNames` is.
std::string hiddenFilesNote(const std::vector<std::string>& hiddenNames);

} // namespace pictaven
