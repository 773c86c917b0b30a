#include "DesktopIcons.h"
#include "ShippedDataWriter.h"
#include "WindowPicture.h"
#include "app/ShippedData.h"
#include "decoders/PictureLoader.h"
#include "imaging/JpegCodec.h"
#include "settings/ConfigFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;

const fs::path DataFolder = PICTAVEN_SOURCE_DATA_DIR;
const fs::path IconFolder = fs::path(PICTAVEN_SOURCE_DATA_DIR).parent_path() / "desktop" / "icons";

// One run of the generator into a fresh folder, shared by the tests below.
class ShippedDataFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = new TempDir;
        // A stale settings file must be replaced, not merged into.
        fs::create_directories(s_folder->path() / "ALBUMS");
        test::writeFile(s_folder->path() / "ALBUMS" / "Album.CFG", "[Size]\r\nLeft=1\r\nStale=1\r\n");
        s_written = new std::vector<std::string>(makedata::writeShippedData(s_folder->str()));
    }
    static void TearDownTestSuite()
    {
        delete s_written;
        delete s_folder;
    }
    static fs::path made(const std::string& relative) { return s_folder->path() / relative; }
    static std::vector<std::string> writtenWithExtension(const std::string& extension)
    {
        std::vector<std::string> paths;
        std::copy_if(s_written->begin(), s_written->end(), std::back_inserter(paths),
                     [&](const std::string& p) { return fs::path(p).extension() == extension; });
        return paths;
    }

    static TempDir* s_folder;
    static std::vector<std::string>* s_written;
};

TempDir* ShippedDataFiles::s_folder = nullptr;
std::vector<std::string>* ShippedDataFiles::s_written = nullptr;

TEST_F(ShippedDataFiles, CommittedFilesAreExactlyWhatTheGeneratorWrites)
{
    ASSERT_FALSE(s_written->empty());
    for (const std::string& path : *s_written) {
        ASSERT_TRUE(fs::exists(DataFolder / path)) << "data/" << path << " is missing: run pictaven-make-data data";
        EXPECT_TRUE(readFile(made(path)) == readFile(DataFolder / path))
            << "data/" << path << " differs from what pictaven-make-data writes";
    }
    // Every other shipped file is the help, the basic template or the responsive template's
    // script and style sheet, made elsewhere.
    const std::set<std::string> written(s_written->begin(), s_written->end());
    for (const auto& entry : fs::recursive_directory_iterator(DataFolder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string relative = entry.path().lexically_relative(DataFolder).generic_string();
        const bool madeElsewhere = relative.starts_with("help/") || relative.starts_with("ALBUMS/Responsive/") ||
                                   relative == "ALBUMS/DEFAULT.CFG" || relative == "ALBUMS/DEFAULT.DEF";
        EXPECT_TRUE(madeElsewhere || written.contains(relative)) << "data/" << relative << " is made by nothing";
    }
}

TEST_F(ShippedDataFiles, NavigationPicturesAreTransparentButtonsOfOneSizeASet)
{
    struct Set {
        std::string prefix; // "" for the fixed pictures, which share the look of set 10
        std::vector<std::string> names;
        int width;
        int height;
    };
    const std::vector<std::string> setNames{"Next", "Prev", "Index", "Home"};
    std::vector<Set> sets{{"", {"home", "first", "prev", "next", "last", "speaker", "index"}, 40, 28}};
    const int sizes[10][2] = {{56, 26}, {56, 26}, {60, 24}, {56, 26}, {56, 26}, {56, 26}, {24, 18}, {32, 32}, {32, 32}};
    for (int n = 1; n <= 9; ++n)
        sets.push_back({std::to_string(n), setNames, sizes[n - 1][0], sizes[n - 1][1]});

    std::size_t pictures = 0;
    for (const Set& set : sets) {
        for (const std::string& name : set.names) {
            const std::string path = "NAVBUTS/" + set.prefix + name + ".gif";
            SCOPED_TRACE(path);
            ASSERT_TRUE(fs::exists(made(path)));
            const Bitmap picture = loadPicture(made(path).string());
            EXPECT_EQ(picture.width(), set.width);
            EXPECT_EQ(picture.height(), set.height);
            // Rounded corners are transparent, which the reader shows as white; inside the
            // rim, beside the symbol, lies the button's body.
            EXPECT_EQ(picture.pixel(0, 0), (Colour{255, 255, 255}));
            EXPECT_NE(picture.pixel(3, set.height / 2), (Colour{255, 255, 255}));
            ++pictures;
        }
    }
    EXPECT_EQ(writtenWithExtension(".gif").size(), pictures) << "a GIF beyond the button sets";
}

TEST_F(ShippedDataFiles, MaskIsGreyLightInTheMiddleAndDarkAtTheEdges)
{
    const Bitmap mask = readJpeg(made("mask.jpg").string());
    ASSERT_EQ(mask.width(), 640);
    ASSERT_EQ(mask.height(), 480);
    // The soft edge blends only where blue, green and red agree; any other pixel would be
    // copied into the photo.
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            const Colour c = mask.pixel(x, y);
            ASSERT_TRUE(c.red == c.green && c.green == c.blue) << "at " << x << "," << y;
        }
    }
    EXPECT_GE(mask.pixel(320, 240).red, 250);
    EXPECT_LE(mask.pixel(0, 240).red, 8);
    EXPECT_LE(mask.pixel(320, 0).red, 8);
    int previous = -1;
    for (int x = 0; x <= 320; x += 8) {
        EXPECT_GE(mask.pixel(x, 240).red + 2, previous) << "the ramp turns back at x " << x;
        previous = mask.pixel(x, 240).red;
    }
}

