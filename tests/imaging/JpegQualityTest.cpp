#include "imaging/JpegQuality.h"

#include <gtest/gtest.h>

using namespace pictaven;

TEST(JpegQuality, EachOutputTakesItsOwnSettingAndThumbnailsAreFixed)
{
    const JpegQualitySettings settings{90, 75, 97};
    EXPECT_EQ(jpegQuality(JpegOutput::RenderedPhoto, settings), 90);
    EXPECT_EQ(jpegQuality(JpegOutput::Thumbnail, settings), 80);
    EXPECT_EQ(jpegQuality(JpegOutput::AlbumPicture, settings), 75);
    EXPECT_EQ(jpegQuality(JpegOutput::ConvertedPhoto, settings), 97);
}

TEST(JpegQuality, StoredValuesOutsideTheRangeAreHeldToIt)
{
    const JpegQualitySettings settings{150, -4, 0};
    EXPECT_EQ(jpegQuality(JpegOutput::RenderedPhoto, settings), 100);
    EXPECT_EQ(jpegQuality(JpegOutput::AlbumPicture, settings), 0);
    EXPECT_EQ(jpegQuality(JpegOutput::ConvertedPhoto, settings), 0);
}
