#include "ui/Step3Page.h"

#include "session/Workspace.h"
#include "ui/FormControls.h"
#include "ui/WindowColours.h"
#include "ui/WindowCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>

namespace pictaven
{

namespace
{

// Whether `folder` lies in the volume whose top folder is `root`.
bool inVolume(const QString& folder, const QString& root)
{
    return root == "/" || folder == root || folder.startsWith(root + '/');
}

} // namespace

Step3Page::Step3Page(
    Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_presenter(workspace, navigator)
    , m_model(new QFileSystemModel(this))
    , m_volumes(new QComboBox(this))
    , m_tree(new QTreeView(this))
    , m_destination(new QLabel(this))
{
    setObjectName("step3Page");
    QPalette boxes = palette();
    boxes.setColor(QPalette::Base, WindowColours::boxes);
    boxes.setColor(QPalette::Button, WindowColours::boxes);
    setPalette(boxes);

    // Folders only; a folder that cannot be read simply shows no children, since the model
    // reads folders on a thread of its own.
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setOptions(QFileSystemModel::DontUseCustomDirectoryIcons);
    m_model->setRootPath("/");
    m_tree->setObjectName("folderTree");
    m_tree->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setHeaderHidden(true);
    m_tree->setAccessibleName("Output Folder");
    m_volumes->setObjectName("volumeBox");
    m_volumes->setAccessibleName("Volume");
    m_destination->setObjectName("destinationLine");
    m_destination->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fillVolumes();

    auto* volumeLabel = new QLabel("&Volume", this);
    volumeLabel->setBuddy(m_volumes);
    auto* treeLabel = new QLabel("Output &Folder", this);
    treeLabel->setBuddy(m_tree);
    auto* create = new QPushButton("&Create Directory", this);
    create->setObjectName("createDirectory");
    create->setAccessibleName("Create Directory");
    create->setToolTip("Choose or create the folder the photo album is written to");
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("help");
    help->setAccessibleName("Help");
    help->setToolTip("How to choose the output folder");

    auto* layout = new QGridLayout(this);
    layout->addWidget(volumeLabel, 0, 0);
    layout->addWidget(m_volumes, 0, 1, 1, 2);
    layout->addWidget(treeLabel, 1, 0, Qt::AlignTop);
    layout->addWidget(m_tree, 1, 1, 1, 2);
    layout->addWidget(m_destination, 2, 1);
    layout->addWidget(create, 2, 2);
    QPushButton* photoBrowse = nullptr;
    QPushButton* indexBrowse = nullptr;
    m_photoTexture = addTextureRow(
        "Texture (&Photo Page)", "&Browse..", "Choose the picture tiled behind the photo pages", photoBrowse);
    m_indexTexture = addTextureRow(
        "Texture (&Index Page)", "B&rowse..", "Choose the picture tiled behind the index pages", indexBrowse);
    m_photoTexture->setObjectName("photoPageTexture");
    m_indexTexture->setObjectName("indexPageTexture");
    photoBrowse->setObjectName("browsePhotoPageTexture");
    indexBrowse->setObjectName("browseIndexPageTexture");
    layout->addWidget(help, layout->rowCount(), 2, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    m_editors << m_volumes << m_tree << create;

    setTabOrder(m_volumes, m_tree);
    setTabOrder(m_tree, create);
    setTabOrder(create, m_photoTexture);
    setTabOrder(m_photoTexture, photoBrowse);
    setTabOrder(photoBrowse, m_indexTexture);
    setTabOrder(m_indexTexture, indexBrowse);
    setTabOrder(indexBrowse, help);

    connect(m_volumes, &QComboBox::activated, this,
        [this](int entry) { m_presenter.chooseVolume(volumeRoot(entry).toStdString()); });
    // Only the person moves the output folder. The model moves the tree's current row by itself
    // too: a listing read before a folder was made drops that folder's row for a while.
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) {
            if (current.isValid() && m_personActing)
                m_presenter.moveTree(m_model->filePath(current).toStdString());
        });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &Step3Page::redraw);
    // The model reads and sorts folders in the background, which moves the rows after the tree
    // was brought to its folder; it is brought there again until the person takes the tree over.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &Step3Page::revealCurrentFolder);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &Step3Page::revealCurrentFolder);
    connect(
        m_tree->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_revealFolder = false; });
    m_tree->installEventFilter(this);
    m_tree->viewport()->installEventFilter(this);
    connect(create, &QPushButton::clicked, this, [this] { m_presenter.createDirectory(); });
    connect(m_photoTexture, &QLineEdit::editingFinished, this,
        [this] { m_presenter.setPhotoPageTexture(m_photoTexture->text().toStdString()); });
    connect(m_indexTexture, &QLineEdit::editingFinished, this,
        [this] { m_presenter.setIndexPageTexture(m_indexTexture->text().toStdString()); });
    connect(photoBrowse, &QPushButton::clicked, this, [this] { m_presenter.browsePhotoPageTexture(); });
    connect(indexBrowse, &QPushButton::clicked, this, [this] { m_presenter.browseIndexPageTexture(); });
    connect(help, &QPushButton::clicked, &commands,
        [&commands] { commands.showHelpTopic(Step3Presenter::helpTopic); });
    connect(qApp, &QApplication::focusChanged, this, &Step3Page::focusMoved);

    m_presenterToken = m_presenter.changed().subscribe([this] { redraw(); });
    m_workspaceToken = m_workspace.changes().subscribe([this] { redraw(); });
    redraw();
}

