#pragma once

#include "session/RemoteSettingsPresenter.h"
#include "ui/CentredDialog.h"

#include <array>

class QComboBox;
class QLineEdit;

namespace pictaven {

class Workspace;

// The "Remote Settings" window: the FTP profile of the uploads, its profile files, the set-up
// wizard and the proxy settings.
class RemoteSettingsDialog : public CentredDialog {
    Q_OBJECT

public:
    // `workspace` outlives the dialog.
    explicit RemoteSettingsDialog(Workspace& workspace, QWidget* parent = nullptr);
    ~RemoteSettingsDialog() override;

private:
    void openWizard();
    void openProxySettings();
    void redraw();

    Workspace& m_workspace;
    RemoteSettingsPresenter m_presenter;
    int m_token;
    std::array<QLineEdit*, 7> m_fields{}; // in the order of RemoteField
    QComboBox* m_protocol = nullptr;
};

} // namespace pictaven
