#include "app/SettingsStore.h"
#include "ini/IniFile.h"
#include "ini/IntegerText.h"
#include "publish/FtpProfile.h"
#include "publish/RemoteConnection.h"
#include "session/FtpWizard.h"
#include "session/ProxySettingsForm.h"
#include "session/RemoteSettingsForm.h"
#include "support/ScriptedFtpServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

using test::permissionsOf;
using test::ScriptedFtpConnection;
using test::ScriptedFtpServer;

FtpProfile sampleProfile()
{
    return {"ftp.host.example:2121", "alice", "abc", "/public_html", "~alice", "www.host.example"};
}

ProxySettings sampleProxy()
{
    ProxySettings proxy;
    proxy.enableProxy = true;
    proxy.proxyName = "proxy.lan";
    proxy.proxyPort = 8021;
    proxy.firewallType = "Site";
    proxy.proxyPassiveMode = true;
    proxy.proxyUser = "pu";
    proxy.proxyPassword = "abc";
    return proxy;
}

TEST(ProxySettingsForm, OkWritesAlbumCfgInOrderAndMakesTheFieldsCurrent)
{
    test::TempDir dir;
    IniFile albumConfig((dir / "album.cfg").string());
    ProxySettings current;
    ProxySettingsForm form(current);
    EXPECT_EQ(form.proxyPort, "21");
    EXPECT_FALSE(form.proxyFieldsEnabled());
    const ProxySettings wanted = sampleProxy();
    form.enableFirewall = true;
    form.proxyName = wanted.proxyName;
    form.proxyPort = "8021";
    form.firewallType = wanted.firewallType;
    form.passiveMode = true;
    form.firewallUser = wanted.proxyUser;
    form.firewallPassword = wanted.proxyPassword;
    EXPECT_TRUE(form.proxyFieldsEnabled());
    form.accept(albumConfig, current);

    EXPECT_EQ(test::readFile(dir / "album.cfg"), "[Proxy]\r\nEnable Proxy=1\r\nProxy Name=proxy.lan\r\n"
                                                 "Proxy Port=8021\r\nFirewall Type=Site\r\nPassive Mode=1\r\n"
                                                 "Proxy User=pu\r\nProxy Password=bdf\r\n\r\n");
    EXPECT_EQ(permissionsOf(dir / "album.cfg"), 0600u);
    EXPECT_EQ(current.proxyName, "proxy.lan");
    EXPECT_EQ(current.proxyPort, 8021);
    EXPECT_EQ(current.proxyPassword, "abc");
    ProxySettings reread;
    reread.load(albumConfig);
    EXPECT_EQ(reread.firewallType, "Site");
    EXPECT_EQ(reread.proxyPassword, "abc");
}

TEST(ProxySettingsForm, BadPortLeavesTheFileHalfWrittenAndTheSettingsUnchanged)
{
    test::TempDir dir;
    IniFile albumConfig((dir / "album.cfg").string());
    ProxySettings current;
    ProxySettingsForm form(current);
    form.enableFirewall = true;
    form.proxyName = "proxy.lan";
    form.proxyPort = "80x";
    form.firewallUser = "pu";
    try {
        form.accept(albumConfig, current);
        FAIL() << "a port that is not a number was taken";
    } catch (const ConversionError& failure) {
        EXPECT_STREQ(failure.what(), "'80x' is not a valid integer value");
    }
    EXPECT_EQ(test::readFile(dir / "album.cfg"), "[Proxy]\r\nEnable Proxy=1\r\nProxy Name=proxy.lan\r\n\r\n");
    EXPECT_FALSE(current.enableProxy);
    EXPECT_EQ(current.proxyName, "ProxyAddress");
}

TEST(FtpWizard, FixDir)
{
    EXPECT_EQ(fixDir("/"), "/");
    EXPECT_EQ(fixDir(""), "/");
    EXPECT_EQ(fixDir("ftp\\host\\"), "ftp/host");
    EXPECT_EQ(fixDir("a/b//"), "a/b/");
    EXPECT_EQ(fixDir("www.example.com"), "www.example.com");
}

TEST(FtpWizard, PagesCheckTheirFieldsAndFinishFillsTheRemoteSettings)
{
    FtpWizard wizard;
    EXPECT_EQ(wizard.page(), 1);
    EXPECT_FALSE(wizard.previousVisible());
    EXPECT_EQ(wizard.next(), "You must enter an FTP address");
    wizard.typeFtpAddress("ftp\\host\\");
    EXPECT_EQ(wizard.next(), "");
    EXPECT_EQ(wizard.page(), 2);
    EXPECT_TRUE(wizard.previousVisible());
    EXPECT_EQ(wizard.connectionLabel(), "Not connected");
    EXPECT_EQ(wizard.next(), "You must enter a user name");
    wizard.userName = "alice";
    EXPECT_FALSE(wizard.testConnectionEnabled());
    EXPECT_EQ(wizard.next(), "You must enter a password");
    wizard.password = "pw";
    EXPECT_TRUE(wizard.testConnectionEnabled());
    wizard.subFolder = "www";
    EXPECT_EQ(wizard.nextCaption(), "Next ==>");
    EXPECT_EQ(wizard.next(), "");
    EXPECT_EQ(wizard.nextCaption(), "Finish");
    wizard.previous();
    EXPECT_EQ(wizard.page(), 2);
    EXPECT_EQ(wizard.nextCaption(), "Next ==>");
    EXPECT_EQ(wizard.next(), "");
    EXPECT_EQ(wizard.nextCaption(), "Finish");
    wizard.personalDirectory = "~alice";
    EXPECT_FALSE(wizard.finished());
    EXPECT_EQ(wizard.next(), ""); // nothing is checked on page 3
    EXPECT_TRUE(wizard.finished());

    FtpProfile fields = sampleProfile();
    wizard.applyTo(fields);
    EXPECT_EQ(fields, (FtpProfile{"ftp/host", "alice", "pw", "www", "~alice", "/"}));
}

