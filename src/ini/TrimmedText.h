#pragma once

#include <string>
#include <string_view>

namespace pictaven
{

// `text` without the `blanks` at either end.
inline std::string trimmed(std::string_view text, std::string_view blanks = " \t")
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

} // namespace pictaven
