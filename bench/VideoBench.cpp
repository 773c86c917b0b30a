// Publishes one clip the way album generation does, for scripts/bench-video.sh, which times it
// against Debian's ffmpeg given the same arguments. The clip is taken for a phone's HEVC clip in
// MOV of the given size and length, so it is converted.
//   pictaven_video_bench SOURCE TARGET WIDTH HEIGHT SECONDS              converts
//   pictaven_video_bench --arguments SOURCE TARGET WIDTH HEIGHT SECONDS  prints ffmpeg's arguments,
//                                                                        one a line

#include "generate/VideoConverter.h"

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

using namespace pictaven;

int main(int argc, char** argv)
{
    const bool printOnly = argc > 1 && std::string_view(argv[1]) == "--arguments";
    char** given = argv + (printOnly ? 2 : 1);
    if (argc - (printOnly ? 2 : 1) != 5) {
        std::cerr << "usage: pictaven_video_bench [--arguments] SOURCE TARGET WIDTH HEIGHT SECONDS\n";
        return 2;
    }
    VideoFacts facts;
    facts.container = "QuickTime";
    facts.videoCodec = "HEVC";
    facts.audioCodec = "AAC";
    facts.pixelFormat = "yuv420p";
    facts.coded = facts.shown = {std::atoi(given[2]), std::atoi(given[3])};
    facts.durationSeconds = std::atof(given[4]);
    const VideoConverter converter{VideoShape{}};
    if (printOnly) {
        for (const std::string& argument : converter.arguments(given[0], facts, given[1]))
            std::cout << argument << '\n';
        return 0;
    }
    const std::atomic<bool> never{false};
    try {
        converter.convert(given[0], facts, given[1], {}, never);
    } catch (const std::runtime_error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
