#include "ui/Step1Page.h"

#include "ui/AlbumListWidget.h"
#include "ui/FileListWidget.h"
#include "ui/FolderTree.h"
#include "ui/PreviewPane.h"
#include "ui/RenameBox.h"
#include "ui/StatusLine.h"
#include "ui/WindowCommands.h"
#include "ui/WindowColours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <optional>
#include <vector>

namespace pictaven {

namespace {

void paintAsList(QWidget* widget)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Base, WindowColours::boxes);
    widget->setPalette(colours);
}

// A column that takes exactly its share of the page's width, whatever its content asks for.
QWidget* column(QWidget* parent, QLayout* layout)
{
    auto* widget = new QWidget(parent);
    widget->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->setContentsMargins(0, 0, 0, 0);
    widget->setLayout(layout);
    return widget;
}

std::vector<std::size_t> selectedRows(const QListWidget& list)
{
    std::vector<std::size_t> rows;
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected())
            rows.push_back(static_cast<std::size_t>(row));
    }
    return rows;
}

std::optional<std::size_t> currentRow(const QListWidget& list)
{
    return list.currentRow() >= 0 ? std::optional<std::size_t>(list.currentRow()) : std::nullopt;
}

// Names and colours one of the page's lists, and hands every change of its chosen rows, with
// its focused row, to the presenter's `select`.
void setUpList(QListWidget& list, const char* objectName, const QString& accessibleName,
    Step1Presenter& presenter,
    void (Step1Presenter::*select)(const std::vector<std::size_t>&, std::optional<std::size_t>))
{
    list.setObjectName(objectName);
    list.setAccessibleName(accessibleName);
    paintAsList(&list);
    // The view moves the focus before it changes the selection, so the focused row is current.
    QObject::connect(&list, &QListWidget::itemSelectionChanged, &list,
        [&list, &presenter, select] { (presenter.*select)(selectedRows(list), currentRow(list)); });
}

// Shows `rows` with `selected` chosen, touching the list only where it differs, so that a
// redraw keeps the person's scroll position and selection anchor.
void showRows(
    QListWidget& list, const std::vector<std::string>& rows, const std::vector<std::size_t>& selected)
{
    const QSignalBlocker blocker(&list);
    bool same = list.count() == static_cast<int>(rows.size());
    for (int row = 0; same && row < list.count(); ++row)
        same = list.item(row)->text().toStdString() == rows[static_cast<std::size_t>(row)];
    if (!same) {
        list.clear();
        for (const std::string& row : rows)
            list.addItem(QString::fromStdString(row));
    }
    if (selectedRows(list) == selected)
        return;
    list.clearSelection();
    for (const std::size_t row : selected)
        list.item(static_cast<int>(row))->setSelected(true);
    if (!selected.empty() && (!list.currentItem() || !list.currentItem()->isSelected()))
        list.setCurrentRow(static_cast<int>(selected.front()), QItemSelectionModel::NoUpdate);
}

} // namespace

Step1Page::Step1Page(
    Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
    , m_presenter(workspace)
{
    static_cast<void>(navigator);
    setObjectName("step1Page");
    // One picture at a time: a newer choice only waits for the picture being read.
    m_previewThreads.setMaxThreadCount(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildFolderColumn(), 1);
    layout->addWidget(buildFilesColumn(), 1);
    layout->addWidget(buildMiddleColumn(commands), 1);
    layout->addWidget(buildAlbumColumn(), 1);

    m_drawToken = m_presenter.changed().subscribe([this] { draw(); });
    draw();
}

Step1Page::~Step1Page()
{
    // The presenter goes before the child widgets, which may still signal while they are taken
    // apart.
    m_presenter.changed().unsubscribe(m_drawToken);
    for (QObject* forwarder : std::initializer_list<QObject*> { m_folders, m_files, m_album })
        forwarder->blockSignals(true);
    m_previewThreads.clear();
    m_previewThreads.waitForDone();
    if (m_busyCursor)
        QGuiApplication::restoreOverrideCursor();
}

void Step1Page::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Files may have come or gone while the person was in another program.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        m_presenter.refresh();
}

QWidget* Step1Page::buildFolderColumn()
{
    m_folders = new FolderTree(this);
    paintAsList(m_folders->driveBox());
    paintAsList(m_folders->tree());
    connect(m_folders, &FolderTree::folderChosen, this,
        [this](const QString& folder) { m_presenter.setFolder(folder.toStdString()); });
    auto* layout = new QVBoxLayout;
    layout->addWidget(m_folders);
    return column(this, layout);
}

