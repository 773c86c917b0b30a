#pragma once

#include "session/ChangeNotifier.h"
#include "session/FtpWizard.h"

#include <optional>
#include <string>

namespace pictaven {

class ConnectionTestRunner;
struct ConnectionTest;
class Workspace;

// What the "FTP Settings Wizard" shows.
struct FtpWizardView {
    int page = 1; // 1 to 3
    bool previousVisible = false;
    std::string nextCaption;
    std::string ftpAddress;
    int ftpSelection = -1; // the chosen line of the FTP presets; -1: none
    RemoteProtocol protocol = RemoteProtocol::Ftp;
    std::string userName;
    std::string password;
    std::string subFolder;
    bool testEnabled = false; // "Test Connection"
    bool testRunning = false; // the test can be cancelled while it runs
    std::string connectionLabel;
    std::string webAddress;
    int webSelection = -1;
    std::string personalDirectory;
};

// The edits of the wizard.
enum class WizardField { FtpAddress, UserName, Password, SubFolder, WebAddress, PersonalDirectory };

// The three-page set-up wizard. Its connection test runs through a ConnectionTestRunner so that
// the window stays live while a silent host is tried; it can be cancelled, and it is dropped
// when the wizard goes. Failures are shown, never thrown.
class FtpWizardPresenter {
public:
    // `workspace` (for its dialogs and proxy settings) and `runner` outlive the presenter.
    FtpWizardPresenter(Workspace& workspace, ConnectionTestRunner& runner);
    ~FtpWizardPresenter();
    FtpWizardPresenter(const FtpWizardPresenter&) = delete;
    FtpWizardPresenter& operator=(const FtpWizardPresenter&) = delete;

    FtpWizardView view() const;
    ChangeNotifier& changed() { return m_changed; }
    const FtpWizard& wizard() const { return m_wizard; }

    void edit(WizardField field, const std::string& text);
    void chooseFtpPreset(std::size_t index);
    void chooseWebPreset(std::size_t index);
    void chooseProtocol(RemoteProtocol protocol);

    // "Next ==>" / "Finish". A page whose fields are missing shows its error and stays; the
    // field to focus is returned then.
    std::optional<WizardField> next();
    void previous();
    // Finish was accepted: the Remote Settings fields may take the wizard's values.
    bool finished() const { return m_wizard.finished(); }

    void testConnection();
    // Stops waiting for the running test; the label goes back to "Not connected".
    void cancelTest();

private:
    void runTest(ConnectionTest test);

    Workspace& m_workspace;
    ConnectionTestRunner& m_runner;
    FtpWizard m_wizard;
    bool m_testRunning = false;
    ChangeNotifier m_changed;
};

} // namespace pictaven
