#include "decoders/TurnedGif.h"
#include "decoders/TurnedPng.h"
#include "imaging/TurnPixels.h"

#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "imaging/Rect.h"
#include "imaging/RotateBitmap.h"
#include "support/TempDir.h"

#include <gif_lib.h>
#include <png.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace pictaven;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ramp(int width, int height, int channels)
{
    Bytes pixels(static_cast<std::size_t>(width * height * channels));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 37 + i / 7);
    return pixels;
}

void writePng(const std::string& path, int width, int height, png_uint_32 format, const Bytes& pixels)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr)) << image.message;
}

struct PngPixels {
    int width = 0;
    int height = 0;
    png_uint_32 format = 0;
    Bytes pixels;
};

PngPixels readPng(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    PngPixels result;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return result;
    result.format = image.format;
    result.width = static_cast<int>(image.width);
    result.height = static_cast<int>(image.height);
    result.pixels.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr);
    return result;
}

// A two-frame GIF on a 7 x 5 screen: a full first frame with the global palette and a 3 x 2
// second frame at (4, 1) with its own palette and a transparent index.
void writeGif(const std::string& path)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType global[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    GifColorType local[2] = {{10, 20, 30}, {200, 100, 50}};
    ColorMapObject* globalMap = GifMakeMapObject(4, global);
    ColorMapObject* localMap = GifMakeMapObject(2, local);
    EGifSetGifVersion(gif, true);
    EXPECT_EQ(EGifPutScreenDesc(gif, 7, 5, 2, 0, globalMap), GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, 7, 5, false, nullptr), GIF_OK);
    for (int y = 0; y < 5; ++y) {
        GifPixelType line[7];
        for (int x = 0; x < 7; ++x)
            line[x] = static_cast<GifPixelType>((x + 2 * y) % 4);
        EXPECT_EQ(EGifPutLine(gif, line, 7), GIF_OK);
    }
    GraphicsControlBlock control{};
    control.DelayTime = 50;
    control.TransparentColor = 1;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    EXPECT_EQ(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension), GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(gif, 4, 1, 3, 2, false, localMap), GIF_OK);
    GifPixelType rows[2][3] = {{0, 1, 0}, {1, 0, 0}};
    for (auto& row : rows)
        EXPECT_EQ(EGifPutLine(gif, row, 3), GIF_OK);
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    GifFreeMapObject(globalMap);
    GifFreeMapObject(localMap);
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

std::unique_ptr<GifFileType, GifCloser> slurp(const std::string& path)
{
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(path.c_str(), &error));
    if (gif)
        DGifSlurp(gif.get());
    return gif;
}

Bitmap turned(const Bitmap& source, int rotation)
{
    Bitmap result;
    rotateBitmap(source, result, rotation);
    return result.withDepth(24);
}

} // namespace

TEST(TurnPixels, TurnsLikeTheBitmapTurns)
{
    Bitmap picture(5, 3);
    const Bytes pixels = ramp(5, 3, 3);
    std::copy(pixels.begin(), pixels.end(), picture.data());
    for (int rotation : {1, 2, 3}) {
        SCOPED_TRACE(rotation);
        const Bitmap expected = turned(picture, rotation);
        const Bytes result = turnPixels(pixels, 5, 3, 3, rotation);
        EXPECT_EQ(Bytes(expected.data(), expected.data() + expected.stride() * expected.height()), result);
    }
    EXPECT_THROW(turnPixels(pixels, 5, 3, 3, 4), std::invalid_argument);
    EXPECT_THROW(turnPixels(pixels, 5, 4, 3, 1), std::invalid_argument);
}

