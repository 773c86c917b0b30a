#pragma once

#include "ini/IniFile.h"

#include <optional>
#include <string>

namespace pictaven {

// The program-wide values kept in settings.ini in the program folder: section [Vardle], one key
// per value, every value a string (numbers as decimal text, flags as "0" or "1"). Every read
// and write goes to the file at once.
class SettingsStore {
public:
    explicit SettingsStore(const std::string& programFolder);

    // The stored text, or nothing when the value has never been stored; a stored empty text is
    // returned as such.
    std::optional<std::string> read(const std::string& name) const;

    // Throws IoError "Unable to write to <path>" when settings.ini cannot be written.
    void write(const std::string& name, const std::string& value);

    const std::string& path() const { return m_file.path(); }

private:
    IniFile m_file;
};

} // namespace pictaven
