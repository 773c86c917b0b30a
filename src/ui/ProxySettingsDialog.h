#pragma once

#include "session/ProxySettingsPresenter.h"
#include "ui/CentredDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace pictaven {

class Workspace;

// The "Proxy Settings" window: the FTP proxy (firewall) values, stored in album.cfg by OK.
class ProxySettingsDialog : public CentredDialog {
    Q_OBJECT

public:
    static constexpr const char* title = "Proxy Settings";

    // `workspace` outlives the dialog.
    explicit ProxySettingsDialog(Workspace& workspace, QWidget* parent = nullptr);
    ~ProxySettingsDialog() override;

private:
    void redraw();

    ProxySettingsPresenter m_presenter;
    int m_token;
    QCheckBox* m_enable;
    QLineEdit* m_proxyName = nullptr;
    QLineEdit* m_proxyPort = nullptr;
    QComboBox* m_firewallType;
    QLineEdit* m_firewallUser = nullptr;
    QLineEdit* m_firewallPassword = nullptr;
    QCheckBox* m_passive;
};

} // namespace pictaven
