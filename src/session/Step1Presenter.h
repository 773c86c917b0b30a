#pragma once

#include "session/ChangeNotifier.h"
#include "session/PreviewPicture.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

class Workspace;

// The preview pane: which file it asks for and what arrived.
struct Step1PreviewView {
    // Grows with every new file asked for; a picture loaded for an older request is dropped.
    std::uint64_t request = 0;
    // The file to load for `request`; empty before anything was chosen.
    std::string path;
    // Shown instead of a picture that cannot be read.
    std::string errorPicturePath;
    // The request came from the folder pane, which shows the busy cursor while loading.
    bool fromFolderPane = false;
    // The size labels appear with the first file or photo chosen.
    bool labelsVisible = false;
    // The "Preview Photo" check box: while clear, choosing a file loads nothing.
    bool enabled = true;
    // The picture of `request` once loaded; until then the one shown before, if any.
    std::optional<PreviewPicture> picture;
    // Whether `picture` belongs to `request`.
    bool current = false;
};

// What step 1's page shows: the step 1 folder, its files, the album list and the preview.
// Positions are 0-based rows of `files` and `photos`.
struct Step1View {
    std::string folder;
    // Why the folder's files cannot be listed; empty when they can.
    std::string folderMessage;
    // How many pictures of the folder the graphic formats keep out of `files`, and of which
    // kinds (see hiddenFilesNote); empty when none are.
    std::string hiddenFilesNote;
    std::vector<std::string> files;
    std::vector<std::size_t> selectedFiles;
    // The album list's display names, in album order.
    std::vector<std::string> photos;
    std::vector<std::size_t> selectedPhotos;

    bool sortByName = true;
    bool sortByDate = false;
    bool newestFirst = false; // the "Asc" check box

    // Everything that changes the album or the files is disabled while a job runs.
    bool addSelectedEnabled = false;
    bool addAllEnabled = false;
    bool removeSelectedEnabled = false;
    bool removeAllEnabled = false;
    bool sortEnabled = false;
    bool newestFirstEnabled = false;
    bool fileCommandsEnabled = false; // delete and rename in the folder pane's menu
    bool dropEnabled = false;

    Step1PreviewView preview;
};

// Step 1, "Select Photos": the folder pane, the album list and the commands between them, over
// the workspace's PhotoList. Commands never throw: failures are shown through the workspace's
// dialogs and the workspace stays as it was. Commands that change the album are refused while a
// job runs. Loading the preview picture is left to the caller (loadPreviewPicture may run on a
// worker): it asks for view().preview.path and hands the result to showPreview.
class Step1Presenter {
public:
    static constexpr const char* helpTopic = "Moving_Files";
    // `workspace` outlives the presenter.
    explicit Step1Presenter(Workspace& workspace);
    ~Step1Presenter();
    Step1Presenter(const Step1Presenter&) = delete;
    Step1Presenter& operator=(const Step1Presenter&) = delete;

    Step1View view() const;
    // Told whenever view() may have changed, also when the workspace changed.
    ChangeNotifier& changed() { return m_changed; }

    // The folder tree moved: `folder` becomes the step 1 folder and its files are listed. A
    // folder that cannot be read is reported and lists nothing.
    void setFolder(const std::string& folder);
    // Lists the step 1 folder's files again.
    void refresh();

    // Selections of the two lists; `current` is the focused row, which the preview follows.
    void selectFiles(const std::vector<std::size_t>& selected, std::optional<std::size_t> current);
    void selectPhotos(const std::vector<std::size_t>& selected, std::optional<std::size_t> current);

    // The four arrow buttons.
    void addSelected();
    void addAll();
    void removeSelected();
    void removeAll();

    // The selected photos, dragged from the focused one, are dropped onto row `target` (nullopt:
    // below the last row).
    void dropPhotos(std::optional<std::size_t> target);
    // Files dragged from the folder pane are dropped onto the album list: added as by
    // Add selected.
    void dropFiles(const std::vector<std::string>& names);

    void sortByName();
    void sortByDate();
    void setNewestFirst(bool newestFirst);

    // The folder pane's context menu for the file at `position`.
    std::string deleteCaption(std::size_t position) const;
    std::string renameCaption(std::size_t position) const;
    void deleteFile(std::size_t position);
    // Returns whether the file was renamed; when not, the edit box stays for another try.
    bool renameFile(std::size_t position, const std::string& newName);

    // The "Preview Photo" check box.
    void setPreviewEnabled(bool enabled);
    // The picture loaded for `request`; a picture for an older request is dropped. A failure of
    // the general loader for a folder-pane file is reported through the error log.
    void showPreview(std::uint64_t request, PreviewPicture picture);
    // Loads the picture asked for here and now.
    void loadPreviewNow();

private:
    void listFiles();
    // Positions in the folder pane of the selected files, in listing order.
    std::vector<std::size_t> selectedFilePositions() const;
    // Runs a command that changes the album or the files, unless a job runs; then tells every
    // page, since the guards and the catalog's state may have changed.
    void runCommand(const std::function<void()>& command);
    void requestPreview(const std::string& path, bool fromFolderPane);
    std::string step1Path(const std::string& name) const;

    Workspace& m_workspace;
    ChangeNotifier m_changed;
    int m_workspaceToken;
    std::vector<std::string> m_files;
    std::string m_folderMessage;
    std::string m_hiddenFilesNote;
    std::vector<std::string> m_selectedFiles; // by name, so they survive a new listing
    std::vector<std::size_t> m_selectedPhotos;
    std::optional<std::size_t> m_currentPhoto;
    Step1PreviewView m_preview;
};

} // namespace pictaven
