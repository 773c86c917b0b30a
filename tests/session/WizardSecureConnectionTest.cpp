#include "session/FtpWizardPresenter.h"
#include "session/RemoteSettingsPresenter.h"

#include "WorkspaceFixture.h"
#include "support/FtpsTestServer.h"
#include "support/SynchronousConnectionTestRunner.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

using Kind = test::ScriptedDialogs::Kind;

class WizardSecureConnection : public test::WorkspaceFixture { };

// The wizard's connection test to an FTPS server whose certificate no system trusts: the person
// is asked on the window's side, the test is made again only after a yes, and Finish hands the
// accepted fingerprint to the profile.
TEST_F(WizardSecureConnection, WizardTestAsksToTrustACertificateAndFinishKeepsIt)
{
    const test::FtpsTestServer server;
    test::SynchronousConnectionTestRunner runner;
    runner.timeoutMs = 10000;
    RemoteSettingsPresenter settings(workspace());
    FtpWizardPresenter wizard(workspace(), runner);
    wizard.edit(WizardField::FtpAddress, "localhost:" + server.port);
    wizard.chooseProtocol(RemoteProtocol::Ftps);
    wizard.edit(WizardField::UserName, server.user);
    wizard.edit(WizardField::Password, server.password);

    m_dialogs.yesNoAnswers = {false};
    wizard.testConnection();
    const std::string refused = wizard.view().connectionLabel;
    EXPECT_EQ(refused.rfind("Could not connect to localhost:" + server.port + " -- ", 0), 0u) << refused;
    EXPECT_NE(refused.find(server.fingerprint), std::string::npos) << refused;
    ASSERT_EQ(m_dialogs.texts(Kind::Question).size(), 1u);
    EXPECT_NE(m_dialogs.texts(Kind::Question).front().find(server.fingerprint), std::string::npos);

    m_dialogs.yesNoAnswers = {true};
    wizard.testConnection();
    EXPECT_EQ(wizard.view().connectionLabel, "Connection OK");
    EXPECT_EQ(m_dialogs.texts(Kind::Question).size(), 2u);
    // Trusted now: no question.
    wizard.testConnection();
    EXPECT_EQ(wizard.view().connectionLabel, "Connection OK");
    EXPECT_EQ(m_dialogs.texts(Kind::Question).size(), 2u);

    settings.applyWizard(wizard.wizard());
    EXPECT_EQ(settings.view().fields.trustedKey, server.fingerprint);

    // The key was trusted for that address only.
    wizard.edit(WizardField::FtpAddress, "127.0.0.1:" + server.port);
    settings.applyWizard(wizard.wizard());
    EXPECT_EQ(settings.view().fields.trustedKey, "");
}

} // namespace
} // namespace pictaven
