#include "FixtureFiles.h"

#include "decoders/FileBytes.h"
#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"
#include "imaging/InputFile.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

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
        EXPECT_EQ(pictureFormatName(c.path), c.format) << c.path;
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

// The message `read` throws, "read" when it throws nothing, or "blocked" when it waits on the
// named pipe `pipe`: after a generous wait the pipe is opened for writing, which lets the
// reader go on, so that a reader that blocks fails the test instead of hanging it.
std::string refusal(const std::function<void()>& read, const std::string& pipe)
{
    auto outcome = std::async(std::launch::async, [&]() -> std::string {
        try {
            read();
            return "read";
        } catch (const std::runtime_error& error) {
            return error.what();
        }
    });
    if (outcome.wait_for(std::chrono::seconds(30)) == std::future_status::ready)
        return outcome.get();
    const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    outcome.wait();
    if (writer >= 0)
        ::close(writer);
    return "blocked";
}

TEST(PictureLoader, ReadsOnlyRegularFilesAndNamesWhatElseItFinds)
{
    test::TempDir dir;
    const std::string pipe = (dir / "pipe.jpg").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string link = (dir / "zero.png").string();
    ASSERT_EQ(::symlink("/dev/zero", link.c_str()), 0);
    const std::string folder = (dir / "album.bmp").string();
    std::filesystem::create_directory(folder);
    // Sparse: it takes no room on the disk.
    const std::string huge = (dir / "huge.jpg").string();
    test::writeFile(huge, "");
    std::filesystem::resize_file(huge, InputFile::MaxPictureBytes + 1);

    struct Case {
        const std::string& path;
        const char* reason;
    };
    const Case cases[] = {{pipe, "is a named pipe, not a file"},
                          {link, "is a device, not a file"},
                          {folder, "is a folder, not a picture file"},
                          {huge, "larger than 512 MB, the most this program reads"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string expected = c.path + ": " + c.reason;
        EXPECT_EQ(refusal([&] { loadPicture(c.path); }, pipe), expected);
        EXPECT_EQ(refusal([&] { readPictureSize(c.path); }, pipe), expected);
        EXPECT_EQ(refusal([&] { readFileBytes(c.path); }, pipe), expected);
        // The JPEG reader of photos, their masks and watermarks opens files itself.
        EXPECT_EQ(refusal([&] { readJpeg(c.path); }, pipe), expected);
        EXPECT_EQ(refusal([&] { readJpegSize(c.path); }, pipe), expected);
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
