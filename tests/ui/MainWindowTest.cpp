#include "session/Workspace.h"
#include "ui/AboutBox.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"

#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>

namespace pictaven {

using test::ScriptedDialogs;

// Records the web addresses the program asks the desktop to open, instead of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionAndMenus();
    void lastCatalogEntryEndsTheFileMenu();
    void aboutBoxClosesByItselfAtStartUpOnly();
    void aboutBoxClosesWhenThePictureIsClicked();
    void aboutBoxLinkOpensTheWebAddress();
    void f1OpensTheHelpContents();
    void helpTopicsAreAnchorsOfTheirPages();
    void exitRecordsTheCatalogAndAsksAboutSaving();

private:
    std::unique_ptr<MainWindow> startWindow();
    void waitForFirstShow(MainWindow& window);
    QString home(const QString& name = {}) const { return m_home->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Workspace> m_workspace;
};

void MainWindowTest::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    m_dialogs = std::make_unique<ScriptedDialogs>();
}

void MainWindowTest::cleanup()
{
    m_workspace.reset();
    m_home.reset();
}

std::unique_ptr<MainWindow> MainWindowTest::startWindow()
{
    m_workspace = std::make_unique<Workspace>(home().toStdString(), PICTAVEN_SOURCE_DATA_DIR, *m_dialogs);
    return std::make_unique<MainWindow>(*m_workspace, *m_dialogs);
}

void MainWindowTest::waitForFirstShow(MainWindow& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.aboutBox()->isVisible());
    window.aboutBox()->accept();
    QTRY_VERIFY(!m_workspace->step1Folder().empty());
}

static QStringList actionTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

void MainWindowTest::captionAndMenus()
{
    const auto window = startWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Pictaven 3.03"));
    QCOMPARE(actionTexts(window->menuBar()->actions()), (QStringList{"&File", "&Help"}));
    QCOMPARE(actionTexts(window->fileMenu()->actions()), QStringList{"&Exit"});
    QCOMPARE(actionTexts(window->helpMenu()->actions()), (QStringList{"&About", "&Help"}));
    QCOMPARE(window->helpMenu()->actions().at(1)->shortcut(), QKeySequence(Qt::Key_F1));
    QVERIFY(window->minimumWidth() >= 656 && window->minimumHeight() >= 500);
}

void MainWindowTest::lastCatalogEntryEndsTheFileMenu()
{
    QVERIFY(QDir(home()).mkpath("trips"));
    QFile catalog(home("trips/Holiday.CAT"));
    QVERIFY(catalog.open(QIODevice::WriteOnly));
    catalog.close();
    QFile albumConfig(home("album.cfg"));
    QVERIFY(albumConfig.open(QIODevice::WriteOnly));
    albumConfig.write("[Catalog]\r\nLast Catalog=" + home("trips/Holiday.CAT").toUtf8() + "\r\n");
    albumConfig.close();

    const auto window = startWindow();
    QCOMPARE(actionTexts(window->fileMenu()->actions()), (QStringList{"&Exit", "-", "Holiday.CAT"}));
    QCOMPARE(m_workspace->catalog().name, std::string());
}

