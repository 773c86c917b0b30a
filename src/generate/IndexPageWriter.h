#pragma once

#include "generate/FrameSetWriter.h"
#include "generate/NavigationWriter.h"
#include "generate/OutputNames.h"
#include "generate/PageGrid.h"
#include "generate/PhotoPageWriter.h"
#include "generate/ThumbnailRenderer.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

struct AlbumJob;
class Bitmap;
struct GenerationEvents;

// What the generation driver gives for one index page. Paths are full paths in the output
// folder; an empty path stands for a page that does not exist.
struct IndexPageArguments {
    int firstPhoto = 0; // 0-based index of the page's first photo
    int endPhoto = 0;   // firstPhoto + the page size; the page fills its grid from firstPhoto on
    int totalPages = 0;
    int pageNumber = 1; // 1-based
    std::string lastPage;
    std::string firstPage;
    std::string nextPage;
    std::string previousPage;
    std::string thisPage;
    std::string albumPicture; // this page's album picture (written for picture albums only)
};

// Writes the index pages of an album and drives the work of every photo shown on them: its
// photo page, its thumbnail (a file in a basic album, drawn onto the page's album picture in a
// picture album), its cell, and the frame-set page once, at the album's first photo.
// One writer serves one generation; it keeps references to everything it is given, which must
// outlive it.
class IndexPageWriter {
public:
    // `job.settings.ThumbWidth`/`ThumbHeight` must already be the ones the grid was made with
    // (picture albums fit them to the template). `background` is the picture template's
    // background (ALBUMS/<template>.bmp) for a picture album, nullptr for a basic album.
    // `cancel` is the generation's Cancel request: a page that finds it set before a cell
    // clears it and ends with false. Throws std::invalid_argument for a picture album without
    // background.
    IndexPageWriter(const AlbumJob& job, const PageGrid& grid, const Bitmap* background,
                    const GenerationEvents& events, std::atomic<bool>& cancel);

    // Writes one index page and the pages and thumbnails of its photos. True when all of that
    // was written; false after a failure, which has been reported through events.logMessage
    // (the page that cannot be created: "Error creating file - " + path + " (" + the system's
    // reason + ")"; a photo that cannot be loaded; the frame-set page), or after a cancellation
    // (no report). A page ended early stays as far as it was written. Failures while making or saving a thumbnail or the album
    // picture are thrown (std::runtime_error family) and end the page phase.
    bool createAlbumPage(const IndexPageArguments& page);
    // The last createAlbumPage ended on the Cancel request.
    bool cancelled() const { return m_cancelled; }

    // Where image map names get their number from (0 to 99); by default a generator seeded
    // from the clock for every page. Tests fix it to compare pages.
    void setMapNumberSource(std::function<int()> source) { m_mapNumber = std::move(source); }

    // Where photo sources made earlier come from: given the photo's index in job.photos, a
    // source equal to what loadThumbnailSource would give, or one whose thumbnail is made
    // already (as makeThumbnailBitmap makes it for the photo's cell), or nullopt to load the
    // photo as usual. Called on the thread that calls createAlbumPage, once per photo placed, in album
    // order. By default every photo is loaded.
    void setThumbnailSources(std::function<std::optional<ThumbnailSource>(std::size_t photoIndex)> sources)
    {
        m_thumbnailSources = std::move(sources);
    }

    // Which photos of a basic album keep the thumbnail file an earlier generation wrote: their
    // sources are not loaded and their thumbnails not made again. By default none. `written`
    // hears of each thumbnail file written whole, with the photo's index.
    void setKeptThumbnails(std::function<bool(std::size_t photoIndex)> kept,
                           std::function<void(std::size_t photoIndex)> written)
    {
        m_keptThumbnail = std::move(kept);
        m_thumbnailWritten = std::move(written);
    }

private:
    struct PageState;

    void writeHead(std::string& page) const;
    void writeBodyStart(std::string& page, const IndexPageArguments& arguments, const std::string& mapName) const;
    void writeLinksAndEnd(std::string& page) const;
    // Places photos from state.nextPhoto on in the cells of one row; false when the page has to
    // end early (cancelled or a photo that cannot be loaded).
    bool writeRow(PageState& state, int row);
    std::string mapName();

    const AlbumJob& m_job;
    const PageGrid& m_grid;
    const Bitmap* m_background;
    const GenerationEvents& m_events;
    std::atomic<bool>& m_cancel;
    bool m_cancelled = false;
    OutputNames m_names;
    std::vector<std::string> m_photoNames; // OutputNames::distinctPhotoNames of the job's photos
    NavigationWriter m_navigation;
    PhotoPageWriter m_photoPages;
    FrameSetWriter m_frameSet;
    ThumbnailRenderer m_thumbnails;
    std::function<int()> m_mapNumber;
    std::function<std::optional<ThumbnailSource>(std::size_t)> m_thumbnailSources;
    std::function<bool(std::size_t)> m_keptThumbnail;
    std::function<void(std::size_t)> m_thumbnailWritten;
};

} // namespace pictaven
