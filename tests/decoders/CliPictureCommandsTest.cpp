#include "FixtureFiles.h"

#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "support/TempDir.h"
#include "support/VideoClips.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pictaven {
namespace {

struct Result {
    int status = -1;
    std::string output; // standard output and standard error
};

Result runCli(const std::string& arguments, const std::string& home)
{
    // Bounded, so that a command that hangs fails the test instead of stopping it.
    const std::string command = "PICTAVEN_HOME='" + home + "' timeout 60 '" PICTAVEN_CLI "' " + arguments + " 2>&1";
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

TEST(CliInfo, PrintsFormatAndSizeOrTheReasonForEachFile)
{
    test::TempDir dir;
    const test::Fixture bmp = test::fixtureNamed("bottomup.bmp");
    test::writeFile(dir / "good.bmp", std::string(bmp.bytes.begin(), bmp.bytes.end()));
    test::writeFile(dir / "bad.psd", "not a picture at all");
    const Result ok = runCli("info " + quoted(dir / "good.bmp"), dir.str());
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.output, (dir / "good.bmp").string() + ": BMP, 3 x 2\n");

    const Result mixed = runCli("info " + quoted(dir / "bad.psd") + " " + quoted(dir / "good.bmp"), dir.str());
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.output,
              (dir / "bad.psd").string() + ": not a Photoshop file\n" + (dir / "good.bmp").string() + ": BMP, 3 x 2\n");
}

TEST(CliInfo, SaysWhatAPhotosMetadataHolds)
{
    test::TempDir dir;
    const std::filesystem::path photo = dir / "phone.jpg";
    writeJpeg(Bitmap(8, 6), photo.string(), 90);
    ASSERT_EQ(std::system(("/usr/bin/exiftool -q -overwrite_original -Orientation#=6 -XMP-dc:Title=Harbour "
                           "'-DateTimeOriginal=2021:07:04 10:30:15' -GPSLatitude=48.5 -GPSLatitudeRef=N "
                           "-GPSLongitude=2.25 -GPSLongitudeRef=E " +
                           quoted(photo))
                              .c_str()),
              0);
    const Result result = runCli("info " + quoted(photo), dir.str());
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, photo.string() + ": JPEG, 8 x 6\n"
                                              "  Orientation: 6 (turned a quarter clockwise)\n"
                                              "  Taken: 2021-07-04 10:30:15\n"
                                              "  Title: Harbour\n"
                                              "  Location: present\n");
}