QWidget* Step1Page::buildFilesColumn()
{
    m_files = new FileListWidget(this);
    setUpList(*m_files, "fileList", "Files of the folder", m_presenter, &Step1Presenter::selectFiles);
    m_folderMessage = new StatusLine("Folder message", this);
    m_folderMessage->setObjectName("folderMessage");
    m_folderMessage->setWordWrap(true);

    connect(m_files, &FileListWidget::enterPressed, this, [this] { m_presenter.addSelected(); });
    connect(m_files, &QWidget::customContextMenuRequested, this, &Step1Page::openFileMenu);

    m_fileMenu = new QMenu(this);
    m_fileMenu->setObjectName("fileMenu");
    m_deleteAction = m_fileMenu->addAction(QString());
    m_renameAction = m_fileMenu->addAction(QString());
    connect(m_deleteAction, &QAction::triggered, this, [this] {
        if (m_menuRow >= 0)
            m_presenter.deleteFile(static_cast<std::size_t>(m_menuRow));
    });
    connect(m_renameAction, &QAction::triggered, this, &Step1Page::startRename);

    m_renameBox = new RenameBox(m_files->viewport());
    m_renameBox->hide();
    connect(m_renameBox, &RenameBox::accepted, this, &Step1Page::finishRename);
    connect(m_renameBox, &RenameBox::cancelled, m_renameBox, &QWidget::hide);

    auto* layout = new QVBoxLayout;
    layout->addWidget(m_files, 1);
    layout->addWidget(m_folderMessage);
    return column(this, layout);
}

QToolButton* Step1Page::arrowButton(
    const QString& text, const QString& hint, void (Step1Presenter::*command)())
{
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(button, &QToolButton::clicked, this, [this, command] { (m_presenter.*command)(); });
    return button;
}

QWidget* Step1Page::buildMiddleColumn(WindowCommands& commands)
{
    m_addSelected
        = arrowButton(">", "Add Selected Files From Directory to Photo Album", &Step1Presenter::addSelected);
    m_addSelected->setObjectName("addSelected");
    m_addAll = arrowButton(">>", "Add All Photos from Directory to Photo Album", &Step1Presenter::addAll);
    m_addAll->setObjectName("addAll");
    m_removeSelected
        = arrowButton("<", "Remove selected Photos from Photo Album", &Step1Presenter::removeSelected);
    m_removeSelected->setObjectName("removeSelected");
    m_removeAll = arrowButton("<<", "Remove All Photos From Photo Album", &Step1Presenter::removeAll);
    m_removeAll->setObjectName("removeAll");

    m_previewBox = new QCheckBox("Preview Photo", this);
    m_previewBox->setObjectName("previewPhoto");
    m_previewBox->setAccessibleName("Preview Photo");
    connect(m_previewBox, &QCheckBox::clicked, this,
        [this](bool checked) { m_presenter.setPreviewEnabled(checked); });
    m_preview = new PreviewPane(this);

    auto* help = new QPushButton("&Help", this);
    help->setObjectName("helpButton");
    help->setAccessibleName("Help");
    connect(help, &QPushButton::clicked, &commands, [&commands] { commands.showHelpTopic(Step1Presenter::helpTopic); });

    auto* layout = new QVBoxLayout;
    for (QToolButton* button : { m_addSelected, m_addAll, m_removeSelected, m_removeAll })
        layout->addWidget(button);
    layout->addSpacing(8);
    layout->addWidget(m_previewBox);
    layout->addWidget(m_preview);
    layout->addStretch(1);
    layout->addWidget(help);
    return column(this, layout);
}

QWidget* Step1Page::buildAlbumColumn()
{
    m_album = new AlbumListWidget(this);
    setUpList(*m_album, "albumList", "Album Photos", m_presenter, &Step1Presenter::selectPhotos);
    auto* caption = new QLabel("Album Photos", this);
    caption->setBuddy(m_album);

    connect(m_album, &AlbumListWidget::deletePressed, this, [this] { m_presenter.removeSelected(); });
    connect(m_album, &AlbumListWidget::photosDropped, this, [this](int row) {
        m_presenter.dropPhotos(row >= 0 ? std::optional<std::size_t>(row) : std::nullopt);
    });
    connect(m_album, &AlbumListWidget::filesDropped, this, [this](const QStringList& names) {
        std::vector<std::string> files;
        for (const QString& name : names)
            files.push_back(name.toStdString());
        m_presenter.dropFiles(files);
    });

    m_sortByName = new QRadioButton("Sort by Filename", this);
    m_sortByName->setObjectName("sortByName");
    m_sortByName->setAccessibleName("Sort by Filename");
    m_sortByDate = new QRadioButton("Sort by Date", this);
    m_sortByDate->setObjectName("sortByDate");
    m_sortByDate->setAccessibleName("Sort by Date");
    m_newestFirst = new QCheckBox("Asc", this);
    m_newestFirst->setObjectName("newestFirst");
    m_newestFirst->setAccessibleName("Asc");
    connect(m_sortByName, &QRadioButton::clicked, this, [this] { m_presenter.sortByName(); });
    connect(m_sortByDate, &QRadioButton::clicked, this, [this] { m_presenter.sortByDate(); });
    connect(m_newestFirst, &QCheckBox::clicked, this,
        [this](bool checked) { m_presenter.setNewestFirst(checked); });

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_sortByDate);
    dateRow->addWidget(m_newestFirst);
    dateRow->addStretch(1);
    auto* layout = new QVBoxLayout;
    layout->addWidget(caption);
    layout->addWidget(m_album, 1);
    layout->addWidget(m_sortByName);
    layout->addLayout(dateRow);
    return column(this, layout);
}

