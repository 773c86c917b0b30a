#include "ui/FolderTree.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace pictaven {

FolderTree::FolderTree(QWidget* parent)
    : QWidget(parent)
    , m_driveBox(new QComboBox(this))
    , m_tree(new QTreeView(this))
    , m_model(new QFileSystemModel(this))
{
    m_driveBox->setObjectName("driveBox");
    m_driveBox->setAccessibleName("Drive");
    m_driveBox->setToolTip("Drive");
    m_tree->setObjectName("folderTree");
    m_tree->setAccessibleName("Folders");

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath("/");
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    // The name column alone: size, type and date say nothing about a folder here.
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_driveBox);
    layout->addWidget(m_tree, 1);

    fillDriveBox();
    connect(m_driveBox, &QComboBox::activated, this, &FolderTree::chooseDrive);
    // The model reads folders on a thread of its own, and the rows above the chosen folder
    // arrive later: it is brought into view again as each folder on its way is read.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        const QString chosen = folder();
        if (!chosen.isEmpty()
            && (chosen == loaded || chosen.startsWith(loaded.endsWith('/') ? loaded : loaded + '/')))
            m_tree->scrollTo(m_tree->currentIndex());
    });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& index) {
            if (index.isValid() && !m_showing)
                emit folderChosen(m_model->filePath(index));
        });
}

void FolderTree::fillDriveBox()
{
    QStringList roots { QDir::homePath(), "/" };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    for (const QString& root : roots)
        m_driveBox->addItem(root, root);
}

int FolderTree::driveOf(const QString& folder) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < m_driveBox->count(); ++i) {
        const QString root = m_driveBox->itemData(i).toString();
        const bool holds = folder == root || root == "/" || folder.startsWith(root + '/');
        if (holds && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void FolderTree::setRoot(const QString& root)
{
    m_tree->setRootIndex(m_model->index(root));
}

void FolderTree::chooseDrive(int index)
{
    const QString root = m_driveBox->itemData(index).toString();
    setRoot(root);
    m_tree->setCurrentIndex(m_model->index(root));
}

QString FolderTree::folder() const
{
    const QModelIndex current = m_tree->currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

void FolderTree::showFolder(const QString& folder)
{
    const QString clean = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
    if (clean.isEmpty() || clean == this->folder())
        return;
    // The view listens to its selection model, so that stays unblocked; only our own signal
    // is held back.
    m_showing = true;
    const int drive = driveOf(clean);
    if (drive >= 0) {
        m_driveBox->setCurrentIndex(drive);
        setRoot(m_driveBox->itemData(drive).toString());
    }
    const QModelIndex index = m_model->index(clean);
    m_tree->setCurrentIndex(index);
    if (index.isValid())
        m_tree->scrollTo(index);
    m_showing = false;
}

} // namespace pictaven
