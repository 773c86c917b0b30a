#pragma once

#include <cstdint>

namespace pictaven {

// Colours of the settings (B * 65536 + G * 256 + R) held to a contrast that people with low
// vision can read, by the contrast ratio of the web's accessibility guidelines (1 to 21).
class ReadableColour {
public:
    // The relative luminance, 0 (black) to 1 (white).
    static double luminance(std::int32_t colour);
    // (lighter + 0.05) / (darker + 0.05).
    static double contrast(std::int32_t first, std::int32_t second);
    // `colour` when its contrast with `background` is at least `minimum`, else black or white,
    // whichever contrasts more.
    static std::int32_t on(std::int32_t background, std::int32_t colour, double minimum = 4.5);
};

} // namespace pictaven
