#include "session/ProxySettingsPresenter.h"

#include "app/Dialogs.h"
#include "session/Workspace.h"

#include <iterator>

namespace pictaven {

ProxySettingsPresenter::ProxySettingsPresenter(Workspace& workspace)
    : m_workspace(workspace)
    , m_form(workspace.globalSettings().proxy)
{
}

ProxySettingsView ProxySettingsPresenter::view() const
{
    ProxySettingsView view;
    view.enableFirewall = m_form.enableFirewall;
    view.proxyFieldsEnabled = m_form.proxyFieldsEnabled();
    view.proxyName = m_form.proxyName;
    view.proxyPort = m_form.proxyPort;
    // A type this program does not write counts as the first, which the session treats alike.
    for (int i = 0; i < static_cast<int>(std::size(ProxySettingsForm::firewallTypes)); ++i) {
        if (m_form.firewallType == ProxySettingsForm::firewallTypes[i])
            view.firewallType = i;
    }
    view.firewallUser = m_form.firewallUser;
    view.firewallPassword = m_form.firewallPassword;
    view.passiveMode = m_form.passiveMode;
    return view;
}

void ProxySettingsPresenter::setEnableFirewall(bool on)
{
    m_form.enableFirewall = on;
    m_changed.notify();
}

void ProxySettingsPresenter::edit(ProxyField field, const std::string& text)
{
    switch (field) {
    case ProxyField::ProxyName:
        m_form.proxyName = text;
        break;
    case ProxyField::ProxyPort:
        m_form.proxyPort = text;
        break;
    case ProxyField::FirewallUser:
        m_form.firewallUser = text;
        break;
    case ProxyField::FirewallPassword:
        m_form.firewallPassword = text;
        break;
    }
    m_changed.notify();
}

void ProxySettingsPresenter::chooseFirewallType(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(ProxySettingsForm::firewallTypes)))
        return;
    m_form.firewallType = ProxySettingsForm::firewallTypes[index];
    m_changed.notify();
}

void ProxySettingsPresenter::setPassiveMode(bool on)
{
    m_form.passiveMode = on;
    m_changed.notify();
}

bool ProxySettingsPresenter::accept()
{
    try {
        m_form.accept(m_workspace.albumConfig(), m_workspace.globalSettings().proxy);
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
        return false;
    }
    return true;
}

} // namespace pictaven
