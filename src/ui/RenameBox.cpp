#include "ui/RenameBox.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace pictaven {

RenameBox::RenameBox(QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName("renameBox");
    setAccessibleName("New file name");
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::red);
    colours.setColor(QPalette::Text, Qt::white);
    setPalette(colours);
    QFont small = font();
    small.setFamily("Arial");
    small.setPointSize(8);
    setFont(small);
    setFrame(false);
}

void RenameBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit accepted(text());
        return;
    case Qt::Key_Escape:
        emit cancelled();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void RenameBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A question about the new name takes the focus to its own window; the box waits for it.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason
        && isVisible())
        emit cancelled();
}

} // namespace pictaven
