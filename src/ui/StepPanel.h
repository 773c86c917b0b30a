#pragma once

#include "session/StepNavigator.h"

#include <QFrame>

class QLabel;

namespace pictaven {

// One of the five panels above the pages: the step's caption and picture. A click on the panel,
// the caption or the picture asks for the step, each telling where it was clicked; Space or
// Enter on the focused panel, and the press action of assistive technology, count as a click on
// the panel. Assistive technology sees the panels as page tabs, the step shown as the selected
// one.
class StepPanel : public QFrame {
    Q_OBJECT

public:
    // `picturePath` is the step's picture file; without it the panel shows no picture.
    StepPanel(int step, const std::string& picturePath, QWidget* parent = nullptr);

    int step() const { return m_step; }
    QLabel* caption() const { return m_caption; }
    QLabel* picture() const { return m_picture; }

    // The step shown: white caption on a raised panel; the others blue on a flat one.
    void setHighlighted(bool highlighted);
    bool highlighted() const { return m_highlighted; }
    // What a click on the panel does.
    void press();

signals:
    void clicked(int step, pictaven::StepClick how);
    // The mouse moved onto the picture.
    void pictureEntered(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_step;
    QLabel* m_caption;
    QLabel* m_picture;
    bool m_highlighted = false;
};

} // namespace pictaven
