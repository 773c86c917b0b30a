#include "ui/FtpWizardDialog.h"
#include "ui/ProxySettingsDialog.h"
#include "ui/RemoteSettingsDialog.h"

#include "PageHarness.h"
#include "WhenShown.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>

namespace pictaven {

using test::ScriptedDialogs;

class RemoteSettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheCurrentProfileMaskedAndNamed();
    void loadSaveAndClear();
    void okMakesTheFieldsCurrentAndTellsThePages();
    void cancelKeepsTheProfile();
    void wizardFillsTheFieldsAndProxySettingsOpens();
    void theMenuCommandOpensItCentred();

private:
    template <typename T> T* child(const char* name) const { return test::control<T>(*m_dialog, name); }
    QString field(const char* name) const { return child<QLineEdit>(name)->text(); }

    std::unique_ptr<test::PageHarness> m_harness;
    std::unique_ptr<RemoteSettingsDialog> m_dialog;
};

void RemoteSettingsDialogTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    m_harness->put("settings.ini", "[Vardle]\r\nLastProfile=home.prf\r\n");
    m_harness->put("profiles/home.prf", "[Directories]\r\nFTP=ftp.home.example\r\nUser=alice\r\nPassword=bdf\r\n"
                                        "FTPHomeDirectory=/htdocs\r\nHTTPHomeDirectory=~alice\r\n"
                                        "WWW=www.home.example\r\n");
    m_harness->start();
    m_dialog = std::make_unique<RemoteSettingsDialog>(*m_harness->workspace, &m_harness->host);
    m_dialog->show();
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

void RemoteSettingsDialogTest::cleanup()
{
    m_dialog.reset();
    m_harness.reset();
}

void RemoteSettingsDialogTest::showsTheCurrentProfileMaskedAndNamed()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Remote Settings - Profile [home.prf]"));
    QVERIFY(m_dialog->isModal());
    QCOMPARE(field("ftpHost"), QStringLiteral("ftp.home.example"));
    QCOMPARE(field("ftpUser"), QStringLiteral("alice"));
    QCOMPARE(field("ftpPassword"), QStringLiteral("abc"));
    QCOMPARE(child<QLineEdit>("ftpPassword")->echoMode(), QLineEdit::Password);
    QCOMPARE(field("ftpHomeDirectory"), QStringLiteral("/htdocs"));
    QCOMPARE(field("httpHomeDirectory"), QStringLiteral("~alice"));
    QCOMPARE(field("webHost"), QStringLiteral("www.home.example"));
    QCOMPARE(child<QLineEdit>("ftpHomeDirectory")->accessibleName(),
             QStringLiteral("FTP user home directory (use / in most cases)"));
    QCOMPARE(child<QPushButton>("loadProfile")->accessibleName(), QStringLiteral("Load Profile.."));
    QCOMPARE(test::unnamedControls(*m_dialog), QStringList());

    // Tab runs down the fields, then along the buttons.
    child<QLineEdit>("ftpHost")->setFocus();
    QStringList order;
    for (int i = 0; i < 8; ++i) {
        order.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, (QStringList{"ftpHost", "ftpUser", "ftpPassword", "ftpHomeDirectory", "httpHomeDirectory",
                                 "webHost", "loadProfile", "saveProfileAs"}));
}

