#include "decoders/BmpWriter.h"
#include "decoders/FileBytes.h"
#include "decoders/PictureLoader.h"
#include "ini/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

// Distinct colours everywhere, so that a swapped row, column or channel shows.
Bitmap pattern(int width, int height, int bitsPerPixel)
{
    Bitmap bitmap(width, height, bitsPerPixel);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.setPixel(x, y, {static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(y * 13),
                                   static_cast<std::uint8_t>(255 - x)});
    return bitmap;
}

TEST(BmpWriter, WhatIsWrittenReadsBackAtItsDepth)
{
    struct Case {
        int width;
        int height;
        int bits;
    };
    // Widths whose rows need 0 to 3 bytes of padding at 24 bits.
    const Case cases[] = {{1, 1, 24}, {2, 3, 24}, {3, 2, 24}, {4, 5, 24}, {5, 1, 24},
                          {1, 1, 32}, {3, 4, 32}, {92, 61, 32}};
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + "@" + std::to_string(c.bits));
        const std::string path = (dir / "round.bmp").string();
        const Bitmap written = pattern(c.width, c.height, c.bits);
        writeBmp(written, path);

        const std::vector<std::uint8_t> bytes = readFileBytes(path);
        ASSERT_GE(bytes.size(), 30u);
        EXPECT_EQ(bytes[28], c.bits);
        const std::size_t rowBytes = (static_cast<std::size_t>(c.width) * c.bits / 8 + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 54 + rowBytes * static_cast<std::size_t>(c.height));

        const Bitmap read = loadPicture(path);
        ASSERT_EQ(read.width(), c.width);
        ASSERT_EQ(read.height(), c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(read.pixel(x, y), written.pixel(x, y)) << x << "," << y;
    }
}

TEST(BmpWriter, AFolderThatCannotBeWrittenIsAnIoErrorNamingThePath)
{
    test::TempDir dir;
    const std::string path = (dir / "missing" / "thumb0.bmp").string();
    try {
        writeBmp(Bitmap(2, 2), path);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace pictaven
