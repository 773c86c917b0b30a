#include "generate/VideoConverter.h"
#include "generate/AtomicFile.h"
#include "generate/FfmpegRun.h"
#include "generate/OutputFolderRecord.h"

#include "support/TempDir.h"
#include "support/VideoClips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::VideoClip;

constexpr const char* place = "+48.8584+002.2945/";
constexpr const char* serial = "SN4417";

// What a probe of each clip finds, as VideoClips makes it.
VideoFacts factsOf(VideoClip clip)
{
    VideoFacts facts;
    facts.container = "MP4";
    facts.videoCodec = "H.264";
    facts.audioCodec = "AAC";
    facts.pixelFormat = "yuv420p";
    facts.durationSeconds = 3;
    facts.coded = facts.shown = {320, 180};
    facts.isoMp4 = true;
    switch (clip) {
    case VideoClip::PortraitHevc:
        facts.container = "QuickTime";
        facts.videoCodec = "HEVC";
        facts.rotation = 90;
        facts.shown = {180, 320};
        facts.hasLocation = true;
        facts.isoMp4 = false;
        facts.tags = {{"major_brand", "qt  "},
                      {"location", place},
                      {"location-eng", place},
                      {"com.apple.quicktime.location.ISO6709", place},
                      {"com.apple.quicktime.make", "Apple"},
                      {"com.apple.quicktime.camera.serial_number", serial},
                      {"creation_time", "2024-05-01T10:00:00.000000Z"}};
        break;
    case VideoClip::Silent:
        facts.audioCodec.clear();
        break;
    case VideoClip::LongMov:
        facts.container = "QuickTime";
        facts.durationSeconds = 20;
        facts.coded = facts.shown = {1280, 720};
        facts.isoMp4 = false;
        break;
    case VideoClip::WebmVp9:
        facts.container = "WebM";
        facts.videoCodec = "VP9";
        facts.audioCodec = "Opus";
        facts.isoMp4 = false;
        break;
    case VideoClip::LandscapeH264:
    case VideoClip::FadeIn:
    case VideoClip::Damaged:
    case VideoClip::Oversized:
        break;
    }
    return facts;
}

VideoShape shapeOf(int longSide, MetadataChoice metadata = PublishedMetadata::AllButPrivate)
{
    VideoShape shape;
    shape.longSide = longSide;
    shape.metadata = metadata;
    return shape;
}

// The value of `key` in the first section of ffprobe's text that has it.
std::string probed(const std::string& text, const std::string& section, const std::string& key)
{
    const auto start = text.find("[" + section + "]");
    const auto at = text.find("\n" + key + "=", start);
    if (start == std::string::npos || at == std::string::npos)
        return {};
    const auto value = at + key.size() + 2;
    return text.substr(value, text.find('\n', value) - value);
}

// The tags ffprobe found, of the container and of the streams, as "key=value".
std::vector<std::string> tagsIn(const std::string& probe)
{
    std::vector<std::string> tags;
    std::istringstream lines(probe);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("TAG:"))
            tags.push_back(line.substr(4));
    }
    return tags;
}

bool anyContains(const std::vector<std::string>& texts, const std::string& part)
{
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& text) { return text.find(part) != std::string::npos; });
}

// The names of the top-level boxes of an MP4 file, in file order.
std::vector<std::string> topLevelBoxes(const std::string& bytes)
{
    std::vector<std::string> boxes;
    std::uint64_t at = 0;
    while (at + 8 <= bytes.size()) {
        std::uint64_t size = 0;
        for (int i = 0; i < 4; ++i)
            size = size << 8 | static_cast<unsigned char>(bytes[at + i]);
        if (size == 1 && at + 16 <= bytes.size()) {
            size = 0;
            for (int i = 8; i < 16; ++i)
                size = size << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        boxes.push_back(bytes.substr(at + 4, 4));
        if (size < 8)
            break;
        at += size;
    }
    return boxes;
}

bool moovBeforeMdat(const fs::path& file)
{
    const std::vector<std::string> boxes = topLevelBoxes(test::readFile(file));
    const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
    return moov != boxes.end() && moov < std::find(boxes.begin(), boxes.end(), "mdat");
}

// The names in `folder` other than the record of generated files.
std::vector<std::string> leftIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != OutputFolderRecord::fileName)
            names.push_back(entry.path().filename().string());
    }
    return names;
}

class VideoConverterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_clips = std::make_unique<test::TempDir>();
        for (const auto& [clip, name] : std::map<VideoClip, const char*>{{VideoClip::LandscapeH264, "landscape.mp4"},
                                                                         {VideoClip::PortraitHevc, "portrait.mov"},
                                                                         {VideoClip::Damaged, "damaged.mp4"},
                                                                         {VideoClip::Silent, "silent.mp4"},
                                                                         {VideoClip::LongMov, "long.mov"},
                                                                         {VideoClip::WebmVp9, "vp9.webm"}})
            s_paths[clip] = test::makeVideoClip(s_clips->path(), name, clip).string();
    }
    static void TearDownTestSuite() { s_clips.reset(); }

    // Publishes `clip` into the test's folder as "video.mp4" and returns the file.
    fs::path publish(VideoClip clip, const VideoShape& shape)
    {
        const fs::path target = m_out / "video.mp4";
        VideoConverter(shape).convert(s_paths[clip], factsOf(clip), target.string(), {}, m_cancel);
        return target;
    }

    static std::unique_ptr<test::TempDir> s_clips;
    static std::map<VideoClip, std::string> s_paths;
    test::TempDir m_out;
    std::atomic<bool> m_cancel{false};
};

std::unique_ptr<test::TempDir> VideoConverterTest::s_clips;
std::map<VideoClip, std::string> VideoConverterTest::s_paths;

TEST_F(VideoConverterTest, CopiesAPlayableClipWithItsIndexMovedToTheFront)
{
    for (const VideoClip clip : {VideoClip::LandscapeH264, VideoClip::Silent}) {
        SCOPED_TRACE(s_paths[clip]);
        ASSERT_TRUE(VideoConverter(shapeOf(1920)).copies(factsOf(clip)));
        const fs::path published = publish(clip, shapeOf(1920));
        EXPECT_TRUE(moovBeforeMdat(published));
        // The same packets, so the streams were copied, not encoded again.
        const std::string packets = "-v error -show_entries packet=stream_index,data_hash -show_data_hash md5";
        const std::string copied = test::probeText(published, packets);
        EXPECT_NE(copied.find("data_hash=MD5:"), std::string::npos) << copied;
        EXPECT_EQ(copied, test::probeText(s_paths[clip], packets));
        const std::string probe = test::probeText(published);
        EXPECT_EQ(probed(probe, "STREAM", "codec_name"), "h264");
        EXPECT_EQ(probe.find("codec_name=aac") != std::string::npos, clip == VideoClip::LandscapeH264);
    }
    // The silent clip was written with its index last: moving it is the copy's work.
    EXPECT_FALSE(moovBeforeMdat(s_paths[VideoClip::Silent]));
}

TEST_F(VideoConverterTest, TakesTheFactsAProbeFinds)
{
    const VideoConverter converter(shapeOf(1920));
    for (const VideoClip clip : {VideoClip::LandscapeH264, VideoClip::PortraitHevc, VideoClip::Silent,
                                 VideoClip::LongMov, VideoClip::WebmVp9}) {
        SCOPED_TRACE(s_paths[clip]);
        const VideoFacts found = probeVideo(s_paths[clip]);
        VideoFacts known = factsOf(clip);
        known.tags = found.tags;
        EXPECT_EQ(converter.arguments("in", found, "out"), converter.arguments("in", known, "out"));
    }
    // Matroska's demuxer, VP9 and Opus, as the probe gives them.
    const fs::path target = m_out / "vp9.mp4";
    converter.convert(s_paths[VideoClip::WebmVp9], probeVideo(s_paths[VideoClip::WebmVp9]), target.string(), {},
                      m_cancel);
    const std::string probe = test::probeText(target);
    EXPECT_EQ(probed(probe, "STREAM", "codec_name"), "h264") << probe;
    EXPECT_EQ(probed(probe, "STREAM", "width"), "320");
    EXPECT_NE(probe.find("codec_name=aac"), std::string::npos);
}

