#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pictaven
{

// The text form of one name or path in the output folder's record files: a backslash, line
// feed, carriage return or tab is written as a backslash followed by a backslash, "n", "r" or
// "t", so that any name, whatever bytes it holds, takes one tab-free part of one line.
std::string escapedField(std::string_view field);
// The name back; nullopt for a backslash followed by anything else or by nothing.
std::optional<std::string> unescapedField(std::string_view text);

} // namespace pictaven
