#pragma once

#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace pictaven {

// The folders of the file system as a tree, with a box above it standing in for the drive box:
// the home folder, "/" and the mounted volumes. Choosing an entry of the box roots the tree
// there; the box follows the folder shown.
class FolderTree : public QWidget {
    Q_OBJECT

public:
    explicit FolderTree(QWidget* parent = nullptr);

    QComboBox* driveBox() const { return m_driveBox; }
    QTreeView* tree() const { return m_tree; }

    // The folder the tree shows as chosen; empty when none.
    QString folder() const;
    // Moves the tree to `folder` without telling folderChosen.
    void showFolder(const QString& folder);

signals:
    // The person chose `folder` in the tree or in the box.
    void folderChosen(const QString& folder);

private:
    void fillDriveBox();
    void chooseDrive(int index);
    // The box entry holding `folder`: the one with the longest path that is a prefix of it.
    int driveOf(const QString& folder) const;
    void setRoot(const QString& root);

    QComboBox* m_driveBox;
    QTreeView* m_tree;
    QFileSystemModel* m_model;
    bool m_showing = false;
};

} // namespace pictaven
