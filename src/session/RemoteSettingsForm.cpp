#include "session/RemoteSettingsForm.h"

#include "app/SettingsStore.h"
#include "publish/ProfileCheck.h"

#include <stdexcept>

namespace pictaven {

namespace {

std::string fileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void requireUsable(const FtpProfile& fields)
{
    if (const std::string fault = profileFault(fields); !fault.empty())
        throw std::invalid_argument(fault);
}

} // namespace

RemoteSettingsForm::RemoteSettingsForm(FtpProfile& current, std::string& currentProfileName)
    : fields(current), m_current(current), m_currentName(currentProfileName), m_profileName(currentProfileName)
{
}

void RemoteSettingsForm::loadProfile(const std::string& path)
{
    m_current = FtpProfile::load(path);
    fields = m_current;
    m_lastChosenFile = path;
    m_profileName = fileNameOf(path);
    m_currentName = m_profileName;
}

void RemoteSettingsForm::saveProfileAs(const std::string& path)
{
    requireUsable(fields);
    fields.write(path);
    m_current = fields;
    m_profileName = fileNameOf(path);
    m_currentName = m_profileName;
}

void RemoteSettingsForm::accept(SettingsStore& store)
{
    requireUsable(fields);
    if (m_profileName.empty())
        m_profileName = "default.prf";
    m_currentName = m_profileName;
    m_current = fields;
    store.write("LastProfile", m_profileName);
}

} // namespace pictaven