TEST_F(ShippedDataFiles, BitmapsAreUncompressed24BitPictures)
{
    auto bitmaps = writtenWithExtension(".bmp");
    const auto windowPictures = writtenWithExtension(".res");
    bitmaps.insert(bitmaps.end(), windowPictures.begin(), windowPictures.end());
    for (const std::string& path : bitmaps) {
        SCOPED_TRACE(path);
        const std::string bytes = readFile(made(path));
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);
        EXPECT_EQ(bytes[30], 0) << "compressed";
    }
    ASSERT_TRUE(fs::exists(made("buttons/error.bmp")));
    for (const std::string& path : writtenWithExtension(".bmp")) {
        SCOPED_TRACE(path);
        const Bitmap picture = loadPicture(made(path).string());
        if (path == "buttons/error.bmp") {
            EXPECT_EQ(picture.width(), 128);
            EXPECT_EQ(picture.height(), 96);
        } else if (path == "resource/preview.bmp") {
            // The colour previewer's fill points are fixed on this size.
            EXPECT_EQ(picture.width(), 223);
            EXPECT_EQ(picture.height(), 273);
        } else {
            EXPECT_GE(picture.width(), 640);
            EXPECT_GE(picture.height(), 480);
        }
    }
}

// The window reads its pictures as bitmaps whatever their extension.
Bitmap loadWindowPicture(const fs::path& path)
{
    const std::string bytes = readFile(path);
    return decodePicture({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, path.string() + ".bmp");
}

TEST_F(ShippedDataFiles, WindowPicturesHaveTheirSizesAndDoubleSizeTwinsOnThePanelBlue)
{
    struct Picture {
        std::string path;
        int width;
        int height;
    };
    std::vector<Picture> pictures{{"gradient.res", 16, 1600}};
    for (const char* name : {"New", "open", "Save", "config", "compress", "ftp", "jpg", "surf", "Help"})
        pictures.push_back({std::string("resource/") + name + ".res", 20, 20});
    for (int step = 1; step <= 5; ++step)
        pictures.push_back({"resource/step" + std::to_string(step) + ".res", 48, 48});
    for (const char* name : {"generate", "generate2"})
        pictures.push_back({std::string("resource/") + name + ".res", 64, 64});

    const Colour panel{224, 161, 129};
    for (const Picture& expected : pictures) {
        SCOPED_TRACE(expected.path);
        const Bitmap single = loadWindowPicture(made(expected.path));
        const Bitmap twice = loadWindowPicture(made(makedata::doubleSizePath(expected.path)));
        EXPECT_EQ(single.width(), expected.width);
        EXPECT_EQ(single.height(), expected.height);
        EXPECT_EQ(twice.width(), 2 * expected.width);
        EXPECT_EQ(twice.height(), 2 * expected.height);
        if (expected.path.starts_with("resource/")) {
            // The pictures have no transparency: their corners must be the buttons' own blue.
            EXPECT_EQ(single.pixel(0, 0), panel);
            EXPECT_EQ(twice.pixel(twice.width() - 1, twice.height() - 1), panel);
        }
    }
    EXPECT_EQ(writtenWithExtension(".res").size(), 2 * pictures.size()) << "a window picture beyond the list";
}

TEST_F(ShippedDataFiles, BackgroundTileIsLightAtTheTopAndKeepsTheWindowBlue)
{
    const Bitmap tile = loadWindowPicture(made("gradient.res"));
    auto rowMean = [&](int y) {
        int red = 0;
        int green = 0;
        int blue = 0;
        for (int x = 0; x < tile.width(); ++x) {
            red += tile.pixel(x, y).red;
            green += tile.pixel(x, y).green;
            blue += tile.pixel(x, y).blue;
        }
        const double width = tile.width();
        return std::array<double, 3>{red / width, green / width, blue / width};
    };
    const std::array<double, 3> windowBlue{129, 160, 224};
    const auto top = rowMean(0);
    const auto third = rowMean(210);
    for (std::size_t part = 0; part < 3; ++part) {
        EXPECT_GT(top[part], windowBlue[part]) << part;
        EXPECT_NEAR(third[part], windowBlue[part], 8) << part;
    }
    // The tile repeats down the window: on a window of a common screen's height it must not
    // start again, or its light head shows as a seam.
    EXPECT_GE(tile.height(), 1440);
}

TEST(DesktopIcons, CommittedIconsAreExactlyWhatTheGeneratorWrites)
{
    TempDir folder;
    const std::vector<std::string> written = makedata::writeDesktopIcons(folder.str());
    std::set<std::string> sizes;
    for (const std::string& path : written) {
        SCOPED_TRACE(path);
        const ImageSize size = readPictureSize((folder.path() / path).string());
        EXPECT_EQ(size.width, size.height);
        const std::string side = std::to_string(size.width);
        EXPECT_EQ(path, "hicolor/" + side + "x" + side + "/apps/pictaven.png");
        sizes.insert(std::to_string(size.width));
        ASSERT_TRUE(fs::exists(IconFolder / path))
            << "desktop/icons/" << path << " is missing: run pictaven-make-data data desktop/icons";
        EXPECT_TRUE(readFile(folder.path() / path) == readFile(IconFolder / path))
            << "desktop/icons/" << path << " differs from what pictaven-make-data writes";
    }
    EXPECT_EQ(sizes, (std::set<std::string>{"48", "128", "256"}));
}

TEST_F(ShippedDataFiles, TexturesAreJpegPictures)
{
    const auto textures = writtenWithExtension(".jpg");
    EXPECT_GE(textures.size(), 2u);
    for (const std::string& path : textures) {
        if (path == "mask.jpg")
            continue;
        EXPECT_TRUE(path.starts_with("backgrnd/")) << path;
        EXPECT_EQ(readJpegSize(made(path).string()), (ImageSize{128, 128})) << path;
    }
}

// The page grid of a picture template, laid out as generation lays it out.
struct Grid {
    int thumbWidth;
    int thumbHeight;
    int columns = 0;
    int rows = 0;
};

Grid gridOf(const AlbumSettings& s, int width, int height)
{
    const int label = s.Label ? s.LabelHeight : 0;
    const int left = std::stoi(s.Left);
    const int right = std::stoi(s.Right);
    const int top = std::stoi(s.Top);
    const int bottom = std::stoi(s.Bottom);
    const int c = s.ThumbnailsPerRow;
    const int r = s.RowsPerPage;
    Grid grid{(width - left - right - s.SpacingCols * (c - 1)) / c,
              (height - top - bottom - (s.SpacingRows + label) * (r - 1)) / r};
    for (int x = left; x + grid.thumbWidth <= width - right; x += grid.thumbWidth + s.SpacingCols)
        ++grid.columns;
    for (int y = top; y + grid.thumbHeight <= height - bottom; y += grid.thumbHeight + s.SpacingRows + label)
        ++grid.rows;
    return grid;
}

TEST_F(ShippedDataFiles, EveryTemplateGridFitsItsPicture)
{
    const auto pictures = writtenWithExtension(".bmp");
    int templates = 0;
    for (const std::string& path : pictures) {
        if (!path.starts_with("ALBUMS/"))
            continue;
        ++templates;
        SCOPED_TRACE(path);
        const std::string base = made(path).replace_extension().string();
        EXPECT_EQ(readFile(base + ".CFG"), readFile(base + ".DEF"));

        AlbumSettings settings;
        OutputFolderState folders;
        readConfigFile(base + ".CFG", ConfigMode::Template, s_folder->str(), settings, folders);
        const Bitmap picture = loadPicture(made(path).string());
        const Grid grid = gridOf(settings, picture.width(), picture.height());
        EXPECT_EQ(grid.columns, settings.ThumbnailsPerRow);
        EXPECT_EQ(grid.rows, settings.RowsPerPage);
        EXPECT_GE(grid.thumbWidth, 64);
        EXPECT_GE(grid.thumbHeight, 64);
        EXPECT_LE(std::max(grid.thumbWidth, grid.thumbHeight), 2 * std::min(grid.thumbWidth, grid.thumbHeight));
        // The preferences dialog shows the cell size that generation will use.
        EXPECT_EQ(settings.ThumbWidth, grid.thumbWidth);
        EXPECT_EQ(settings.ThumbHeight, grid.thumbHeight);
        // Labels above the first row, and shadows beside and below the last, stay on the picture.
        EXPECT_GE(std::stoi(settings.Top) - (settings.Label ? settings.LabelHeight : 0), 1);
        if (settings.Shadow) {
            EXPECT_GE(std::stoi(settings.Right), 16);
            EXPECT_GE(std::stoi(settings.Bottom), 16);
        }
        // Each cell, with its label strip above and its shadow beside and below, lies on one
        // plain colour of the picture (a page, a film window, a card, a mat), clear of the
        // decoration around it. The responsive template's pages are no pictures: its picture
        // only shows on step 2 what its albums look like.
        if (path == "ALBUMS/Responsive.bmp")
            continue;
        const int label = settings.Label ? settings.LabelHeight : 0;
        const int shadow = settings.Shadow ? 16 : 0;
        for (int row = 0; row < grid.rows; ++row) {
            for (int column = 0; column < grid.columns; ++column) {
                const int x = std::stoi(settings.Left) + column * (grid.thumbWidth + settings.SpacingCols);
                const int y = std::stoi(settings.Top) + row * (grid.thumbHeight + settings.SpacingRows + label);
                const Colour plain = picture.pixel(x, y);
                for (int py = y - std::max(label, 1); py < y + grid.thumbHeight + shadow; ++py) {
                    for (int px = x - 1; px < x + grid.thumbWidth + shadow; ++px)
                        ASSERT_EQ(picture.pixel(px, py), plain)
                            << "cell " << column << "," << row << " at " << px << "," << py;
                }
            }
        }
        // A template that sets a background colour has pure white where generation pours it.
        if (settings.EnableBgColor && settings.BgColor != 16777215) {
            const int maxX = picture.width() - std::stoi(settings.Right);
            const int maxY = picture.height() - std::stoi(settings.Bottom);
            EXPECT_EQ(picture.pixel(maxX / 4, maxY / 2), (Colour{255, 255, 255}));
            EXPECT_EQ(picture.pixel(static_cast<int>(maxX * 0.75), maxY / 2), (Colour{255, 255, 255}));
        }
    }
    EXPECT_GE(templates, 3);
}

TEST_F(ShippedDataFiles, StartUpCopiesEveryGeneratedFileIntoTheProgramFolder)
{
    TempDir home;
    EXPECT_TRUE(seedShippedData(DataFolder.string(), home.str()).empty());
    for (const std::string& path : *s_written)
        EXPECT_TRUE(readFile(home.path() / path) == readFile(DataFolder / path)) << path;
}

} // namespace
} // namespace pictaven
