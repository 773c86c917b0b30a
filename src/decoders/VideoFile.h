#pragma once

#include "imaging/Bitmap.h"
#include "imaging/ImageSize.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pictaven {

// What probing a video file finds from its container and stream headers.
struct VideoFacts {
    std::string container;   // as `pictaven-cli info` prints it: "MP4", "QuickTime", "WebM", "Matroska"
    std::string videoCodec;  // "H.264", "HEVC", "VP9", "AV1", "ProRes", "MJPEG", ...
    std::string audioCodec;  // "AAC", "Opus", ...; empty for a clip without sound
    std::string pixelFormat; // FFmpeg's name of the video's pixel layout: "yuv420p", "yuv420p10le", ...
    double durationSeconds = 0;
    ImageSize coded;               // the frames as stored
    int rotation = 0;              // clockwise degrees (0, 90, 180 or 270) that show the frames upright
    ImageSize shown;               // the size a viewer shows: coded with its sides swapped for 90 and 270
    std::int64_t creationTime = 0; // seconds since the epoch; 0 when the file does not say
    bool hasLocation = false;      // a tag of the container or of a stream says where it was shot
    // The container's own tags as FFmpeg names them ("creation_time", "location",
    // "com.apple.quicktime.location.ISO6709", ...), in file order.
    std::vector<std::pair<std::string, std::string>> tags;
    bool isoMp4 = false; // an MP4 file (not QuickTime, WebM or Matroska) that browsers take as it is
};

// The video file formats the album takes, by extension in any letter case: mp4, m4v, mov,
// webm, mkv.
bool isVideoPath(const std::string& path);

// Probes the file without decoding pictures, within fixed bounds of time and memory. Throws
// std::runtime_error, with a message starting with the path, for a file that is not a regular
// file, cannot be read, is damaged, or holds no video stream the libraries can decode.
VideoFacts probeVideo(const std::string& path);

// probeVideo's shown size: the size of the poster decodeVideoPoster gives.
ImageSize readVideoSize(const std::string& path);

// The picture that stands for the clip: the first frame a little way in that is neither black
// nor of one flat colour (fade-ins are skipped), turned upright; the first decodable frame when
// no such frame comes within the first seconds. Throws like probeVideo.
Bitmap decodeVideoPoster(const std::string& path);

} // namespace pictaven
