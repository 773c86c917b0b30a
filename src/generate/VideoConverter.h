#pragma once

#include "decoders/PublishedMetadata.h"
#include "decoders/VideoFile.h"

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pictaven {

// What shapes an album's published videos.
struct VideoShape {
    int longSide = 1920; // the longest side a published video may have; never upscaled
    MetadataChoice metadata = PublishedMetadata::AllButPrivate;
};

// The conversion stopped on the Cancel request.
class VideoCancelled : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Makes the playable copy of a video: an MP4 that every browser plays upright and can start
// before it has fully loaded. A clip that is H.264/AAC in MP4 already, upright and within the
// shape's size, is copied with its index moved to the front; anything else is converted to
// H.264 (yuv420p) with AAC sound, scaled to fit the shape, turned upright. Its tags follow the
// shape's metadata choice.
class VideoConverter {
public:
    explicit VideoConverter(VideoShape shape);

    // Whether `facts` are published by copying rather than by converting.
    bool copies(const VideoFacts& facts) const;

    // A digest of everything but the source's content that shapes the file convert() writes
    // from it: equal recipes of an unchanged source give the same file.
    std::string recipe(const VideoFacts& facts) const;

    // Writes `target` from `source`, whose probe gave `facts`. `progress` receives the part done
    // (0 to 1) now and then; `cancel` is read at least every few tenths of a second, and a set
    // request ends the work within a second with VideoCancelled. Throws std::runtime_error naming
    // the source when it fails, IoError naming the target or its folder's record when that cannot
    // be written. Until it returns, the file is written under a temporary name in
    // the target's folder: a failure, a cancellation or a kill never leaves a partial file at
    // `target`. Like every generated file, `target` is listed in its folder's OutputFolderRecord
    // first, so that a later generation removes what a killed one left (GeneratedFile). The
    // work is done by Debian's ffmpeg program in a child process of bounded memory; without
    // that program the error says so. A catalog without a metadata choice publishes its videos
    // as the default choice does.
    void convert(const std::string& source, const VideoFacts& facts, const std::string& target,
                 const std::function<void(double)>& progress, const std::atomic<bool>& cancel) const;

    // What convert() gives the ffmpeg program after its name (and its options for progress and
    // quiet) to write `target` from `source`.
    std::vector<std::string> arguments(const std::string& source, const VideoFacts& facts,
                                       const std::string& target) const;

private:
    VideoShape m_shape;
};

} // namespace pictaven
