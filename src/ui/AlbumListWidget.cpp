#include "ui/AlbumListWidget.h"

#include "ui/FileListWidget.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace pictaven {

AlbumListWidget::AlbumListWidget(QWidget* parent)
    : NameListWidget(mimeType, QAbstractItemView::DragDrop, parent)
{
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
        emit filesDropped(namesOf(*event->mimeData(), FileListWidget::mimeType));
    }
}

void AlbumListWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete)
        emit deletePressed();
    else
        NameListWidget::keyPressEvent(event);
}

} // namespace pictaven
