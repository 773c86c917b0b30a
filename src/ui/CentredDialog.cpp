#include "ui/CentredDialog.h"

#include <QScreen>

namespace pictaven {

CentredDialog::CentredDialog(QWidget* parent)
    : QDialog(parent)
{
    setModal(true);
}

void CentredDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // move() places the frame, so the frame is what gets centred.
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace pictaven
