#include "FixtureFiles.h"

#include "decoders/GraphicToJpeg.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace pictaven {
namespace {

struct Conversion {
    test::TempDir dir;
    std::vector<std::string> log;
    GraphicToJpegContext context;

    Conversion()
    {
        std::filesystem::create_directory(dir / "out");
        context.outputFolder = dir.str() + "out/";
        context.quality = 97;
        context.logMessage = [this](const std::string& message) { log.push_back(message); };
    }
    std::string source(const std::string& name, const test::Bytes& bytes)
    {
        test::writeFile(dir / name, std::string(bytes.begin(), bytes.end()));
        return (dir / name).string();
    }
};

TEST(GraphicToJpeg, ConvertsANonWebPhotoIntoTheOutputFolder)
{
    Conversion c;
    const std::string source = c.source("Scan.TGA", test::fixtureNamed("truecolour.tga").bytes);
    c.context.fileName = "scan.jpg";
    std::string working = "unchanged";
    bool converted = false;
    graphicToJpeg(source, working, converted, c.context);
    EXPECT_TRUE(c.log.empty());
    EXPECT_TRUE(converted);
    EXPECT_EQ(working, c.context.outputFolder + "scan.jpg");
    const Bitmap written = readJpeg(working);
    EXPECT_EQ(written.width(), 3);
    EXPECT_EQ(written.height(), 2);
}

TEST(GraphicToJpeg, LeavesWebFormatsAlone)
{
    Conversion c;
    std::string working = "unchanged";
    bool converted = false;
    graphicToJpeg(c.dir.str() + "my.jpgs/scan.bmp", working, converted, c.context);
    graphicToJpeg(c.dir.str() + "photo.PNG", working, converted, c.context);
    EXPECT_EQ(working, "unchanged");
    EXPECT_FALSE(converted);
    EXPECT_TRUE(c.log.empty());
}

TEST(GraphicToJpeg, ReportsAnUnreadableFileAndThenTheFailedConversion)
{
    Conversion c;
    const std::string source = c.source("broken.bmp", {'B', 'M', 1, 2});
    c.context.fileName = "broken.jpg";
    std::string working;
    bool converted = false;
    graphicToJpeg(source, working, converted, c.context);
    ASSERT_EQ(c.log.size(), 2u);
    EXPECT_EQ(c.log[0], "Error reading file " + source + "\r\n " + source + ": truncated BMP file");
    EXPECT_EQ(c.log[1], "Error converting [" + source + "] to JPEG \n\r" + c.context.outputFolder +
                            "broken.jpg: cannot write an empty picture as JPEG");
    EXPECT_TRUE(converted);
    EXPECT_EQ(working, c.context.outputFolder + "broken.jpg");
}

TEST(GraphicToJpeg, ReplacesAReadOnlyEarlierCopy)
{
    Conversion c;
    const std::string source = c.source("scan.pcx", test::fixtureNamed("truecolour.pcx").bytes);
    c.context.fileName = "scan.jpg";
    const std::filesystem::path old = c.dir / "out" / "scan.jpg";
    test::writeFile(old, "old");
    std::filesystem::permissions(old, std::filesystem::perms::owner_read);
    std::string working;
    bool converted = false;
    graphicToJpeg(source, working, converted, c.context);
    EXPECT_TRUE(c.log.empty()) << c.log.front();
    EXPECT_EQ(readJpeg(working).width(), 3);
}

} // namespace
} // namespace pictaven
