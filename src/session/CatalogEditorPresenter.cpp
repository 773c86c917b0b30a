#include "session/CatalogEditorPresenter.h"

#include "app/Dialogs.h"
#include "session/CatalogCommands.h"
#include "session/Workspace.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace pictaven {

namespace {

constexpr std::array<const char*, 4> kRotationTexts = {" No Rotate", " Rotate Left", " Rotate Right", " Flip"};

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string fileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

CatalogEditorPresenter::CatalogEditorPresenter(Workspace& workspace)
    : m_workspace(workspace)
{
    if (!m_workspace.catalog().photos.empty())
        loadFields();
}

CatalogEditorView CatalogEditorPresenter::view() const
{
    CatalogEditorView view;
    view.caption = m_caption;
    view.photoCount = m_workspace.catalog().photos.size();
    view.current = m_current;
    view.label = m_label;
    view.webTitle = m_webTitle;
    view.description = m_description;
    view.audioFile = m_audioFile;
    if (m_current < view.photoCount) {
        const FileStorage& photo = m_workspace.catalog().photos[m_current].storage;
        view.rotation = photo.Rotation;
        view.fileName = photo.WorkingPath;
    }
    view.fieldsLoaded = m_fieldsLoaded;
    view.layout = m_layout;
    return view;
}

StripCell CatalogEditorPresenter::cell(std::size_t position) const
{
    const FileStorage& photo = m_workspace.catalog().photos.at(position).storage;
    const auto rotation = static_cast<std::size_t>(std::clamp(photo.Rotation, 0, 3));
    return {"  " + fileNameOf(photo.WorkingPath) + " ", kRotationTexts[rotation],
            m_workspace.photoList().thumbnails().path(position), photo.WorkingPath};
}

void CatalogEditorPresenter::markModified()
{
    m_workspace.catalog().modified = true;
}

void CatalogEditorPresenter::loadFields()
{
    const FileStorage& photo = m_workspace.catalog().photos[m_current].storage;
    const std::string description = joinLines(photo.Description);
    // Filling an edit with a different value counts as a change of it.
    if (photo.Caption != m_label || photo.WebTitle != m_webTitle || photo.AudioFile != m_audioFile ||
        description != m_description)
        markModified();
    m_label = photo.Caption;
    m_webTitle = photo.WebTitle;
    m_audioFile = photo.AudioFile;
    m_description = description;
    ++m_fieldsLoaded;
}

void CatalogEditorPresenter::selectPhoto(std::size_t position)
{
    if (position >= m_workspace.catalog().photos.size())
        return;
    m_current = position;
    loadFields();
    m_changed.notify();
}

void CatalogEditorPresenter::storeLabel(const std::string& label)
{
    m_label = label;
    m_workspace.catalog().photos.at(m_current).storage.Caption = label;
}

void CatalogEditorPresenter::storeWebTitle(const std::string& webTitle)
{
    m_webTitle = webTitle;
    m_workspace.catalog().photos.at(m_current).storage.WebTitle = webTitle;
}

void CatalogEditorPresenter::storeAudioFile(const std::string& audioFile)
{
    m_audioFile = audioFile;
    m_workspace.catalog().photos.at(m_current).storage.AudioFile = audioFile;
}

void CatalogEditorPresenter::storeDescription(const std::string& description)
{
    m_description = description;
    m_workspace.catalog().photos.at(m_current).storage.Description = splitLines(description);
}

void CatalogEditorPresenter::fieldTouched()
{
    markModified();
}

std::string CatalogEditorPresenter::insertTag(std::size_t tag, const std::string& line, std::size_t column)
{
    markModified();
    std::string changed = line;
    changed.insert(std::min(column, changed.size()), tags.at(tag));
    return changed;
}

std::optional<std::string> CatalogEditorPresenter::chooseAudioFile()
{
    const std::string folder = m_audioFile.empty() ? std::string() : std::filesystem::path(m_audioFile).parent_path().string();
    std::optional<std::string> chosen = m_workspace.dialogs().chooseOpenFile("Audio File", folder, audioFilter);
    if (chosen) {
        markModified();
        storeAudioFile(*chosen);
    }
    return chosen;
}

void CatalogEditorPresenter::setRotation(std::int32_t rotation)
{
    if (rotation < 0 || rotation >= static_cast<std::int32_t>(rotations.size()))
        return;
    m_workspace.catalog().photos.at(m_current).storage.Rotation = rotation;
    m_workspace.generationFlags().rerenderPhotos = true;
    markModified();
    m_changed.notify();
}

void CatalogEditorPresenter::movePhoto(std::size_t from, std::size_t to)
{
    const std::size_t count = m_workspace.catalog().photos.size();
    if (from >= count || to >= count)
        return;
    m_workspace.photoList().drop(from, to, {from});
    // The current photo keeps its fields, wherever the move takes it.
    if (m_current == from)
        m_current = to;
    else if (from < m_current && m_current <= to)
        --m_current;
    else if (to <= m_current && m_current < from)
        ++m_current;
    ++m_layout;
    m_changed.notify();
    m_workspace.changes().notify();
}

void CatalogEditorPresenter::removeCurrentPhoto()
{
    markModified();
    const std::size_t count = m_workspace.catalog().photos.size();
    if (count <= 1)
        return;
    m_workspace.photoList().removeSelected({m_current});
    m_current = std::min(m_current, count - 2);
    ++m_layout;
    loadFields();
    m_changed.notify();
    m_workspace.changes().notify();
}

std::string CatalogEditorPresenter::viewPhotoPath() const
{
    return m_workspace.catalog().photos.at(m_current).storage.WorkingPath;
}

void CatalogEditorPresenter::viewerFailed()
{
    m_workspace.dialogs().showError("No program could show the photo " + viewPhotoPath() + ".");
}

void CatalogEditorPresenter::saveCatalog(const std::string& description)
{
    storeDescription(description);
    try {
        pictaven::saveCatalog(m_workspace);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    // An unnamed catalog whose save was cancelled keeps the caption it had.
    if (!m_workspace.catalog().name.empty())
        m_caption = m_workspace.catalog().name;
    m_changed.notify();
    m_workspace.changes().notify();
}

std::string CatalogEditorPresenter::stripScratchFile(std::size_t position, std::uint64_t layout) const
{
    return m_workspace.programFolder() + "temp/_strip" + std::to_string(layout) + "_" + std::to_string(position) +
           ".bmp";
}

void CatalogEditorPresenter::keepStripPicture(std::size_t position, std::uint64_t layout, const StripPicture& picture)
{
    if (!picture.writeError.empty() && !m_cacheErrorShown) {
        m_cacheErrorShown = true;
        m_workspace.dialogs().showError(std::string("The thumbnail cache cannot be written, so the thumbnails are "
                                                    "made again each time they are shown.\n") +
                                        picture.writeError);
    }
    if (picture.scratchFile.empty())
        return;
    std::error_code ignored;
    if (layout == m_layout && position < m_workspace.catalog().photos.size())
        std::filesystem::rename(picture.scratchFile, m_workspace.photoList().thumbnails().path(position), ignored);
    std::filesystem::remove(picture.scratchFile, ignored);
}

std::string CatalogEditorPresenter::errorPicturePath() const
{
    return m_workspace.programFolder() + "buttons/error.bmp";
}

} // namespace pictaven
