#include "imaging/ResampledJpeg.h"

#include "imaging/JpegCodec.h"
#include "imaging/ResampleFilters.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

using namespace pictaven;

namespace {

std::string writePhoto(const test::TempDir& dir, int width, int height)
{
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, {static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>((x / 5 + y / 3) % 2 * 180),
                                    static_cast<std::uint8_t>(y * 255 / height)});
    const std::string path = (dir / ("p" + std::to_string(width) + "x" + std::to_string(height) + ".jpg")).string();
    writeJpeg(picture, path, 85);
    return path;
}

} // namespace

TEST(JpegBands, BandsMakeUpThePicture)
{
    test::TempDir dir;
    const std::string path = writePhoto(dir, 70, 53);
    const Bitmap whole = readJpeg(path);
    Bitmap assembled;
    int nextRow = 0;
    JpegBandReader reader;
    reader.start = [&](ImageSize size) { assembled = Bitmap(size.width, size.height); };
    reader.band = [&](const Bitmap& band, int firstRow, int rowCount) {
        EXPECT_EQ(firstRow, nextRow);
        EXPECT_GE(rowCount, 1);
        std::memcpy(assembled.row(firstRow), band.data(), band.stride() * static_cast<std::size_t>(rowCount));
        nextRow += rowCount;
    };
    readJpegBands(path, reader);
    EXPECT_EQ(nextRow, 53);
    EXPECT_EQ(assembled, whole);

    reader.band = [](const Bitmap&, int, int) { throw std::runtime_error("stop here"); };
    EXPECT_THROW(readJpegBands(path, reader), std::runtime_error);
    EXPECT_THROW(readJpegBands((dir / "missing.jpg").string(), reader), std::runtime_error);
}

TEST(ResampledJpeg, SameBytesAsResamplingTheWholePicture)
{
    test::TempDir dir;
    struct Case {
        ImageSize source;
        ImageSize target;
    };
    const Case cases[] = {
        {{1300, 901}, {533, 369}}, // pre-shrunk by 0.3, bands end mid-way
        {{640, 37}, {100, 20}},    // one short band after two full ones
        {{50, 37}, {120, 90}},     // enlarged
        {{50, 37}, {50, 37}},      // kept as it is
        {{50, 37}, {1, 1}},        // one pixel
        {{50, 37}, {0, 5}},        // nothing left
        {{640, 37}, {0, 0}},       // only the thumbnail source
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.source.width) + "x" + std::to_string(c.source.height) + " to " +
                     std::to_string(c.target.width) + "x" + std::to_string(c.target.height));
        const std::string path = writePhoto(dir, c.source.width, c.source.height);
        const Bitmap whole = readJpeg(path);
        Bitmap expected(c.target.width, c.target.height);
        stretchAndResample(whole, expected, lanczos3Filter, 3);
        const ThumbnailSource expectedSource = makeThumbnailSource(whole);
        for (ResamplePath resamplePath : {ResamplePath::Scalar, ResamplePath::Avx2}) {
            if (!resamplePathAvailable(resamplePath))
                continue;
            const ResampledJpeg result = readJpegResampled(
                path,
                [&](ImageSize size) {
                    EXPECT_EQ(size, c.source);
                    return c.target;
                },
                true, resamplePath);
            EXPECT_EQ(result.sourceSize, c.source);
            EXPECT_EQ(result.picture, expected);
            ASSERT_TRUE(result.thumbnailSource);
            EXPECT_EQ(result.thumbnailSource->width, c.source.width);
            EXPECT_EQ(result.thumbnailSource->height, c.source.height);
            EXPECT_EQ(result.thumbnailSource->preShrunk, expectedSource.preShrunk);
        }
        EXPECT_FALSE(readJpegResampled(path, [&](ImageSize) { return c.target; }, false).thumbnailSource);
        EXPECT_EQ(readJpegThumbnailSource(path).preShrunk, expectedSource.preShrunk);
    }
}

TEST(ResampledJpeg, FailuresNameTheFile)
{
    test::TempDir dir;
    const std::string damaged = (dir / "damaged.jpg").string();
    test::writeFile(damaged, "\xff\xd8\xff\xdb broken");
    const auto keep = [](ImageSize size) { return size; };
    try {
        readJpegResampled(damaged, keep, true);
        FAIL() << "a damaged file was read";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind(damaged + ": ", 0), 0u) << error.what();
    }
    const std::string path = writePhoto(dir, 20, 10);
    EXPECT_THROW(readJpegResampled(path, [](ImageSize) { return ImageSize{-1, 5}; }, false), std::runtime_error);
    EXPECT_THROW(readJpegResampled(path, [](ImageSize) -> ImageSize { throw std::invalid_argument("no size"); }, false),
                 std::invalid_argument);
}