Step3Page::~Step3Page()
{
    // The children go only after the presenter has gone; nothing they signal may reach it then.
    disconnect(qApp, nullptr, this, nullptr);
    for (const QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    m_workspace.changes().unsubscribe(m_workspaceToken);
    m_presenter.changed().unsubscribe(m_presenterToken);
}

QLineEdit* Step3Page::addTextureRow(
    const QString& caption, const QString& browseCaption, const QString& hint, QPushButton*& browse)
{
    auto* label = new QLabel(caption, this);
    auto* box = new QLineEdit(this);
    label->setBuddy(box);
    box->setAccessibleName(plainCaption(caption));
    browse = new QPushButton(browseCaption, this);
    browse->setAccessibleName(plainCaption(browseCaption));
    browse->setAccessibleDescription(plainCaption(caption));
    browse->setToolTip(hint);
    auto* layout = static_cast<QGridLayout*>(this->layout());
    const int row = layout->rowCount();
    layout->addWidget(label, row, 0);
    layout->addWidget(box, row, 1);
    layout->addWidget(browse, row, 2);
    m_editors << box << browse;
    return box;
}

// Home, the root and the mounted volumes of real devices; each entry holds its top folder.
void Step3Page::fillVolumes()
{
    QStringList roots { QDir::homePath(), "/" };
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && volume.device().startsWith("/dev/")
            && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    for (const QString& root : roots)
        m_volumes->addItem(root == QDir::homePath() ? "Home (" + root + ")" : root, root);
}

// The page is shown when its step is entered; the window coming back from the task bar is no
// entering.
QString Step3Page::volumeRoot(int entry) const
{
    return m_volumes->itemData(entry).toString();
}

void Step3Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    m_presenter.enter();
    m_tree->setFocus();
    m_revealFolder = true;
    revealCurrentFolder();
}

bool Step3Page::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)
        m_revealFolder = false;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == QEvent::KeyPress) {
        // The tree handles the event right after this filter; what it moves then is the person's.
        m_personActing = true;
        QTimer::singleShot(0, this, [this] { m_personActing = false; });
    }
    return QWidget::eventFilter(watched, event);
}

void Step3Page::revealCurrentFolder()
{
    if (m_revealFolder)
        m_tree->scrollTo(m_tree->currentIndex());
}

// Leaving the page means the focus went to another control of the same window (the page stack
// hands it to the next page); a dialog, another program or the window closing is no leaving.
void Step3Page::focusMoved(QWidget* from, QWidget* to)
{
    if (from && to && isAncestorOf(from) && !isAncestorOf(to) && to->window() == window())
        m_presenter.leave();
}

void Step3Page::redraw()
{
    const Step3View view = m_presenter.view();
    const QString folder = QString::fromStdString(view.treeFolder);

    // The volume box follows the tree: the entry with the longest top folder that holds it.
    int volume = -1;
    for (int entry = 0; entry < m_volumes->count(); ++entry) {
        const QString root = volumeRoot(entry);
        if (inVolume(folder, root) && (volume < 0 || root.size() > volumeRoot(volume).size()))
            volume = entry;
    }
    if (volume >= 0 && volume != m_volumes->currentIndex())
        m_volumes->setCurrentIndex(volume);
    const QModelIndex root = m_model->index(volumeRoot(m_volumes->currentIndex()));
    if (m_tree->rootIndex() != root)
        m_tree->setRootIndex(root);
    const QModelIndex current = m_model->index(folder);
    if (current.isValid() && m_tree->currentIndex() != current) {
        m_tree->setCurrentIndex(current);
        m_revealFolder = true;
        revealCurrentFolder();
    }

    m_destination->setText(QString::fromStdString(view.destinationLine));
    showText(*m_photoTexture, view.photoPageTexture);
    showText(*m_indexTexture, view.indexPageTexture);
    for (QWidget* editor : m_editors)
        editor->setEnabled(view.enabled);
}

} // namespace pictaven
