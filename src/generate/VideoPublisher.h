#pragma once

#include "catalog/FileStorage.h"
#include "decoders/VideoFile.h"
#include "generate/AlbumJob.h"
#include "generate/OutputNames.h"
#include "generate/PublishedVideo.h"
#include "generate/RenderRecord.h"
#include "generate/VideoConverter.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

// Publishes the album's videos into the output folder: a poster JPEG from the clip's poster
// frame at the size of the playable copy, and the playable MP4 itself (VideoConverter). Each
// file is kept from an earlier generation when the render record proves it is what publishing
// would write now: the same source, and the same VideoConverter::recipe.
//
// Meant for one thread, one video after the other: a conversion runs ffmpeg, which keeps every
// core busy on its own, while the photos render on the generation's workers beside it.
class VideoPublisher {
public:
    // Quality of the poster JPEG, high because the page shows it at the video's full size.
    static constexpr int posterQuality = 90;

    // Copies what it needs from the job; `record` and `names` must outlive the publisher.
    VideoPublisher(const AlbumJob& job, const OutputNames& names, RenderRecord& record);

    static bool isVideo(const FileStorage& item) { return isVideoPath(item.SourcePath); }
    // The shape the album's settings give its videos.
    static VideoShape shapeOf(const AlbumJob& job);

    // Before anything is written: probes every video of `items` (`names` their names in the
    // album) and proves which of their files stand, carrying those into the new record. A
    // video that cannot be probed is left for publish() to report. Never throws.
    void check(const std::vector<FileStorage>& items, const std::vector<std::string>& names);

    // Publishes the video `index` of the items given to check(). `progress` receives the part
    // of its conversion done, on this thread; `cancel` stops a conversion within a second.
    // Throws VideoCancelled on the Cancel request, else std::runtime_error naming the source;
    // neither leaves a partial file under a final name.
    PublishedVideo publish(std::size_t index, const std::function<void(double)>& progress,
                           const std::atomic<bool>& cancel);

    // Whether the last publish() wrote nothing, keeping both files from an earlier generation.
    bool keptLast() const { return m_keptLast; }

private:
    struct Video {
        std::string source;
        std::string name;
        std::optional<VideoFacts> facts; // nullopt: the probe failed
        std::string fileRecipe;
        std::string posterRecipe;
        bool fileCurrent = false;
        bool posterCurrent = false;
    };

    void writePoster(const Video& video, const std::string& target, ImageSize size) const;

    std::string m_outputFolder;
    const OutputNames& m_names;
    RenderRecord& m_record;
    VideoConverter m_converter;
    std::map<std::size_t, Video> m_videos;
    bool m_keptLast = false;
};

} // namespace pictaven