TEST(FtpWizard, PresetsFillBothAddressesAndTypingClearsTheChoice)
{
    std::size_t providers = 0;
    for (std::size_t i = 0; i < FtpWizard::presetCount; ++i) {
        const std::string ftp = FtpWizard::ftpPresets[i];
        const std::string web = FtpWizard::webPresets[i];
        if (i < 20) {
            ++providers;
            EXPECT_EQ(ftp.substr(0, ftp.find(" - ")), web.substr(0, web.find(" - "))) << i;
        } else {
            EXPECT_EQ(ftp + web, "") << i;
        }
    }
    EXPECT_EQ(providers, 20u);

    FtpWizard wizard;
    wizard.chooseFtpPreset(1);
    EXPECT_EQ(wizard.ftpAddress(), "ftp.bluebay.example");
    EXPECT_EQ(wizard.ftpSelection(), 1);
    EXPECT_EQ(wizard.webSelection(), 1);
    EXPECT_EQ(wizard.webAddress(), "home.bluebay.example/<<username>>");
    wizard.typeFtpAddress("ftp.mine.example");
    EXPECT_EQ(wizard.ftpSelection(), -1);
    wizard.chooseWebPreset(5);
    EXPECT_EQ(wizard.webAddress(), "www.driftwood.example");
    wizard.typeWebAddress("www.mine.example");
    EXPECT_EQ(wizard.webSelection(), -1);
    wizard.chooseFtpPreset(21);
    EXPECT_EQ(wizard.ftpAddress(), "");
}

TEST(ConnectionTest, EveryOutcomeBecomesTheLabelText)
{
    ScriptedFtpServer good([](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        if (!c.clientClosed())
            throw std::runtime_error("the test kept the connection open");
    });
    RemoteConnection session;
    session.setTimeouts(2000, 2000);
    FtpWizard wizard;
    wizard.typeFtpAddress(good.hostPort());
    wizard.userName = "alice";
    wizard.password = "secret";
    EXPECT_EQ(wizard.connectionTest(ProxySettings{}).run(session).label, "Connection OK");
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(good.finish(), "");

    ScriptedFtpServer refusing([](ScriptedFtpConnection& c) {
        c.reply("220 ready");
        c.expect("USER alice");
        c.reply("530 Login incorrect.");
    });
    wizard.typeFtpAddress(refusing.hostPort());
    EXPECT_EQ(wizard.connectionTest(ProxySettings{}).run(session).label,
              "Could not connect to " + refusing.hostPort() + " -- Login incorrect.\r\n");
    EXPECT_EQ(refusing.finish(), "");

    ProxySettings proxy;
    proxy.enableProxy = true;
    proxy.proxyName = "127.0.0.1";
    proxy.proxyPort = 1; // nothing listens on port 1 here
    const std::string label = wizard.connectionTest(proxy).run(session).label;
    EXPECT_EQ(label.rfind("Could not connect to 127.0.0.1 -- ", 0), 0u) << label;
}

TEST(RemoteSettingsForm, LoadSaveClearAndOk)
{
    test::TempDir dir;
    std::filesystem::create_directory(dir / "profiles");
    const auto sitePath = (dir / "profiles" / "site.prf").string();
    sampleProfile().write(sitePath);

    FtpProfile current;
    std::string profileName = "default.prf";
    RemoteSettingsForm form(current, profileName);
    EXPECT_EQ(form.caption(), "Remote Settings - Profile [default.prf]");
    EXPECT_EQ(form.fields, current);

    form.loadProfile(sitePath);
    EXPECT_EQ(form.fields, sampleProfile());
    EXPECT_EQ(current, sampleProfile());
    EXPECT_EQ(profileName, "site.prf");
    EXPECT_EQ(form.caption(), "Remote Settings - Profile [site.prf]");
    EXPECT_EQ(form.lastChosenFile(), sitePath);

    form.fields.user = "bob";
    const auto copyPath = (dir / "profiles" / "copy.prf").string();
    form.saveProfileAs(copyPath);
    EXPECT_EQ(FtpProfile::load(copyPath).user, "bob");
    EXPECT_EQ(current.user, "bob");
    EXPECT_EQ(form.caption(), "Remote Settings - Profile [copy.prf]");

    form.clear();
    EXPECT_EQ(form.fields, (FtpProfile{"", "", "", "", "", ""}));
    SettingsStore store(dir.str());
    form.fields.ftp = "ftp.other.example";
    form.accept(store);
    EXPECT_EQ(current.ftp, "ftp.other.example");
    EXPECT_EQ(store.read("LastProfile"), std::optional<std::string>("copy.prf"));
    // OK does not write the profile file.
    EXPECT_EQ(FtpProfile::load(copyPath).ftp, "ftp.host.example:2121");
}

TEST(RemoteSettingsForm, OkWithoutAProfileNameStoresDefaultPrf)
{
    test::TempDir dir;
    FtpProfile current;
    std::string profileName;
    RemoteSettingsForm form(current, profileName);
    SettingsStore store(dir.str());
    form.accept(store);
    EXPECT_EQ(profileName, "default.prf");
    EXPECT_EQ(store.read("LastProfile"), std::optional<std::string>("default.prf"));
}

} // namespace
} // namespace pictaven
