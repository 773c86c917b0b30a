#pragma once

#include "generate/NavigationWriter.h"
#include "generate/OutputNames.h"
#include "generate/PublishedVideo.h"

#include <string>
#include <vector>

namespace pictaven {

struct AlbumJob;
struct GenerationEvents;

// Writes the photo pages: one page per photo with the rendered photo (or, for a video the photo
// phase published, its player), its title and description, navigation, and the optional slide
// show, fade-in, protection and audio link.
// Keeps references to the job and the events, which must outlive the writer.
class PhotoPageWriter {
public:
    PhotoPageWriter(const AlbumJob& job, const GenerationEvents& events);

    // Writes the page of photo n (1-based) at `pagePath` (output folder + its photo page file
    // name); `indexPagePath` is the index page that shows the photo. A page that cannot be
    // created or written is reported through events.logMessage ("Error creating file on " +
    // path + " - write protected? (" + the system's reason + ")") and gives false. Never throws for file errors.
    bool createPhotoPage(const std::string& pagePath, const std::string& indexPagePath, int n) const;

private:
    std::string pageName(std::size_t photo) const;
    std::string imageName(std::size_t photo) const;
    // The player, at the size of the file it plays, with a link to the file for browsers
    // without one.
    static std::string videoElement(const PublishedVideo& video);
    void writeNavigation(std::string& page, bool top, const std::string& pagePath, const std::string& indexPagePath,
                         int n) const;
    void writeDescription(std::string& page, const char* fontLine, int n) const;

    const AlbumJob& m_job;
    const GenerationEvents& m_events;
    OutputNames m_names;
    std::vector<std::string> m_photoNames; // OutputNames::distinctPhotoNames of the job's photos
    NavigationWriter m_navigation;
};

} // namespace pictaven
