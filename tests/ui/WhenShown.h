#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace pictaven::test {

// Runs `look` on the modal dialog of type T once a command that waits for it has shown it. The
// dialog is rejected afterwards if `look` left it open (a failed check returns early), so that
// the waiting command comes back.
template <typename T> void whenShown(std::function<void(T&)> look)
{
    QTimer::singleShot(10, [look] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) {
            whenShown<T>(look);
            return;
        }
        look(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Every control below `root` that takes the keyboard focus and has no accessible name, by object
// name; empty when all are named.
inline QStringList unnamedControls(const QWidget& root)
{
    QStringList unnamed;
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (widget->focusPolicy() != Qt::NoFocus && widget->accessibleName().isEmpty())
            unnamed.append(widget->objectName() + " (" + widget->metaObject()->className() + ")");
    }
    return unnamed;
}

} // namespace pictaven::test
