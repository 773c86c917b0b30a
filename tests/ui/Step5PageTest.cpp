#include "ui/Step5Page.h"

#include "StepWindow.h"
#include "WhenShown.h"
#include "session/Step5Presenter.h"
#include "ui/HelpWindow.h"
#include "ui/WindowCommands.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>

namespace pictaven
{

using test::childNamed;
using test::ScriptedDialogs;

class Step5PageTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }
    void settingsFollowTheControls();
    void syncBoxesAnswerTheirMnemonics();
    void theLogButtonShowsAndHidesThePane();
    void viewRemotelyAndHelp();
    void aFailedConnectionLeavesCancelToEnableUpload();

private:
    QWidget* page() const { return m_window->window->stepPage(5); }
    QPushButton* button(const char* name) const
    {
        return childNamed<QPushButton>(page(), QString::fromLatin1(name));
    }

    std::unique_ptr<test::StepWindow> m_window;
};

void Step5PageTest::init()
{
    m_window = std::make_unique<test::StepWindow>();
    m_window->start();
    FtpProfile& profile = m_window->workspace->ftpProfile();
    profile.ftp = "ftp.example.org";
    profile.ftpHomeDirectory = "/";
    m_window->workspace->changes().notify();
}

void Step5PageTest::settingsFollowTheControls()
{
    auto* directory = childNamed<QLineEdit>(page(), QStringLiteral("Upload Directory:"));
    auto* location = childNamed<QLabel>(page(), QStringLiteral("Upload Location:"));
    QVERIFY(directory && location);
    QCOMPARE(directory->text(), QStringLiteral("MyAlbum"));
    QCOMPARE(location->text(), QStringLiteral("ftp.example.org/  ...  /MyAlbum"));

    directory->setFocus();
    directory->end(false);
    QTest::keyClicks(directory, QStringLiteral(" 2\\4"));
    QCOMPARE(directory->text(), QStringLiteral("MyAlbum24"));
    QCOMPARE(m_window->workspace->albumSettings().UploadDirectory, std::string("MyAlbum24"));
    QCOMPARE(location->text(), QStringLiteral("ftp.example.org/  ...  /MyAlbum24"));

    // OK in Remote Settings writes the location its own way until the directory is typed in.
    test::whenShown<QDialog>([](QDialog& settings) {
        auto* ok = childNamed<QPushButton>(&settings, QStringLiteral("OK"));
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    m_window->window->commands().openFtpSettings();
    QCOMPARE(location->text(), QStringLiteral("ftp.example.org/.../MyAlbum24"));
    QTest::keyClick(directory, Qt::Key_Backspace);
    QCOMPARE(location->text(), QStringLiteral("ftp.example.org/  ...  /MyAlbum2"));

    const struct {
        const char* caption;
        std::function<bool()> value;
    } boxes[] = {
        { "Passive Mode (Enable for most servers)",
            [&] { return m_window->workspace->albumSettings().PassiveMode; } },
        { "Overwrite existing photos on the web server?",
            [&] { return m_window->window->findChild<Step5Page*>()->presenter().view().overwritePhotos; } },
        { "Upload audio files",
            [&] { return m_window->window->findChild<Step5Page*>()->presenter().view().uploadAudio; } },
    };
    for (const auto& box : boxes) {
        auto* check = childNamed<QCheckBox>(page(), QString::fromLatin1(box.caption));
        QVERIFY2(check && check->isChecked() && box.value(), box.caption);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY2(!check->isChecked() && !box.value(), box.caption);
    }
}

void Step5PageTest::syncBoxesAnswerTheirMnemonics()
{
    auto* sync = childNamed<QCheckBox>(page(), QStringLiteral("Send only new or changed files (sync)"));
    auto* stale =
        childNamed<QCheckBox>(page(), QStringLiteral("Delete files the album no longer has from the web server"));
    QVERIFY(sync && stale);
    QVERIFY(!sync->isChecked() && !stale->isEnabled());
    m_window->window->pages()->setCurrentWidget(page());
    m_window->window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window->window.get()));
    QVERIFY(sync->isVisible());
    // A mnemonic clicks its box a moment later.
    QTest::keyClick(page(), Qt::Key_N, Qt::AltModifier);
    QTRY_VERIFY(m_window->workspace->syncUpload());
    QVERIFY(sync->isChecked() && stale->isEnabled());
    QTest::keyClick(page(), Qt::Key_W, Qt::AltModifier);
    QTRY_VERIFY(m_window->workspace->deleteStale());
    QVERIFY(stale->isChecked());
    QTest::keyClick(page(), Qt::Key_N, Qt::AltModifier);
    QTRY_VERIFY(!m_window->workspace->syncUpload());
    QVERIFY(!stale->isEnabled() && stale->isChecked());
}

void Step5PageTest::theLogButtonShowsAndHidesThePane()
{
    auto* pane = childNamed<QPlainTextEdit>(page(), QStringLiteral("FTP Commands"));
    QVERIFY(pane && !pane->isVisibleTo(page()));
    QTest::mouseClick(button("Show FTP Window"), Qt::LeftButton);
    QVERIFY(pane->isVisibleTo(page()));
    QPushButton* hide = button("Hide FTP Window");
    QVERIFY(hide);
    QTest::mouseClick(hide, Qt::LeftButton);
    QVERIFY(!pane->isVisibleTo(page()));
    QCOMPARE(hide->text(), QStringLiteral("Show FTP Window"));
}

void Step5PageTest::viewRemotelyAndHelp()
{
    m_window->workspace->ftpProfile().www.clear();
    QTest::mouseClick(button("View Remotely"), Qt::LeftButton);
    QCOMPARE(m_window->dialogs.texts(ScriptedDialogs::Kind::Warning),
        std::vector<std::string> { "You must first define your Web Server Address in your FTP profile" });

    QTest::mouseClick(button("FTP Help"), Qt::LeftButton);
    QVERIFY(m_window->window->helpWindow()->isVisible());
    QCOMPARE(
        m_window->window->helpWindow()->browser()->source().fragment(), QStringLiteral("Uploading_Files"));
    QVERIFY(button("View Log Details .."));
}

// Nothing listens on port 1: the upload ends at the connection, the window goes on, and only
// Cancel makes Upload usable again.
void Step5PageTest::aFailedConnectionLeavesCancelToEnableUpload()
{
    m_window->workspace->ftpProfile().ftp = "127.0.0.1:1";
    QPushButton* upload = button("Upload");
    QPushButton* cancel = button("Cancel");
    auto* status = childNamed<QLabel>(page(), QStringLiteral("Upload Status:"));
    QVERIFY(upload->isEnabled() && !cancel->isEnabled());
    QTest::mouseClick(upload, Qt::LeftButton);
    QVERIFY(!upload->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->workspace->jobRunning(), 60000);
    QCOMPARE(status->text(), QStringLiteral("Failed to connect - check user/password in FTP Settings menu"));
    QVERIFY(!upload->isEnabled());
    QVERIFY(cancel->isEnabled());

    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_COMPARE(status->text(), QStringLiteral("Aborted FTP"));
    QVERIFY(upload->isEnabled());
    QCOMPARE(m_window->dialogs.shown.size(), std::size_t { 0 });
}

} // namespace pictaven

QTEST_MAIN(pictaven::Step5PageTest)
#include "Step5PageTest.moc"
