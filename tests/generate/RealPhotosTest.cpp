// The sample photographs rendered into the 600 x 400 box with resampling, compared byte for
// byte with a plain, separate implementation of the resampling rules written out below.

#include "generate/PhotoRenderer.h"
#include "generate/ThumbnailRenderer.h"

#include "RenderFixtures.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

using namespace pictaven;

namespace {

namespace fs = std::filesystem;

std::vector<std::string> samplePhotos()
{
    std::vector<std::string> photos;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(fs::path(TEST_DATA_DIR) / "photos", ignored))
        if (entry.path().extension() == ".jpg")
            photos.push_back(entry.path().string());
    std::sort(photos.begin(), photos.end());
    return photos;
}

float sinc(float v)
{
    if (v == 0.0f)
        return 1.0f;
    const float t = static_cast<float>(std::numbers::pi * v);
    return static_cast<float>(std::sin(static_cast<double>(t)) / t);
}

float lanczos3(float x)
{
    x = std::fabs(x);
    if (x >= 3.0f)
        return 0.0f;
    return sinc(x) * sinc(x / 3.0f);
}

struct Tap {
    int index;
    float weight;
};

// The taps of every destination position along one axis.
std::vector<std::vector<Tap>> taps(int destination, int source)
{
    const float scale = source == 1 ? static_cast<float>(static_cast<double>(destination) / source)
                                    : static_cast<float>(static_cast<double>(destination - 1) / (source - 1));
    std::vector<std::vector<Tap>> all(static_cast<std::size_t>(destination));
    for (int i = 0; i < destination; ++i) {
        const float center = static_cast<float>(i / static_cast<double>(scale));
        const bool reducing = scale < 1.0f;
        const float width = reducing ? static_cast<float>(3.0 / scale) : 3.0f;
        const float fscale = reducing ? static_cast<float>(1.0 / scale) : 1.0f;
        for (int j = static_cast<int>(std::floor(center - static_cast<double>(width)));
             j <= static_cast<int>(std::ceil(center + static_cast<double>(width))); ++j) {
            const float weight =
                reducing ? static_cast<float>(lanczos3(static_cast<float>((center - j) / static_cast<double>(fscale))) /
                                              static_cast<double>(fscale))
                         : lanczos3(static_cast<float>(center - j));
            if (weight == 0.0f)
                continue;
            int k = j < 0 ? -j : j >= source ? 2 * source - 1 - j : j;
            k = std::clamp(k, 0, source - 1);
            all[static_cast<std::size_t>(i)].push_back({k, weight});
        }
    }
    return all;
}

std::uint8_t toByte(float sum)
{
    if (sum > 255.0f)
        return 255;
    if (sum < 0.0f)
        return 0;
    return static_cast<std::uint8_t>(std::nearbyint(sum));
}

Bitmap referenceResample(const Bitmap& source, int width, int height)
{
    const auto columns = taps(width, source.width());
    const auto rows = taps(height, source.height());
    Bitmap work(width, source.height());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                float sum = 0.0f;
                for (const Tap& tap : columns[static_cast<std::size_t>(x)])
                    sum = std::fma(static_cast<float>(source.row(y)[tap.index * 3 + c]), tap.weight, sum);
                work.row(y)[x * 3 + c] = toByte(sum);
            }
    Bitmap result(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                float sum = 0.0f;
                for (const Tap& tap : rows[static_cast<std::size_t>(y)])
                    sum = std::fma(static_cast<float>(work.row(tap.index)[x * 3 + c]), tap.weight, sum);
                result.row(y)[x * 3 + c] = toByte(sum);
            }
    return result;
}

} // namespace

TEST(RealPhotos, ResampledIntoTheBoxByteForByte)
{
    const std::vector<std::string> photos = samplePhotos();
    ASSERT_FALSE(photos.empty()) << "no sample photos in " << TEST_DATA_DIR << "/photos";
    test::TempDir program;
    test::TempDir output;
    AlbumJob job = test::renderJob(program.str(), output.str());
    job.settings.ResizeImageType = 1;
    job.settings.Resample = true;
    job.settings.CompressionRatio = 90;
    // Pixels only: the reference carries no metadata.
    job.publishedMetadata = PublishedMetadata::None;
    const PhotoRenderer renderer(job, 97, {});
    const ThumbnailRenderer thumbnails(job, {});
    for (const std::string& path : photos) {
        SCOPED_TRACE(path);
        FileStorage photo;
        photo.SourcePath = photo.WorkingPath = path;
        std::optional<ThumbnailSource> handedBack;
        renderer.renderPhoto(photo, OutputNames::ownPhotoName(photo), &handedBack);

        const Bitmap source = readJpeg(path);
        const double byWidth = 600.0 / source.width();
        const double byHeight = 400.0 / source.height();
        const float scale = static_cast<float>(byWidth >= byHeight ? byHeight : byWidth);
        const Bitmap expected = referenceResample(source, static_cast<int>(source.width() * static_cast<double>(scale)),
                                                  static_cast<int>(source.height() * static_cast<double>(scale)));
        const std::string reference = output.str() + "reference.jpg";
        writeJpeg(expected, reference, 90);
        // Compared as a whole; a dump of two photos' bytes would say nothing more.
        EXPECT_TRUE(test::readFile(output.str() + OutputNames::fileNamePart(path)) == test::readFile(reference));

        bool rerender = false;
        const std::optional<ThumbnailSource> loaded = thumbnails.loadThumbnailSource(photo, rerender);
        ASSERT_TRUE(handedBack && loaded);
        EXPECT_EQ(handedBack->preShrunk, loaded->preShrunk);
        EXPECT_EQ(loaded->preShrunk, makeThumbnailSource(source).preShrunk);
    }
}
