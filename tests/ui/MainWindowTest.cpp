#include "ui/MainWindow.h"

#include "session/CatalogCommands.h"
#include "session/Workspace.h"
#include "support/ScriptedDialogs.h"
#include "ui/AboutBox.h"
#include "ui/HelpWindow.h"
#include "ui/NewCatalogDialog.h"
#include "ui/ProductLinks.h"
#include "ui/StepPanel.h"
#include "ui/ToolBarRow.h"

#include <QAction>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
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
    void exitRecordsTheCatalogAndAsksAboutSaving();
    void toolButtonsSitInOneRowWithTheirHints();
    void stepPanelsSelectThroughTheGuards();
    void helpLineFollowsTheMouse();
    void newCatalogWindowNamesTheCatalog();
    void lastCatalogEntryOpensTheCatalog();
    void saveButtonIsGreyWhileSaving();
    void webPagesOpenFromOnePlace();
    void whileAJobRunsOnlyHelpStaysUsable();
    void pagesTakeTheExtraSpace();

private:
    std::unique_ptr<MainWindow> startWindow();
    // A catalog of one photo saved by the catalog commands at `name` below the program folder,
    // recorded in album.cfg as the last catalog.
    void saveLastCatalog(const QString& name);
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

static QAction* menuAction(const QMenuBar* bar, const QString& menu, const QString& item)
{
    for (const QAction* top : bar->actions()) {
        if (top->text() != menu)
            continue;
        for (QAction* action : top->menu()->actions()) {
            if (action->text() == item)
                return action;
        }
    }
    return nullptr;
}

static QAction* menuAction(const MainWindow& window, const QString& menu, const QString& item)
{
    QAction* action = menuAction(window.menuBar(), menu, item);
    if (!action)
        qFatal("no menu item %s > %s", qPrintable(menu), qPrintable(item));
    return action;
}

const QStringList kFileItems = {"&New Catalog", "&Open Catalog..", "Sa&ve Catalog", "&Save Catalog As..",
    "&Close Catalog", "S&ave Template Preferences", "&Exit"};

void MainWindowTest::captionAndMenus()
{
    const auto window = startWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Pictaven 3.03"));
    const QMenuBar* bar = window->menuBar();
    QCOMPARE(actionTexts(bar->actions()), (QStringList{"&File", "&Settings", "&Tools", "&Details", "&Help"}));
    QCOMPARE(actionTexts(window->fileMenu()->actions()), kFileItems);
    QCOMPARE(actionTexts(bar->actions().at(1)->menu()->actions()),
        (QStringList{"&Configure Settings", "&Select Graphic Formats", "&JPEG Compression", "&FTP/HTTP Settings"}));
    QCOMPARE(
        actionTexts(bar->actions().at(2)->menu()->actions()), (QStringList{"Catalog &Editor", "Color &Previewer"}));
    QCOMPARE(actionTexts(bar->actions().at(3)->menu()->actions()), QStringList{"&View Log"});
    QCOMPARE(actionTexts(window->helpMenu()->actions()),
        (QStringList{"&About", "&Help", "&FAQ (Online)", "&Check for newer version", "&Visit website"}));
    QCOMPARE(window->minimumSize(), QSize(656, 500));
    QCOMPARE(window->palette().color(QPalette::Base), QColor(220, 220, 220));
    QCOMPARE(window->stepPage(1)->palette().color(QPalette::Base), QColor(220, 220, 220));
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
    QCOMPARE(actionTexts(window->fileMenu()->actions()), (kFileItems + QStringList{"-", "Holiday.CAT"}));
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
    // Released over any control of the window.
    QTest::keyClick(window->stepPanel(3), Qt::Key_F1);
    QVERIFY(window->helpWindow()->isVisible());
    const QUrl source = window->helpWindow()->browser()->source();
    QCOMPARE(source, QUrl::fromLocalFile(home("help/index.html")));
    QVERIFY(window->helpWindow()->browser()->toPlainText().contains("Pictaven Help"));
}

void MainWindowTest::exitRecordsTheCatalogAndAsksAboutSaving()
{
    const auto window = startWindow();
    waitForFirstShow(*window);
    m_workspace->catalog().name = "Trip.CAT";
    m_workspace->catalog().modified = true;
    // Cancel, as Escape or closing the question's box answers, keeps the window open.
    m_dialogs->saveAnswers = {Dialogs::SaveChoice::Cancel};
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    m_dialogs->saveAnswers = {Dialogs::SaveChoice::Discard};
    menuAction(*window, "&File", "&Exit")->trigger();
    QVERIFY(!window->isVisible());
    QCOMPARE(m_dialogs->texts(ScriptedDialogs::Kind::Question),
        std::vector<std::string>(2, "Catalog [Trip.CAT] has changed - Save catalog now? "));
    QFile albumConfig(home("album.cfg"));
    QVERIFY(albumConfig.open(QIODevice::ReadOnly));
    QVERIFY(albumConfig.readAll().contains(("Last Catalog=" + home("catalog/Trip.CAT")).toUtf8()));
}

