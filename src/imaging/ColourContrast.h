#pragma once

#include "imaging/Colour.h"

namespace pictaven {

// The contrast ratio of two colours as web accessibility measures it, (L1 + 0.05) / (L2 + 0.05)
// of their relative luminances, the lighter first: 1 for equal colours, 21 for black on white.
double contrastRatio(Colour first, Colour second);

// Black or white, whichever stands out more behind text of colour `text`; the ratio is then at
// least 4.58, enough for text of any size.
Colour readableBackdrop(Colour text);

} // namespace pictaven
