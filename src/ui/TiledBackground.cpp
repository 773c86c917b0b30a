#include "ui/TiledBackground.h"

#include "ui/ResourcePicture.h"
#include "ui/WindowColours.h"

#include <QPaintEvent>
#include <QPainter>
#include <utility>

namespace pictaven {

TiledBackground::TiledBackground(std::string picturePath, QWidget* parent)
    : QWidget(parent)
    , m_picturePath(std::move(picturePath))
{
    setMouseTracking(true);
}

void TiledBackground::paintEvent(QPaintEvent* event)
{
    // The window may move to a screen of another density; the tile follows it.
    if (m_tileRatio != devicePixelRatioF()) {
        m_tileRatio = devicePixelRatioF();
        m_tile = resourcePixmap(m_picturePath, m_tileRatio);
    }
    QPainter painter(this);
    painter.fillRect(event->rect(), WindowColours::background);
    if (!m_tile.isNull())
        painter.drawTiledPixmap(rect(), m_tile);
}

void TiledBackground::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseOverBackground();
    QWidget::mouseMoveEvent(event);
}

} // namespace pictaven
