#include "session/FtpWizardPresenter.h"
#include "session/ProxySettingsPresenter.h"
#include "session/RemoteSettingsPresenter.h"

#include "WorkspaceFixture.h"
#include "support/ScriptedFtpServer.h"
#include "support/SynchronousConnectionTestRunner.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

using test::ScriptedDialogs;
using test::ScriptedFtpConnection;
using test::ScriptedFtpServer;
using Kind = ScriptedDialogs::Kind;

class FtpDialogPresenters : public test::WorkspaceFixture {
protected:
    int notices()
    {
        if (!m_counting) {
            workspace().changes().subscribe([this] { ++m_notices; });
            m_counting = true;
        }
        return m_notices;
    }

    test::SynchronousConnectionTestRunner m_runner;

private:
    bool m_counting = false;
    int m_notices = 0;
};

TEST_F(FtpDialogPresenters, RemoteSettingsLoadSaveAndOk)
{
    const FtpProfile site{"ftp.site.example", "alice", "abc", "/public_html", "~alice", "www.site.example"};
    std::filesystem::create_directories(path("elsewhere"));
    site.write(path("elsewhere/SITE.PRF"));
    const int before = notices();

    RemoteSettingsPresenter presenter(workspace());
    EXPECT_EQ(presenter.view().caption, "Remote Settings - Profile [default.prf]");
    m_dialogs.chooserAnswers = {path("elsewhere/SITE.PRF"), path("profiles/mine")};
    presenter.loadProfile();
    EXPECT_EQ(presenter.view().fields, site);
    EXPECT_EQ(workspace().ftpProfile(), site);
    EXPECT_EQ(presenter.view().caption, "Remote Settings - Profile [SITE.PRF]");

    presenter.edit(RemoteField::User, "bob");
    presenter.saveProfileAs();
    // The file name without an extension gets the profile's; the file holds a password.
    EXPECT_EQ(FtpProfile::load(path("profiles/mine.prf")).user, "bob");
    EXPECT_EQ(test::permissionsOf(path("profiles/mine.prf")), 0600u);
    EXPECT_EQ(presenter.view().caption, "Remote Settings - Profile [mine.prf]");
    ASSERT_EQ(m_dialogs.shown.size(), 2u);
    EXPECT_EQ(m_dialogs.shown[0].folder, path("profiles"));
    EXPECT_EQ(m_dialogs.shown[0].filter, "Profile (*.prf *.PRF)");
    EXPECT_EQ(m_dialogs.shown[1].kind, Kind::SaveFile);
    EXPECT_EQ(m_dialogs.shown[1].suggestedName, path("elsewhere/SITE.PRF"));

    presenter.edit(RemoteField::Ftp, "ftp.other.example");
    EXPECT_EQ(workspace().ftpProfile().ftp, "ftp.site.example");
    EXPECT_EQ(notices(), before);
    EXPECT_TRUE(presenter.accept());
    EXPECT_EQ(workspace().ftpProfile().ftp, "ftp.other.example");
    EXPECT_EQ(notices(), before + 1);
    EXPECT_EQ(workspace().settingsStore().read("LastProfile"), std::optional<std::string>("mine.prf"));
    EXPECT_EQ(FtpProfile::load(path("profiles/mine.prf")).ftp, "ftp.site.example");
}

TEST_F(FtpDialogPresenters, RemoteSettingsShowsWhatFailsAndKeepsTheProfile)
{
    std::filesystem::create_directories(path("profiles/folder.prf"));
    RemoteSettingsPresenter presenter(workspace());
    const FtpProfile before = workspace().ftpProfile();
    m_dialogs.chooserAnswers = {path("profiles/folder.prf"), std::nullopt};
    presenter.loadProfile();
    presenter.saveProfileAs();
    ASSERT_EQ(m_dialogs.texts(Kind::Error).size(), 1u);
    EXPECT_NE(m_dialogs.texts(Kind::Error)[0].find("folder.prf"), std::string::npos);
    EXPECT_EQ(workspace().ftpProfile(), before);
    EXPECT_EQ(presenter.view().caption, "Remote Settings - Profile [default.prf]");
}

