#include "ui/NameListWidget.h"

#include <QMimeData>

namespace pictaven {

NameListWidget::NameListWidget(const char* mimeType, DragDropMode dragDropMode, QWidget* parent)
    : QListWidget(parent)
    , m_mimeType(mimeType)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(dragDropMode);
    // Copy, never Move: a finished Move would make the view delete the dragged rows itself.
    setDefaultDropAction(Qt::CopyAction);
}

QStringList NameListWidget::namesOf(const QMimeData& data, const char* mimeType)
{
    return QString::fromUtf8(data.data(mimeType)).split('\n', Qt::SkipEmptyParts);
}

QStringList NameListWidget::mimeTypes() const
{
    return { m_mimeType };
}

QMimeData* NameListWidget::mimeData(const QList<QListWidgetItem*>& items) const
{
    QStringList names;
    for (const QListWidgetItem* item : items)
        names.append(item->text());
    auto* data = new QMimeData;
    data->setData(m_mimeType, names.join('\n').toUtf8());
    return data;
}

} // namespace pictaven
