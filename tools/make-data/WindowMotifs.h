#pragma once

#include "IconCanvas.h"

namespace pictaven::makedata {

// A place on the design grid. Its edges are whole units, and so are the parts that the
// motifs below cut it into, so that every edge stays crisp.
struct Box {
    float left;
    float top;
    float width;
    float height;

    // The whole unit nearest to the fraction `f` of the width (or height), from the left (top).
    float x(float f) const;
    float y(float f) const;
    float right() const { return left + width; }
    float bottom() const { return top + height; }
};

// The motifs that the tool bar, the step panels and the program's icon share, each filling
// its box, with ink rims `rim` units wide.

// A framed picture: sky, sun and two green hills.
void drawPhoto(IconCanvas& canvas, const Box& box, float rim);
// A folder, its front flap tipped forward when `open`, a photo sticking out when `holdsPhoto`.
void drawFolder(IconCanvas& canvas, const Box& box, float rim, bool open, bool holdsPhoto = false);
// A cloud with an arrow rising into it.
void drawUpload(IconCanvas& canvas, const Box& box, float rim);
// A cog wheel with `teeth` teeth (3, 4, 6, 8, 12, ...) around (cx, cy), reaching `radius` units.
Shape gearShape(const IconCanvas& canvas, float cx, float cy, float radius, int teeth);

} // namespace pictaven::makedata