TEST_F(VideoConverterTest, TurnsAPortraitHevcClipIntoUprightH264)
{
    ASSERT_FALSE(VideoConverter(shapeOf(1920)).copies(factsOf(VideoClip::PortraitHevc)));
    std::vector<double> reported;
    const fs::path target = m_out / "portrait.mp4";
    VideoConverter(shapeOf(1920))
        .convert(
            s_paths[VideoClip::PortraitHevc], factsOf(VideoClip::PortraitHevc), target.string(),
            [&](double part) { reported.push_back(part); }, m_cancel);

    const std::string probe = test::probeText(target);
    EXPECT_EQ(probed(probe, "STREAM", "codec_name"), "h264") << probe;
    EXPECT_EQ(probed(probe, "STREAM", "profile"), "High");
    EXPECT_EQ(probed(probe, "STREAM", "pix_fmt"), "yuv420p");
    EXPECT_EQ(probed(probe, "STREAM", "width"), "180");
    EXPECT_EQ(probed(probe, "STREAM", "height"), "320");
    EXPECT_EQ(probe.find("rotation"), std::string::npos) << probe;
    EXPECT_EQ(probe.find("Display Matrix"), std::string::npos);
    EXPECT_NE(probe.find("codec_name=aac"), std::string::npos);
    EXPECT_EQ(probe.find("major_brand=qt"), std::string::npos);
    EXPECT_NEAR(std::stod("0" + probed(probe, "FORMAT", "duration")), 3.0, 0.2);
    EXPECT_TRUE(moovBeforeMdat(target));

    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_GE(reported.front(), 0.0);
    EXPECT_GE(reported.back(), 0.9);
    EXPECT_LE(reported.back(), 1.0);
}

TEST_F(VideoConverterTest, FitsTheLongSideWithoutEnlarging)
{
    struct Case {
        VideoClip clip;
        int longSide;
        const char* width;
        const char* height;
    };
    for (const Case& c :
         {Case{VideoClip::PortraitHevc, 160, "90", "160"}, Case{VideoClip::PortraitHevc, 4000, "180", "320"},
          Case{VideoClip::LandscapeH264, 160, "160", "90"}, Case{VideoClip::Silent, 100, "100", "56"}}) {
        SCOPED_TRACE(std::to_string(c.longSide) + " " + s_paths[c.clip]);
        const std::string probe = test::probeText(publish(c.clip, shapeOf(c.longSide)));
        EXPECT_EQ(probed(probe, "STREAM", "codec_name"), "h264");
        EXPECT_EQ(probed(probe, "STREAM", "width"), c.width);
        EXPECT_EQ(probed(probe, "STREAM", "height"), c.height);
        EXPECT_EQ(probe.find("codec_name=aac") != std::string::npos, c.clip != VideoClip::Silent) << probe;
    }
}

TEST(VideoConverter, AsksForTheLevelTheOutputNeeds)
{
    struct Case {
        ImageSize shown;
        int longSide;
        const char* level;
    };
    for (const Case& c :
         {Case{{320, 180}, 1920, "3.0"}, Case{{1280, 720}, 1920, "3.2"}, Case{{1920, 1080}, 1920, "4.2"},
          Case{{1080, 1920}, 1920, "4.2"}, Case{{3840, 2160}, 1920, "4.2"}, Case{{3840, 2160}, 4000, "5.2"},
          Case{{2560, 1440}, 2560, "5.1"}}) {
        VideoFacts facts = factsOf(VideoClip::PortraitHevc);
        facts.shown = c.shown;
        const std::vector<std::string> arguments = VideoConverter(shapeOf(c.longSide)).arguments("in", facts, "out");
        const auto level = std::find(arguments.begin(), arguments.end(), "-level");
        ASSERT_NE(level, arguments.end());
        EXPECT_EQ(level[1], c.level) << c.shown.width << "x" << c.shown.height << " in " << c.longSide;
    }
}

