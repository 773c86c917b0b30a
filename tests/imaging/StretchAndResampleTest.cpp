#include "imaging/ResampleContributions.h"
#include "imaging/ResampleKernels.h"
#include "imaging/StretchAndResample.h"

#include "imaging/JpegCodec.h"
#include "imaging/PreShrink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <vector>

using namespace pictaven;

namespace {

Bitmap randomBitmap(int width, int height, int bitsPerPixel, unsigned seed)
{
    Bitmap bitmap(width, height, bitsPerPixel);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (std::size_t i = 0; i < bitmap.stride(); ++i)
            bitmap.row(y)[i] = static_cast<std::uint8_t>(random());
    return bitmap;
}

Bitmap uniformBitmap(int width, int height, Colour colour)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, colour);
    return bitmap;
}

Bitmap resampled(const Bitmap& source, int width, int height, FilterFunction filter = lanczos3Filter,
                 float support = 3.0f, ResamplePath path = ResamplePath::Scalar)
{
    Bitmap destination(width, height);
    stretchAndResample(source, destination, filter, support, path);
    return destination;
}

std::vector<int> indexesOf(const ResampleContributions& list, int output)
{
    return {list.index.begin() + list.first[output], list.index.begin() + list.first[output + 1]};
}

} // namespace

TEST(ResampleContributions, ScalesMapCornerOntoCorner)
{
    EXPECT_EQ(resampleScale(100, 100), 1.0f);
    EXPECT_EQ(resampleScale(533, 4032), static_cast<float>(532.0 / 4031.0));
    EXPECT_EQ(resampleScale(7, 1), 7.0f);
    EXPECT_EQ(resampleScale(1, 1), 1.0f);
    EXPECT_EQ(resampleScale(1, 50), 1.0f / 50.0f);
}

TEST(ResampleContributions, IdentityKeepsTheTinyLanczosWeightsAndMirrorsAsWritten)
{
    const ResampleContributions list = makeResampleContributions(100, 100, lanczos3Filter, 3.0f);
    ASSERT_EQ(list.outputs(), 100);
    // j = i - 3 .. i + 3; the weights at +-3 are exactly 0 and dropped.
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(list.first[i + 1] - list.first[i], 5u) << i;
    const std::uint32_t k = list.first[50];
    EXPECT_EQ(indexesOf(list, 50), (std::vector<int>{48, 49, 50, 51, 52}));
    EXPECT_EQ(list.weight[k + 2], 1.0f);
    EXPECT_NEAR(list.weight[k + 1], -2.3e-8f, 0.1e-8f);
    EXPECT_NEAR(list.weight[k + 3], -2.3e-8f, 0.1e-8f);
    EXPECT_NEAR(list.weight[k], 1.2e-8f, 0.1e-8f);
    EXPECT_NEAR(list.weight[k + 4], 1.2e-8f, 0.1e-8f);
    // Before the start, -j; past the end, 2 * size - 1 - j (the edge pixel itself comes back).
    EXPECT_EQ(indexesOf(list, 0), (std::vector<int>{2, 1, 0, 1, 2}));
    EXPECT_EQ(indexesOf(list, 99), (std::vector<int>{97, 98, 99, 99, 98}));
}

TEST(ResampleContributions, ReductionWidensTheFilter)
{
    // 10 -> 4: scale 3 / 9 as a float, so the filter reaches 9 source pixels on each side.
    const ResampleContributions list = makeResampleContributions(4, 10, triangleFilter, 1.0f);
    const float scale = 3.0f / 9.0f;
    const float fscale = 1.0f / scale;
    const float center = 1.0f / scale;
    const std::uint32_t k = list.first[1];
    std::vector<int> expected;
    for (int j = static_cast<int>(std::floor(center - 3.0f)); j <= static_cast<int>(std::ceil(center + 3.0f)); ++j) {
        const float weight = triangleFilter(static_cast<float>((static_cast<double>(center) - j) / fscale)) / fscale;
        if (weight != 0.0f) {
            EXPECT_EQ(list.weight[k + expected.size()], weight) << j;
            expected.push_back(j < 0 ? -j : j);
        }
    }
    EXPECT_EQ(indexesOf(list, 1), expected);
}

