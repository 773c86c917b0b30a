#include "session/RemoteSettingsPresenter.h"

#include "app/Dialogs.h"
#include "session/FtpWizard.h"
#include "session/Workspace.h"

#include <filesystem>

namespace pictaven {

namespace {

std::string withDefaultExtension(const std::string& path)
{
    return std::filesystem::path(path).has_extension() ? path : path + RemoteSettingsPresenter::defaultExtension;
}

} // namespace

RemoteSettingsPresenter::RemoteSettingsPresenter(Workspace& workspace)
    : m_workspace(workspace)
    , m_form(workspace.ftpProfile(), workspace.globalSettings().lastProfile)
{
}

RemoteSettingsView RemoteSettingsPresenter::view() const
{
    return {m_form.caption(), m_form.fields};
}

std::string RemoteSettingsPresenter::profileFolder() const
{
    return m_workspace.programFolder() + "profiles";
}

void RemoteSettingsPresenter::edit(RemoteField field, const std::string& text)
{
    FtpProfile& fields = m_form.fields;
    switch (field) {
    case RemoteField::Ftp:
        fields.ftp = text;
        break;
    case RemoteField::User:
        fields.user = text;
        break;
    case RemoteField::Password:
        fields.password = text;
        break;
    case RemoteField::KeyFile:
        fields.keyFile = text;
        break;
    case RemoteField::FtpHomeDirectory:
        fields.ftpHomeDirectory = text;
        break;
    case RemoteField::HttpHomeDirectory:
        fields.httpHomeDirectory = text;
        break;
    case RemoteField::Www:
        fields.www = text;
        break;
    }
    m_changed.notify();
}

void RemoteSettingsPresenter::loadProfile()
{
    const auto path = m_workspace.dialogs().chooseOpenFile(loadTitle, profileFolder(), fileFilter);
    if (!path)
        return;
    try {
        m_form.loadProfile(*path);
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
    }
    m_changed.notify();
}

void RemoteSettingsPresenter::saveProfileAs()
{
    // The program folder is ours; a profiles folder that went missing is simply made again.
    std::error_code ignored;
    std::filesystem::create_directories(profileFolder(), ignored);
    const auto path =
        m_workspace.dialogs().chooseSaveFile(saveTitle, profileFolder(), m_form.lastChosenFile(), fileFilter);
    if (!path)
        return;
    try {
        m_form.saveProfileAs(withDefaultExtension(*path));
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
    }
    m_changed.notify();
}

void RemoteSettingsPresenter::chooseProtocol(RemoteProtocol protocol)
{
    if (protocol != m_form.fields.protocol) {
        m_form.fields.protocol = protocol;
        m_form.fields.trustedKey.clear();
    }
    m_changed.notify();
}

void RemoteSettingsPresenter::clear()
{
    m_form.clear();
    m_changed.notify();
}

void RemoteSettingsPresenter::applyWizard(const FtpWizard& wizard)
{
    wizard.applyTo(m_form.fields);
    m_changed.notify();
}

bool RemoteSettingsPresenter::accept()
{
    try {
        m_form.accept(m_workspace.settingsStore());
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
        return false;
    }
    m_workspace.remoteSettingsJustAccepted() = true;
    m_workspace.changes().notify();
    return true;
}

} // namespace pictaven
