#pragma once

#include "session/ChangeNotifier.h"
#include "session/ProxySettingsForm.h"

#include <string>

namespace pictaven {

class Workspace;

// What the "Proxy Settings" window shows.
struct ProxySettingsView {
    bool enableFirewall = false;
    bool proxyFieldsEnabled = false; // the five proxy fields follow the check box
    std::string proxyName;
    std::string proxyPort;
    int firewallType = 0; // index into ProxySettingsForm::firewallTypes
    std::string firewallUser;
    std::string firewallPassword;
    bool passiveMode = false;
};

// The text fields of the window.
enum class ProxyField { ProxyName, ProxyPort, FirewallUser, FirewallPassword };

// The "Proxy Settings" window over the workspace's proxy settings, which OK stores in album.cfg
// at once. Failures are shown, never thrown.
class ProxySettingsPresenter {
public:
    // `workspace` outlives the presenter.
    explicit ProxySettingsPresenter(Workspace& workspace);

    ProxySettingsView view() const;
    ChangeNotifier& changed() { return m_changed; }

    void setEnableFirewall(bool on);
    void edit(ProxyField field, const std::string& text);
    void chooseFirewallType(int index);
    void setPassiveMode(bool on);
    // OK. Returns false when a port that is not a whole number or album.cfg refused the values;
    // the error has then been shown and the window stays open to put it right.
    bool accept();

private:
    Workspace& m_workspace;
    ProxySettingsForm m_form;
    ChangeNotifier m_changed;
};

} // namespace pictaven
