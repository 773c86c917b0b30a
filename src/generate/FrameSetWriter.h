#pragma once

#include <string>

namespace pictaven {

struct AlbumJob;
struct GenerationEvents;

// Writes the frame-set page (output folder + short album name + "_frame.htm") that shows the
// index pages in one frame ("AlbumFrame") and the photo pages in the other ("ImageFrame").
// Keeps references to the job and the events, which must outlive the writer.
class FrameSetWriter {
public:
    FrameSetWriter(const AlbumJob& job, const GenerationEvents& events);

    // `frameWidth` and `frameHeight` size the album frame, in pixels; `firstPhotoPage` is the
    // file name of the album's first photo page. A page that cannot be created or written is
    // reported through events.logMessage ("Error creating file on " + path +
    // " - write protected? (" + the system's reason + ")") and gives false. Never throws for file errors.
    bool createMultiPage(int frameWidth, int frameHeight, const std::string& firstPhotoPage) const;

    // The full path of the frame-set page.
    std::string pagePath() const;

private:
    int frameSize(int frameWidth, int frameHeight) const;

    const AlbumJob& m_job;
    const GenerationEvents& m_events;
};

} // namespace pictaven
