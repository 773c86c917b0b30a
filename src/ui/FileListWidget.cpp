#include "ui/FileListWidget.h"

#include <QKeyEvent>
#include <QMimeData>

namespace pictaven
{

FileListWidget::FileListWidget(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList FileListWidget::namesOf(const QMimeData& data)
{
    return QString::fromUtf8(data.data(mimeType)).split('\n', Qt::SkipEmptyParts);
}

QStringList FileListWidget::mimeTypes() const
{
    return { mimeType };
}

QMimeData* FileListWidget::mimeData(const QList<QListWidgetItem*>& items) const
{
    QStringList names;
    for (const QListWidgetItem* item : items)
        names.append(item->text());
    auto* data = new QMimeData;
    data->setData(mimeType, names.join('\n').toUtf8());
    return data;
}

void FileListWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace pictaven
