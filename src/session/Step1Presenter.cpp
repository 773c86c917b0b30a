#include "session/Step1Presenter.h"

#include "app/Dialogs.h"
#include "catalog/FolderListing.h"
#include "session/HiddenFilesNote.h"
#include "session/Workspace.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>
#include <unordered_set>
#include <utility>

namespace pictaven {

namespace fs = std::filesystem;

Step1Presenter::Step1Presenter(Workspace& workspace)
    : m_workspace(workspace)
{
    m_preview.errorPicturePath = workspace.programFolder() + "buttons/error.bmp";
    listFiles();
    m_workspaceToken = workspace.changes().subscribe([this] {
        // A catalog opened or closed may have moved the step 1 folder and replaced the list.
        listFiles();
        const std::size_t count = m_workspace.catalog().photos.size();
        std::erase_if(m_selectedPhotos, [count](std::size_t position) { return position >= count; });
        if (m_currentPhoto && *m_currentPhoto >= count)
            m_currentPhoto.reset();
        m_changed.notify();
    });
}

Step1Presenter::~Step1Presenter()
{
    m_workspace.changes().unsubscribe(m_workspaceToken);
}

Step1View Step1Presenter::view() const
{
    const PhotoList& list = m_workspace.photoList();
    const bool idle = !m_workspace.jobRunning();
    Step1View view;
    view.folder = m_workspace.step1Folder();
    view.folderMessage = m_folderMessage;
    view.hiddenFilesNote = m_hiddenFilesNote;
    view.files = m_files;
    view.selectedFiles = selectedFilePositions();
    for (const AlbumItem& item : m_workspace.catalog().photos)
        view.photos.push_back(item.displayName);
    view.selectedPhotos = m_selectedPhotos;

    view.sortByName = list.sortMode() == PhotoList::SortMode::Name;
    view.sortByDate = !view.sortByName;
    view.newestFirst = list.newestFirst();

    view.addSelectedEnabled = idle && !view.selectedFiles.empty();
    view.addAllEnabled = idle && !m_files.empty();
    view.removeSelectedEnabled = idle && !m_selectedPhotos.empty();
    view.removeAllEnabled = idle;
    view.sortEnabled = idle;
    view.newestFirstEnabled = idle && list.newestFirstEnabled();
    view.fileCommandsEnabled = idle;
    view.dropEnabled = idle;
    view.preview = m_preview;
    return view;
}

void Step1Presenter::listFiles()
{
    m_files.clear();
    m_folderMessage.clear();
    m_hiddenFilesNote.clear();
    const std::string& folder = m_workspace.step1Folder();
    if (folder.empty())
        return;
    // The listing itself stays silent about an unreadable folder, so ask the folder first.
    std::error_code error;
    fs::directory_iterator probe(folder, error);
    if (error) {
        m_folderMessage = "The folder " + folder + " cannot be read: " + error.message() + ".";
        return;
    }
    m_files = m_workspace.photoList().folderPane();
    m_hiddenFilesNote = hiddenFilesNote(listMaskedPictures(folder, m_workspace.globalSettings().fileMask));
    const std::unordered_set<std::string> listed(m_files.begin(), m_files.end());
    std::erase_if(m_selectedFiles, [&](const std::string& name) { return !listed.contains(name); });
}

std::vector<std::size_t> Step1Presenter::selectedFilePositions() const
{
    // A set, as a folder of thousands of files may have all of them selected.
    const std::unordered_set<std::string> selected(m_selectedFiles.begin(), m_selectedFiles.end());
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        if (selected.contains(m_files[i]))
            positions.push_back(i);
    }
    return positions;
}

void Step1Presenter::setFolder(const std::string& folder)
{
    m_workspace.setStep1Folder(folder);
    m_selectedFiles.clear();
    listFiles();
    try {
        if (!m_folderMessage.empty())
            m_workspace.dialogs().showError(m_folderMessage);
    } catch (const std::exception&) {
        // The message stays in the view; a box that cannot be shown adds nothing.
    }
    m_changed.notify();
}

void Step1Presenter::refresh()
{
    listFiles();
    m_changed.notify();
}

std::string Step1Presenter::step1Path(const std::string& name) const
{
    // Without a current folder a relative step 1 folder stays relative; nothing is thrown.
    std::error_code error;
    const fs::path folder = fs::absolute(fs::path(m_workspace.step1Folder()), error);
    return ((error ? fs::path(m_workspace.step1Folder()) : folder) / name).lexically_normal().string();
}

void Step1Presenter::selectFiles(const std::vector<std::size_t>& selected, std::optional<std::size_t> current)
{
    m_selectedFiles.clear();
    for (const std::size_t position : selected) {
        if (position < m_files.size())
            m_selectedFiles.push_back(m_files[position]);
    }
    if (current && *current < m_files.size() && !m_selectedFiles.empty())
        requestPreview(step1Path(m_files[*current]), true);
    m_changed.notify();
}

void Step1Presenter::selectPhotos(
    const std::vector<std::size_t>& selected, std::optional<std::size_t> current)
{
    const auto& photos = m_workspace.catalog().photos;
    m_selectedPhotos.clear();
    for (const std::size_t position : selected) {
        if (position < photos.size())
            m_selectedPhotos.push_back(position);
    }
    std::sort(m_selectedPhotos.begin(), m_selectedPhotos.end());
    m_selectedPhotos.erase(
        std::unique(m_selectedPhotos.begin(), m_selectedPhotos.end()), m_selectedPhotos.end());
    m_currentPhoto = current && *current < photos.size() ? current : std::nullopt;
    if (m_currentPhoto)
        requestPreview(photos[*m_currentPhoto].storage.WorkingPath, false);
    m_changed.notify();
}