TEST_F(FtpDialogPresenters, RemoteSettingsRefusesAHostNameOrKeyFileTheCommandLineRefuses)
{
    test::writeFile(path("open_key"), "a key");
    std::filesystem::permissions(path("open_key"), std::filesystem::perms(0644));
    const struct {
        RemoteField field;
        std::string text;
        std::string shown;
    } cases[] = {
        {RemoteField::Ftp, "evil host", "Invalid host name evil host"},
        {RemoteField::Ftp, "ftp..example", "Invalid host name ftp..example"},
        {RemoteField::KeyFile, path("no_key"), "The SSH key file " + path("no_key") + " cannot be read"},
        {RemoteField::KeyFile, path("open_key"), "The SSH key file " + path("open_key") + " can be read by other"},
    };
    const FtpProfile before = workspace().ftpProfile();
    for (const auto& entry : cases) {
        RemoteSettingsPresenter presenter(workspace());
        presenter.edit(entry.field, entry.text);
        m_dialogs.chooserAnswers = {path("profiles/refused.prf")};
        presenter.saveProfileAs();
        EXPECT_FALSE(presenter.accept()) << entry.text;
        const std::vector<std::string> errors = m_dialogs.texts(Kind::Error);
        ASSERT_EQ(errors.size(), 2u) << entry.text;
        EXPECT_TRUE(errors[0].starts_with(entry.shown)) << errors[0];
        EXPECT_EQ(errors[1], errors[0]);
        EXPECT_FALSE(std::filesystem::exists(path("profiles/refused.prf"))) << entry.text;
        EXPECT_EQ(workspace().ftpProfile(), before) << entry.text;
        m_dialogs.shown.clear();
    }

    // Put right, the same fields are taken.
    std::filesystem::permissions(path("open_key"), std::filesystem::perms(0600));
    RemoteSettingsPresenter presenter(workspace());
    presenter.edit(RemoteField::Ftp, " [ftp.example]:2121 ");
    presenter.edit(RemoteField::KeyFile, path("open_key"));
    EXPECT_TRUE(presenter.accept());
    EXPECT_EQ(workspace().ftpProfile().keyFile, path("open_key"));
}

TEST_F(FtpDialogPresenters, WizardRefusalsFocusTheirFieldAndFinishFillsRemoteSettings)
{
    RemoteSettingsPresenter settings(workspace());
    FtpWizardPresenter wizard(workspace(), m_runner);
    EXPECT_EQ(wizard.next(), WizardField::FtpAddress);
    wizard.chooseFtpPreset(2);
    EXPECT_EQ(wizard.view().ftpAddress, "upload.cedarnet.example");
    EXPECT_EQ(wizard.next(), std::nullopt);
    EXPECT_EQ(wizard.next(), WizardField::UserName);
    wizard.edit(WizardField::UserName, "alice");
    EXPECT_EQ(wizard.next(), WizardField::Password);
    EXPECT_EQ(m_dialogs.texts(Kind::Error), (std::vector<std::string>{"You must enter an FTP address",
                                                                      "You must enter a user name",
                                                                      "You must enter a password"}));
    wizard.edit(WizardField::Password, "pw");
    wizard.edit(WizardField::SubFolder, "htdocs");
    EXPECT_EQ(wizard.next(), std::nullopt);
    EXPECT_EQ(wizard.view().webAddress, "www.cedarnet.example/users/<<username>>");
    wizard.edit(WizardField::WebAddress, "www.mine.example/");
    EXPECT_EQ(wizard.view().webSelection, -1);
    wizard.edit(WizardField::PersonalDirectory, "~alice");
    EXPECT_FALSE(wizard.finished());
    EXPECT_EQ(wizard.next(), std::nullopt);
    EXPECT_TRUE(wizard.finished());

    settings.applyWizard(wizard.wizard());
    EXPECT_EQ(settings.view().fields,
              (FtpProfile{"upload.cedarnet.example", "alice", "pw", "htdocs", "~alice", "www.mine.example"}));
}

TEST_F(FtpDialogPresenters, ProtocolChoiceReachesTheProfileAndForgetsAKeyTrustedForAnother)
{
    FtpProfile secure{"ftp.site.example", "alice", "abc", "/", "", "www.site.example"};
    secure.protocol = RemoteProtocol::Ftps;
    secure.trustedKey = "SHA256:00ff";
    std::filesystem::create_directories(path("profiles"));
    secure.write(path("profiles/secure.prf"));
    RemoteSettingsPresenter settings(workspace());
    m_dialogs.chooserAnswers = {path("profiles/secure.prf")};
    settings.loadProfile();

    settings.chooseProtocol(RemoteProtocol::Ftps);
    EXPECT_EQ(settings.view().fields.trustedKey, "SHA256:00ff");
    settings.chooseProtocol(RemoteProtocol::Sftp);
    EXPECT_EQ(settings.view().fields.protocol, RemoteProtocol::Sftp);
    EXPECT_EQ(settings.view().fields.trustedKey, "");

    FtpWizardPresenter wizard(workspace(), m_runner);
    wizard.edit(WizardField::FtpAddress, "ftp.site.example");
    wizard.chooseProtocol(RemoteProtocol::Ftps);
    EXPECT_EQ(wizard.view().protocol, RemoteProtocol::Ftps);
    settings.applyWizard(wizard.wizard());
    EXPECT_EQ(settings.view().fields.protocol, RemoteProtocol::Ftps);
    EXPECT_TRUE(settings.accept());
    EXPECT_EQ(workspace().ftpProfile().protocol, RemoteProtocol::Ftps);
}