void MainWindowTest::toolButtonsSitInOneRowWithTheirHints()
{
    m_workspace = std::make_unique<Workspace>(home().toStdString(), PICTAVEN_SOURCE_DATA_DIR, *m_dialogs);
    // One button with its picture, one whose picture is missing.
    QVERIFY(QDir(home()).mkpath("resource"));
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(home("resource/New.res"), "BMP"));
    QFile::remove(home("resource/open.res"));
    QFile::remove(home("resource/open@2x.res"));
    MainWindow window(*m_workspace, *m_dialogs);

    const QStringList hints = {"New Photo Album", "Open Photo Album", "Save Photo Album", "Configuration Settings",
        "JPEG Compression Settings", "File Transfer Protocal (Upload)", "Graphic Formats",
        "View Tessivo Software Website", "Read Help File"};
    for (int i = 0; i < ToolBarRow::ButtonCount; ++i) {
        const QToolButton* button = window.toolBar()->button(static_cast<ToolBarRow::Button>(i));
        QCOMPARE(button->geometry(), QRect(10 + 42 * i, 1, 40, 26));
        QCOMPARE(button->toolTip(), hints.at(i));
        QCOMPARE(button->accessibleName(), hints.at(i));
    }
    const QToolButton* withPicture = window.toolBar()->button(ToolBarRow::New);
    QVERIFY(!withPicture->icon().isNull());
    QVERIFY(withPicture->text().isEmpty());
    const QToolButton* without = window.toolBar()->button(ToolBarRow::Open);
    QVERIFY(without->icon().isNull());
    QCOMPARE(without->text(), QStringLiteral("Open Photo Album"));
}

void MainWindowTest::stepPanelsSelectThroughTheGuards()
{
    using Kind = ScriptedDialogs::Kind;
    const auto window = startWindow();
    waitForFirstShow(*window);
    const auto shownSinceLast = [this] {
        std::vector<std::pair<Kind, std::string>> shown;
        for (const ScriptedDialogs::Shown& entry : m_dialogs->shown)
            shown.emplace_back(entry.kind, entry.text);
        m_dialogs->shown.clear();
        return shown;
    };
    const auto highlighted = [&window] {
        QList<int> steps;
        for (int step = 1; step <= 5; ++step) {
            const StepPanel* panel = window->stepPanel(step);
            const bool white = panel->caption()->palette().color(QPalette::WindowText) == QColor(Qt::white);
            if (white && panel->frameShadow() == QFrame::Raised)
                steps.append(step);
        }
        return steps;
    };
    using Shown = std::vector<std::pair<Kind, std::string>>;
    QCOMPARE(window->stepPanel(2)->caption()->text(), QStringLiteral("2. Configure"));
    QCOMPARE(highlighted(), QList<int>{1});

    QTest::mouseClick(window->stepPanel(2), Qt::LeftButton);
    QVERIFY(shownSinceLast() == (Shown{{Kind::Beep, ""}, {Kind::Warning, StepNavigator::noPhotosMessage}}));
    QCOMPARE(window->pages()->currentIndex(), 0);

    m_workspace->guards().photosSelected = true;
    QTest::mouseClick(window->stepPanel(2)->caption(), Qt::LeftButton);
    QCOMPARE(window->pages()->currentIndex(), 1);
    QCOMPARE(highlighted(), QList<int>{2});

    m_workspace->guards().settingsValid = false;
    QTest::mouseClick(window->stepPanel(3)->picture(), Qt::LeftButton);
    QVERIFY(shownSinceLast().empty());
    QTest::mouseClick(window->stepPanel(3)->caption(), Qt::LeftButton);
    QVERIFY(shownSinceLast() == (Shown{{Kind::Beep, ""}}));
    QCOMPARE(window->pages()->currentIndex(), 1);

    m_workspace->guards().outputIsPhotoFolder = true;
    QTest::mouseClick(window->stepPanel(4), Qt::LeftButton);
    QVERIFY(
        shownSinceLast() == (Shown{{Kind::Beep, ""}, {Kind::Error, StepNavigator::outputIsPhotoFolderPanelMessage}}));
    QTest::mouseClick(window->stepPanel(4)->caption(), Qt::LeftButton);
    QVERIFY(shownSinceLast() == (Shown{{Kind::Beep, ""}, {Kind::Error, StepNavigator::outputIsPhotoFolderMessage}}));

    m_workspace->guards().outputIsPhotoFolder = false;
    m_workspace->guards().outputFolderValid = true;
    QTest::mouseClick(window->stepPanel(4)->picture(), Qt::LeftButton);
    QCOMPARE(window->pages()->currentIndex(), 3);
    QCOMPARE(highlighted(), QList<int>{4});
    QVERIFY(shownSinceLast().empty());

    // From the keyboard: Space on a focused panel.
    QCOMPARE(window->stepPanel(1)->accessibleName(), QStringLiteral("1. Select Photos"));
    QTest::keyClick(window->stepPanel(1), Qt::Key_Space);
    QCOMPARE(window->pages()->currentIndex(), 0);
    QCOMPARE(highlighted(), QList<int>{1});
}

