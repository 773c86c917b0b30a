#include "ui/FtpWizardDialog.h"
#include "ui/RemoteSettingsDialog.h"

#include "publish/Socket.h"

#include "PageHarness.h"
#include "WhenShown.h"
#include "support/FtpTestServers.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>

namespace pictaven {

using test::ScriptedDialogs;

class FtpWizardDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pagesRefuseMissingFieldsAndTurnTheButtonCaptions();
    void presetsFillBothAddresses();
    void aSilentHostCanBeCancelledWhileTheWindowStaysLive();
    void aProfileMadeByTheWizardConnectsToTheLoopbackServer();

private:
    template <typename T> T* child(const char* name) const { return test::control<T>(*m_wizard, name); }
    void click(const char* name) const { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void type(const char* name, const QString& text) const
    {
        auto* box = child<QLineEdit>(name);
        box->setFocus();
        QTest::keyClicks(box, text);
    }

    std::unique_ptr<test::PageHarness> m_harness;
    std::unique_ptr<FtpWizardDialog> m_wizard;
};

void FtpWizardDialogTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    m_harness->start();
    m_wizard = std::make_unique<FtpWizardDialog>(*m_harness->workspace, &m_harness->host);
    m_wizard->show();
    m_wizard->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_wizard.get()));
}

void FtpWizardDialogTest::cleanup()
{
    m_wizard.reset();
    m_harness.reset();
}

void FtpWizardDialogTest::pagesRefuseMissingFieldsAndTurnTheButtonCaptions()
{
    auto* previous = child<QPushButton>("previous");
    auto* next = child<QPushButton>("next");
    QCOMPARE(m_wizard->windowTitle(), QStringLiteral("FTP Settings Wizard"));
    QVERIFY(m_wizard->isModal());
    QVERIFY(previous->isHidden());
    QCOMPARE(next->text(), QStringLiteral("Next ==>"));
    QCOMPARE(test::unnamedControls(*m_wizard), QStringList());

    click("next");
    QCOMPARE(m_harness->dialogs.texts(ScriptedDialogs::Kind::Error),
             std::vector<std::string>{"You must enter an FTP address"});
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("ftpAddress"));
    type("ftpAddress", "ftp.mine.example");
    QTest::keyClick(child<QLineEdit>("ftpAddress"), Qt::Key_Return);
    QVERIFY(child<QLineEdit>("userName")->isVisible());
    QVERIFY(!previous->isHidden());
    QCOMPARE(child<QLabel>("connectionResult")->text(), QStringLiteral("Not connected"));
    QVERIFY(!child<QPushButton>("testConnection")->isEnabled());
    QCOMPARE(child<QLineEdit>("password")->echoMode(), QLineEdit::Password);

    type("userName", "alice");
    click("next");
    QCOMPARE(m_harness->dialogs.texts(ScriptedDialogs::Kind::Error).back(), std::string("You must enter a password"));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("password"));
    QVERIFY(!child<QPushButton>("testConnection")->isEnabled());
    type("password", "p");
    QVERIFY(child<QPushButton>("testConnection")->isEnabled());

    click("next");
    QCOMPARE(next->text(), QStringLiteral("Finish"));
    click("previous");
    QCOMPARE(next->text(), QStringLiteral("Next ==>"));
    QVERIFY(child<QLineEdit>("userName")->isVisible());
    click("next");
    QCOMPARE(next->text(), QStringLiteral("Finish"));
    QVERIFY(m_wizard->isVisible());
    click("next");
    QCOMPARE(m_wizard->result(), int(QDialog::Accepted));
    QCOMPARE(m_wizard->presenter().wizard().ftpAddress(), std::string("ftp.mine.example"));
}

void FtpWizardDialogTest::presetsFillBothAddresses()
{
    auto* providers = child<QListWidget>("ftpPresets");
    QCOMPARE(providers->count(), 23);
    QTest::mouseClick(providers->viewport(), Qt::LeftButton, {},
                      providers->visualItemRect(providers->item(1)).center());
    QCOMPARE(child<QLineEdit>("ftpAddress")->text(), QStringLiteral("ftp.bluebay.example"));
    auto* web = child<QListWidget>("webPresets");
    QCOMPARE(web->currentRow(), 1);
    QCOMPARE(child<QLineEdit>("webAddress")->text(), QStringLiteral("home.bluebay.example/<<username>>"));

    type("ftpAddress", "x");
    QCOMPARE(providers->currentRow(), -1);
    QCOMPARE(web->currentRow(), 1);
}

