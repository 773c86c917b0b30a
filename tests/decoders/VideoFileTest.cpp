#include "decoders/VideoFile.h"
#include "FixtureFiles.h"
#include "decoders/PictureLoader.h"
#include "decoders/VideoInput.h"
#include "imaging/InputFile.h"
#include "support/TempDir.h"
#include "support/VideoClips.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace pictaven {
namespace {

using test::VideoClip;

// Each clip is made when a test first asks for it and kept for the others: ffmpeg takes a while
// over HEVC.
class VideoFileTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_folder = std::make_unique<test::TempDir>(); }
    static void TearDownTestSuite() { s_folder.reset(); }

    static std::string clip(const std::string& name)
    {
        const std::map<std::string, VideoClip> kinds = {{"landscape.mp4", VideoClip::LandscapeH264},
                                                        {"portrait.MOV", VideoClip::PortraitHevc},
                                                        {"fade.mp4", VideoClip::FadeIn},
                                                        {"damaged.mp4", VideoClip::Damaged},
                                                        {"clip.webm", VideoClip::WebmVp9},
                                                        {"oversized.mkv", VideoClip::Oversized}};
        const std::filesystem::path path = s_folder->path() / name;
        if (!std::filesystem::exists(path))
            test::makeVideoClip(s_folder->path(), name.c_str(), kinds.at(name));
        return path.string();
    }

    static inline std::unique_ptr<test::TempDir> s_folder;
};

// A small Matroska clip whose header claims 8000 x 8000 pixels: within the Bitmap limits on
// each side, beyond what a video may have in all.
std::filesystem::path claimingHugeFrames(const std::filesystem::path& folder)
{
    const std::filesystem::path made = folder / "small.mkv";
    EXPECT_TRUE(test::runFfmpeg("-f lavfi -i color=size=256x256:rate=1:duration=1 -c:v ffv1 '" + made.string() + "'"));
    std::string bytes = test::readFile(made);
    // PixelWidth (B0) and PixelHeight (BA), each two bytes holding 256.
    for (const std::string& element : {std::string("\xB0\x82\x01\x00", 4), std::string("\xBA\x82\x01\x00", 4)}) {
        const std::size_t at = bytes.find(element);
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos)
            bytes.replace(at + 2, 2, "\x1F\x40");
    }
    const std::filesystem::path crafted = folder / "claiming.mkv";
    test::writeFile(crafted, bytes);
    return crafted;
}

double meanBrightness(const Bitmap& picture)
{
    double sum = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = picture.pixel(x, y);
            sum += (c.red + c.green + c.blue) / 3.0;
        }
    }
    return sum / (static_cast<double>(picture.width()) * picture.height());
}

