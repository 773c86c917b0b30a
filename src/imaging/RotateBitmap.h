#pragma once

#include "imaging/Bitmap.h"

namespace pictaven {

// The turns write the turned picture of `source` (24 or 32 bits; not changed) into
// `destination`, which becomes a 32-bit bitmap of the turned size. Only the three colour bytes
// are written: when destination already is 32-bit and of that size its fourth bytes stay,
// otherwise it is made anew with fourth bytes 0. source and destination may be one bitmap.

// A quarter turn counter-clockwise: H wide, W high.
void rotateLeft90(const Bitmap& source, Bitmap& destination);
// A quarter turn clockwise: H wide, W high.
void rotateRight90(const Bitmap& source, Bitmap& destination);
// A half turn: W wide, H high.
void rotate180(const Bitmap& source, Bitmap& destination);

// A photo's Rotation: 1 left, 2 right, 3 half turn; any other value leaves destination as it is.
void rotateBitmap(const Bitmap& source, Bitmap& destination, int rotation);

// Mirrors `picture` left to right in place, as photos taken with a front camera are stored.
void mirrorBitmap(Bitmap& picture);

// A photo's turn followed by its mirroring: what it takes to show it upright.
void orientBitmap(Bitmap& picture, int rotation, bool mirrored);

} // namespace pictaven
