#pragma once

#include <QLabel>

namespace pictaven {

// A line whose text the program changes as work goes on: a status, a percentage, a message about
// a folder. Assistive technology knows it by a fixed name that says what the line is, reads its
// current text as its description and through the text interface, and is told of every change.
class StatusLine : public QLabel {
    Q_OBJECT

public:
    StatusLine(const QString& accessibleName, QWidget* parent = nullptr);

    // Hides QLabel::setText so that a change is announced; the text is plain.
    void setText(const QString& text);
};

} // namespace pictaven
