#include "imaging/ResampleFilters.h"

#include <gtest/gtest.h>

#include <string>

using namespace pictaven;

TEST(ResampleFilters, TableHoldsTheSevenFiltersInOrder)
{
    const std::string names[] = {"Box", "Triangle", "Hermite", "Bell", "B-Spline", "Lanczos3", "Mitchell"};
    const FilterFunction functions[] = {boxFilter,    triangleFilter, hermiteFilter,  bellFilter,
                                        splineFilter, lanczos3Filter, mitchellFilter};
    const float supports[] = {0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    ASSERT_EQ(resampleFilters.size(), 7u);
    for (std::size_t i = 0; i < resampleFilters.size(); ++i) {
        EXPECT_EQ(resampleFilters[i].name, names[i]);
        EXPECT_EQ(resampleFilters[i].function, functions[i]);
        EXPECT_EQ(resampleFilters[i].support, supports[i]);
    }
}

TEST(ResampleFilters, ValuesAtKnownPoints)
{
    struct Case {
        FilterFunction f;
        float x;
        float expected;
    };
    const Case cases[] = {
        {boxFilter, 0.0f, 1.0f},
        {boxFilter, 0.5f, 1.0f},
        {boxFilter, -0.5f, 0.0f},
        {boxFilter, -0.49f, 1.0f},
        {triangleFilter, 0.25f, 0.75f},
        {triangleFilter, -0.75f, 0.25f},
        {hermiteFilter, 0.5f, 0.5f},
        {hermiteFilter, 0.25f, static_cast<float>((2 * 0.25 - 3) * 0.0625 + 1)},
        {bellFilter, 0.0f, 0.75f},
        {bellFilter, 0.5f, 0.5f},
        {bellFilter, -1.0f, 0.125f},
        {splineFilter, 0.0f, static_cast<float>(2.0 / 3.0)},
        {splineFilter, 1.0f, static_cast<float>(1.0 / 6.0)},
        {splineFilter, 1.5f, static_cast<float>(0.125 / 6.0)},
        {lanczos3Filter, 0.0f, 1.0f},
        {mitchellFilter, 0.0f, static_cast<float>(16.0 / 3.0 / 6.0)},
        {mitchellFilter, 1.0f, static_cast<float>((7.0 - 12.0 + 16.0 / 3.0) / 6.0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.f(c.x), c.expected) << "x = " << c.x;
}

TEST(ResampleFilters, AreEvenAndZeroBeyondTheirSupport)
{
    for (const ResampleFilter& filter : resampleFilters) {
        // The box alone is 1 at +0.5 (its interval is closed on that side).
        if (filter.function != boxFilter) {
            EXPECT_EQ(filter.function(filter.support), 0.0f) << filter.name;
        }
        EXPECT_EQ(filter.function(filter.support + 0.25f), 0.0f) << filter.name;
        EXPECT_EQ(filter.function(-filter.support - 1.0f), 0.0f) << filter.name;
        for (float x = 0.05f; x < filter.support; x += 0.1f)
            EXPECT_EQ(filter.function(x), filter.function(-x)) << filter.name << " at " << x;
    }
}

TEST(ResampleFilters, Lanczos3ZerosComeOutOfSinglePrecisionSinc)
{
    // pi rounded to a float lies above pi, so sin(t) / t at the integers is tiny, not 0.
    EXPECT_NEAR(lanczos3Filter(1.0f), -2.3e-8f, 0.1e-8f);
    EXPECT_NEAR(lanczos3Filter(-1.0f), -2.3e-8f, 0.1e-8f);
    EXPECT_NEAR(lanczos3Filter(2.0f), 1.2e-8f, 0.1e-8f);
    EXPECT_NE(lanczos3Filter(1.0f), 0.0f);
    EXPECT_EQ(lanczos3Filter(3.0f), 0.0f);
    EXPECT_NEAR(lanczos3Filter(0.5f), 0.6079271f, 1e-6f);
}
