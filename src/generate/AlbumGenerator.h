#pragma once

#include "generate/AlbumJob.h"
#include "generate/GenerationControl.h"
#include "generate/GenerationEvents.h"
#include "generate/GenerationOutcome.h"
#include "generate/OutputNames.h"
#include "generate/RenderRecord.h"
#include "generate/ThumbnailSourceSpool.h"
#include "generate/VideoPublisher.h"
#include "imaging/ThumbnailBitmap.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

// The Generate command of step 4: clears the output folder when asked, renders the photos and
// copies the support files (photo phase), then paginates and writes the index pages with their
// photos' pages and thumbnails (page phase). Works on its own copy of the job; the results
// (photos with their WorkingPath and Converted, the flags, the page lists, a picture album's
// fitted thumbnail size) are read back from it afterwards. Everything it reports goes through
// the events, on the thread that calls generate().
class AlbumGenerator {
public:
    // Photos are rendered on `jobs` threads (0: one per processor core); the files written are
    // the same bytes for every number of jobs. `control` must outlive the generator.
    AlbumGenerator(AlbumJob job, GenerationEvents events, GenerationControl& control, int jobs = 0);

    // The whole command. Does not start (NotStarted, nothing reported) while another generation
    // holds the control. Refuses (Refused, with an error box) before anything is written: an
    // album without photos, a page size of 0, resize settings that cannot resize a photo, a
    // short album name that cannot name files, an output folder that does not exist, that holds
    // one of the photos or the catalog, that is the root, home or program folder, or in which no
    // file can be created (the box names the system's reason). Otherwise
    // runs the three phases and says how they ended. Never throws.
    GenerationOutcome generate();

    // The photo phase keeps the thumbnail sources of the photos it decodes in an unnamed file
    // (ThumbnailSourceSpool), so the page phase need not decode them again, up to `bytes` of
    // pixels in all (default 16 GB). From the first photo that does not fit on, and for every
    // photo with 0, the page phase loads the photos again. The files written are the same bytes
    // for every budget.
    void setThumbnailCacheBudget(std::size_t bytes) { m_thumbnailCacheBudget = bytes; }
    static constexpr std::size_t defaultThumbnailCacheBudget = std::size_t{16} << 30;

    // The phases on their own; generate() runs them in order.
    // Deletes the files that earlier generations wrote into the output folder and listed in its
    // record (OutputFolderRecord), and the temporary files a killed run left of them, except
    // the album's rendered photos and thumbnails that need not be rendered again (see
    // renderPhotos). Files the record does not list and sub-folders are left alone. Failures
    // are ignored.
    void clearOutputFolder();
    // True when every photo's SourcePath existed; false also after a cancellation, which leaves
    // the Cancel request set and claims no missing photo. Photos that exist but could not be
    // rendered are kept for the page phase to report. First logs the photos whose files get
    // another name than their own (OutputNames::distinctPhotoNames), and leaves out of the job,
    // so out of the output folder and the pages, each texture, style sheet, watermark and audio
    // file that SupportFileCheck refuses, logging why (a refused style sheet gives the built-in
    // style). Audio copies are named by webFileName, like the other support files.
    //
    // With Smart Render on, a photo is rendered unless the folder's RenderRecord proves its file
    // is what rendering it now would write; with it off, only a photo whose file is missing is.
    // Either way a basic album's thumbnail files are kept where the record proves them current,
    // and the status then says how many photos were rendered and how many kept. The files
    // come out byte for byte as from a generation that renders everything.
    bool renderPhotos();
    // True when every index page was written and every rendered photo of the last photo phase
    // was written; a photo that was not fails the phase after its pages, with an error box
    // naming it.
    bool generateHTML();

    // The job as the generation left it: photos with their converted WorkingPath and Converted
    // flag, settings with a picture album's fitted ThumbWidth and ThumbHeight, rerenderPhotos
    // cleared after a successful page phase and set after a failed one.
    const AlbumJob& job() const { return m_job; }
    // Full paths of the index pages and album pictures of the last page phase, in page order.
    const std::vector<std::string>& indexPageList() const { return m_indexPageList; }
    const std::vector<std::string>& albumPictureList() const { return m_albumPictureList; }
    // A page phase started (the lists above belong to it).
    bool pagePhaseRan() const { return m_pagePhaseRan; }
    // A page phase that was not a preview completed.
    bool albumGenerated() const { return m_albumGenerated; }
    // The page the album opens with: the frame-set page in a two-frame album, else index page 1.
    std::string entryPagePath() const;

    // The text of the error box shown after the photo phase when photos are missing.
    static const char* const missingPhotosText;

private:
    std::string refusal() const;
    std::string outputFolderRefusal() const;
    void writeRecord() const;
    std::string unrenderedText() const;
    void writeAutorun() const;
    void copySupportFiles() const;
    void reportRenamedPhotos() const;
    void leaveOutUnfitFiles();
    // Once per generation, before anything is deleted or written: the logs about names and
    // unfit files, and which files the record proves current.
    void prepare();
    void checkRenderedFiles();
    // Publishes video i, the `number`th of `count`, showing its conversion on the status line
    // and on the bar, which counts hundredths of an item up to `barTotal`. Gives an empty text
    // when it was published (or kept), else why not; a Cancel request stays set for the loop.
    std::string publishVideo(std::size_t i, std::size_t number, std::size_t count, long long barTotal);
    bool runPageLoop();
    // The page phase of the responsive template (ResponsivePageWriter) instead of the page loop.
    bool writeResponsivePages();
    // What ends every page phase that wrote its pages: the last progress, the photos that could
    // not be rendered, the status.
    bool finishPagePhase(long long count);
    // Sets the bar's range to 0 to `total` and shows 0 done.
    void startProgress(long long total) const;
    // Shows `done` of `total` on the bar and as the percentage, so that both always agree.
    void showProgress(long long done, long long total) const;

    AlbumJob m_job;
    GenerationEvents m_events;
    GenerationControl& m_control;
    int m_jobs;
    OutputNames m_names;
    std::vector<std::string> m_photoNames; // OutputNames::distinctPhotoNames of the photos
    std::vector<std::string> m_indexPageList;
    std::vector<std::string> m_albumPictureList;
    bool m_pagePhaseRan = false;
    bool m_albumGenerated = false;
    bool m_missingPhotos = false; // the last photo phase that ran to its end missed a photo
    bool m_cancelled = false;     // the last page phase ended on the Cancel request
    // "<source>: <reason>" of each photo the last photo phase could not render, in album order.
    std::vector<std::string> m_unrenderedPhotos;
    std::size_t m_thumbnailCacheBudget = defaultThumbnailCacheBudget;
    // Sources the photo phase kept, by photo index; each is taken when its page uses it.
    ThumbnailSourceSpool m_thumbnailSources;
    bool m_prepared = false;
    std::optional<RenderRecord> m_renderRecord;
    // By photo index: the recipes of its file and its thumbnail, whether the record proves
    // them current, and the source as its render found it.
    std::vector<std::string> m_photoRecipes;
    std::vector<std::string> m_thumbnailRecipes;
    std::vector<char> m_photoCurrent;
    std::vector<char> m_thumbnailCurrent;
    std::vector<SourceState> m_sourceStates;
    std::optional<VideoPublisher> m_videoPublisher; // set with the render record
};

} // namespace pictaven
