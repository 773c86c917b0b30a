#include "generate/VideoPublisher.h"

#include "generate/FileDigest.h"
#include "generate/GeneratedFile.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "imaging/ResampleFilters.h"
#include "imaging/StretchAndResample.h"

#include <stdexcept>

namespace pictaven {

namespace {

constexpr float lanczosSupport = 3;

} // namespace

VideoPublisher::VideoPublisher(const AlbumJob& job, const OutputNames& names, RenderRecord& record)
    : m_outputFolder(job.outputFolder)
    , m_names(names)
    , m_record(record)
    , m_converter(shapeOf(job))
{
}

VideoShape VideoPublisher::shapeOf(const AlbumJob& job)
{
    VideoShape shape;
    shape.longSide = job.settings.VideoLongSide;
    shape.metadata = job.publishedMetadata;
    return shape;
}

void VideoPublisher::check(const std::vector<FileStorage>& items, const std::vector<std::string>& names)
{
    m_videos.clear();
    for (std::size_t i = 0; i < items.size() && i < names.size(); ++i) {
        if (!isVideo(items[i]))
            continue;
        Video& video = m_videos[i];
        video.source = items[i].SourcePath;
        video.name = names[i];
        try {
            video.facts = probeVideo(video.source);
        } catch (const std::exception&) {
            continue;
        }
        video.fileRecipe = m_converter.recipe(*video.facts);
        // The poster takes the size of the playable copy, which the copy's recipe fixes.
        video.posterRecipe =
            textSha256("video poster 1\nquality " + std::to_string(posterQuality) + "\n" + video.fileRecipe);
        video.fileCurrent = m_record.current(m_names.videoFileName(video.name), video.source, video.fileRecipe);
        video.posterCurrent =
            m_record.current(m_names.videoPosterFileName(video.name), video.source, video.posterRecipe);
    }
}

PublishedVideo VideoPublisher::publish(std::size_t index, const std::function<void(double)>& progress,
                                       const std::atomic<bool>& cancel)
{
    m_keptLast = false;
    const auto found = m_videos.find(index);
    if (found == m_videos.end())
        throw std::logic_error("item " + std::to_string(index) + " is not a video of the album");
    const Video& video = found->second;
    // A probe that failed before the generation fails now with the reason.
    const VideoFacts facts = video.facts ? *video.facts : probeVideo(video.source);

    PublishedVideo published;
    published.file = m_names.videoFileName(video.name);
    published.poster = m_names.videoPosterFileName(video.name);
    const std::string file = m_outputFolder + published.file;
    const std::string poster = m_outputFolder + published.poster;
    if (!video.fileCurrent) {
        const SourceState state = m_record.sourceState(video.source);
        m_converter.convert(video.source, facts, file, progress, cancel);
        m_record.written(published.file, video.source, state, video.fileRecipe);
    }
    // The page gives the player the size of the file it plays.
    published.size = probeVideo(file).shown;
    if (!video.posterCurrent) {
        const SourceState state = m_record.sourceState(video.source);
        writePoster(video, poster, published.size);
        m_record.written(published.poster, video.source, state, video.posterRecipe);
    }
    m_keptLast = video.fileCurrent && video.posterCurrent;
    return published;
}

void VideoPublisher::writePoster(const Video& video, const std::string& target, ImageSize size) const
{
    Bitmap frame = decodeVideoPoster(video.source);
    if (size.width > 0 && size.height > 0 && (frame.width() != size.width || frame.height() != size.height)) {
        Bitmap scaled(size.width, size.height);
        stretchAndResample(frame, scaled, lanczos3Filter, lanczosSupport);
        frame = std::move(scaled);
    }
    GeneratedFile::write(target, [&](const std::string& writePath) { writeJpeg(frame, writePath, posterQuality); });
}

} // namespace pictaven