void RemoteSettingsDialogTest::loadSaveAndClear()
{
    m_harness->put("elsewhere/WORK.PRF", "[Directories]\r\nFTP=ftp.work.example\r\nUser=bob\r\n");
    m_harness->dialogs.chooserAnswers = {m_harness->home("elsewhere/WORK.PRF").toStdString(),
                                         m_harness->home("profiles/copy").toStdString()};
    QTest::mouseClick(child<QPushButton>("loadProfile"), Qt::LeftButton);
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Remote Settings - Profile [WORK.PRF]"));
    QCOMPARE(field("ftpUser"), QStringLiteral("bob"));
    QCOMPARE(field("ftpHomeDirectory"), QStringLiteral("/"));
    QCOMPARE(m_harness->workspace->ftpProfile().user, std::string("bob"));

    auto* password = child<QLineEdit>("ftpPassword");
    password->setFocus();
    QTest::keyClicks(password, "xyz");
    QTest::mouseClick(child<QPushButton>("saveProfileAs"), Qt::LeftButton);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Remote Settings - Profile [copy.prf]"));
    const QString saved = m_harness->home("profiles/copy.prf");
    QCOMPARE(std::filesystem::status(saved.toStdString()).permissions(),
             std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("User=bob\r\nPassword=y{}\r\n"));
    const auto& asked = m_harness->dialogs.shown;
    QCOMPARE(asked.size(), std::size_t(2));
    QCOMPARE(asked[0].filter, std::string("Profile (*.prf *.PRF)"));
    QCOMPARE(asked[1].suggestedName, m_harness->home("elsewhere/WORK.PRF").toStdString());

    // A mnemonic clicks its button a moment later.
    QTest::keyClick(m_dialog.get(), Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(field("ftpHost").isEmpty());
    for (const char* name : {"ftpUser", "ftpPassword", "ftpHomeDirectory", "httpHomeDirectory", "webHost"})
        QVERIFY2(field(name).isEmpty(), name);
    QVERIFY(m_dialog->isVisible());
}

void RemoteSettingsDialogTest::okMakesTheFieldsCurrentAndTellsThePages()
{
    int notices = 0;
    const int token = m_harness->workspace->changes().subscribe([&notices] { ++notices; });
    auto* host = child<QLineEdit>("ftpHost");
    host->setFocus();
    host->selectAll();
    QTest::keyClicks(host, "ftp.new.example");
    QCOMPARE(m_harness->workspace->ftpProfile().ftp, std::string("ftp.home.example"));
    QTest::mouseClick(child<QPushButton>("ok"), Qt::LeftButton);
    m_harness->workspace->changes().unsubscribe(token);

    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_harness->workspace->ftpProfile().ftp, std::string("ftp.new.example"));
    QCOMPARE(notices, 1);
    QCOMPARE(m_harness->workspace->settingsStore().read("LastProfile"), std::optional<std::string>("home.prf"));
    // OK leaves the profile file alone.
    QFile file(m_harness->home("profiles/home.prf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("FTP=ftp.home.example"));
}

void RemoteSettingsDialogTest::cancelKeepsTheProfile()
{
    auto* user = child<QLineEdit>("ftpUser");
    user->setFocus();
    QTest::keyClicks(user, "-changed");
    QTest::mouseClick(child<QPushButton>("cancel"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_harness->workspace->ftpProfile().user, std::string("alice"));
}

void RemoteSettingsDialogTest::wizardFillsTheFieldsAndProxySettingsOpens()
{
    QString wizardTitle;
    test::whenShown<FtpWizardDialog>([&wizardTitle](FtpWizardDialog& wizard) {
        wizardTitle = wizard.windowTitle();
        QTest::keyClicks(test::control<QLineEdit>(wizard, "ftpAddress"), "ftp\\mine\\");
        auto* next = test::control<QPushButton>(wizard, "next");
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::keyClicks(test::control<QLineEdit>(wizard, "userName"), "carol");
        QTest::keyClicks(test::control<QLineEdit>(wizard, "password"), "pw");
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>("ftpWizard"), Qt::LeftButton);
    QCOMPARE(wizardTitle, QStringLiteral("FTP Settings Wizard"));
    QCOMPARE(field("ftpHost"), QStringLiteral("ftp/mine"));
    QCOMPARE(field("ftpUser"), QStringLiteral("carol"));
    QCOMPARE(field("ftpPassword"), QStringLiteral("pw"));
    QCOMPARE(field("webHost"), QStringLiteral("/"));
    QCOMPARE(field("ftpHomeDirectory"), QString());
    QCOMPARE(m_harness->workspace->ftpProfile().user, std::string("alice"));

    QString proxyTitle;
    test::whenShown<ProxySettingsDialog>([&proxyTitle](ProxySettingsDialog& proxy) {
        proxyTitle = proxy.windowTitle();
    });
    QTest::mouseClick(child<QPushButton>("proxySettings"), Qt::LeftButton);
    QCOMPARE(proxyTitle, QStringLiteral("Proxy Settings"));
    QVERIFY(m_dialog->isVisible());
}

void RemoteSettingsDialogTest::theMenuCommandOpensItCentred()
{
    m_dialog.reset();
    QPoint centre;
    QSize size;
    test::whenShown<RemoteSettingsDialog>([&](RemoteSettingsDialog& dialog) {
        centre = dialog.frameGeometry().center();
        size = dialog.frameGeometry().size();
    });
    m_harness->commands->openFtpSettings();
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(centre.x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(centre.y() - screen.center().y()) <= 1);
    QVERIFY(size.width() <= 1366 && size.height() <= 768);
}

} // namespace pictaven

QTEST_MAIN(pictaven::RemoteSettingsDialogTest)
#include "RemoteSettingsDialogTest.moc"
