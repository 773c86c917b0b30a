#include "FixtureFiles.h"

#include "decoders/PictureLoader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

void writeBytes(const std::filesystem::path& path, const test::Bytes& bytes)
{
    test::writeFile(path, std::string(bytes.begin(), bytes.end()));
}

TEST(PictureLoader, ChoosesTheReaderByExtensionInAnyCase)
{
    struct Case {
        const char* path;
        const char* format;
    };
    const Case cases[] = {{"a.JPG", "JPEG"},  {"a.jpeg", "JPEG"},      {"dir.x/a.Gif", "GIF"}, {"a.png", "PNG"},
                          {"a.BMP", "BMP"},   {"a.dib", "BMP"},        {"a.rle", "BMP"},       {"a.pcx", "PCX"},
                          {"a.tif", "TIFF"},  {"a.TIFF", "TIFF"},      {"a.psp", "Paint Shop Pro"},
                          {"a.tga", "Targa"}, {"a.emf", "Windows metafile"}, {"a.wmf", "Windows metafile"},
                          {"a.psd", "Photoshop"}, {"a.PDD", "Photoshop"}, {"a.pbm", "PBM"}, {"a.pgm", "PGM"},
                          {"a.ppm", "PPM"},   {"a.pic", "Autodesk Animator"}, {"a.CEL", "Autodesk Animator"},
                          {"a.cut", "Dr. Halo CUT"}};
    for (const Case& c : cases) {
        const PictureFormat* format = pictureFormatFor(c.path);
        ASSERT_NE(format, nullptr) << c.path;
        EXPECT_STREQ(format->name, c.format) << c.path;
    }
    EXPECT_EQ(pictureFormatFor("notes.txt"), nullptr);
    EXPECT_EQ(pictureFormatFor("jpg"), nullptr);
    EXPECT_EQ(pictureFormatFor("folder.bmp/picture"), nullptr);
}

TEST(PictureLoader, LoadsAFileAndNamesItInEveryFailure)
{
    test::TempDir dir;
    const test::Fixture fixture = test::fixtureNamed("truecolour.tga");
    writeBytes(dir / "photo.TGA", fixture.bytes);
    EXPECT_EQ(loadPicture((dir / "photo.TGA").string()), fixture.expected);

    const std::string missing = (dir / "missing.bmp").string();
    EXPECT_THROW(
        {
            try {
                loadPicture(missing);
            } catch (const std::runtime_error& error) {
                EXPECT_EQ(std::string(error.what()), missing + ": No such file or directory");
                throw;
            }
        },
        std::runtime_error);
    const std::string text = (dir / "notes.txt").string();
    test::writeFile(text, "hello");
    try {
        loadPicture(text);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), text + ": not a picture format this program reads");
    }
}

TEST(PictureLoader, FindsTheCutPaletteBesideThePictureInAnyCase)
{
    test::TempDir dir;
    const test::Fixture cut = test::fixtureNamed("grey.cut");
    writeBytes(dir / "scan.cut", cut.bytes);
    EXPECT_EQ(loadPicture((dir / "scan.cut").string()), cut.expected);

    writeBytes(dir / "SCAN.PAL", test::haloPalette());
    EXPECT_EQ(loadPicture((dir / "scan.cut").string()), test::sampleBitmap());
}

TEST(PictureLoader, RefusesMetafilesClearly)
{
    test::TempDir dir;
    const std::string path = (dir / "drawing.emf").string();
    test::writeFile(path, std::string("\x01\0\0\0", 4) + std::string(100, '\0'));
    try {
        loadPicture(path);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  path + ": Windows metafiles cannot be converted into pictures by this program");
    }
}

} // namespace
} // namespace pictaven
