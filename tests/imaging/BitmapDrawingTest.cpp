#include "imaging/BitmapDrawing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace pictaven;

namespace {

// Small pictures written as text, one character per pixel, rows separated by spaces.
const std::map<char, Colour> Palette = {
    {'.', Colour{0, 0, 0}},       {'#', Colour{255, 255, 255}}, {'r', Colour{0, 0, 255}},
    {'g', Colour{0, 200, 0}},     {'b', Colour{255, 0, 0}},     {'y', Colour{0, 255, 255}},
};

Bitmap fromArt(const std::string& art, int bitsPerPixel = 24)
{
    std::vector<std::string> rows;
    std::string row;
    for (char c : art + " ") {
        if (c == ' ') {
            rows.push_back(row);
            row.clear();
        } else {
            row += c;
        }
    }
    Bitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), bitsPerPixel);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, Palette.at(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    return bitmap;
}

std::string toArt(const Bitmap& bitmap)
{
    std::string art;
    for (int y = 0; y < bitmap.height(); ++y) {
        if (y > 0)
            art += ' ';
        for (int x = 0; x < bitmap.width(); ++x) {
            char symbol = '?';
            for (const auto& [c, colour] : Palette)
                if (colour == bitmap.pixel(x, y))
                    symbol = c;
            art += symbol;
        }
    }
    return art;
}

const Colour Red = Palette.at('r');
const Colour Green = Palette.at('g');
const Colour White = Palette.at('#');

} // namespace

TEST(BitmapDrawing, ColoursComeFromTheSettingsFormWithRedInTheLowByte)
{
    EXPECT_EQ(Colour::fromSettings(0xFF), Red);
    EXPECT_EQ(Colour::fromSettings(0xFF0000), Palette.at('b'));
    EXPECT_EQ(Colour::fromSettings(0x7F123456).toSettings(), 0x123456u);
}

TEST(BitmapDrawing, RectanglesAreFilledAndFramedInsideTheirEdgesAndClipped)
{
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        Bitmap bitmap = fromArt("...... ...... ...... ...... ......", bits);
        fillRect(bitmap, {1, 1, 4, 3}, Red);
        EXPECT_EQ(toArt(bitmap), "...... .rrr.. .rrr.. ...... ......");
        frameRect(bitmap, {3, 2, 9, 5}, Green);
        EXPECT_EQ(toArt(bitmap), "...... .rrr.. .rrggg ...g.. ...ggg");
        fillRect(bitmap, {-5, -5, 2, 1}, White);
        fillRect(bitmap, {4, 4, 2, 6}, White); // right before left: no pixels
        frameRect(bitmap, {1, 1, 1, 4}, White);
        EXPECT_EQ(toArt(bitmap), "##.... .rrr.. .rrggg ...g.. ...ggg");
    }
}

TEST(BitmapDrawing, FloodFillPaintsOnlyTheSideConnectedAreaOfTheSeedColour)
{
    const std::string picture = "##.### "
                                "#..#.# "
                                "##.### "
                                ".#.... "
                                "#.##.#";
    struct Case {
        int x, y;
        Colour area;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // The left area; the white pixel below it touches only at a corner and stays.
        {0, 0, White, "yy.### y..#.# yy.### .y.... #.##.#"},
        {4, 0, White, "##.yyy #..y.y ##.yyy .#.... #.##.#"},
        // The black wall, reached from its lowest row.
        {4, 4, Palette.at('.'), "##y### #yy#.# ##y### .#yyyy #.##y#"},
        // Seeds that do not hold the area colour, or lie outside, change nothing.
        {2, 0, White, picture},
        {6, 0, White, picture},
        {-1, 2, White, picture},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        Bitmap bitmap = fromArt(picture);
        floodFill(bitmap, c.x, c.y, c.area, Palette.at('y'));
        EXPECT_EQ(toArt(bitmap), c.expected);
    }
    Bitmap same = fromArt(picture);
    floodFill(same, 0, 0, White, White);
    EXPECT_EQ(toArt(same), picture);
}

TEST(BitmapDrawing, FloodFillWalksALargeMazeAndKeepsTheFourthByte)
{
    // A serpentine corridor: walls on every odd row, with a gap alternating left and right, so
    // the area is one path of a million pixels that a recursive fill could not follow.
    const int width = 1000, height = 2001;
    Bitmap bitmap(width, height, 32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool wall = y % 2 == 1 && x != ((y / 2) % 2 == 0 ? width - 1 : 0);
            bitmap.setPixel(x, y, wall ? Green : White);
            bitmap.row(y)[x * 4 + 3] = 42;
        }
    }
    floodFill(bitmap, 0, 0, White, Red);
    int red = 0, fourth = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            red += bitmap.pixel(x, y) == Red;
            fourth += bitmap.row(y)[x * 4 + 3] == 42;
        }
    EXPECT_EQ(red, 1001 * width + 1000);
    EXPECT_EQ(fourth, width * height);
    EXPECT_EQ(bitmap.pixel(width - 1, height - 1), Red);
}

TEST(BitmapDrawing, DrawingAPictureClipsAtEveryEdgeAndMayTreatWhiteAsTransparent)
{
    const Bitmap stamp = fromArt("r#g ##b", 32);
    Bitmap target = fromArt("..... ..... .....");
    drawBitmap(target, stamp, -1, 2);
    drawBitmap(target, stamp, 2, -1);
    EXPECT_EQ(toArt(target), "..##b ..... #g...");
    Bitmap transparent = fromArt("..... ..... .....");
    drawBitmapWhiteTransparent(transparent, stamp, 1, 1);
    drawBitmapWhiteTransparent(transparent, stamp, 10, 10);
    EXPECT_EQ(toArt(transparent), "..... .r.g. ...b.");
}

TEST(BitmapDrawing, StretchingTakesThePixelUnderEachTargetPixelsCentre)
{
    const Bitmap source = fromArt("rg by");
    struct Case {
        Rect rect;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{0, 0, 4, 4}, "rrgg rrgg bbyy bbyy"},
        {{1, 1, 3, 3}, ".... .rg. .by. ...."},
        {{0, 0, 3, 3}, "rgg. byy. byy. ...."},
        {{0, 0, 6, 2}, "rrrg bbby .... ...."}, // partly outside: cut off
        {{-2, 0, 2, 1}, "yy.. .... .... ...."},
        {{2, 2, 2, 4}, ".... .... .... ...."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Bitmap target = fromArt(".... .... .... ....");
        stretchBitmap(target, c.rect, source);
        EXPECT_EQ(toArt(target), c.expected);
    }
    // Shrinking to half takes the second pixel of each pair.
    Bitmap small = fromArt("..");
    stretchBitmap(small, {0, 0, 2, 1}, fromArt("r.g."));
    EXPECT_EQ(toArt(small), "..");
    stretchBitmap(small, {0, 0, 2, 1}, fromArt(".r.g"));
    EXPECT_EQ(toArt(small), "rg");
}

TEST(BitmapDrawing, ChangingTheDepthKeepsTheColourBytes)
{
    const Bitmap original = fromArt("rgb. #yrg");
    const Bitmap wide = original.withDepth(32);
    EXPECT_EQ(wide.bitsPerPixel(), 32);
    EXPECT_EQ(toArt(wide), toArt(original));
    EXPECT_EQ(wide.withDepth(24), original);
    EXPECT_THROW(original.withDepth(16), std::invalid_argument);
}
