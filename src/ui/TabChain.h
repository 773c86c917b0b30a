#pragma once

#include <QList>
#include <QWidget>

namespace pictaven {

// The Tab key visits `widgets` in the order given, as a page reads, whatever order they were
// made in.
inline void chainTabOrder(const QList<QWidget*>& widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

} // namespace pictaven
