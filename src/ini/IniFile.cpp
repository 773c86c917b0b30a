#include "ini/IniFile.h"

#include "ini/BigIniFile.h"
#include "ini/IoError.h"
#include "ini/StorableText.h"

#include <utility>

namespace pictaven {

IniFile::IniFile(std::string path)
    : m_path(std::move(path))
{
}

// A file that cannot be read answers every read with the default, as the platform's profile
// functions do; writing to it fails instead of replacing what could not be read.
std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    try {
        return BigIniFile(m_path).readString(section, key, defaultValue);
    } catch (const IoError&) {
        return defaultValue;
    }
}

std::int32_t IniFile::readInteger(const std::string& section, const std::string& key,
                                  std::int32_t defaultValue) const
{
    try {
        return BigIniFile(m_path).readInteger(section, key, defaultValue);
    } catch (const IoError&) {
        return defaultValue;
    }
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value)
{
    // Refused before the file is touched, and with the reason, which a failed write lacks.
    requireStorableEntry(m_path, section, key, value);
    try {
        BigIniFile store(m_path, NewFileAccess::OwnerOnly);
        store.writeString(section, key, value);
        store.flushFile();
    } catch (const IoError&) {
        throw IoError("Unable to write to " + m_path);
    }
}

void IniFile::writeInteger(const std::string& section, const std::string& key, std::int32_t value)
{
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

} // namespace pictaven
