#pragma once

#include "settings/AlbumSettingsField.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace pictaven
{

// How the preferences dialog checks the text of a box.
enum class BoxCheck {
    None,
    EmptyThenInteger, // empty text becomes the fallback; then the text must be an integer, which the setting
                      // takes
    IntegerInRange, // text that is not an integer within the range becomes the fallback; the setting takes it
    NotEmpty, // empty text becomes the fallback
    Integer, // text that is not an integer becomes the fallback; an integer setting takes it
};

// What the preferences dialog does with one album setting beyond storing it. Fields without a
// rule are stored as they are edited.
struct PreferenceRule {
    const char* field = "";
    BoxCheck check = BoxCheck::None;
    // The text that replaces an empty or refused one.
    const char* fallback = "";
    // The numbers the dialog offers; values read from a file outside it are only warned about.
    NumberRange range;
    // Checked on every change rather than when the focus leaves the box.
    bool checkedWhileTyping = false;
    // A change means every photo must be rendered again.
    bool rerenders = false;
    bool fontSize = false;
    // One of the numbers the layout needs, whose boxes decide whether the settings are usable.
    bool layoutNumber = false;
    // The most characters the box takes; 0 for no limit.
    std::size_t maxLength = 0;

    // Every rule. Font sizes come in the order the dialog shows them, "Thumbnail Label" first,
    // and layout numbers in the order they are checked, so that the first bad box is the one
    // named.
    static const std::vector<PreferenceRule>& all();
    // The rule of a field; an empty rule for a field without one.
    static const PreferenceRule& of(std::string_view field);
};

} // namespace pictaven