TEST(CliInfo, ReadsOnlyTheHeaderOfRegularFilesAndNamesWhatElseItFinds)
{
    test::TempDir dir;
    // 14000 x 14000 pixels claimed by 495 bytes: the header is all `info` needs.
    const test::Bytes png = test::pngClaiming(14000, 14000, 450);
    test::writeFile(dir / "huge.png", std::string(png.begin(), png.end()));
    ASSERT_EQ(::mkfifo((dir / "pipe.jpg").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", (dir / "zero.png").c_str()), 0);
    std::filesystem::create_directory(dir / "photos");

    const Result result = runCli("info " + quoted(dir / "huge.png") + " " + quoted(dir / "pipe.jpg") + " " +
                                     quoted(dir / "zero.png") + " " + quoted(dir / "photos"),
                                 dir.str());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, (dir / "huge.png").string() + ": PNG, 14000 x 14000\n" + (dir / "pipe.jpg").string() +
                                 ": is a named pipe, not a file\n" + (dir / "zero.png").string() +
                                 ": is a device, not a file\n" + (dir / "photos").string() +
                                 ": is a folder, not a picture file\n");
}

TEST(CliInfo, TellsWhatACamerasExifBlockHolds)
{
    test::TempDir dir;
    const std::filesystem::path photo = dir / "dune.jpg";
    std::filesystem::copy_file(std::string(TEST_DATA_DIR) + "/photos/mate_Dune.jpg", photo);
    const Result camera = runCli("info " + quoted(photo), dir.str());
    EXPECT_EQ(camera.output, photo.string() + ": JPEG, 1680 x 1050\n  Orientation: 1 (upright)\n"
                                              "  Taken: 2007-08-06 10:29:13\n  Location: none\n");

    const std::string tag = "exiftool -q -overwrite_original -n -Orientation=7 '-ImageDescription=Dunes at noon' "
                            "-GPSLatitude=48.5 -GPSLatitudeRef=N " +
                            quoted(photo);
    ASSERT_EQ(std::system(tag.c_str()), 0) << "exiftool is needed";
    const Result tagged = runCli("info " + quoted(photo), dir.str());
    EXPECT_EQ(tagged.output, photo.string() + ": JPEG, 1680 x 1050\n"
                                              "  Orientation: 7 (mirrored and turned a quarter clockwise)\n"
                                              "  Taken: 2007-08-06 10:29:13\n  Description: Dunes at noon\n"
                                              "  Location: present\n");
}

TEST(CliConvert, WritesJpegAtTheStoredOrGivenQuality)
{
    test::TempDir dir;
    // A picture big enough for the quality to show in the file size.
    Bitmap picture(64, 64, 24);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64 * 3; ++x)
            picture.row(y)[x] = static_cast<std::uint8_t>((x * 7 + y * 13) ^ (x * y));
    writeJpeg(picture, (dir / "source.jpg").string(), 100);
    const auto in = quoted(dir / "source.jpg");

    ASSERT_EQ(runCli("convert " + in + " " + quoted(dir / "default.jpg"), dir.str()).status, 0);
    ASSERT_EQ(runCli("convert " + in + " " + quoted(dir / "given.jpg") + " --quality 97", dir.str()).status, 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "default.jpg"), std::filesystem::file_size(dir / "given.jpg"));

    test::writeFile(dir / "settings.ini", "[Vardle]\r\nCompression2=20\r\n");
    ASSERT_EQ(runCli("convert " + in + " " + quoted(dir / "stored.jpg"), dir.str()).status, 0);
    ASSERT_EQ(runCli("convert " + in + " " + quoted(dir / "twenty.jpg") + " --quality 20", dir.str()).status, 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "stored.jpg"), std::filesystem::file_size(dir / "twenty.jpg"));
    EXPECT_LT(std::filesystem::file_size(dir / "stored.jpg"), std::filesystem::file_size(dir / "default.jpg"));
    EXPECT_EQ(readJpeg((dir / "stored.jpg").string()).width(), 64);

    const Result bad = runCli("convert " + in + " " + quoted(dir / "x.jpg") + " --quality 101", dir.str());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.output, "pictaven-cli convert: --quality takes a number from 0 to 100, not '101'\n");
    const Result unreadable = runCli("convert " + quoted(dir / "missing.tga") + " " + quoted(dir / "x.jpg"), dir.str());
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.output,
              "pictaven-cli convert: " + (dir / "missing.tga").string() + ": No such file or directory\n");
}

// A phone's portrait clip, with the time it was shot, beside a landscape one and a damaged one.
TEST(CliInfo, SaysWhatAVideoHoldsAsItIsShown)
{
    test::TempDir dir;
    const auto landscape = test::makeVideoClip(dir.path(), "landscape.mp4", test::VideoClip::LandscapeH264);
    const auto portrait = test::makeVideoClip(dir.path(), "portrait.mov", test::VideoClip::PortraitHevc);
    const auto damaged = test::makeVideoClip(dir.path(), "damaged.mp4", test::VideoClip::Damaged);
    const std::filesystem::path dated = dir / "dated.MOV";
    ASSERT_TRUE(test::runFfmpeg(
        "-i " + quoted(portrait) +
        " -map 0 -c copy -movflags use_metadata_tags -metadata creation_time=2024-05-01T12:34:56Z " + quoted(dated)));
    ::setenv("TZ", "UTC", 1);
    const Result result = runCli("info " + quoted(landscape) + " " + quoted(dated) + " " + quoted(damaged), dir.str());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, landscape.string() +
                                 ": MP4 video, 320 x 180\n"
                                 "  Codecs: H.264 (yuv420p), AAC\n"
                                 "  Duration: 3.00 s\n"
                                 "  Location: none\n" +
                                 dated.string() +
                                 ": QuickTime video, 180 x 320\n"
                                 "  Codecs: HEVC (yuv420p), AAC\n"
                                 "  Duration: 3.00 s\n"
                                 "  Rotation: 270 degrees clockwise\n"
                                 "  Taken: 2024-05-01 12:34:56\n"
                                 "  Location: present\n" +
                                 damaged.string() +
                                 ": damaged, or not a video this program reads (Invalid data found when processing "
                                 "input)\n");
}

} // namespace
} // namespace pictaven
