#include "ui/AlbumListWidget.h"

#include "ui/FileListWidget.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace pictaven
{

AlbumListWidget::AlbumListWidget(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::DragDrop);
    // Copy, never Move: a finished Move would make the view delete the dragged rows itself.
    setDefaultDropAction(Qt::CopyAction);
}

QStringList AlbumListWidget::mimeTypes() const
{
    return { mimeType, FileListWidget::mimeType };
}

QMimeData* AlbumListWidget::mimeData(const QList<QListWidgetItem*>& items) const
{
    // The photos moved are the selected ones, which the presenter knows.
    static_cast<void>(items);
    auto* data = new QMimeData;
    data->setData(mimeType, QByteArray());
    return data;
}

bool AlbumListWidget::acceptDrop(QDropEvent* event) const
{
    const QMimeData* data = event->mimeData();
    if (!data || !(data->hasFormat(mimeType) || data->hasFormat(FileListWidget::mimeType))) {
        event->ignore();
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void AlbumListWidget::dragEnterEvent(QDragEnterEvent* event)
{
    acceptDrop(event);
}

void AlbumListWidget::dragMoveEvent(QDragMoveEvent* event)
{
    acceptDrop(event);
}

void AlbumListWidget::dropEvent(QDropEvent* event)
{
    if (!acceptDrop(event))
        return;
    if (event->mimeData()->hasFormat(mimeType)) {
        const QListWidgetItem* target = itemAt(event->position().toPoint());
        emit photosDropped(target ? row(target) : -1);
    } else {
        emit filesDropped(FileListWidget::namesOf(*event->mimeData()));
    }
}

void AlbumListWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace pictaven