TEST_F(VideoFileTest, ProbeTellsContainerCodecsSizesTurnAndPlace)
{
    struct Case {
        const char* name;
        const char* container;
        const char* videoCodec;
        const char* audioCodec;
        ImageSize coded;
        int rotation;
        ImageSize shown;
        bool hasLocation;
        bool isoMp4;
    };
    const std::vector<Case> cases = {
        {"landscape.mp4", "MP4", "H.264", "AAC", {320, 180}, 0, {320, 180}, false, true},
        {"portrait.MOV", "QuickTime", "HEVC", "AAC", {320, 180}, 270, {180, 320}, true, false},
        {"fade.mp4", "MP4", "H.264", "AAC", {320, 180}, 0, {320, 180}, false, true},
        {"clip.webm", "WebM", "VP9", "Opus", {320, 180}, 0, {320, 180}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const VideoFacts facts = probeVideo(clip(c.name));
        EXPECT_EQ(facts.container, c.container);
        EXPECT_EQ(facts.videoCodec, c.videoCodec);
        EXPECT_EQ(facts.audioCodec, c.audioCodec);
        EXPECT_EQ(facts.pixelFormat, "yuv420p");
        EXPECT_NEAR(facts.durationSeconds, 3.0, 0.1);
        EXPECT_EQ(facts.coded, c.coded);
        EXPECT_EQ(facts.rotation, c.rotation);
        EXPECT_EQ(facts.shown, c.shown);
        EXPECT_EQ(facts.hasLocation, c.hasLocation);
        EXPECT_EQ(facts.isoMp4, c.isoMp4);
        EXPECT_EQ(readPictureSize(clip(c.name)), c.shown);
    }
}

TEST_F(VideoFileTest, ProbeKeepsTheContainersTagsAndCreationTime)
{
    const VideoFacts facts = probeVideo(clip("portrait.MOV"));
    const auto has = [&](const std::string& key, const std::string& value) {
        for (const auto& tag : facts.tags) {
            if (tag.first == key && tag.second == value)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has("location", "+48.8584+002.2945/"));
    EXPECT_TRUE(has("com.apple.quicktime.location.ISO6709", "+48.8584+002.2945/"));
    EXPECT_TRUE(has("major_brand", "qt  "));
    EXPECT_EQ(probeVideo(clip("landscape.mp4")).creationTime, 0) << "ffmpeg writes no creation time unless asked";
}

TEST_F(VideoFileTest, CreationTimeIsReadAsUtcOrWithItsOffset)
{
    struct Case {
        const char* tag;
        std::int64_t seconds;
    };
    // 2024-05-01 12:34:56 UTC.
    const std::vector<Case> cases = {
        {"creation_time=2024-05-01T12:34:56.000000Z", 1714566896},
        {"creation_time=2024-05-01 12:34:56", 1714566896},
        {"com.apple.quicktime.creationdate=2024-05-01T14:34:56+0200", 1714566896},
        {"com.apple.quicktime.creationdate=2024-05-01T07:34:56-05:00", 1714566896},
        {"creation_time=sometime", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        const std::string target = (s_folder->path() / "dated.mov").string();
        ASSERT_TRUE(test::runFfmpeg("-i '" + clip("landscape.mp4") +
                                    "' -map 0 -c copy -movflags use_metadata_tags -metadata '" + c.tag + "' '" +
                                    target + "'"));
        EXPECT_EQ(probeVideo(target).creationTime, c.seconds);
    }
}

TEST_F(VideoFileTest, DamagedOversizedAndNonFilesAreRefusedNamingThePath)
{
    test::TempDir scratch;
    std::filesystem::create_directory(scratch / "folder.mp4");
    const std::string pipe = (scratch / "pipe.mp4").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    test::writeFile(scratch / "text.mp4", "not a video at all, only some words");
    const std::string claiming = claimingHugeFrames(scratch.path()).string();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {clip("damaged.mp4"), "damaged"},
        {clip("oversized.mkv"), "40000 x 2 pixels are larger than this program reads"},
        {claiming, "8000 x 8000 pixels are larger than this program reads"},
        {(scratch / "folder.mp4").string(), "is a folder"},
        {pipe, "is a named pipe"},
        {"/dev/zero", "is a device"},
        {(scratch / "text.mp4").string(), "damaged"},
        {(scratch / "missing.mp4").string(), "No such file"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        for (const auto& read :
             {+[](const std::string& p) { probeVideo(p); }, +[](const std::string& p) { decodeVideoPoster(p); },
              +[](const std::string& p) { loadPicture(p); }}) {
            try {
                read(path);
                ADD_FAILURE() << "read without an error";
            } catch (const std::runtime_error& error) {
                const std::string message = error.what();
                EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << message;
                EXPECT_NE(message.find(reason), std::string::npos) << message;
            }
        }
    }
}

// Whatever holds a read up (a slow disk, a file built to keep the demuxer busy), the work ends at
// its deadline: here one already passed.
TEST_F(VideoFileTest, ReadingStopsAtItsDeadlineNamingTheFile)
{
    const std::string path = clip("landscape.mp4");
    try {
        const VideoInput input(path, std::chrono::seconds(0));
        ADD_FAILURE() << "opened after its deadline";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), path + ": reading it took too long");
    }
    EXPECT_NO_THROW(VideoInput(path, std::chrono::seconds(20)));
}

// A clip larger than any picture file the program reads (here by a sparse tail after its
// pictures) is read in parts, never whole.
TEST_F(VideoFileTest, AVideoLargerThanAnyPictureIsReadInParts)
{
    test::TempDir scratch;
    const std::filesystem::path large = scratch / "large.mp4";
    std::filesystem::copy_file(clip("landscape.mp4"), large);
    std::filesystem::resize_file(large, InputFile::MaxPictureBytes + 1024 * 1024);
    EXPECT_EQ(readPictureSize(large.string()), (ImageSize{320, 180}));
    EXPECT_EQ(loadPicture(large.string()).width(), 320);
}

// Nothing but black within the first seconds: the first frame stands for the clip.
TEST_F(VideoFileTest, PosterOfAClipThatStaysBlackIsItsFirstFrame)
{
    test::TempDir scratch;
    const std::string black = (scratch / "black.mp4").string();
    ASSERT_TRUE(test::runFfmpeg(
        "-f lavfi -i color=black:size=64x36:rate=30:duration=5 -c:v libx264 -pix_fmt yuv420p '" + black + "'"));
    const Bitmap poster = decodeVideoPoster(black);
    EXPECT_EQ(poster.width(), 64);
    EXPECT_EQ(poster.height(), 36);
    EXPECT_LT(meanBrightness(poster), 2.0);
}

// The fade-in clip's 1.5 seconds, and one that brightens by barely a grey level a frame over
// 3 seconds.
TEST_F(VideoFileTest, PosterSkipsTheBlackOfAFadeIn)
{
    test::TempDir scratch;
    const std::string slow = (scratch / "slow.mp4").string();
    ASSERT_TRUE(test::runFfmpeg("-f lavfi -i testsrc2=size=320x180:rate=30:duration=4 -vf fade=in:0:90 "
                                "-c:v libx264 -preset veryfast -pix_fmt yuv420p '" +
                                slow + "'"));
    const double full = meanBrightness(decodeVideoPoster(clip("landscape.mp4")));
    for (const std::string& path : {clip("fade.mp4"), slow}) {
        SCOPED_TRACE(path);
        const Bitmap poster = decodeVideoPoster(path);
        ASSERT_EQ(poster.width(), 320);
        ASSERT_EQ(poster.height(), 180);
        EXPECT_GT(meanBrightness(poster), full * 0.9) << "the full pattern's brightness is " << full;
    }
}

// ffmpeg turns frames upright by the display matrix when it exports them (it reads the matrix
// as a counter-clockwise turn): the poster must show the same picture. The "rotate" tags make
// copies of the landscape clip with each quarter turn.
TEST_F(VideoFileTest, PosterStandsUprightAsFfmpegShowsIt)
{
    struct Case {
        std::string clip;
        const char* rotateTag;
        int rotation;
    };
    const std::vector<Case> cases = {
        {"portrait.MOV", nullptr, 270},
        {"landscape.mp4", "90", 270},
        {"landscape.mp4", "180", 180},
        {"landscape.mp4", "270", 90},
    };
    test::TempDir scratch;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clip + " " + (c.rotateTag ? c.rotateTag : ""));
        std::string path = clip(c.clip);
        if (c.rotateTag) {
            const std::string turned = (scratch / (std::string("turned") + c.rotateTag + ".mp4")).string();
            ASSERT_TRUE(test::runFfmpeg("-i '" + path + "' -map 0 -c copy -metadata:s:v:0 rotate=" + c.rotateTag +
                                        " '" + turned + "'"));
            path = turned;
        }
        EXPECT_EQ(probeVideo(path).rotation, c.rotation);
        const std::string reference = (scratch / "first.png").string();
        ASSERT_TRUE(test::runFfmpeg("-i '" + path + "' -frames:v 1 '" + reference + "'"));
        const Bitmap expected = loadPicture(reference);
        const Bitmap poster = loadPicture(path);
        ASSERT_EQ(poster.width(), expected.width());
        ASSERT_EQ(poster.height(), expected.height());
        EXPECT_EQ(poster.width(), c.rotation == 180 ? 320 : 180);
        EXPECT_LT(test::differenceOf(poster, expected).mean, 6.0);
    }
}

TEST(VideoPath, VideoExtensionsInAnyCase)
{
    for (const char* path : {"a.mp4", "a.MP4", "b.m4v", "c.Mov", "d.webm", "e.MKV"})
        EXPECT_TRUE(isVideoPath(path)) << path;
    for (const char* path : {"a.jpg", "a.mp4.txt", "mp4", "a.mp3", "a.avi"})
        EXPECT_FALSE(isVideoPath(path)) << path;
}

} // namespace
} // namespace pictaven