void MainWindowTest::helpLineFollowsTheMouse()
{
    const auto window = startWindow();
    waitForFirstShow(*window);
    QTest::mouseMove(window->stepPanel(5)->picture());
    QTRY_COMPARE(window->helpLine()->text(), QStringLiteral("Publish your photo album on the Internet"));
    QTest::mouseMove(window->stepPanel(1)->picture());
    QTRY_COMPARE(window->helpLine()->text(), QString::fromStdString(StepNavigator::helpLine(1)));
    // The background right of the tool buttons.
    QTest::mouseMove(window->centralWidget(), QPoint(window->centralWidget()->width() - 20, 12));
    QTRY_VERIFY(window->helpLine()->text().isEmpty());

    // Step 2's page clears it too.
    m_workspace->guards().photosSelected = true;
    QVERIFY(window->navigator().selectStep(2, StepClick::Panel));
    QTest::mouseMove(window->stepPanel(3)->picture());
    QTRY_VERIFY(!window->helpLine()->text().isEmpty());
    QTest::mouseMove(window->stepPage(2));
    QTRY_VERIFY(window->helpLine()->text().isEmpty());
}

void MainWindowTest::newCatalogWindowNamesTheCatalog()
{
    const auto window = startWindow();
    waitForFirstShow(*window);
    QString title;
    QString boxName;
    bool boxFocused = false;
    bool emptyKeptOpen = false;
    QTimer::singleShot(0, this, [&] {
        NewCatalogDialog* dialog = window->newCatalogDialog();
        title = dialog->windowTitle();
        boxName = dialog->nameBox()->accessibleName();
        boxFocused = dialog->focusWidget() == dialog->nameBox();
        QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        emptyKeptOpen = dialog->isVisible();
        QTest::keyClicks(dialog->nameBox(), "Holiday");
        QTest::mouseClick(ok, Qt::LeftButton);
        // Whatever happened above, the window must not stay open and hold the test.
        if (dialog->isVisible())
            dialog->reject();
    });
    window->toolBar()->button(ToolBarRow::New)->click();
    QCOMPARE(title, QStringLiteral("New Catalog"));
    QCOMPARE(boxName, QStringLiteral("Catalog Name"));
    QVERIFY(boxFocused);
    QVERIFY(emptyKeptOpen);
    QCOMPARE(window->windowTitle(), QStringLiteral("Pictaven 3.03 [Holiday.CAT]"));
    QCOMPARE(m_workspace->catalog().name, std::string("Holiday.CAT"));

    // Cancel leaves the catalog as it is.
    QTimer::singleShot(0, this, [&] { window->newCatalogDialog()->reject(); });
    menuAction(*window, "&File", "&New Catalog")->trigger();
    QCOMPARE(m_workspace->catalog().name, std::string("Holiday.CAT"));
}

void MainWindowTest::saveLastCatalog(const QString& name)
{
    Workspace workspace(home().toStdString(), PICTAVEN_SOURCE_DATA_DIR, *m_dialogs);
    workspace.firstShow();
    FileStorage storage;
    storage.SourcePath = storage.WorkingPath = home("a.jpg").toStdString();
    workspace.catalog().photos.push_back({"a.jpg", storage});
    QVERIFY(QDir(home()).mkpath(QFileInfo(home(name)).path()));
    m_dialogs->chooserAnswers = {home(name).toStdString()};
    QVERIFY(saveCatalog(workspace));
    QVERIFY(workspace.close());
    m_dialogs->shown.clear();
}

