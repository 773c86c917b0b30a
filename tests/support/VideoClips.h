#pragma once

#include <filesystem>
#include <string>

namespace pictaven::test {

// Short phone-like clips that the tests make with Debian's ffmpeg, so that no video needs to be
// committed. Each is a few seconds of a moving test pattern with a tone, a few tens of kilobytes.
enum class VideoClip {
    LandscapeH264, // 320x180 H.264 (yuv420p) with AAC in MP4, moov at the front: a file to copy
    PortraitHevc,  // 320x180 HEVC in MOV, shown turned 90 degrees (display matrix), with the place it
                   // was shot in the "location" and Apple ISO 6709 tags: a phone's portrait clip.
                   // ffmpeg (and probeVideo: rotation 270) turns it a quarter counter-clockwise.
    FadeIn,        // like LandscapeH264, but fades in from black over its first 1.5 seconds
    Damaged,       // the first half of an MP4 whose index comes last: no index, no pictures
    Silent,        // like LandscapeH264 without sound
    LongMov,       // 20 seconds of 1280x720 H.264 with AAC in MOV: converted, slowly enough to be
                   // stopped midway; a few megabytes
    WebmVp9,       // 320x180 VP9 with Opus in WebM
    Oversized,     // one frame of 40000x2 pixels (FFV1 in Matroska): wider than any picture taken
};

// The clip, made into `folder` under `name` (an extension the clip's container suits: ".mp4",
// ".mov", ".webm", ".mkv"). Fails the running test (and returns the path anyway) when ffmpeg cannot make it.
std::filesystem::path makeVideoClip(const std::filesystem::path& folder, const char* name, VideoClip clip);

// Runs ffmpeg with `arguments` (paths in them quoted with "'"), quiet and replacing its output
// file; whether it succeeded.
bool runFfmpeg(const std::string& arguments);

// The text ffprobe prints for the file's format and streams with their tags (-show_format
// -show_streams), standard error included; empty when ffprobe cannot be run.
std::string probeText(const std::filesystem::path& file);

// The same for other ffprobe options, e.g. "-select_streams v -show_packets -show_data_hash md5".
std::string probeText(const std::filesystem::path& file, const std::string& options);

} // namespace pictaven::test