void FtpWizardDialogTest::aSilentHostCanBeCancelledWhileTheWindowStaysLive()
{
    // It listens but never greets: the connection is made and the greeting never comes.
    Socket silent = Socket::listenOn("127.0.0.1");
    type("ftpAddress", QStringLiteral("127.0.0.1:%1").arg(silent.localAddress().port));
    click("next");
    type("userName", "alice");
    type("password", "secret");

    click("testConnection");
    auto* result = child<QLabel>("connectionResult");
    QCOMPARE(result->text(), QStringLiteral("Connecting..."));
    QVERIFY(!child<QPushButton>("testConnection")->isEnabled());
    QVERIFY(child<QPushButton>("stopTest")->isEnabled());
    QTRY_VERIFY(silent.readable(0));
    type("subFolder", "still typing");
    QCOMPARE(child<QLineEdit>("subFolder")->text(), QStringLiteral("still typing"));
    QCOMPARE(result->text(), QStringLiteral("Connecting..."));

    // A mnemonic clicks its button a moment later.
    QTest::keyClick(m_wizard.get(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(result->text(), QStringLiteral("Not connected"));
    QVERIFY(child<QPushButton>("testConnection")->isEnabled());
    QVERIFY(!child<QPushButton>("stopTest")->isEnabled());

    // A second try that is left running goes with the window, which closes at once.
    click("testConnection");
    QCOMPARE(result->text(), QStringLiteral("Connecting..."));
    m_wizard.reset();
}

void FtpWizardDialogTest::aProfileMadeByTheWizardConnectsToTheLoopbackServer()
{
    m_wizard.reset();
    const auto servers = test::FtpTestServers::load(FTP_SERVERS_STATE);
    const QString address = QStringLiteral("127.0.0.1:%1").arg(servers.purePort);
    RemoteSettingsDialog settings(*m_harness->workspace, &m_harness->host);
    settings.show();

    QString label;
    test::whenShown<FtpWizardDialog>([&](FtpWizardDialog& wizard) {
        auto edit = [&wizard](const char* name, const std::string& text) {
            QTest::keyClicks(test::control<QLineEdit>(wizard, name), QString::fromStdString(text));
        };
        auto* next = test::control<QPushButton>(wizard, "next");
        edit("ftpAddress", address.toStdString());
        QTest::mouseClick(next, Qt::LeftButton);
        edit("userName", servers.user);
        edit("password", servers.password);
        edit("subFolder", "albums");
        QTest::mouseClick(test::control<QPushButton>(wizard, "testConnection"), Qt::LeftButton);
        auto* result = test::control<QLabel>(wizard, "connectionResult");
        QTRY_VERIFY_WITH_TIMEOUT(result->text() != "Connecting...", 60000);
        label = result->text();
        QTest::mouseClick(next, Qt::LeftButton);
        edit("webAddress", "www.pure.example/");
        edit("personalDirectory", "~" + servers.user);
        QTest::mouseClick(next, Qt::LeftButton);
    });
    QTest::mouseClick(test::control<QPushButton>(settings, "ftpWizard"), Qt::LeftButton);
    QCOMPARE(label, QStringLiteral("Connection OK"));
    QCOMPARE(test::control<QLineEdit>(settings, "ftpHost")->text(), address);

    m_harness->dialogs.chooserAnswers = {m_harness->home("profiles/pure").toStdString()};
    QTest::mouseClick(test::control<QPushButton>(settings, "saveProfileAs"), Qt::LeftButton);
    QTest::mouseClick(test::control<QPushButton>(settings, "ok"), Qt::LeftButton);
    QCOMPARE(settings.result(), int(QDialog::Accepted));

    const FtpProfile expected{address.toStdString(), servers.user, servers.password, "albums", "~" + servers.user,
                              "www.pure.example"};
    QVERIFY(FtpProfile::load(m_harness->home("profiles/pure.prf").toStdString()) == expected);
    QCOMPARE(std::filesystem::status(m_harness->home("profiles/pure.prf").toStdString()).permissions(),
             std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    QVERIFY(m_harness->workspace->ftpProfile() == expected);
    QCOMPARE(m_harness->workspace->globalSettings().lastProfile, std::string("pure.prf"));
}

} // namespace pictaven

QTEST_MAIN(pictaven::FtpWizardDialogTest)
#include "FtpWizardDialogTest.moc"