TEST_F(VideoConverterTest, PublishesTheTagsTheMetadataChoiceKeeps)
{
    const std::vector<std::string> technical = {"major_brand", "minor_version", "compatible_brands", "encoder",
                                                "language",    "handler_name",  "vendor_id"};
    struct Case {
        VideoClip clip;
        MetadataChoice choice;
        bool place;   // the location tags and their value
        bool serial;  // the camera's serial number
        bool ownTags; // the make and the creation time
    };
    for (const Case& c : {Case{VideoClip::PortraitHevc, PublishedMetadata::AllButPrivate, false, false, true},
                          Case{VideoClip::PortraitHevc, std::nullopt, false, false, true},
                          Case{VideoClip::PortraitHevc, PublishedMetadata::None, false, false, false},
                          Case{VideoClip::PortraitHevc, PublishedMetadata::All, true, true, true},
                          Case{VideoClip::LandscapeH264, PublishedMetadata::AllButPrivate, false, false, true},
                          Case{VideoClip::LandscapeH264, PublishedMetadata::None, false, false, false}}) {
        SCOPED_TRACE(std::to_string(c.choice ? static_cast<int>(*c.choice) : -1) + " " + s_paths[c.clip]);
        VideoFacts facts = factsOf(c.clip);
        facts.tags = factsOf(VideoClip::PortraitHevc).tags;
        const fs::path target = m_out / "tags.mp4";
        VideoConverter(shapeOf(1920, c.choice)).convert(s_paths[c.clip], facts, target.string(), {}, m_cancel);

        const std::vector<std::string> tags = tagsIn(test::probeText(target));
        EXPECT_EQ(anyContains(tags, place), c.place);
        EXPECT_EQ(anyContains(tags, "location"), c.place);
        EXPECT_EQ(anyContains(tags, serial), c.serial);
        EXPECT_EQ(anyContains(tags, "com.apple.quicktime.make=Apple"), c.ownTags);
        EXPECT_EQ(anyContains(tags, "creation_time=2024-05-01"), c.ownTags);
        for (const std::string& tag : tags) {
            const bool isTechnical =
                std::find(technical.begin(), technical.end(), tag.substr(0, tag.find('='))) != technical.end();
            EXPECT_TRUE(isTechnical || c.ownTags) << tag;
        }
    }
}

TEST_F(VideoConverterTest, PublishesAClipWithHugeOrCountlessTags)
{
    for (const std::size_t count : {std::size_t{1}, std::size_t{20000}}) {
        VideoFacts facts = factsOf(VideoClip::LandscapeH264);
        const std::string value(count == 1 ? 200000 : 100, 'x');
        for (std::size_t i = 0; i < count; ++i)
            facts.tags.emplace_back("comment" + std::to_string(i), value);
        const fs::path target = m_out / "tagged.mp4";
        EXPECT_NO_THROW(VideoConverter(shapeOf(1920))
                            .convert(s_paths[VideoClip::LandscapeH264], facts, target.string(), {}, m_cancel))
            << count;
        EXPECT_EQ(probed(test::probeText(target), "STREAM", "codec_name"), "h264");
    }
}

