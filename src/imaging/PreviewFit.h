#pragma once

namespace pictaven {

// How the step 1 preview shows a picture of width x height pixels: scaled by `scale` to fit
// 130 x 100 pixels, never enlarged, in a control two pixels smaller than the scaled picture.
struct PreviewFit {
    float scale = 0;
    int controlWidth = 0;
    int controlHeight = 0;
    bool operator==(const PreviewFit&) const = default;
};

// The scale is the smaller of 130 / width and 100 / height (compared in full precision), held
// as a 32-bit float and at most 1; the control is trunc(width * scale) - 2 by
// trunc(height * scale) - 2, never below 0. A picture without pixels gives a 0 x 0 control.
PreviewFit fitPreview(int width, int height);

} // namespace pictaven