void Step1Page::draw()
{
    const Step1View view = m_presenter.view();
    m_folders->showFolder(QString::fromStdString(view.folder));
    // A folder that cannot be read has no files to hide.
    const std::string& message = view.folderMessage.empty() ? view.hiddenFilesNote : view.folderMessage;
    m_folderMessage->setText(QString::fromStdString(message));
    m_folderMessage->setVisible(!message.empty());
    showRows(*m_files, view.files, view.selectedFiles);
    showRows(*m_album, view.photos, view.selectedPhotos);

    m_addSelected->setEnabled(view.addSelectedEnabled);
    m_addAll->setEnabled(view.addAllEnabled);
    m_removeSelected->setEnabled(view.removeSelectedEnabled);
    m_removeAll->setEnabled(view.removeAllEnabled);
    m_album->setAcceptDrops(view.dropEnabled);
    m_deleteAction->setEnabled(view.fileCommandsEnabled);
    m_renameAction->setEnabled(view.fileCommandsEnabled);
    m_sortByName->setChecked(view.sortByName);
    m_sortByDate->setChecked(view.sortByDate);
    m_sortByName->setEnabled(view.sortEnabled);
    m_sortByDate->setEnabled(view.sortEnabled);
    m_newestFirst->setChecked(view.newestFirst);
    m_newestFirst->setEnabled(view.newestFirstEnabled);

    m_previewBox->setChecked(view.preview.enabled);
    m_preview->showPreview(view.preview);
    loadPreview(view.preview);
}

void Step1Page::openFileMenu(const QPoint& position)
{
    const QListWidgetItem* item = m_files->itemAt(position);
    if (!item)
        return;
    m_menuRow = m_files->row(item);
    const auto row = static_cast<std::size_t>(m_menuRow);
    m_deleteAction->setText(QString::fromStdString(m_presenter.deleteCaption(row)));
    m_renameAction->setText(QString::fromStdString(m_presenter.renameCaption(row)));
    m_fileMenu->popup(m_files->viewport()->mapToGlobal(position));
}

void Step1Page::startRename()
{
    const QListWidgetItem* item = m_files->item(m_menuRow);
    if (!item)
        return;
    m_renameRow = m_menuRow;
    const QRect place = m_files->visualItemRect(item);
    m_renameBox->setGeometry(place.x(), place.y(), place.width(), 18);
    m_renameBox->setText(item->text());
    m_renameBox->show();
    m_renameBox->setFocus();
    m_renameBox->selectAll();
}

void Step1Page::finishRename(const QString& name)
{
    if (m_renameRow >= 0 && m_presenter.renameFile(static_cast<std::size_t>(m_renameRow), name.toStdString()))
        m_renameBox->hide();
}

void Step1Page::loadPreview(const Step1PreviewView& preview)
{
    if (preview.path.empty() || preview.current || preview.request == m_loadingRequest)
        return;
    m_loadingRequest = preview.request;
    if (preview.fromFolderPane && !m_busyCursor) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        m_busyCursor = true;
    }
    // A choice made since is all that matters; an older one not yet started is dropped.
    m_previewThreads.clear();
    m_previewThreads.start(
        [this, request = preview.request, path = preview.path, errorPicture = preview.errorPicturePath] {
            const PreviewPicture picture = loadPreviewPicture(path, errorPicture);
            QMetaObject::invokeMethod(
                this, [this, request, picture] { previewLoaded(request, picture); }, Qt::QueuedConnection);
        });
}

void Step1Page::previewLoaded(std::uint64_t request, const PreviewPicture& picture)
{
    if (request == m_loadingRequest && m_busyCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_busyCursor = false;
    }
    m_presenter.showPreview(request, picture);
}

} // namespace pictaven
