#pragma once

#include <string>
#include <string_view>

namespace pictaven
{

// What the settings files (templates, catalogs, profiles, album.cfg, settings.ini) can keep.
// Lines of any length are kept whole, so a value can hold any byte but CR and LF: either would
// end its line, and the rest could be read back as a line or section of its own.

// Whether `text` can be kept as a value: it holds no CR and no LF.
bool isStorableText(std::string_view text);

// Throws IoError "Unable to write to <path>: <why>" when the line that `key` and `value` make in
// `section` could not be read back as written: a line break in any of the three, a key holding
// "=" (the key would end there) or starting with "[" (the line could read as a section). The
// value itself is never quoted, since it may be a password.
void requireStorableEntry(
    const std::string& path, std::string_view section, std::string_view key, std::string_view value);

// `text` for a message, with every CR shown as "\r" and every LF as "\n", so that a refused
// name reads on one line.
std::string visibleLineBreaks(std::string_view text);

} // namespace pictaven