void Step1Presenter::runCommand(const std::function<void()>& command)
{
    if (m_workspace.jobRunning())
        return;
    try {
        command();
        m_workspace.changes().notify();
    } catch (const std::exception& error) {
        try {
            m_workspace.dialogs().showError(error.what());
        } catch (const std::exception&) {
            // Nothing more can be told.
        }
        m_changed.notify();
    }
}

void Step1Presenter::addSelected()
{
    runCommand([this] {
        std::vector<std::string> names;
        for (const std::size_t position : selectedFilePositions())
            names.push_back(m_files[position]);
        m_workspace.photoList().addSelected(names);
    });
}

void Step1Presenter::addAll()
{
    runCommand([this] { m_workspace.photoList().addAll(); });
}

void Step1Presenter::removeSelected()
{
    runCommand([this] {
        const std::vector<std::size_t> selected = std::exchange(m_selectedPhotos, {});
        m_currentPhoto.reset();
        m_workspace.photoList().removeSelected(selected);
    });
}

void Step1Presenter::removeAll()
{
    runCommand([this] {
        m_workspace.photoList().removeAll();
        if (m_workspace.catalog().photos.empty()) {
            m_selectedPhotos.clear();
            m_currentPhoto.reset();
        }
    });
}

void Step1Presenter::dropPhotos(std::optional<std::size_t> target)
{
    runCommand([&] {
        if (m_selectedPhotos.empty())
            return;
        const std::size_t source = m_currentPhoto.value_or(m_selectedPhotos.front());
        const auto rank = static_cast<std::size_t>(
            std::find(m_selectedPhotos.begin(), m_selectedPhotos.end(), source) - m_selectedPhotos.begin());
        m_selectedPhotos = m_workspace.photoList().drop(source, target, m_selectedPhotos);
        // The selected photos keep their order, so the focused one keeps its rank among them.
        if (rank < m_selectedPhotos.size())
            m_currentPhoto = m_selectedPhotos[rank];
    });
}

void Step1Presenter::dropFiles(const std::vector<std::string>& names)
{
    runCommand([&] { m_workspace.photoList().addSelected(names); });
}

void Step1Presenter::sortByName()
{
    runCommand([this] {
        m_selectedPhotos.clear();
        m_currentPhoto.reset();
        m_workspace.photoList().sortByName();
    });
}

void Step1Presenter::sortByDate()
{
    runCommand([this] {
        m_selectedPhotos.clear();
        m_currentPhoto.reset();
        m_workspace.photoList().sortByDate();
    });
}

void Step1Presenter::setNewestFirst(bool newestFirst)
{
    runCommand([&] {
        if (m_workspace.photoList().sortMode() == PhotoList::SortMode::Date) {
            m_selectedPhotos.clear();
            m_currentPhoto.reset();
        }
        m_workspace.photoList().setNewestFirst(newestFirst);
    });
}

std::string Step1Presenter::deleteCaption(std::size_t position) const
{
    return position < m_files.size() ? "Delete file  [" + m_files[position] + "]  from disk" : std::string();
}

std::string Step1Presenter::renameCaption(std::size_t position) const
{
    return position < m_files.size() ? "Rename file  [" + m_files[position] + "]" : std::string();
}

void Step1Presenter::deleteFile(std::size_t position)
{
    if (position >= m_files.size())
        return;
    // The pane is listed again afterwards, whatever the answer: the disk may have changed.
    runCommand([&] { m_workspace.photoList().deleteFile(m_files[position]); });
}

bool Step1Presenter::renameFile(std::size_t position, const std::string& newName)
{
    if (position >= m_files.size())
        return false;
    bool renamed = false;
    const std::string oldName = m_files[position];
    runCommand([&] {
        renamed = m_workspace.photoList().renameFile(oldName, newName);
        if (renamed)
            std::replace(m_selectedFiles.begin(), m_selectedFiles.end(), oldName, newName);
    });
    return renamed;
}

void Step1Presenter::setPreviewEnabled(bool enabled)
{
    m_preview.enabled = enabled;
    m_changed.notify();
}

void Step1Presenter::requestPreview(const std::string& path, bool fromFolderPane)
{
    m_preview.labelsVisible = true;
    if (!m_preview.enabled || (path == m_preview.path && fromFolderPane == m_preview.fromFolderPane))
        return;
    ++m_preview.request;
    m_preview.path = path;
    m_preview.fromFolderPane = fromFolderPane;
    m_preview.current = false;
}

void Step1Presenter::showPreview(std::uint64_t request, PreviewPicture picture)
{
    if (request != m_preview.request)
        return;
    const bool report = m_preview.fromFolderPane && picture.generalLoaderFailed;
    const std::string failure = picture.failure;
    m_preview.picture = std::move(picture);
    m_preview.current = true;
    m_changed.notify();
    try {
        if (report)
            m_workspace.logMessage(failure);
    } catch (const std::exception&) {
        // The failure is in the pane's hint all the same.
    }
}

void Step1Presenter::loadPreviewNow()
{
    if (!m_preview.path.empty() && !m_preview.current)
        showPreview(m_preview.request, loadPreviewPicture(m_preview.path, m_preview.errorPicturePath));
}

} // namespace pictaven
