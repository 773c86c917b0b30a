#pragma once

#include <QAccessible>

namespace pictaven {

// From the first call on, assistive technology sees every widget of class `Widget` (exactly that
// class, as Qt looks classes up by name) through an `Interface` made for it.
template <class Widget, class Interface>
void useAccessibleInterface()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
            if (className == QLatin1String(Widget::staticMetaObject.className()))
                return new Interface(static_cast<Widget*>(object));
            return nullptr;
        });
        return true;
    }();
    static_cast<void>(installed);
}

} // namespace pictaven
