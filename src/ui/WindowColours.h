#pragma once

#include <QColor>

namespace pictaven {

// The main window's colours.
struct WindowColours {
    static inline const QColor background{129, 160, 224};
    static inline const QColor controls{129, 161, 224}; // step panels and tool buttons
    static inline const QColor boxes{220, 220, 220};    // list, edit and combo boxes
    static inline const QColor stepCaption{0, 0, 255};  // captions of the steps not shown
    static inline const QColor saving{128, 128, 128};   // the Save button while it saves
};

} // namespace pictaven
