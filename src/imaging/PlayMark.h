#pragma once

namespace pictaven {

class Bitmap;

// Draws the mark that tells a video's thumbnail from a photo's: a dark, half-transparent disc
// with a white triangle pointing right, in the middle of the picture, its diameter nearly half of
// the picture's shorter side (at least 9 pixels, never wider than the picture). Edges are
// smoothed. A picture of 24 or 32 bits; the fourth byte is left as it is.
void drawPlayMark(Bitmap& picture);

} // namespace pictaven
