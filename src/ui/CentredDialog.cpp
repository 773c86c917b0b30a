#include "ui/CentredDialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pictaven {

void centreOnScreen(QWidget& dialog)
{
    dialog.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}

} // namespace pictaven
