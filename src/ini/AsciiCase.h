#pragma once

#include <string>
#include <string_view>

namespace pictaven {

// Lower-cases A to Z only. File names, extensions and INI keys are compared this way, so bytes
// of UTF-8 sequences and the user's locale never change the result.
inline std::string asciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

inline std::string asciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

} // namespace pictaven
