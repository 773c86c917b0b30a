#pragma once

#include <QPixmap>
#include <QWidget>
#include <string>

namespace pictaven {

// The main window's background: its colour, covered by a picture tiled from the top left corner
// (the double-size picture on high-density screens). Moving the mouse over it is told, so that
// the window can clear its help line.
class TiledBackground : public QWidget {
    Q_OBJECT

public:
    TiledBackground(std::string picturePath, QWidget* parent = nullptr);

signals:
    void mouseOverBackground();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::string m_picturePath;
    QPixmap m_tile;
    qreal m_tileRatio = 0;
};

} // namespace pictaven
