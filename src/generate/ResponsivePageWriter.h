#pragma once

#include "generate/OutputNames.h"
#include "generate/ResponsivePhoto.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace pictaven {

struct AlbumJob;
struct GenerationEvents;

// Writes the pages of a responsive album once its pictures are rendered (ResponsiveSizeRenderer):
// its style sheet, the viewer's script and licence copied from the template's folder
// (ResponsiveAlbum), a plain page for every photo, then the index page, whose grid of
// thumbnails opens the viewer. Pages load nothing from other sites and carry no inline script
// or style, so that a strict Content-Security-Policy (which they declare) allows them.
// Keeps references to what it is given, which must outlive it.
class ResponsivePageWriter {
public:
    // `photoNames` are the photos' names in the album (OutputNames::distinctPhotoNames).
    // `cancel` is the generation's Cancel request.
    ResponsivePageWriter(const AlbumJob& job, const std::vector<std::string>& photoNames,
                         const GenerationEvents& events, std::atomic<bool>& cancel);

    // Writes the album of the first `count` photos with `indexPage` (a full path) as its index
    // page. Photos whose pictures cannot be read are left out. True when every file was
    // written; false after a failure, reported through events.logMessage, or on the Cancel
    // request, which it clears (cancelled() tells). Throws nothing.
    bool write(std::size_t count, const std::string& indexPage);
    bool cancelled() const { return m_cancelled; }

private:
    std::string head(const std::string& title, const std::vector<std::string>& links) const;
    std::string indexPage(const std::vector<ResponsivePhoto>& photos) const;
    std::string photoPage(const std::vector<ResponsivePhoto>& photos, std::size_t index,
                          const std::string& indexName) const;
    bool writeSupportFiles(const std::vector<ResponsivePhoto>& photos);
    bool writePage(const std::string& path, const std::string& text);
    void report(const std::string& message) const;

    const AlbumJob& m_job;
    const std::vector<std::string>& m_photoNames;
    const GenerationEvents& m_events;
    std::atomic<bool>& m_cancel;
    OutputNames m_names;
    bool m_cancelled = false;
};

} // namespace pictaven