TEST(ResampleContributions, IndexesBeyondOneReflectionAreClamped)
{
    for (const auto& [destination, source] : {std::pair{5, 2}, {2, 9}, {1, 3}, {3, 1}})
        for (const ResampleFilter& filter : resampleFilters) {
            const ResampleContributions list = makeResampleContributions(destination, source, filter.function, filter.support);
            ASSERT_EQ(list.outputs(), destination);
            for (int index : list.index) {
                EXPECT_GE(index, 0);
                EXPECT_LT(index, source);
            }
            for (float weight : list.weight)
                EXPECT_NE(weight, 0.0f);
        }
}

TEST(ResampleKernels, ScalarSumRoundsOnceLikeAFusedMultiplyAdd)
{
    // Products just beside half a float step of the sum are where rounding twice would differ.
    std::mt19937_64 random(7);
    int differences = 0;
    for (int i = 0; i < 200000; ++i) {
        float sum = 1.0f + static_cast<float>(random() % (1u << 23)) * 0x1p-23f;
        sum *= static_cast<float>(1u << (random() % 8));
        const auto byte = static_cast<std::uint8_t>(1 + random() % 255);
        const double halfStep = (std::nextafter(sum, 1e30f) - sum) / 2.0;
        const double nudge = std::ldexp(static_cast<double>(random() % 2000) - 1000.0, -62) * sum;
        float weight = static_cast<float>((halfStep + nudge) / byte);
        if (random() % 2)
            weight = -weight;
        if (static_cast<float>(sum + static_cast<double>(byte) * weight) != std::fma(static_cast<float>(byte), weight, sum))
            ++differences;
        ASSERT_EQ(addProduct(sum, byte, weight), std::fma(static_cast<float>(byte), weight, sum))
            << sum << " + " << int{byte} << " * " << weight;
    }
    // The cases must include some where a plain double sum rounded to float is off.
    EXPECT_GT(differences, 0);
}

TEST(StretchAndResample, SameSizeLeavesThePictureUnchanged)
{
    const Bitmap source = randomBitmap(100, 100, 24, 1);
    EXPECT_EQ(resampled(source, 100, 100), source);
}

TEST(StretchAndResample, HalfwayTiesRoundToEven)
{
    // 2 -> 3 with the triangle: the middle column is half of each neighbour.
    Bitmap source(2, 2);
    source.setPixel(0, 0, {10, 10, 10});
    source.setPixel(1, 0, {21, 19, 0});
    source.setPixel(0, 1, {10, 10, 10});
    source.setPixel(1, 1, {21, 19, 0});
    const Bitmap result = resampled(source, 3, 2, triangleFilter, 1.0f);
    EXPECT_EQ(result.pixel(1, 0), (Colour{16, 14, 5}));
    EXPECT_EQ(result.pixel(0, 1), (Colour{10, 10, 10}));
    EXPECT_EQ(result.pixel(2, 1), (Colour{21, 19, 0}));
}

TEST(StretchAndResample, UniformAreasKeepTheirColourNearly)
{
    // The Lanczos weights are not normalised and add up to about 0.997 when reducing, so each
    // pass may take up to about half a percent off.
    const Colour colour{37, 128, 255};
    for (const auto& [width, height] : {std::pair{7, 5}, {40, 30}, {60, 46}, {173, 211}}) {
        const Bitmap result = resampled(uniformBitmap(61, 47, colour), width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const Colour c = result.pixel(x, y);
                ASSERT_NEAR(c.blue, colour.blue, 1) << width << "x" << height << " at " << x << "," << y;
                ASSERT_NEAR(c.green, colour.green, 2);
                ASSERT_NEAR(c.red, colour.red, 3);
            }
    }
}