TEST_F(FtpDialogPresenters, ConnectionTestCanBeCancelledAndIsDroppedWithTheWizard)
{
    ScriptedFtpServer server([](ScriptedFtpConnection& c) { c.greetAndLogIn(); });
    m_runner.hold = true;
    {
        FtpWizardPresenter wizard(workspace(), m_runner);
        wizard.edit(WizardField::FtpAddress, server.hostPort());
        EXPECT_FALSE(wizard.view().testEnabled);
        wizard.edit(WizardField::UserName, "alice");
        wizard.edit(WizardField::Password, "secret");
        EXPECT_TRUE(wizard.view().testEnabled);
        EXPECT_EQ(wizard.view().connectionLabel, "Not connected");

        wizard.testConnection();
        EXPECT_EQ(wizard.view().connectionLabel, "Connecting...");
        EXPECT_TRUE(wizard.view().testRunning);
        EXPECT_FALSE(wizard.view().testEnabled);
        wizard.cancelTest();
        EXPECT_FALSE(m_runner.running());
        EXPECT_EQ(wizard.view().connectionLabel, "Not connected");
        EXPECT_TRUE(wizard.view().testEnabled);

        wizard.testConnection();
        m_runner.finish();
        EXPECT_EQ(wizard.view().connectionLabel, "Connection OK");
        EXPECT_FALSE(wizard.view().testRunning);

        wizard.testConnection();
        EXPECT_TRUE(m_runner.running());
    }
    EXPECT_FALSE(m_runner.running());
    EXPECT_EQ(server.finish(), "");
}

TEST_F(FtpDialogPresenters, ConnectionTestGoesThroughTheProxySettings)
{
    workspace().globalSettings().proxy.enableProxy = true;
    workspace().globalSettings().proxy.proxyName = "127.0.0.1";
    workspace().globalSettings().proxy.proxyPort = 1; // nothing listens on port 1 here
    FtpWizardPresenter wizard(workspace(), m_runner);
    wizard.edit(WizardField::FtpAddress, "ftp.far.example");
    wizard.edit(WizardField::UserName, "alice");
    wizard.edit(WizardField::Password, "secret");
    wizard.testConnection();
    EXPECT_EQ(wizard.view().connectionLabel.rfind("Could not connect to 127.0.0.1 -- ", 0), 0u);
}

TEST_F(FtpDialogPresenters, ProxySettingsOkStoresOrShowsTheBadPort)
{
    ProxySettingsPresenter presenter(workspace());
    EXPECT_FALSE(presenter.view().proxyFieldsEnabled);
    EXPECT_EQ(presenter.view().firewallType, 0);
    presenter.setEnableFirewall(true);
    EXPECT_TRUE(presenter.view().proxyFieldsEnabled);
    presenter.edit(ProxyField::ProxyName, "proxy.lan");
    presenter.edit(ProxyField::ProxyPort, "80x");
    presenter.chooseFirewallType(2);
    presenter.edit(ProxyField::FirewallUser, "pu");
    presenter.edit(ProxyField::FirewallPassword, "abc");
    presenter.setPassiveMode(true);

    EXPECT_FALSE(presenter.accept());
    EXPECT_EQ(m_dialogs.texts(Kind::Error), std::vector<std::string>{"'80x' is not a valid integer value"});
    EXPECT_FALSE(workspace().globalSettings().proxy.enableProxy);

    presenter.edit(ProxyField::ProxyPort, "8021");
    EXPECT_TRUE(presenter.accept());
    const ProxySettings& proxy = workspace().globalSettings().proxy;
    EXPECT_EQ(proxy.firewallType, "Site");
    EXPECT_EQ(proxy.proxyPort, 8021);
    EXPECT_TRUE(proxy.proxyPassiveMode);
    ProxySettings stored;
    stored.load(workspace().albumConfig());
    EXPECT_EQ(stored.proxyPassword, "abc");
    EXPECT_EQ(ProxySettingsPresenter(workspace()).view().firewallType, 2);
}

} // namespace
} // namespace pictaven
