#include "app/WindowPlace.h"

#include "app/SettingsStore.h"
#include "ini/IntegerText.h"

#include <string>

namespace pictaven {

namespace {

constexpr const char* kLeft = "WindowLeft";
constexpr const char* kTop = "WindowTop";
constexpr const char* kWidth = "WindowWidth";
constexpr const char* kHeight = "WindowHeight";
constexpr const char* kMaximized = "WindowMaximized";

std::optional<int> readNumber(const SettingsStore& store, const char* name)
{
    const std::optional<std::string> text = store.read(name);
    return text ? parseInteger(*text) : std::nullopt;
}

} // namespace

std::optional<WindowPlace> WindowPlace::load(const SettingsStore& store)
{
    const auto left = readNumber(store, kLeft);
    const auto top = readNumber(store, kTop);
    const auto width = readNumber(store, kWidth);
    const auto height = readNumber(store, kHeight);
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return WindowPlace{*left, *top, *width, *height, store.read(kMaximized) == std::optional<std::string>("1")};
}

void WindowPlace::save(SettingsStore& store) const
{
    store.write(kLeft, std::to_string(left));
    store.write(kTop, std::to_string(top));
    store.write(kWidth, std::to_string(width));
    store.write(kHeight, std::to_string(height));
    store.write(kMaximized, maximized ? "1" : "0");
}

} // namespace pictaven