TEST(StretchAndResample, OnePixelSourcesAndDestinations)
{
    // A 1 x m source goes to 1 x n with the width scaled by 1.
    const Bitmap column = uniformBitmap(1, 9, {1, 2, 3});
    Bitmap result = resampled(column, 1, 20);
    EXPECT_EQ(result.width(), 1);
    EXPECT_EQ(result.pixel(0, 19), (Colour{1, 2, 3}));
    // A single row or column of output is a working, bounded result.
    result = resampled(uniformBitmap(50, 40, {90, 90, 90}), 1, 1);
    EXPECT_NEAR(result.pixel(0, 0).green, 90, 1);
    result = resampled(randomBitmap(50, 40, 24, 2), 25, 1);
    EXPECT_EQ(result.height(), 1);
}

TEST(StretchAndResample, DestinationTakesItsSizeAnd24Bits)
{
    const Bitmap source = randomBitmap(30, 20, 32, 3);
    Bitmap destination(12, 9, 32);
    stretchAndResample(source, destination, lanczos3Filter, 3.0f);
    EXPECT_EQ(destination.width(), 12);
    EXPECT_EQ(destination.height(), 9);
    EXPECT_EQ(destination.bitsPerPixel(), 24);
    // The fourth byte of a 32-bit source is not a colour.
    EXPECT_EQ(destination, resampled(source.withDepth(24), 12, 9, lanczos3Filter, 3.0f, fastestResamplePath()));
    Bitmap empty(0, 5);
    stretchAndResample(source, empty, lanczos3Filter, 3.0f);
    EXPECT_EQ(empty.width(), 0);
}

TEST(StretchAndResample, EmptySourceIsRefused)
{
    Bitmap destination(10, 10);
    try {
        stretchAndResample(Bitmap(0, 5), destination, lanczos3Filter, 3.0f);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Source bitmap too small");
    }
}

class VectorPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!resamplePathAvailable(ResamplePath::Avx2))
            GTEST_SKIP() << "no AVX2 and FMA on this processor";
    }
    static void expectSameBytes(const Bitmap& source, int width, int height, const ResampleFilter& filter)
    {
        const Bitmap scalar = resampled(source, width, height, filter.function, filter.support, ResamplePath::Scalar);
        const Bitmap vector = resampled(source, width, height, filter.function, filter.support, ResamplePath::Avx2);
        ASSERT_TRUE(scalar == vector) << filter.name << " " << source.width() << "x" << source.height() << " -> "
                                      << width << "x" << height;
    }
};

TEST_F(VectorPath, GivesTheScalarBytesOnRandomPictures)
{
    // Odd sizes reach the partial blocks of rows and bytes.
    const std::pair<int, int> sizes[] = {{1, 1}, {3, 2}, {17, 9}, {64, 48}, {101, 67}, {250, 13}};
    unsigned seed = 10;
    for (const auto& [sw, sh] : sizes)
        for (const auto& [dw, dh] : sizes)
            for (const ResampleFilter& filter : resampleFilters)
                expectSameBytes(randomBitmap(sw, sh, 24, ++seed), dw, dh, filter);
}

TEST_F(VectorPath, GivesTheScalarBytesOnPhotos)
{
    const std::filesystem::path folder = std::filesystem::path(TEST_DATA_DIR) / "photos";
    const ResampleFilter& lanczos = resampleFilters[5];
    int photos = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".jpg")
            continue;
        ++photos;
        const Bitmap photo = readJpeg(entry.path().string());
        // The photo box and a thumbnail box, fitted as the renderers fit them.
        const float scale = std::min(600.0f / photo.width(), 400.0f / photo.height());
        expectSameBytes(photo, static_cast<int>(photo.width() * scale), static_cast<int>(photo.height() * scale),
                        lanczos);
        Bitmap shrunk;
        preShrink(photo, shrunk);
        expectSameBytes(shrunk, 78, 58, lanczos);
        expectSameBytes(shrunk, 2 * shrunk.width() + 1, shrunk.height() + 3, lanczos);
    }
    EXPECT_GT(photos, 0);
}
