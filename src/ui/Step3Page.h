#pragma once

#include "session/Step3Presenter.h"

#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace pictaven {

class StepNavigator;
class WindowCommands;
class Workspace;

// The page of step 3. It draws its presenter's view and forwards what the person does.
class Step3Page : public QWidget {
    Q_OBJECT

public:
    // The arguments outlive the page.
    Step3Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent = nullptr);
    ~Step3Page() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Notes that the person scrolls or clicks the tree.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addTextureRow(const QString& caption, const QString& browseCaption, const QString& hint,
                             QPushButton*& browse);
    void fillVolumes();
    // The top folder of the volume box's entry.
    QString volumeRoot(int entry) const;
    void focusMoved(QWidget* from, QWidget* to);
    void revealCurrentFolder();
    void redraw();

    Workspace& m_workspace;
    Step3Presenter m_presenter;
    QFileSystemModel* m_model;
    QComboBox* m_volumes;
    QTreeView* m_tree;
    QLabel* m_destination;
    QLineEdit* m_photoTexture;
    QLineEdit* m_indexTexture;
    QList<QWidget*> m_editors;
    bool m_revealFolder = false; // the tree's folder is to be kept in view while folders load
    bool m_personActing = false; // a key or mouse press on the tree is being handled
    int m_presenterToken;
    int m_workspaceToken;
};

} // namespace pictaven
