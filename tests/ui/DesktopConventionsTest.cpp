#include "StepWindow.h"

#include "app/WindowPlace.h"
#include "catalog/CatalogFile.h"
#include "ui/Step2Page.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QWindow>

namespace pictaven {

using test::ScriptedDialogs;

// What a desktop user expects of the main window: shortcuts, the modified mark in the title,
// catalogs given on the command line, the window's place kept between runs.
class DesktopConventionsTest : public QObject {
    Q_OBJECT

private slots:
    void fileAndHelpMenusShowTheirShortcuts_data();
    void fileAndHelpMenusShowTheirShortcuts();
    void titleMarksUnsavedChangesUntilSaved();
    void catalogFromTheCommandLine_data();
    void catalogFromTheCommandLine();
    void windowOpensWhereItClosed();
};

namespace {

// What assistive technology reads as the key binding of the menu item called `name`: the press
// action's bindings, else the item's accelerator, as the AT-SPI bridge reports them.
QString keyBinding(QMenu* menu, const QString& name)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface* item = face->child(i);
        if (item->text(QAccessible::Name) != name || !item->actionInterface())
            continue;
        const QStringList bindings
            = item->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
        return bindings.isEmpty() ? item->text(QAccessible::Accelerator) : bindings.join(';');
    }
    return QStringLiteral("no item ") + name;
}

QString shownTitle(const MainWindow& window)
{
    return window.windowHandle()->title();
}

} // namespace

void DesktopConventionsTest::fileAndHelpMenusShowTheirShortcuts_data()
{
    QTest::addColumn<bool>("helpMenu");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("keys");
    QTest::newRow("new") << false << "New Catalog" << "Ctrl+N";
    QTest::newRow("open") << false << "Open Catalog.." << "Ctrl+O";
    QTest::newRow("save") << false << "Save Catalog" << "Ctrl+S";
    QTest::newRow("save as") << false << "Save Catalog As.." << "Ctrl+Shift+S";
    QTest::newRow("close") << false << "Close Catalog" << "Ctrl+W";
    QTest::newRow("exit") << false << "Exit" << "Ctrl+Q";
    QTest::newRow("help") << true << "Help" << "F1";
}

void DesktopConventionsTest::fileAndHelpMenusShowTheirShortcuts()
{
    QFETCH(bool, helpMenu);
    QFETCH(QString, item);
    QFETCH(QString, keys);
    test::StepWindow window;
    window.start();
    QMenu* menu = helpMenu ? window.window->helpMenu() : window.window->fileMenu();
    QCOMPARE(keyBinding(menu, item), keys);
}

void DesktopConventionsTest::titleMarksUnsavedChangesUntilSaved()
{
    test::StepWindow window;
    window.start();
    window.addPhotos(1);
    window.workspace->catalog().modified = false;
    QTRY_COMPARE(shownTitle(*window.window), QStringLiteral("Pictaven 3.03"));

    QVERIFY(window.window->navigator().selectStep(2, StepClick::Panel));
    auto* title = test::childNamed<QLineEdit>(window.window->stepPage(2), QStringLiteral("Album Title"));
    QVERIFY(title);
    title->setFocus();
    QTest::keyClicks(title, QStringLiteral(" in May"));
    QTRY_COMPARE(shownTitle(*window.window), QStringLiteral("Pictaven 3.03*"));

    window.dialogs.chooserAnswers.push_back(window.path("May.CAT"));
    window.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.window.get()));
    QTest::keyClick(window.window.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(QFile::exists(QString::fromStdString(window.path("May.CAT"))));
    QTRY_COMPARE(shownTitle(*window.window), QStringLiteral("Pictaven 3.03 - Catalog <May.CAT>"));
}

void DesktopConventionsTest::catalogFromTheCommandLine_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("error"); // the start of the error shown; empty for none
    QTest::newRow("relative") << "trips/trip.cat" << "Pictaven 3.03 - Catalog <trip.cat>" << "";
    QTest::newRow("absolute") << "<home>/trips/trip.cat" << "Pictaven 3.03 - Catalog <trip.cat>" << "";
    QTest::newRow("missing") << "trips/gone.cat" << "Pictaven 3.03"
                             << "The catalog <home>/trips/gone.cat cannot be opened: No such file or directory.";
    QTest::newRow("folder") << "trips" << "Pictaven 3.03" << "The catalog <home>/trips cannot be opened: it is a folder.";
    QTest::newRow("not a catalog") << "trips/notes.txt" << "Pictaven 3.03"
                                   << "The file <home>/trips/notes.txt is not a catalog";
}

void DesktopConventionsTest::catalogFromTheCommandLine()
{
    QFETCH(QString, argument);
    QFETCH(QString, title);
    QFETCH(QString, error);
    QTemporaryDir home;
    const QString homePath = home.path();
    QVERIFY(QDir(homePath).mkpath("trips"));
    CatalogFile::save((homePath + "/trips/trip.cat").toStdString(), Catalog{}, AlbumSettings{},
                      (homePath + "/album/").toStdString());
    QFile notes(homePath + "/trips/notes.txt");
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();

    ScriptedDialogs dialogs;
    Workspace workspace((homePath + "/program").toStdString(), PICTAVEN_SOURCE_DATA_DIR, dialogs);
    MainWindow window(workspace, dialogs);
    window.openAtStart(argument.replace("<home>", homePath).toStdString(), homePath.toStdString());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.aboutBox()->isVisible());
    window.aboutBox()->accept();
    QTRY_VERIFY(!workspace.step1Folder().empty());

    QCOMPARE(shownTitle(window), title);
    const std::vector<std::string> errors = dialogs.texts(ScriptedDialogs::Kind::Error);
    if (error.isEmpty()) {
        QCOMPARE(errors.size(), std::size_t{0});
    } else {
        QCOMPARE(errors.size(), std::size_t{1});
        QVERIFY2(QString::fromStdString(errors[0]).startsWith(error.replace("<home>", homePath)), errors[0].c_str());
        QVERIFY(QString::fromStdString(errors[0]).endsWith("Pictaven starts with an empty catalog."));
    }
}

void DesktopConventionsTest::windowOpensWhereItClosed()
{
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    Workspace workspace((home.path() + "/program").toStdString(), PICTAVEN_SOURCE_DATA_DIR, dialogs);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect closedAt;
    {
        MainWindow first(workspace, dialogs);
        // The first start shows the pages roomily, not at the least size.
        QVERIFY(first.width() > first.minimumWidth() && first.height() > first.minimumHeight());
        QVERIFY(screen.contains(first.geometry()));
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        first.aboutBox()->accept();
        first.setGeometry(QRect(screen.topLeft() + QPoint(30, 20), first.minimumSize() + QSize(50, 40)));
        closedAt = first.normalGeometry();
        first.hide();
    }
    const std::optional<WindowPlace> stored = WindowPlace::load(workspace.settingsStore());
    QVERIFY(stored);
    QCOMPARE(QRect(stored->left, stored->top, stored->width, stored->height), closedAt);
    MainWindow second(workspace, dialogs);
    QCOMPARE(second.geometry(), closedAt);
}

} // namespace pictaven

QTEST_MAIN(pictaven::DesktopConventionsTest)
#include "DesktopConventionsTest.moc"
