#pragma once

#include "generate/OutputNames.h"

#include <string>
#include <vector>

namespace pictaven {

struct AlbumJob;

// The navigation markup of the album: the paging bar of the index pages, and the navigation
// buttons and pull-down list box of the photo pages. Each function appends one complete
// element to `page` (or nothing, where the settings say so). Keeps references to the job,
// which must outlive the writer.
class NavigationWriter {
public:
    explicit NavigationWriter(const AlbumJob& job);

    // The index pages' paging bar (first, previous, next, last and the optional home button).
    // The four arguments are file names of index pages, empty where there is no such page;
    // nothing is written when `first` equals `last` (a one-page album).
    void writeIndexNavigation(std::string& page, const std::string& first, const std::string& last,
                              const std::string& next, const std::string& previous) const;

    // The photo pages' home, index, previous and next buttons, as pictures or form buttons.
    // `next` and `previous` are the page file names of the neighbouring photos (as
    // OutputNames::photoPageFileName gives them), empty where there is none.
    void writeNavigationButtons(std::string& page, const std::string& indexPagePath, const std::string& next,
                                const std::string& previous) const;

    // The pull-down list of every photo's page (only the first photo in preview mode), the
    // page at `thisPagePath` selected.
    void writeListBox(std::string& page, const std::string& thisPagePath) const;

    // The frame that photo pages open in: "ImageFrame" in a two-frame album, else "_self".
    std::string photoTarget() const;

private:
    std::string buttonImage(const std::string& path) const;

    const AlbumJob& m_job;
    OutputNames m_names;
    std::vector<std::string> m_photoNames; // OutputNames::distinctPhotoNames of the job's photos
    struct ListBoxEntry {
        std::string value; // the photo page's file name
        std::string rest;  // the entry's markup after its VALUE attribute's name
    };
    // Made by the first writeListBox, whose settings and photos serve every later page.
    mutable std::vector<ListBoxEntry> m_listBoxEntries;
};

} // namespace pictaven
