#include "app/SettingsStore.h"

namespace pictaven {

namespace {

const char* const section = "Vardle";

} // namespace

SettingsStore::SettingsStore(const std::string& programFolder)
    : m_file(programFolder + "settings.ini")
{
}

std::optional<std::string> SettingsStore::read(const std::string& name) const
{
    // The store answers a missing key with the default, so an empty answer is asked again with
    // a default that no stored empty text can produce.
    std::string value = m_file.readString(section, name, "");
    if (!value.empty() || m_file.readString(section, name, "?") != "?")
        return value;
    return std::nullopt;
}

void SettingsStore::write(const std::string& name, const std::string& value)
{
    m_file.writeString(section, name, value);
}

} // namespace pictaven
