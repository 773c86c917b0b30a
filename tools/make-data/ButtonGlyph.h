#pragma once

#include "Shape.h"

namespace pictaven::makedata {

// The symbols on the navigation buttons.
enum class Glyph { Next, Prev, First, Last, Home, Index, Speaker };

// The symbol centred on (cx, cy), `size` pixels high (and at most as wide).
Shape glyphShape(Glyph glyph, float cx, float cy, float size);

} // namespace pictaven::makedata
