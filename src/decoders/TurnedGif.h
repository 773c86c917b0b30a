#pragma once

#include <string>

namespace pictaven {

// A turned copy of a GIF photo in its own format, so that pages linking to the photo's own name
// keep working. rotation: 1 a quarter turn left, 2 right, 3 a half turn. Written through giflib:
// every frame is turned with its place on the screen, keeping palettes, transparency and
// timing. The target is created or replaced; on failure nothing is left at the target path and
// std::runtime_error names the file (unreadable or damaged source, unwritable target, another
// rotation value).
void writeTurnedGif(const std::string& source, const std::string& target, int rotation);

} // namespace pictaven
