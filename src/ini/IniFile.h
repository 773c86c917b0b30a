#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

// The write-through INI store used for album.cfg: every read goes to the file and every write
// updates the file before it returns (safely: temporary file, then rename), creating the file
// (readable by its owner only) or the section when needed and leaving all other lines in place.
class IniFile {
public:
    explicit IniFile(std::string path);

    // A missing or unreadable file gives the defaults; these never throw.
    std::string readString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    std::int32_t readInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;

    // Throw IoError "Unable to write to <path>" when the file cannot be written, and
    // "Unable to write to <path>: <why>" for an entry that no file can keep (BigIniFile).
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, std::int32_t value);
    void writeBool(const std::string& section, const std::string& key, bool value);

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace pictaven
