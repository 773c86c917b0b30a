#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pictaven {

// The bounds of one run of ffmpeg; the defaults suit any video a phone or camera makes.
struct FfmpegLimits {
    // The child's address space (RLIMIT_AS): room for decoding an 8K frame with its references
    // and encoding at the album's sizes, well below what a desktop has.
    std::uint64_t addressSpaceBytes = std::uint64_t{4} << 30;
    // How long the child may go without writing a line: a hung decoder, or an input that never
    // comes (a pipe given as a file), ends the run instead of the album's generation. Moving the
    // index of a multi-gigabyte file to the front is the longest silence of a sound run.
    std::chrono::milliseconds silence{std::chrono::seconds(120)};
};

// ffmpeg could not be run, failed, or was stopped by its limits. The text says why, with
// ffmpeg's own last message when it gave one.
class FfmpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The run stopped on the cancel request.
class FfmpegCancelled : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text `ffmpeg -version` prints (its version, build and library versions), read once per
// process; empty when the program cannot be run.
const std::string& ffmpegVersion();

// Runs Debian's ffmpeg program, found on PATH, with `arguments` (those after the program's name),
// and waits for it to end. ffmpeg is told to report its progress with `-progress pipe:3`: the
// arguments must not name fd 3 otherwise. `progress` receives out_time against `durationSeconds`
// (0 to 1) as ffmpeg reports it; `cancel` is read every tenth of a second. Returns what ffmpeg
// wrote to its standard output and error, the last few kilobytes of it. Throws FfmpegCancelled
// on a cancel request, FfmpegError when the program is missing, exits with a failure or a
// signal, or breaks `limits`; the child has ended and been reaped either way. Safe from several
// threads at once.
std::string runFfmpeg(const std::vector<std::string>& arguments, double durationSeconds,
                      const std::function<void(double)>& progress, const std::atomic<bool>& cancel,
                      const FfmpegLimits& limits = {});

} // namespace pictaven
