#include "session/Step3Presenter.h"

#include "app/Dialogs.h"
#include "ini/FilePaths.h"
#include "session/StepNavigator.h"
#include "session/Workspace.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

// A folder as the tree names it: normalised, without a final "/" except for the root.
std::string treeName(const std::string& folder)
{
    std::string name = fs::path(folder).lexically_normal().string();
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    return name;
}

} // namespace

Step3Presenter::Step3Presenter(Workspace& workspace, StepNavigator& navigator)
    : m_workspace(workspace)
    , m_navigator(navigator)
    , m_destinationLine("[" + workspace.outputFolder() + "]")
{
    m_workspace.outputFolders().onTreeMoved = [this] { outputFolderChanged(); };
}

Step3Presenter::~Step3Presenter()
{
    m_workspace.outputFolders().onTreeMoved = nullptr;
}

Step3View Step3Presenter::view() const
{
    const Catalog& catalog = m_workspace.catalog();
    Step3View view;
    view.treeFolder = m_workspace.outputFolders().treeFolder;
    view.destinationLine = m_destinationLine;
    view.photoPageTexture = catalog.photoPageTexture;
    view.indexPageTexture = catalog.indexPageTexture;
    view.enabled = editable();
    return view;
}

bool Step3Presenter::editable() const
{
    return !m_workspace.jobRunning();
}

// The tree has moved (treeFolder holds its new folder): the photos must be rendered again for
// the new place, and the folder is usable unless photos come from it.
void Step3Presenter::outputFolderChanged()
{
    OutputFolderState& folders = m_workspace.outputFolders();
    m_workspace.generationFlags().rerenderPhotos = true;
    m_destinationLine = "[" + folders.treeFolder + "]";
    folders.outputFolder = withTrailingSlash(folders.treeFolder);
    judgeOutputFolder(PhotoList::PathKind::Source);
}

void Step3Presenter::judgeOutputFolder(PhotoList::PathKind photoPaths)
{
    StepGuards& guards = m_workspace.guards();
    guards.outputIsPhotoFolder = m_workspace.photoList().isPhotoFolder(m_workspace.outputFolder(), photoPaths);
    guards.outputFolderValid = !guards.outputIsPhotoFolder;
    m_changed.notify();
}

void Step3Presenter::moveTree(const std::string& folder)
{
    const std::string name = treeName(folder);
    OutputFolderState& folders = m_workspace.outputFolders();
    if (!editable() || name.empty() || name == folders.treeFolder)
        return;
    folders.treeFolder = name;
    outputFolderChanged();
}

void Step3Presenter::chooseVolume(const std::string& root)
{
    if (!editable())
        return;
    moveTree(root);
    judgeOutputFolder(PhotoList::PathKind::Working);
}

void Step3Presenter::enter()
{
    OutputFolderState& folders = m_workspace.outputFolders();
    m_destinationLine = "[" + folders.outputFolder + "]";
    std::error_code error;
    // A folder removed since it was chosen cannot be shown; the tree then stays where it is.
    const bool elsewhere = withTrailingSlash(folders.treeFolder) != folders.outputFolder;
    if (editable() && elsewhere && fs::is_directory(folders.outputFolder, error)) {
        folders.treeFolder = treeName(folders.outputFolder);
        outputFolderChanged();
    }
    folders.outputFolder = withTrailingSlash(folders.outputFolder);
    m_changed.notify();
}

void Step3Presenter::leave()
{
    m_navigator.leaveStep3();
}

void Step3Presenter::createDirectory()
{
    if (!editable())
        return;
    Dialogs& dialogs = m_workspace.dialogs();
    const std::optional<std::string> chosen
        = dialogs.chooseFolder(createFolderTitle, m_workspace.outputFolders().treeFolder);
    if (!chosen || chosen->empty())
        return;
    const std::string folder = treeName(*chosen);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        if (!dialogs.askYesNo(createFolderQuestion))
            return;
        fs::create_directories(folder, error);
        if (error || !fs::is_directory(folder, error)) {
            const std::string reason = error ? error.message() : "a file of that name is in the way";
            dialogs.showError("The folder " + folder + " could not be created: " + reason);
            return;
        }
    }
    moveTree(folder);
}

void Step3Presenter::setTexture(std::string& held, const std::string& path)
{
    if (!editable() || path == held)
        return;
    held = path;
    m_workspace.catalog().modified = true;
    StepGuards& guards = m_workspace.guards();
    guards.outputFolderValid = !guards.outputIsPhotoFolder;
    m_changed.notify();
}

void Step3Presenter::setPhotoPageTexture(const std::string& path)
{
    setTexture(m_workspace.catalog().photoPageTexture, path);
}

void Step3Presenter::setIndexPageTexture(const std::string& path)
{
    setTexture(m_workspace.catalog().indexPageTexture, path);
}

void Step3Presenter::browseTexture(std::string& held, const char* title)
{
    if (!editable())
        return;
    const std::string folder = m_workspace.programFolder() + "backgrnd";
    const std::optional<std::string> chosen = m_workspace.dialogs().chooseOpenFile(title, folder, textureFilter);
    if (chosen)
        setTexture(held, *chosen);
}

void Step3Presenter::browsePhotoPageTexture()
{
    browseTexture(m_workspace.catalog().photoPageTexture, photoPageTextureTitle);
}

void Step3Presenter::browseIndexPageTexture()
{
    browseTexture(m_workspace.catalog().indexPageTexture, indexPageTextureTitle);
}

} // namespace pictaven