TEST_F(VideoConverterTest, WritesTheSameBytesForTheSameRecipe)
{
    const VideoFacts facts = factsOf(VideoClip::PortraitHevc);
    const VideoConverter converter(shapeOf(160));
    converter.convert(s_paths[VideoClip::PortraitHevc], facts, (m_out / "a.mp4").string(), {}, m_cancel);
    converter.convert(s_paths[VideoClip::PortraitHevc], facts, (m_out / "b.mp4").string(), {}, m_cancel);
    EXPECT_EQ(test::readFile(m_out / "a.mp4"), test::readFile(m_out / "b.mp4"));

    const std::string recipe = converter.recipe(facts);
    EXPECT_EQ(recipe, VideoConverter(shapeOf(160)).recipe(facts));
    EXPECT_NE(recipe, VideoConverter(shapeOf(320)).recipe(facts));
    EXPECT_NE(recipe, VideoConverter(shapeOf(160, PublishedMetadata::All)).recipe(facts));
    EXPECT_NE(recipe, VideoConverter(shapeOf(160, PublishedMetadata::None)).recipe(facts));
    const VideoFacts copied = factsOf(VideoClip::LandscapeH264);
    EXPECT_NE(VideoConverter(shapeOf(320)).recipe(copied), VideoConverter(shapeOf(160)).recipe(copied));
}

TEST_F(VideoConverterTest, CancelStopsTheConversionAndLeavesNoFile)
{
    const VideoConverter converter(shapeOf(1920));
    ASSERT_FALSE(converter.copies(factsOf(VideoClip::LongMov)));
    std::chrono::steady_clock::time_point asked;
    double askedAt = 0;
    std::vector<std::string> meanwhile;
    const auto cancelMidway = [&](double part) {
        if (part > 0 && !m_cancel) {
            meanwhile = leftIn(m_out.path());
            askedAt = part;
            asked = std::chrono::steady_clock::now();
            m_cancel = true;
        }
    };
    const fs::path target = m_out / "long.mp4";
    EXPECT_THROW(converter.convert(s_paths[VideoClip::LongMov], factsOf(VideoClip::LongMov), target.string(),
                                   cancelMidway, m_cancel),
                 VideoCancelled);
    ASSERT_TRUE(m_cancel);
    // Meanwhile the file was written under a temporary name of a file listed for clearing, which
    // a later generation removes should this program be killed.
    ASSERT_EQ(meanwhile.size(), 1u);
    EXPECT_TRUE(AtomicFile::isTemporaryOf(meanwhile[0], "long.mp4")) << meanwhile[0];
    EXPECT_EQ(OutputFolderRecord(m_out.str()).names(), std::set<std::string>{"long.mp4"});
    EXPECT_LT(askedAt, 1.0);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
    EXPECT_EQ(leftIn(m_out.path()), std::vector<std::string>{});

    // A request made before the start starts nothing.
    EXPECT_THROW(publish(VideoClip::PortraitHevc, shapeOf(1920)), VideoCancelled);
    EXPECT_EQ(leftIn(m_out.path()), std::vector<std::string>{});
}

TEST_F(VideoConverterTest, AKilledProgramLeavesNoFfmpegRunningAndOnlyATemporaryFileThatClearingRemoves)
{
    int started[2];
    ASSERT_EQ(::pipe(started), 0);
    const pid_t program = ::fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
        const auto tell = [&](double) { static_cast<void>(::write(started[1], "x", 1)); };
        try {
            VideoConverter(shapeOf(1920))
                .convert(s_paths[VideoClip::LongMov], factsOf(VideoClip::LongMov), (m_out / "long.mp4").string(), tell,
                         m_cancel);
        } catch (...) {
        }
        ::_exit(0);
    }
    ::close(started[1]);
    pollfd converting{started[0], POLLIN, 0};
    const bool midway = ::poll(&converting, 1, 30000) == 1;
    ::kill(program, SIGKILL);
    ::waitpid(program, nullptr, 0);
    ::close(started[0]);
    ASSERT_TRUE(midway);

    // ffmpeg, killed with the program, writes no more.
    const std::vector<std::string> left = leftIn(m_out.path());
    ASSERT_EQ(left.size(), 1u);
    const fs::path temporary = m_out / left[0];
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto size = fs::file_size(temporary);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(fs::file_size(temporary), size);
    OutputFolderRecord(m_out.str()).removeLeftovers();
    EXPECT_EQ(leftIn(m_out.path()), std::vector<std::string>{});
}

