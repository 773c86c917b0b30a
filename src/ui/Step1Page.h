#pragma once

#include "session/Step1Presenter.h"

#include <QThreadPool>
#include <QWidget>
#include <cstdint>

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QRadioButton;
class QToolButton;

namespace pictaven {

class AlbumListWidget;
class FileListWidget;
class FolderTree;
class PreviewPane;
class RenameBox;
class StatusLine;
class StepNavigator;
class WindowCommands;
class Workspace;

// The page of step 1 in four columns of equal width: the folder tree with its drive box, the
// files of the folder, the arrow buttons with the preview, and the album list with its sort
// buttons. It draws its presenter's view and forwards what the person does. Pictures for the
// preview are read on a worker thread, so a large photo does not hold up the window.
class Step1Page : public QWidget {
    Q_OBJECT

public:
    // The arguments outlive the page.
    Step1Page(
        Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent = nullptr);
    ~Step1Page() override;

    Step1Presenter& presenter() { return m_presenter; }
    FolderTree* folderTree() const { return m_folders; }
    FileListWidget* fileList() const { return m_files; }
    AlbumListWidget* albumList() const { return m_album; }
    PreviewPane* previewPane() const { return m_preview; }
    // The folder pane's context menu, built for the file last pressed with the right button.
    QMenu* fileMenu() const { return m_fileMenu; }
    RenameBox* renameBox() const { return m_renameBox; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QToolButton* arrowButton(const QString& text, const QString& hint, void (Step1Presenter::*command)());
    QWidget* buildFolderColumn();
    QWidget* buildFilesColumn();
    QWidget* buildMiddleColumn(WindowCommands& commands);
    QWidget* buildAlbumColumn();

    void draw();
    void openFileMenu(const QPoint& position);
    void startRename();
    void finishRename(const QString& name);
    void loadPreview(const Step1PreviewView& preview);
    void previewLoaded(std::uint64_t request, const PreviewPicture& picture);

    Step1Presenter m_presenter;
    FolderTree* m_folders = nullptr;
    FileListWidget* m_files = nullptr;
    StatusLine* m_folderMessage = nullptr;
    QToolButton* m_addSelected = nullptr;
    QToolButton* m_addAll = nullptr;
    QToolButton* m_removeSelected = nullptr;
    QToolButton* m_removeAll = nullptr;
    QCheckBox* m_previewBox = nullptr;
    PreviewPane* m_preview = nullptr;
    AlbumListWidget* m_album = nullptr;
    QRadioButton* m_sortByName = nullptr;
    QRadioButton* m_sortByDate = nullptr;
    QCheckBox* m_newestFirst = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_deleteAction = nullptr;
    QAction* m_renameAction = nullptr;
    RenameBox* m_renameBox = nullptr;
    int m_drawToken = 0;
    int m_menuRow = -1;
    int m_renameRow = -1;

    QThreadPool m_previewThreads;
    std::uint64_t m_loadingRequest = 0;
    bool m_busyCursor = false;
};

} // namespace pictaven
