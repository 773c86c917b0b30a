#include "ui/ThumbnailStrip.h"

#include "ui/ThumbnailStripModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace pictaven {

namespace {

constexpr int TextStripHeight = 14;

// Red behind the current photo, the picture centred, the file name along the top and the
// rotation along the bottom, black on white.
class CellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Fixed, so that laying out the strip never asks for a picture.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {ThumbnailStrip::CellSize, ThumbnailStrip::CellSize};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect cell = option.rect;
        painter->save();
        painter->fillRect(cell, index.data(ThumbnailStripModel::CurrentRole).toBool() ? QColor(Qt::red)
                                                                                      : option.palette.base().color());
        const QPoint centre = cell.topLeft() + QPoint(cell.width() / 2, cell.height() / 2);
        const QVariant picture = index.data(Qt::DecorationRole);
        if (picture.isValid()) {
            const QPixmap pixmap = picture.value<QPixmap>();
            painter->drawPixmap(centre - QPoint((pixmap.width() + 2) / 2, (pixmap.height() + 2) / 2), pixmap);
        } else {
            const QRect placeholder(centre - QPoint(30, 30), QSize(60, 60));
            painter->fillRect(placeholder, QColor(220, 220, 220));
            painter->setPen(QColor(160, 160, 160));
            painter->drawRect(placeholder.adjusted(0, 0, -1, -1));
        }
        QFont font("Arial");
        font.setPointSize(8);
        painter->setFont(font);
        painter->setPen(Qt::black);
        const QRect top(cell.left(), cell.top(), cell.width(), TextStripHeight);
        const QRect bottom(cell.left(), cell.bottom() + 1 - TextStripHeight, cell.width(), TextStripHeight);
        for (const auto& [strip, role] : {std::pair{top, ThumbnailStripModel::TopTextRole},
                                          std::pair{bottom, ThumbnailStripModel::BottomTextRole}}) {
            painter->fillRect(strip, Qt::white);
            painter->drawText(strip, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              index.data(role).toString());
        }
        painter->restore();
    }
};

} // namespace

ThumbnailStrip::ThumbnailStrip(QWidget* parent)
    : QListView(parent)
{
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setUniformItemSizes(true);
    setSpacing(0);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    setItemDelegate(new CellDelegate(this));
    updateHeight();
}

void ThumbnailStrip::updateHeight()
{
    const int cells = model() ? model()->rowCount() : 0;
    const int inside = width() - 2 * frameWidth();
    const bool scrolls = cells * CellSize > inside;
    setFixedHeight(CellSize + 2 * frameWidth() + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0));
}

void ThumbnailStrip::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    m_dragFrom = -1;
    m_dragging = false;
    // Presses beside the photos' cells do nothing.
    if (event->button() != Qt::LeftButton || !pressed.isValid())
        return;
    m_dragFrom = pressed.row();
    m_pressPoint = event->position().toPoint();
    emit photoPressed(pressed.row());
}

void ThumbnailStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragFrom < 0 || m_dragging)
        return;
    if ((event->position().toPoint() - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
}

void ThumbnailStrip::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dropped = m_dragging;
    const int from = m_dragFrom;
    m_dragFrom = -1;
    m_dragging = false;
    unsetCursor();
    if (!dropped)
        return;
    const QModelIndex target = indexAt(event->position().toPoint());
    if (target.isValid())
        emit photoMoved(from, target.row());
}

void ThumbnailStrip::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        emit removeRequested();
        break;
    case Qt::Key_Left:
        emit photoStepped(-1);
        break;
    case Qt::Key_Right:
        emit photoStepped(1);
        break;
    default:
        QListView::keyPressEvent(event);
    }
}

void ThumbnailStrip::resizeEvent(QResizeEvent* event)
{
    QListView::resizeEvent(event);
    updateHeight();
}

} // namespace pictaven
