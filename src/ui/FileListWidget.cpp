#include "ui/FileListWidget.h"

#include <QKeyEvent>

namespace pictaven {

FileListWidget::FileListWidget(QWidget* parent)
    : NameListWidget(mimeType, QAbstractItemView::DragOnly, parent)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void FileListWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit enterPressed();
    else
        NameListWidget::keyPressEvent(event);
}

} // namespace pictaven
