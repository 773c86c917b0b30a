#include "generate/VideoConverter.h"

#include "decoders/PrivateMetadata.h"
#include "generate/FfmpegRun.h"
#include "generate/FileDigest.h"
#include "generate/GeneratedFile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <sched.h>
#include <string_view>
#include <utility>
#include <vector>

// The work is left to Debian's ffmpeg program, run as a child process (FfmpegRun) rather than
// through the FFmpeg libraries in this process: it is as fast as ffmpeg by construction, Cancel
// kills it at once, its memory is bounded by an address-space limit of its own, and a hostile
// file that crashes a decoder takes down the child, not the program.

namespace pictaven {

namespace {

// x264's "veryfast" preset at CRF 23, its default quality: on a 1080p clip it takes two thirds of
// the time of "faster" and half of "medium". The slower presets save some size at the same
// quality, but an album turns whole phone folders, and generation is what its maker waits for.
constexpr const char* x264Preset = "veryfast";
constexpr const char* x264Quality = "23";
constexpr const char* audioBitrate = "128k";
// Phones film slow motion at up to 240 frames a second; a web page needs no more than 60, and the
// level of the stream then stays one that phones decode.
constexpr int highestFrameRate = 60;

struct Level {
    const char* name;
    int frameMacroblocks;              // the largest frame
    std::int64_t macroblocksPerSecond; // the fastest decoding
};

// H.264's levels from 3.0, which every phone plays. 4.0 is left out: 4.1 has the same frame
// limits and room for the bitrate that x264 reaches, unbounded, on busy scenes.
constexpr std::array<Level, 10> levels = {{
    {"3.0", 1620, 40500},
    {"3.1", 3600, 108000},
    {"3.2", 5120, 216000},
    {"4.1", 8192, 245760},
    {"4.2", 8704, 522240},
    {"5.0", 22080, 589824},
    {"5.1", 36864, 983040},
    {"5.2", 36864, 2073600},
    {"6.1", 139264, 8355840},
    {"6.2", 139264, 16711680},
}};

// Tags are handed to ffmpeg on its command line, where an argument may not pass 128 KiB and all
// of them 2 MiB: a file with huge or countless tags must not stop its video from being published.
// A phone's tags are a few dozen short texts.
constexpr std::size_t mostTags = 64;
constexpr std::size_t longestTag = 4096;

// Container tags that the muxer writes itself from the file it makes.
bool isTechnicalTag(std::string_view key)
{
    return key == "major_brand" || key == "minor_version" || key == "compatible_brands" || key == "encoder";
}

// The container tags of the published file. A catalog from before the metadata choice existed
// publishes its videos as the default does: it has no published videos whose tags to keep.
std::vector<std::pair<std::string, std::string>> keptTags(const VideoFacts& facts, MetadataChoice choice)
{
    const PublishedMetadata published = choice.value_or(PublishedMetadata::AllButPrivate);
    std::vector<std::pair<std::string, std::string>> kept;
    if (published == PublishedMetadata::None)
        return kept;
    for (const auto& [key, value] : facts.tags) {
        // ffmpeg splits "-metadata key=value" at the first "=".
        if (key.empty() || key.find('=') != std::string::npos || isTechnicalTag(key) ||
            key.size() + value.size() > longestTag)
            continue;
        if (kept.size() == mostTags)
            break;
        if (published == PublishedMetadata::All || videoTagKind(key) == PrivateKind::None)
            kept.emplace_back(key, value);
    }
    return kept;
}

// The FFmpeg demuxer for the probed container; nullptr for one the album does not take. Naming
// it keeps ffmpeg from guessing the format from the content: a "video" that is a playlist would
// have it read other files, even from the network, into the published one.
const char* demuxer(const std::string& container)
{
    if (container == "MP4" || container == "QuickTime")
        return "mov";
    if (container == "WebM" || container == "Matroska")
        return "matroska";
    return nullptr;
}

// The longest side of the published picture: the shape's, never more than the source's.
int boxSide(const VideoFacts& facts, int longSide)
{
    const int sourceSide = std::max(facts.shown.width, facts.shown.height);
    return sourceSide > 0 ? std::min(longSide, sourceSide) : longSide;
}

// The upright size the scale filter gives: the shown size fit in a square of `side`, even sides.
ImageSize publishedSize(const VideoFacts& facts, int side)
{
    const ImageSize shown = facts.shown.width > 0 && facts.shown.height > 0 ? facts.shown : ImageSize{side, side};
    const double scale = static_cast<double>(side) / std::max(shown.width, shown.height);
    const auto even = [](double length) { return std::max(2, static_cast<int>(length) / 2 * 2); };
    return {even(shown.width * scale), even(shown.height * scale)};
}

const char* levelFor(ImageSize size)
{
    const int across = (size.width + 15) / 16;
    const int down = (size.height + 15) / 16;
    const int frame = across * down;
    for (const Level& level : levels) {
        // A side may not exceed the square root of eight frames' worth of macroblocks.
        const bool sidesFit =
            across * across <= 8 * level.frameMacroblocks && down * down <= 8 * level.frameMacroblocks;
        if (frame <= level.frameMacroblocks && sidesFit &&
            std::int64_t{frame} * highestFrameRate <= level.macroblocksPerSecond)
            return level.name;
    }
    return levels.back().name;
}

// The processors ffmpeg counts; x264's output depends on how many threads it runs.
int usableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    return ::sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
}

} // namespace

