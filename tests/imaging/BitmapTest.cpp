#include "imaging/Bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

using pictaven::Bitmap;

TEST(Bitmap, NewPixelsAreBlackAndRowsArePacked)
{
    Bitmap bitmap(5, 3, 32);
    EXPECT_EQ(bitmap.stride(), 20u);
    EXPECT_EQ(bitmap.row(2) - bitmap.row(0), 40);
    for (int y = 0; y < 3; ++y)
        for (std::size_t i = 0; i < bitmap.stride(); ++i)
            EXPECT_EQ(bitmap.row(y)[i], 0);
}

TEST(Bitmap, RefusesAbsurdSizesBeforeAllocating)
{
    EXPECT_THROW(Bitmap(30001, 1), std::length_error);
    EXPECT_THROW(Bitmap(20000, 20000), std::length_error);
    EXPECT_THROW(Bitmap(-1, 5), std::length_error);
    EXPECT_THROW(Bitmap(2, 2, 8), std::invalid_argument);
    EXPECT_NO_THROW(Bitmap(30000, 1));
}
