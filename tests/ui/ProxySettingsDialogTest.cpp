#include "ui/ProxySettingsDialog.h"

#include "ini/IniFile.h"

#include "PageHarness.h"
#include "WhenShown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace pictaven {

using test::ScriptedDialogs;

class ProxySettingsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheCurrentSettingsAndFollowsTheCheckBox();
    void okStoresTheFieldsAndABadPortKeepsTheWindowOpen();
    void cancelChangesNothing();

private:
    template <typename T> T* child(const char* name) const { return test::control<T>(*m_dialog, name); }
    void retype(const char* name, const QString& text) const
    {
        auto* box = child<QLineEdit>(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    std::unique_ptr<test::PageHarness> m_harness;
    std::unique_ptr<ProxySettingsDialog> m_dialog;
};

void ProxySettingsDialogTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    m_harness->put("album.cfg", "[Proxy]\r\nProxy Name=gate.lan\r\nProxy Port=2121\r\nFirewall Type=Open\r\n"
                                "Proxy User=pu\r\nProxy Password=bdf\r\n");
    m_harness->start();
    m_dialog = std::make_unique<ProxySettingsDialog>(*m_harness->workspace, &m_harness->host);
    m_dialog->show();
    m_dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
}

void ProxySettingsDialogTest::cleanup()
{
    m_dialog.reset();
    m_harness.reset();
}

void ProxySettingsDialogTest::showsTheCurrentSettingsAndFollowsTheCheckBox()
{
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Proxy Settings"));
    QVERIFY(m_dialog->isModal());
    QCOMPARE(child<QLineEdit>("proxyName")->text(), QStringLiteral("gate.lan"));
    QCOMPARE(child<QLineEdit>("proxyPort")->text(), QStringLiteral("2121"));
    QCOMPARE(child<QComboBox>("firewallType")->currentText(), QStringLiteral("Open"));
    QCOMPARE(child<QLineEdit>("firewallUser")->text(), QStringLiteral("pu"));
    auto* password = child<QLineEdit>("firewallPassword");
    QCOMPARE(password->text(), QStringLiteral("abc"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(password->accessibleName(), QStringLiteral("Firewall Password"));
    QCOMPARE(test::unnamedControls(*m_dialog), QStringList());

    auto* enable = child<QCheckBox>("enableFirewall");
    QCOMPARE(enable->accessibleName(), QStringLiteral("Enable Firewall Authentication"));
    QVERIFY(!enable->isChecked());
    QVERIFY(!child<QLineEdit>("proxyName")->isEnabled());
    QVERIFY(!child<QComboBox>("firewallType")->isEnabled());
    // A mnemonic clicks its button a moment later.
    QTest::keyClick(m_dialog.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(enable->isChecked());
    for (const char* name : {"proxyName", "proxyPort", "firewallUser", "firewallPassword"})
        QVERIFY2(child<QLineEdit>(name)->isEnabled(), name);
    QVERIFY(child<QComboBox>("firewallType")->isEnabled());
}

void ProxySettingsDialogTest::okStoresTheFieldsAndABadPortKeepsTheWindowOpen()
{
    QTest::mouseClick(child<QCheckBox>("enableFirewall"), Qt::LeftButton);
    retype("proxyName", "proxy.lan");
    retype("proxyPort", "80x");
    auto* type = child<QComboBox>("firewallType");
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Down);
    QCOMPARE(type->currentText(), QStringLiteral("Site"));
    retype("firewallPassword", "pw");
    QTest::mouseClick(child<QCheckBox>("passiveMode"), Qt::LeftButton);

    QTest::mouseClick(child<QPushButton>("ok"), Qt::LeftButton);
    QCOMPARE(m_harness->dialogs.texts(ScriptedDialogs::Kind::Error),
             std::vector<std::string>{"'80x' is not a valid integer value"});
    QVERIFY(m_dialog->isVisible());
    QVERIFY(!m_harness->workspace->globalSettings().proxy.enableProxy);

    retype("proxyPort", "8021");
    QTest::mouseClick(child<QPushButton>("ok"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    const ProxySettings& proxy = m_harness->workspace->globalSettings().proxy;
    QVERIFY(proxy.enableProxy);
    QCOMPARE(proxy.proxyName, std::string("proxy.lan"));
    QCOMPARE(proxy.proxyPort, 8021);
    QCOMPARE(proxy.firewallType, std::string("Site"));
    QVERIFY(proxy.proxyPassiveMode);
    ProxySettings stored;
    stored.load(IniFile(m_harness->home("album.cfg").toStdString()));
    QCOMPARE(stored.proxyPort, 8021);
    QCOMPARE(stored.firewallType, std::string("Site"));
    QVERIFY(stored.proxyPassiveMode);
    QCOMPARE(stored.proxyPassword, std::string("pw"));
    QFile file(m_harness->home("album.cfg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Proxy Password=qy\r\n"));
}

void ProxySettingsDialogTest::cancelChangesNothing()
{
    QTest::mouseClick(child<QCheckBox>("enableFirewall"), Qt::LeftButton);
    retype("proxyName", "other.lan");
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_harness->workspace->globalSettings().proxy.proxyName, std::string("gate.lan"));
    QVERIFY(!m_harness->workspace->globalSettings().proxy.enableProxy);
}

} // namespace pictaven

QTEST_MAIN(pictaven::ProxySettingsDialogTest)
#include "ProxySettingsDialogTest.moc"
