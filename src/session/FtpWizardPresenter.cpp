#include "session/FtpWizardPresenter.h"

#include "app/Dialogs.h"
#include "session/ConnectionTestRunner.h"
#include "session/Workspace.h"

namespace pictaven {

FtpWizardPresenter::FtpWizardPresenter(Workspace& workspace, ConnectionTestRunner& runner)
    : m_workspace(workspace)
    , m_runner(runner)
{
}

FtpWizardPresenter::~FtpWizardPresenter()
{
    if (m_testRunning)
        m_runner.cancel();
}

FtpWizardView FtpWizardPresenter::view() const
{
    FtpWizardView view;
    view.page = m_wizard.page();
    view.previousVisible = m_wizard.previousVisible();
    view.nextCaption = m_wizard.nextCaption();
    view.ftpAddress = m_wizard.ftpAddress();
    view.ftpSelection = m_wizard.ftpSelection();
    view.protocol = m_wizard.protocol;
    view.userName = m_wizard.userName;
    view.password = m_wizard.password;
    view.subFolder = m_wizard.subFolder;
    view.testEnabled = m_wizard.testConnectionEnabled() && !m_testRunning;
    view.testRunning = m_testRunning;
    view.connectionLabel = m_wizard.connectionLabel();
    view.webAddress = m_wizard.webAddress();
    view.webSelection = m_wizard.webSelection();
    view.personalDirectory = m_wizard.personalDirectory;
    return view;
}

void FtpWizardPresenter::edit(WizardField field, const std::string& text)
{
    switch (field) {
    case WizardField::FtpAddress:
        m_wizard.typeFtpAddress(text);
        break;
    case WizardField::UserName:
        m_wizard.userName = text;
        break;
    case WizardField::Password:
        m_wizard.password = text;
        break;
    case WizardField::SubFolder:
        m_wizard.subFolder = text;
        break;
    case WizardField::WebAddress:
        m_wizard.typeWebAddress(text);
        break;
    case WizardField::PersonalDirectory:
        m_wizard.personalDirectory = text;
        break;
    }
    m_changed.notify();
}

void FtpWizardPresenter::chooseFtpPreset(std::size_t index)
{
    m_wizard.chooseFtpPreset(index);
    m_changed.notify();
}

void FtpWizardPresenter::chooseProtocol(RemoteProtocol protocol)
{
    m_wizard.protocol = protocol;
    m_changed.notify();
}

void FtpWizardPresenter::chooseWebPreset(std::size_t index)
{
    m_wizard.chooseWebPreset(index);
    m_changed.notify();
}

std::optional<WizardField> FtpWizardPresenter::next()
{
    const int page = m_wizard.page();
    const std::string refusal = m_wizard.next();
    if (!refusal.empty()) {
        m_workspace.dialogs().showError(refusal);
        if (page == 1)
            return WizardField::FtpAddress;
        return m_wizard.userName.empty() ? WizardField::UserName : WizardField::Password;
    }
    if (m_wizard.finished())
        cancelTest();
    m_changed.notify();
    return std::nullopt;
}

void FtpWizardPresenter::previous()
{
    m_wizard.previous();
    m_changed.notify();
}

void FtpWizardPresenter::testConnection()
{
    if (!m_wizard.testConnectionEnabled() || m_testRunning)
        return;
    m_testRunning = true;
    m_wizard.setConnectionLabel("Connecting...");
    m_changed.notify();
    runTest(m_wizard.connectionTest(m_workspace.globalSettings().proxy));
}

void FtpWizardPresenter::runTest(ConnectionTest test)
{
    m_runner.start(test, [this, test](const ConnectionResult& result) {
        // A server whose certificate or host key does not check is asked about here, on the
        // window's thread, and tested again only with the person's yes.
        if (!result.trustQuestion.empty() && m_workspace.dialogs().askYesNo(result.trustQuestion)) {
            ConnectionTest again = test;
            again.answeredQuestion = result.trustQuestion;
            runTest(std::move(again));
            return;
        }
        m_testRunning = false;
        if (!result.trustedKey.empty() && result.trustedKey != test.trustedKey)
            m_wizard.trustKey(test, result.trustedKey);
        m_wizard.setConnectionLabel(result.label);
        m_changed.notify();
    });
}

void FtpWizardPresenter::cancelTest()
{
    if (!m_testRunning)
        return;
    m_runner.cancel();
    m_testRunning = false;
    m_wizard.setConnectionLabel(FtpWizard::notConnected);
    m_changed.notify();
}

} // namespace pictaven
