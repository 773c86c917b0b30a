#pragma once

#include <QListView>

namespace pictaven {

// The catalog editor's strip: one 100 x 100 cell per photo in a row. A press on a cell selects
// its photo, dragging a cell onto another moves the photo there, and the Delete key asks to
// remove the current photo; the arrow keys step through the photos. It is as high as a cell,
// plus the scroll bar when not every cell fits.
class ThumbnailStrip : public QListView {
    Q_OBJECT

public:
    static constexpr int CellSize = 100;

    explicit ThumbnailStrip(QWidget* parent);

    // The height for the current number of cells and width.
    void updateHeight();

signals:
    void photoPressed(int row);
    void photoStepped(int step);
    void photoMoved(int from, int to);
    void removeRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_dragFrom = -1;
    QPoint m_pressPoint;
    bool m_dragging = false;
};

} // namespace pictaven
