#pragma once

#include "decoders/FormatFlags.h"

#include <cstddef>
#include <string>
#include <utility>

namespace pictaven {

class Workspace;

// What the graphic formats dialog shows: one box per format in file-mask order, and the two
// size limits with their boxes' texts.
struct GraphicFormatsView {
    FormatFlags formats;
    bool skipSmallFiles = true;
    bool skipLargeFiles = false;
    std::string smallFileSize = "10";
    std::string largeFileSize = "200";
};

// The graphic formats dialog: which formats the step 1 folder pane offers and the size limits of
// photos added. Made once and reused: its boxes keep their state between openings, and each
// opening takes over what settings.ini holds. Commands never throw.
class GraphicFormatsPresenter {
public:
    // `workspace` outlives the presenter.
    explicit GraphicFormatsPresenter(Workspace& workspace);

    const GraphicFormatsView& view() const { return m_view; }

    // The dialog opens: every value stored replaces its box; values never stored leave their
    // boxes as they are. An unreadable settings.ini is shown as an error.
    void open();

    // `position` in PictureFormats.
    void setFormat(std::size_t position, bool on) { m_view.formats.set(position, on); }
    void setSkipSmallFiles(bool on) { m_view.skipSmallFiles = on; }
    void setSkipLargeFiles(bool on) { m_view.skipLargeFiles = on; }
    void setSmallFileSize(std::string text) { m_view.smallFileSize = std::move(text); }
    void setLargeFileSize(std::string text) { m_view.largeFileSize = std::move(text); }

    // OK: stores the format flags, the file mask built from them, the skip flags and the sizes
    // (a size box that holds no integer gets its default back), applies them and lists the
    // step 1 folder again. A failure to store is shown as an error; the values are applied all
    // the same.
    void accept();

private:
    Workspace& m_workspace;
    GraphicFormatsView m_view;
};

} // namespace pictaven