TEST_F(VideoConverterTest, AFailureNamesTheSourceAndLeavesNoFile)
{
    VideoFacts unknown = factsOf(VideoClip::LandscapeH264);
    unknown.container = "AVI";
    for (const auto& [source, facts] : {std::pair{s_paths[VideoClip::Damaged], factsOf(VideoClip::Damaged)},
                                        std::pair{s_paths[VideoClip::LandscapeH264], unknown}}) {
        try {
            VideoConverter(shapeOf(1920)).convert(source, facts, (m_out / "video.mp4").string(), {}, m_cancel);
            ADD_FAILURE() << source << " was published";
        } catch (const VideoCancelled&) {
            ADD_FAILURE() << "cancelled";
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(source + ": ")) << error.what();
        }
        EXPECT_EQ(leftIn(m_out.path()), std::vector<std::string>{});
    }
}

TEST_F(VideoConverterTest, SaysSoWhenFfmpegIsMissing)
{
    const std::string path = std::getenv("PATH");
    const test::TempDir nothing;
    ::setenv("PATH", nothing.path().c_str(), 1);
    try {
        publish(VideoClip::PortraitHevc, shapeOf(1920));
        ADD_FAILURE() << "published without ffmpeg";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("the ffmpeg program is not installed"), std::string::npos)
            << error.what();
    }
    ::setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(leftIn(m_out.path()), std::vector<std::string>{});
}

TEST_F(VideoConverterTest, FfmpegRunsWithinItsMemoryBound)
{
    // 64 MiB does not even hold ffmpeg's libraries: the bound is the child's own.
    const std::vector<std::string> decodeAll = {"-i", s_paths[VideoClip::PortraitHevc], "-f", "null", "-"};
    EXPECT_NO_THROW(runFfmpeg(decodeAll, 3, {}, m_cancel));
    FfmpegLimits tight;
    tight.addressSpaceBytes = std::uint64_t{64} << 20;
    EXPECT_THROW(runFfmpeg(decodeAll, 3, {}, m_cancel, tight), FfmpegError);
}

TEST_F(VideoConverterTest, FfmpegThatCannotBeStartedSaysWhy)
{
    // One argument may not pass 128 KiB.
    try {
        runFfmpeg({"-metadata", "comment=" + std::string(200000, 'x')}, 0, {}, m_cancel);
        ADD_FAILURE() << "ffmpeg was started";
    } catch (const FfmpegError& error) {
        EXPECT_EQ(std::string(error.what()), "ffmpeg could not be started: Argument list too long");
    }
}

TEST_F(VideoConverterTest, FfmpegWhoseEndIsNotKnownHasFailed)
{
    // With SIGCHLD ignored the system reaps ffmpeg itself, and its exit status is lost.
    const std::vector<std::string> decodeAll = {"-i", s_paths[VideoClip::PortraitHevc], "-f", "null", "-"};
    const auto previous = std::signal(SIGCHLD, SIG_IGN);
    EXPECT_THROW(runFfmpeg(decodeAll, 3, {}, m_cancel), FfmpegError);
    std::signal(SIGCHLD, previous);
}

TEST_F(VideoConverterTest, FfmpegThatWritesNothingIsStoppedAfterTheSilenceLimit)
{
    // A pipe that nobody writes: opening it blocks ffmpeg for good.
    const fs::path pipe = m_out / "never.mov";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    FfmpegLimits impatient;
    impatient.silence = std::chrono::milliseconds(500);
    const auto start = std::chrono::steady_clock::now();
    try {
        runFfmpeg({"-f", "mov", "-i", "file:" + pipe.string(), "-f", "null", "-"}, 3, {}, m_cancel, impatient);
        ADD_FAILURE() << "ffmpeg read the pipe";
    } catch (const FfmpegError& error) {
        EXPECT_NE(std::string(error.what()).find("without progress"), std::string::npos) << error.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

} // namespace
} // namespace pictaven
