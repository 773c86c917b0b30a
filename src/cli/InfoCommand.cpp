#include "cli/Commands.h"

#include "decoders/PhotoMetadata.h"
#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"
#include "decoders/VideoFile.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <iostream>

namespace pictaven::cli {

namespace {

constexpr const char* kOrientations[] = {"",
                                         "upright",
                                         "mirrored",
                                         "upside down",
                                         "upside down and mirrored",
                                         "mirrored and turned a quarter counter-clockwise",
                                         "turned a quarter clockwise",
                                         "mirrored and turned a quarter clockwise",
                                         "turned a quarter counter-clockwise"};

std::string localTime(std::int64_t seconds)
{
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    char text[32] = {};
    if (!localtime_r(&time, &parts) || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts) == 0)
        return "?";
    return text;
}

// Indented lines under the picture's own line, for what its metadata says; nothing for a picture
// without any.
void printMetadata(const PhotoMetadata& metadata)
{
    if (metadata.orientation == 0 && !metadata.takenAt && metadata.title.empty() && metadata.description.empty() &&
        !metadata.hasLocation)
        return;
    if (metadata.orientation != 0)
        std::cout << "  Orientation: " << metadata.orientation << " (" << kOrientations[metadata.orientation] << ")\n";
    if (metadata.takenAt)
        std::cout << "  Taken: " << localTime(*metadata.takenAt) << '\n';
    if (!metadata.title.empty())
        std::cout << "  Title: " << metadata.title << '\n';
    if (!metadata.description.empty())
        std::cout << "  Description: " << metadata.description << '\n';
    std::cout << "  Location: " << (metadata.hasLocation ? "present" : "none") << '\n';
}

// "<file>: <container> video, <width> x <height>" as it is shown, then its codecs, length, the
// turn its display matrix asks for, when it was shot and whether it says where.
void printVideo(const std::string& path)
{
    const VideoFacts facts = probeVideo(path);
    std::cout << path << ": " << facts.container << " video, " << facts.shown.width << " x " << facts.shown.height
              << '\n';
    std::cout << "  Codecs: " << facts.videoCodec << " (" << facts.pixelFormat << "), "
              << (facts.audioCodec.empty() ? "no sound" : facts.audioCodec) << '\n';
    char duration[32] = {};
    std::snprintf(duration, sizeof duration, "%.2f", facts.durationSeconds);
    std::cout << "  Duration: " << duration << " s\n";
    if (facts.rotation != 0)
        std::cout << "  Rotation: " << facts.rotation << " degrees clockwise\n";
    if (facts.creationTime != 0)
        std::cout << "  Taken: " << localTime(facts.creationTime) << '\n';
    std::cout << "  Location: " << (facts.hasLocation ? "present" : "none") << '\n';
}

} // namespace

// One line per file: "<file>: <format>, <width> x <height>" on standard output, then indented
// lines for what its metadata says, or the reason it cannot be read, which names the file
// itself, on standard error. Only the header is read, so a picture of any size is reported at
// once; damage further into the file shows only when the picture is decoded. A video's size is
// the one it is shown at, after the turn its display matrix asks for.
int runInfoCommand(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "Usage: pictaven-cli info FILE...\n";
        return 2;
    }
    int status = 0;
    for (const std::string& path : args) {
        try {
            if (isVideoPath(path)) {
                printVideo(path);
                continue;
            }
            const ImageSize size = readPictureSize(path);
            std::cout << path << ": " << pictureFormatName(path) << ", " << size.width << " x " << size.height << '\n';
            printMetadata(readPhotoMetadata(path));
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace pictaven::cli
