#pragma once

#include <QLineEdit>

namespace pictaven {

// The in-place edit box of a rename in the folder pane: red, with white text. Enter offers the
// name; leaving the box (but not for a question box it raised) or Escape cancels.
class RenameBox : public QLineEdit {
    Q_OBJECT

public:
    explicit RenameBox(QWidget* parent = nullptr);

signals:
    void accepted(const QString& name);
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace pictaven
