#pragma once

#include "ini/SafeFileWriter.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace pictaven {

// The in-memory INI store for templates, catalogs and profiles. Create it on a path (the whole
// file is loaded), read and write from memory, then call flushFile() to rewrite the file if
// anything changed. The destructor never writes: a command that changed the store must call
// flushFile() so that a failure reaches it as an exception.
//
// Lines are read and written whole, whatever their length, so nothing is ever cut; sections and
// keys match without regard to case (ASCII letters); duplicate sections are folded to the first.
// Lines before the first section and empty lines are dropped; comment and key-less lines keep
// their place. Loading is one pass over the file, linear in its size, and finding a key does
// not scan the section.
class BigIniFile {
public:
    // Throws IoError when the file exists but cannot be read (or is not a regular file). A
    // missing file gives an empty store. A file created by flushFile() gets 0666 less umask.
    explicit BigIniFile(const std::string& path);
    // The same, with a choice of who may read the file if flushFile() has to create it.
    BigIniFile(const std::string& path, NewFileAccess access);

    std::string readString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // Appends a missing section or key; replaces a line that differs. An empty key erases the
    // section. Throws IoError "Unable to write to <path>: <why>", with nothing changed, when the
    // line could not be read back as written (ini/StorableText.h): a CR or LF anywhere, a key
    // holding "=" or starting with "[".
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    // Decimal, or hexadecimal after "$" or "0x"; the default for a missing key or bad text.
    std::int32_t readInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
    void writeInteger(const std::string& section, const std::string& key, std::int32_t value);
    bool readBool(const std::string& section, const std::string& key, bool defaultValue) const;
    void writeBool(const std::string& section, const std::string& key, bool value);
    void eraseSection(const std::string& section);
    // Removes every line of the section but keeps its place among the others, so that what is
    // written into it again lands where it was.
    void clearSection(const std::string& section);

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
        // Lower-cased key -> position of the first line with that key; built on first use.
        mutable std::unordered_map<std::string, std::size_t> keys;
        mutable bool keysBuilt = false;
    };

    void load();
    void addLine(std::string& line, Section*& target);
    const Section* findSection(const std::string& name) const;
    Section* findSection(const std::string& name);
    // Position of the first line of the section whose key matches, or npos.
    static std::size_t findLine(const Section& section, const std::string& key);
    void indexSections();

    std::string m_path;
    NewFileAccess m_access = NewFileAccess::Shared;
    std::vector<Section> m_sections;
    // Lower-cased section name -> position in m_sections; names are unique after folding.
    std::unordered_map<std::string, std::size_t> m_sectionIndex;
    bool m_changed = false;
    mutable std::size_t m_hint = 0;
};

} // namespace pictaven
