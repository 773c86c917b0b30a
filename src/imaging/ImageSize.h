#pragma once

namespace pictaven {

// A picture's width and height in pixels.
struct ImageSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImageSize&) const = default;
};

} // namespace pictaven
