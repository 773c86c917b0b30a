#include "support/VideoClips.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace pictaven::test {

namespace {

constexpr const char* pattern = "-f lavfi -i testsrc2=size=320x180:rate=30:duration=3 "
                                "-f lavfi -i sine=frequency=440:duration=3 ";
constexpr const char* place = "+48.8584+002.2945/";

std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

bool make(const std::filesystem::path& target, VideoClip clip)
{
    const std::string h264 = "-c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac ";
    switch (clip) {
    case VideoClip::LandscapeH264:
        return runFfmpeg(pattern + h264 + "-movflags +faststart " + quoted(target));
    case VideoClip::FadeIn:
        return runFfmpeg(pattern + std::string("-vf fade=in:0:45 ") + h264 + quoted(target));
    case VideoClip::PortraitHevc: {
        // ffmpeg 5.1 sets a display matrix from the "rotate" tag only when it copies streams.
        const std::filesystem::path unturned = target.parent_path() / ("unturned-" + target.filename().string());
        const bool made =
            runFfmpeg(pattern + std::string("-c:v libx265 -x265-params log-level=error -tag:v hvc1 -c:a aac ") +
                      quoted(unturned)) &&
            runFfmpeg("-i " + quoted(unturned) + " -map 0 -c copy -metadata:s:v:0 rotate=90 -metadata location=" +
                      place + " -metadata com.apple.quicktime.location.ISO6709=" + place +
                      " -movflags use_metadata_tags " + quoted(target));
        std::filesystem::remove(unturned);
        return made;
    }
    case VideoClip::Silent:
        return runFfmpeg("-f lavfi -i testsrc2=size=320x180:rate=30:duration=3 " + h264 + quoted(target));
    case VideoClip::LongMov:
        return runFfmpeg("-f lavfi -i testsrc2=size=1280x720:rate=30:duration=20 "
                         "-f lavfi -i sine=frequency=440:duration=20 "
                         "-c:v libx264 -preset ultrafast -crf 30 -pix_fmt yuv420p -c:a aac " +
                         quoted(target));
    case VideoClip::Damaged: {
        const std::filesystem::path whole = target.parent_path() / ("whole-" + target.filename().string());
        if (!runFfmpeg(pattern + h264 + quoted(whole)))
            return false;
        const std::string bytes = readFile(whole);
        std::filesystem::remove(whole);
        writeFile(target, bytes.substr(0, bytes.size() / 2));
        return true;
    }
    case VideoClip::WebmVp9:
        return runFfmpeg(pattern +
                         std::string("-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -b:v 100k -c:a libopus ") +
                         quoted(target));
    case VideoClip::Oversized:
        return runFfmpeg("-f lavfi -i color=size=40000x2:rate=1:duration=1 -c:v ffv1 " + quoted(target));
    }
    return false;
}

} // namespace

bool runFfmpeg(const std::string& arguments)
{
    const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments + " 2>&1";
    return std::system(command.c_str()) == 0;
}

std::filesystem::path makeVideoClip(const std::filesystem::path& folder, const char* name, VideoClip clip)
{
    const std::filesystem::path target = folder / name;
    EXPECT_TRUE(make(target, clip)) << "ffmpeg could not make " << target;
    return target;
}

std::string probeText(const std::filesystem::path& file)
{
    return probeText(file, "-show_format -show_streams");
}

std::string probeText(const std::filesystem::path& file, const std::string& options)
{
    const std::string command = "ffprobe -hide_banner " + options + " " + quoted(file) + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string text;
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        text.append(buffer, got);
    pclose(pipe);
    return text;
}

} // namespace pictaven::test
