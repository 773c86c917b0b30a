#include "imaging/PreviewFit.h"

#include <gtest/gtest.h>

#include <vector>

using pictaven::fitPreview;

TEST(PreviewFit, ScalesWithATruncatedFloatAndNeverEnlarges)
{
    struct Case {
        int width, height;
        float scale;
        int controlWidth, controlHeight;
    };
    const std::vector<Case> cases = {
        {640, 480, 0.203125f, 128, 95},
        {200, 100, 0.65f, 127, 62}, // 0.65 is held as 0.6499999762: 129.99.. and 64.99.. truncate
        {50, 40, 1.0f, 48, 38},
        {130, 100, 1.0f, 128, 98},  // both ratios 1: the width's is taken
        {100, 1000, 0.1f, 8, 98},
        {4032, 3024, static_cast<float>(130.0 / 4032), 127, 95}, // 130 / 4032 held a hair low: 129.99..
        {1, 1, 1.0f, 0, 0},         // a control never gets a negative size
        {0, 10, 0.0f, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const auto fit = fitPreview(c.width, c.height);
        EXPECT_EQ(fit.scale, c.scale);
        EXPECT_EQ(fit.controlWidth, c.controlWidth);
        EXPECT_EQ(fit.controlHeight, c.controlHeight);
    }
}
