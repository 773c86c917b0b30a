#include "ui/CentredDialog.h"

#include <QGuiApplication>
#include <QScreen>

namespace pictaven {

void centreOnScreen(QWidget& window)
{
    window.adjustSize();
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // move() places the frame, so the frame is what gets centred.
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

CentredDialog::CentredDialog(QWidget* parent)
    : QDialog(parent)
{
    setModal(true);
}

void CentredDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

} // namespace pictaven
