#pragma once

#include <string>

namespace pictaven {

// A path counts as a web format when its text, lower-cased, contains ".jp", ".png" or ".gif"
// anywhere: a plain substring test on the whole path, so "/my.jpgs/scan.bmp" counts too.
bool isWebFormat(const std::string& path);

} // namespace pictaven
