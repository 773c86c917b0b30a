#pragma once

#include <optional>

namespace pictaven {

class SettingsStore;

// Where the main window stood and how large it was when it last closed, kept in settings.ini so
// that the next run opens it there. Sizes are without the window frame.
struct WindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;

    // The stored place; nullopt when none was stored, a value is not a whole number or the size
    // is not positive.
    static std::optional<WindowPlace> load(const SettingsStore& store);
    // Throws IoError when settings.ini cannot be written.
    void save(SettingsStore& store) const;
};

} // namespace pictaven