void MainWindowTest::aboutBoxClosesByItselfAtStartUpOnly()
{
    const auto window = startWindow();
    window->show();
    QTRY_VERIFY(window->aboutBox()->isVisible());
    QVERIFY(window->aboutBox()->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(m_workspace->step1Folder().empty());
    QTest::qWait(AboutBox::startupMilliseconds / 4);
    QVERIFY(window->aboutBox()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!window->aboutBox()->isVisible(), AboutBox::startupMilliseconds * 2);
    QTRY_COMPARE(m_workspace->step1Folder(), home("Photos").toStdString());

    // Opened from the menu, the box waits for a click.
    window->helpMenu()->actions().at(0)->trigger();
    QVERIFY(window->aboutBox()->isVisible());
    QTest::qWait(AboutBox::startupMilliseconds + 500);
    QVERIFY(window->aboutBox()->isVisible());
    QTest::mouseClick(window->aboutBox()->picture(), Qt::LeftButton);
    QVERIFY(!window->aboutBox()->isVisible());
}

void MainWindowTest::aboutBoxClosesWhenThePictureIsClicked()
{
    const auto window = startWindow();
    window->show();
    QTRY_VERIFY(window->aboutBox()->isVisible());
    QVERIFY(!window->aboutBox()->picture()->pixmap().isNull());
    QTest::mouseClick(window->aboutBox()->picture(), Qt::LeftButton);
    QVERIFY(!window->aboutBox()->isVisible());
    QTRY_VERIFY(!m_workspace->step1Folder().empty());

    // The start-up timer stopped with the click: reopened at once, the box stays.
    window->helpMenu()->actions().at(0)->trigger();
    QTest::qWait(AboutBox::startupMilliseconds + 500);
    QVERIFY(window->aboutBox()->isVisible());
    window->aboutBox()->accept();
}

void MainWindowTest::aboutBoxLinkOpensTheWebAddress()
{
    AboutBox box;
    QVERIFY(box.link()->text().contains(AboutBox::webAddress));
    QVERIFY(box.findChildren<QLabel*>().size() == 3);
    bool shown = false;
    for (const QLabel* label : box.findChildren<QLabel*>())
        shown = shown || label->text() == QStringLiteral("Pictaven 3.03");
    QVERIFY(shown);

    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    emit box.link()->linkActivated(QString::fromLatin1(AboutBox::webAddress));
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl(AboutBox::webAddress)});
}

void MainWindowTest::f1OpensTheHelpContents()
{
    const auto window = startWindow();
    waitForFirstShow(*window);
    QVERIFY(!window->helpWindow()->isVisible());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F1);
    QVERIFY(window->helpWindow()->isVisible());
    const QUrl source = window->helpWindow()->browser()->source();
    QCOMPARE(source, QUrl::fromLocalFile(home("help/index.html")));
    QVERIFY(window->helpWindow()->browser()->toPlainText().contains("Pictaven Help"));
}

void MainWindowTest::helpTopicsAreAnchorsOfTheirPages()
{
    const auto window = startWindow();
    for (const char* topic : {"Moving_Files", "Selecting_A_Photo_Album_Template", "Output_Folder",
                              "Generate_Photo_Album", "Uploading_Files", "Catalog_Editor"}) {
        window->helpWindow()->showTopic(topic);
        const QTextBrowser* browser = window->helpWindow()->browser();
        QCOMPARE(browser->source().fragment(), QString(topic));
        QVERIFY2(QFile::exists(browser->source().toLocalFile()), topic);
        QVERIFY2(browser->document()->toHtml().contains(QString("name=\"%1\"").arg(topic)), topic);
    }
    window->helpWindow()->showTopic("No_Such_Topic");
    QVERIFY(window->helpWindow()->browser()->toPlainText().contains("No_Such_Topic.html cannot be found"));
}

void MainWindowTest::exitRecordsTheCatalogAndAsksAboutSaving()
{
    const auto window = startWindow();
    waitForFirstShow(*window);
    m_workspace->catalog().name = "Trip.CAT";
    m_workspace->catalog().modified = true;
    m_dialogs->yesNoAnswers = {false};
    window->fileMenu()->actions().at(0)->trigger();
    QVERIFY(!window->isVisible());
    QCOMPARE(m_dialogs->texts(ScriptedDialogs::Kind::Question),
             std::vector<std::string>{"Catalog [Trip.CAT] has changed - Save catalog now? "});
    QFile albumConfig(home("album.cfg"));
    QVERIFY(albumConfig.open(QIODevice::ReadOnly));
    QVERIFY(albumConfig.readAll().contains(("Last Catalog=" + home("catalog/Trip.CAT")).toUtf8()));
}

} // namespace pictaven

QTEST_MAIN(pictaven::MainWindowTest)
#include "MainWindowTest.moc"