TEST(TurnedPng, KeepsFormatAndTransparency)
{
    test::TempDir dir;
    struct Case {
        png_uint_32 format;
        int channels;
    };
    for (const Case c : {Case{PNG_FORMAT_RGBA, 4}, Case{PNG_FORMAT_RGB, 3}, Case{PNG_FORMAT_GRAY, 1},
                         Case{PNG_FORMAT_GA, 2}}) {
        SCOPED_TRACE(c.format);
        const std::string source = (dir / "photo.png").string();
        const std::string target = (dir / "turned.png").string();
        const Bytes pixels = ramp(6, 4, c.channels);
        writePng(source, 6, 4, c.format, pixels);
        for (int rotation : {1, 2, 3}) {
            writeTurnedPng(source, target, rotation);
            const PngPixels result = readPng(target);
            EXPECT_EQ(result.format, c.format);
            EXPECT_EQ(result.width, rotation == 3 ? 6 : 4);
            EXPECT_EQ(result.height, rotation == 3 ? 4 : 6);
            EXPECT_EQ(result.pixels, turnPixels(pixels, 6, 4, c.channels, rotation));
        }
    }
}

TEST(TurnedPng, FailuresLeaveNoFile)
{
    test::TempDir dir;
    const std::string damaged = (dir / "damaged.png").string();
    test::writeFile(damaged, "\x89PNG\r\n\x1a\n not really");
    const std::string target = (dir / "out.png").string();
    EXPECT_THROW(writeTurnedPng(damaged, target, 1), std::runtime_error);
    EXPECT_THROW(writeTurnedPng((dir / "missing.png").string(), target, 1), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(target));

    const std::string good = (dir / "good.png").string();
    writePng(good, 2, 2, PNG_FORMAT_RGB, ramp(2, 2, 3));
    EXPECT_THROW(writeTurnedPng(good, (dir / "no folder" / "out.png").string(), 2), std::runtime_error);
    EXPECT_THROW(writeTurnedPng(good, target, 0), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(TurnedGif, TurnsEveryFrameWithItsPlaceAndPalette)
{
    test::TempDir dir;
    const std::string source = (dir / "photo.gif").string();
    writeGif(source);
    const Bitmap original = decodeGif(readFileBytes(source), source);
    for (int rotation : {1, 2, 3}) {
        SCOPED_TRACE(rotation);
        const std::string target = (dir / "turned.gif").string();
        writeTurnedGif(source, target, rotation);
        EXPECT_EQ(decodeGif(readFileBytes(target), target), turned(original, rotation));

        const auto gif = slurp(target);
        ASSERT_TRUE(gif);
        ASSERT_EQ(gif->ImageCount, 2);
        EXPECT_EQ(gif->SWidth, rotation == 3 ? 7 : 5);
        EXPECT_EQ(gif->SHeight, rotation == 3 ? 5 : 7);
        const GifImageDesc& second = gif->SavedImages[1].ImageDesc;
        // The 3 x 2 frame at (4, 1) covers columns 4..6 and rows 1..2 of the 7 x 5 screen.
        const Rect expected = rotation == 1 ? Rect{1, 0, 3, 3} : rotation == 2 ? Rect{2, 4, 4, 7} : Rect{0, 2, 3, 4};
        EXPECT_EQ((Rect{second.Left, second.Top, second.Left + second.Width, second.Top + second.Height}), expected);
        ASSERT_NE(second.ColorMap, nullptr);
        EXPECT_EQ(second.ColorMap->Colors[1].Red, 200);
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), 1, &control), GIF_OK);
        EXPECT_EQ(control.TransparentColor, 1);
        EXPECT_EQ(control.DelayTime, 50);
    }
}

TEST(TurnedGif, FailuresLeaveNoFile)
{
    test::TempDir dir;
    const std::string damaged = (dir / "damaged.gif").string();
    test::writeFile(damaged, "GIF89a\x07\x00");
    const std::string target = (dir / "out.gif").string();
    EXPECT_THROW(writeTurnedGif(damaged, target, 1), std::runtime_error);
    EXPECT_THROW(writeTurnedGif((dir / "missing.gif").string(), target, 1), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(target));
    const std::string good = (dir / "good.gif").string();
    writeGif(good);
    EXPECT_THROW(writeTurnedGif(good, (dir / "no folder" / "out.gif").string(), 1), std::runtime_error);
}
