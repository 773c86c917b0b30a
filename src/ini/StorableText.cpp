#include "ini/StorableText.h"

#include "ini/IoError.h"

#include <optional>

namespace pictaven
{

namespace
{

std::optional<std::string> unstorableEntry(
    std::string_view section, std::string_view key, std::string_view value)
{
    if (!isStorableText(section))
        return "the section name \"" + visibleLineBreaks(section) + "\" holds a line break";
    const std::string quotedKey = "\"" + visibleLineBreaks(key) + "\"";
    if (!isStorableText(key))
        return "the key " + quotedKey + " holds a line break";
    if (key.find('=') != std::string_view::npos)
        return "the key " + quotedKey + " holds \"=\"";
    if (key.starts_with('['))
        return "the key " + quotedKey + " starts with \"[\"";
    if (!isStorableText(value))
        return "the value of " + quotedKey + " holds a line break";
    return std::nullopt;
}

} // namespace

bool isStorableText(std::string_view text)
{
    return text.find_first_of("\r\n") == std::string_view::npos;
}

void requireStorableEntry(
    const std::string& path, std::string_view section, std::string_view key, std::string_view value)
{
    if (const auto reason = unstorableEntry(section, key, value))
        throw IoError("Unable to write to " + path + ": " + *reason);
}

std::string visibleLineBreaks(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown;
}

} // namespace pictaven