VideoConverter::VideoConverter(VideoShape shape)
    : m_shape(shape)
{
}

bool VideoConverter::copies(const VideoFacts& facts) const
{
    const bool playable = facts.isoMp4 && facts.videoCodec == "H.264" && facts.pixelFormat == "yuv420p" &&
                          (facts.audioCodec.empty() || facts.audioCodec == "AAC");
    return playable && facts.rotation == 0 && std::max(facts.coded.width, facts.coded.height) <= m_shape.longSide;
}

std::vector<std::string> VideoConverter::arguments(const std::string& source, const VideoFacts& facts,
                                                   const std::string& target) const
{
    const char* format = demuxer(facts.container);
    // "file:" keeps a name with a colon from being read as another protocol, and the whitelist
    // keeps the demuxer from opening anything but files.
    std::vector<std::string> arguments{
        "-y", "-loglevel", "error", "-f", format ? format : "", "-protocol_whitelist", "file", "-i", "file:" + source};
    // One picture (not a cover) and one sound: subtitle and data tracks may carry a camera's GPS
    // log. No tags of the container or of a stream but those written back below: a stream's
    // tags can hold what the container's do and are copied all or none, so its language goes too.
    arguments.insert(arguments.end(),
                     {"-map", "0:V:0", "-map", "0:a:0?", "-sn", "-dn", "-map_chapters", "-1", "-map_metadata", "-1"});
    for (const auto& [key, value] : keptTags(facts, m_shape.metadata))
        arguments.insert(arguments.end(), {"-metadata", key + "=" + value});
    if (copies(facts)) {
        arguments.insert(arguments.end(), {"-c", "copy"});
    } else {
        // ffmpeg turns the picture upright first (autorotate), so the filter sees the shown
        // size, and the output has no display matrix that a browser might ignore.
        const int side = boxSide(facts, m_shape.longSide);
        const std::string box = std::to_string(side);
        const std::string fit =
            "scale=w=" + box + ":h=" + box + ":force_original_aspect_ratio=decrease:force_divisible_by=2";
        arguments.insert(arguments.end(), {"-vf", fit, "-fpsmax", std::to_string(highestFrameRate)});
        arguments.insert(arguments.end(), {"-c:v", "libx264", "-preset", x264Preset, "-crf", x264Quality});
        const char* level = levelFor(publishedSize(facts, side));
        arguments.insert(arguments.end(), {"-profile:v", "high", "-level", level, "-pix_fmt", "yuv420p"});
        // Surround sound is mixed down: browsers play stereo everywhere.
        const char* channels = "aformat=channel_layouts=mono|stereo";
        arguments.insert(arguments.end(), {"-c:a", "aac", "-b:a", audioBitrate, "-af", channels});
    }
    // The index at the front lets a browser start playing before the file has loaded;
    // use_metadata_tags writes tags under their own names, which MP4's fixed list lacks.
    arguments.insert(arguments.end(), {"-movflags", "+faststart+use_metadata_tags", "-f", "mp4", "file:" + target});
    return arguments;
}

std::string VideoConverter::recipe(const VideoFacts& facts) const
{
    // The arguments carry the shape as far as it shapes this file, and whether it is copied.
    std::string text = "video\n";
    for (const std::string& argument : arguments("source", facts, "target"))
        text += argument + "\n";
    if (!copies(facts))
        text += "processors " + std::to_string(usableProcessors()) + "\n";
    return textSha256(text + ffmpegVersion());
}

void VideoConverter::convert(const std::string& source, const VideoFacts& facts, const std::string& target,
                             const std::function<void(double)>& progress, const std::atomic<bool>& cancel) const
{
    if (!demuxer(facts.container))
        throw std::runtime_error(source + ": videos in " + (facts.container.empty() ? "this format" : facts.container) +
                                 " files cannot be published");
    if (cancel.load())
        throw VideoCancelled(source + ": cancelled");
    try {
        GeneratedFile::write(target, [&](const std::string& writePath) {
            runFfmpeg(arguments(source, facts, writePath), facts.durationSeconds, progress, cancel);
            if (std::filesystem::file_size(writePath) == 0)
                throw FfmpegError("ffmpeg wrote an empty file");
        });
    } catch (const FfmpegCancelled&) {
        throw VideoCancelled(source + ": cancelled");
    } catch (const FfmpegError& error) {
        throw std::runtime_error(source + ": cannot be published as a video: " + error.what());
    }
}

} // namespace pictaven