void MainWindowTest::lastCatalogEntryOpensTheCatalog()
{
    QFile photo(home("a.jpg"));
    QVERIFY(photo.open(QIODevice::WriteOnly));
    photo.close();
    saveLastCatalog("trips/Trip.CAT");

    const auto window = startWindow();
    waitForFirstShow(*window);
    QAction* entry = window->fileMenu()->actions().last();
    QCOMPARE(entry->text(), QStringLiteral("Trip.CAT"));
    QCOMPARE(m_workspace->catalog().photos.size(), std::size_t{0});
    entry->trigger();
    QCOMPARE(m_workspace->catalog().photos.size(), std::size_t{1});
    QCOMPARE(window->windowTitle(), QStringLiteral("Pictaven 3.03 - Catalog <Trip.CAT>"));
    QCOMPARE(window->pages()->currentIndex(), 0);
    QVERIFY(m_dialogs->texts(ScriptedDialogs::Kind::Error).empty());

    // Closing brings the caption back and keeps the entry.
    menuAction(*window, "&File", "&Close Catalog")->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("Pictaven 3.03"));
    QCOMPARE(window->fileMenu()->actions().last()->text(), QStringLiteral("Trip.CAT"));
}

void MainWindowTest::saveButtonIsGreyWhileSaving()
{
    QFile photo(home("a.jpg"));
    QVERIFY(photo.open(QIODevice::WriteOnly));
    photo.close();
    saveLastCatalog("Trip.CAT");
    const auto window = startWindow();
    waitForFirstShow(*window);
    window->fileMenu()->actions().last()->trigger();

    QToolButton* save = window->toolBar()->button(ToolBarRow::Save);
    const QColor normal = save->palette().color(QPalette::Button);
    QColor whileSaving;
    window->fileCommands().changed().subscribe([&] {
        if (!window->fileCommands().view().saveEnabled)
            whileSaving = save->palette().color(QPalette::Button);
    });
    m_workspace->catalog().albumTitle = "Changed";
    save->click();
    QCOMPARE(whileSaving, QColor(128, 128, 128));
    QVERIFY(!save->isEnabled());
    QCOMPARE(save->palette().color(QPalette::Button), QColor(128, 128, 128));
    QTRY_VERIFY(save->isEnabled());
    QCOMPARE(save->palette().color(QPalette::Button), normal);
    QFile saved(home("Trip.CAT"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("Album Title=Changed"));
}

void MainWindowTest::webPagesOpenFromOnePlace()
{
    const auto window = startWindow();
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    menuAction(*window, "&Help", "&FAQ (Online)")->trigger();
    menuAction(*window, "&Help", "&Check for newer version")->trigger();
    menuAction(*window, "&Help", "&Visit website")->trigger();
    window->toolBar()->button(ToolBarRow::Website)->click();
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.opened,
        (QList<QUrl>{QUrl(ProductLinks::faq), QUrl(ProductLinks::download), QUrl(ProductLinks::home),
            QUrl(ProductLinks::home)}));
    QCOMPARE(QString(AboutBox::webAddress), QString(ProductLinks::home));
}

void MainWindowTest::whileAJobRunsOnlyHelpStaysUsable()
{
    const auto window = startWindow();
    const QStringList changing = {"&File|&New Catalog", "&File|&Open Catalog..", "&File|Sa&ve Catalog",
        "&File|&Close Catalog", "&Settings|&Configure Settings", "&Tools|Catalog &Editor"};
    const QStringList usable = {"&Details|&View Log", "&Help|&About", "&Help|&Help", "&Help|&Visit website"};
    for (const bool running : {true, false}) {
        m_workspace->setJobRunning(running);
        for (const QString& item : changing)
            QCOMPARE(menuAction(*window, item.section('|', 0, 0), item.section('|', 1))->isEnabled(), !running);
        for (const QString& item : usable)
            QVERIFY(menuAction(*window, item.section('|', 0, 0), item.section('|', 1))->isEnabled());
        for (int i = 0; i < ToolBarRow::ButtonCount; ++i) {
            const auto which = static_cast<ToolBarRow::Button>(i);
            const bool stays = which == ToolBarRow::Website || which == ToolBarRow::Help;
            QCOMPARE(window->toolBar()->button(which)->isEnabled(), stays || !running);
        }
    }
}

void MainWindowTest::pagesTakeTheExtraSpace()
{
    const auto window = startWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->aboutBox()->accept();
    window->resize(656, 500);
    QTRY_COMPARE(window->size(), QSize(656, 500));
    const QSize small = window->pages()->size();
    const int panelHeight = window->stepPanel(1)->height();
    window->resize(956, 700);
    QTRY_COMPARE(window->pages()->size(), small + QSize(300, 200));
    QCOMPARE(window->stepPanel(1)->height(), panelHeight);
}

} // namespace pictaven

QTEST_MAIN(pictaven::MainWindowTest)
#include "MainWindowTest.moc"
