#pragma once

#include <string>

namespace pictaven {

// A turned copy of a PNG photo in its own format, so that pages linking to the photo's own name
// keep working. rotation: 1 a quarter turn left, 2 right, 3 a half turn. Written through libpng
// at 8 bits a channel, keeping grey or colour and transparency. The target is created or
// replaced; on failure nothing is left at the target path and std::runtime_error names the file
// (unreadable or damaged source, unwritable target, another rotation value).
void writeTurnedPng(const std::string& source, const std::string& target, int rotation);

} // namespace pictaven
