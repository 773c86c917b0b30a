#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

// The in-memory INI store for templates, catalogs and profiles. Create it on a path (the whole
// file is loaded), read and write from memory, then call flushFile() to rewrite the file if
// anything changed. The destructor never writes: a command that changed the store must call
// flushFile() so that a failure reaches it as an exception.
//
// Lines are at most 255 bytes (cut without splitting a UTF-8 sequence); sections and keys match
// without regard to case; duplicate sections are folded to the first.
class BigIniFile {
public:
    // Throws IoError when the file exists but cannot be read. A missing file gives an empty store.
    explicit BigIniFile(const std::string& path);

    std::string readString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    std::int32_t readInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
    void writeInteger(const std::string& section, const std::string& key, std::int32_t value);
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;
    void writeBool(const std::string& section, const std::string& key, bool value);
    void eraseSection(const std::string& section);

    // Rewrites the whole file through a temporary file in the same folder renamed over the old
    // one, when the changed flag is set. Throws IoError with the system's reason; the old file
    // is then intact and the flag stays set.
    void flushFile();

    bool changed() const { return m_changed; }
    const std::string& path() const { return m_path; }

private:
    struct Section {
        std::string name;
        std::vector<std::string> lines;
    };

    const Section* findSection(const std::string& name) const;
    Section* findSection(const std::string& name);

    std::string m_path;
    std::vector<Section> m_sections;
    bool m_changed = false;
    mutable std::size_t m_hint = 0;
};

} // namespace pictaven
