#include "ui/FtpWizardDialog.h"
#include "ui/RemoteSettingsDialog.h"

#include "PageHarness.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace pictaven {

class ProtocolChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void remoteSettingsShowsAndChangesTheProtocol();
    void wizardOffersTheProtocol();

private:
    std::unique_ptr<test::PageHarness> m_harness;
};

void ProtocolChoiceTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    m_harness->put("settings.ini", "[Vardle]\r\nLastProfile=home.prf\r\n");
    m_harness->put("profiles/home.prf", "[Directories]\r\nFTP=ftp.home.example\r\nUser=alice\r\nPassword=bdf\r\n"
                                        "WWW=www.home.example\r\nProtocol=FTPS\r\nTrustedKey=SHA256:00ff\r\n");
    m_harness->start();
}

void ProtocolChoiceTest::cleanup()
{
    m_harness.reset();
}

void ProtocolChoiceTest::remoteSettingsShowsAndChangesTheProtocol()
{
    RemoteSettingsDialog dialog(*m_harness->workspace, &m_harness->host);
    dialog.show();
    auto* protocol = test::control<QComboBox>(dialog, "protocol");
    QCOMPARE(protocol->accessibleName(), QStringLiteral("Protocol"));
    QCOMPARE(protocol->currentText(), QStringLiteral("FTPS"));

    // The key file is for SSH only.
    auto* keyFile = test::control<QLineEdit>(dialog, "sshKeyFile");
    QCOMPARE(keyFile->accessibleName(), QStringLiteral("SSH key file (SFTP, optional)"));
    QVERIFY(!keyFile->isEnabled());
    protocol->setFocus();
    QTest::keyClick(protocol, Qt::Key_Down);
    QCOMPARE(protocol->currentText(), QStringLiteral("SFTP"));
    QVERIFY(keyFile->isEnabled());
    // A key file that exists and that only its owner may read, as the window asks.
    m_harness->put("keys/album_key", "a key");
    QVERIFY(QFile::setPermissions(m_harness->home("keys/album_key"), QFile::ReadOwner | QFile::WriteOwner));
    keyFile->setFocus();
    QTest::keyClicks(keyFile, m_harness->home("keys/album_key"));
    QTest::mouseClick(test::control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    QCOMPARE(m_harness->workspace->ftpProfile().protocol, RemoteProtocol::Sftp);
    QCOMPARE(m_harness->workspace->ftpProfile().trustedKey, std::string());
    QCOMPARE(m_harness->workspace->ftpProfile().keyFile, m_harness->home("keys/album_key").toStdString());
}

void ProtocolChoiceTest::wizardOffersTheProtocol()
{
    FtpWizardDialog wizard(*m_harness->workspace, &m_harness->host);
    wizard.show();
    auto* protocol = test::control<QComboBox>(wizard, "protocol");
    QCOMPARE(protocol->accessibleName(), QStringLiteral("Protocol"));
    QCOMPARE(protocol->currentText(), QStringLiteral("FTP"));
    protocol->setFocus();
    QTest::keyClick(protocol, Qt::Key_Down);
    QCOMPARE(wizard.presenter().view().protocol, RemoteProtocol::Ftps);
}

} // namespace pictaven

QTEST_MAIN(pictaven::ProtocolChoiceTest)
#include "ProtocolChoiceTest.moc"
