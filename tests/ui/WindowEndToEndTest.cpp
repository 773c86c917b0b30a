#include "PageHarness.h"
#include "StepWindow.h"
#include "WhenShown.h"
#include "catalog/CatalogFile.h"
#include "generate/OutputNames.h"
#include "generate/RenderRecord.h"
#include "ini/BigIniFile.h"
#include "session/CatalogCommands.h"
#include "session/Step4Presenter.h"
#include "session/Workspace.h"
#include "support/CliRun.h"
#include "support/FtpTestServers.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "ui/AboutBox.h"
#include "ui/CatalogEditorDialog.h"
#include "ui/MainWindow.h"
#include "ui/PreferencesDialog.h"
#include "ui/Step4Page.h"
#include "ui/WindowCommands.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <map>
#include <memory>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

constexpr int generationWaitMs = 240000;
constexpr int uploadWaitMs = 120000;

// Every plain file of a folder with its bytes.
// The album's files; the record of what was rendered names its own folder and times, so it is
// left out.
std::map<std::string, std::string> filesOf(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != RenderRecord::fileName)
            files[entry.path().filename().string()] = test::readFile(entry.path());
    }
    return files;
}

} // namespace

// The whole road through the window: a catalog of real photos, Generate on step 4, the same
// album as the command line makes it, and Upload on step 5 to the loopback Pure-FTPd.
class WindowEndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void generateThenUploadFromTheWindow();
    void aPreferenceAndACaptionReachTheSavedCatalogAndThePages();
};

// The window over a fresh program folder with a catalog of real photos, made by the command line
// and opened, and an output folder of its own.
struct WindowWithCatalog {
    test::TempDir home;
    std::string programFolder = (home / "program").string() + "/";
    std::string catalog = (home / "Trip.CAT").string();
    fs::path output = home / "window-album";
    test::ScriptedDialogs dialogs;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<MainWindow> window;

    // Callers end their test when it failed (QTest::currentTestFailed()).
    void start(std::initializer_list<const char*> photoNames)
    {
        const fs::path photos = home / "photos";
        fs::create_directories(photos);
        for (const char* name : photoNames) {
            std::error_code error;
            fs::copy_file(fs::path(TEST_DATA_DIR) / "photos" / name, photos / name, error);
            QVERIFY2(!error, (std::string(name) + ": " + error.message()).c_str());
        }
        workspace = std::make_unique<Workspace>(programFolder, PICTAVEN_SOURCE_DATA_DIR, dialogs);
        window = std::make_unique<MainWindow>(*workspace, dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(window->aboutBox()->isVisible());
        window->aboutBox()->accept();
        QTRY_VERIFY(!workspace->step1Folder().empty());

        const test::CliRun made =
            test::runCli(home.path(), programFolder, {"new-catalog", catalog, "--photos", photos.string()});
        QVERIFY2(made.status == 0, made.err.c_str());
        openCatalogFile(*workspace, catalog);
        fs::create_directories(output);
        workspace->outputFolders().treeFolder = output.string();
        workspace->outputFolders().outputFolder = output.string() + "/";
        workspace->changes().notify();
    }

    // Generate on step 4, pressed twice as an impatient person would, until the album is done.
    Step4Page* generate()
    {
        if (!window->navigator().selectStep(4, StepClick::Panel))
            return nullptr;
        auto* step4 = qobject_cast<Step4Page*>(window->stepPage(4));
        QToolButton* button = test::childNamed<QToolButton>(step4, QStringLiteral("Generate"));
        if (!button || !button->isVisible())
            return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(button, Qt::LeftButton);
        if (!QTest::qWaitFor([this] { return !workspace->jobRunning(); }, generationWaitMs))
            return nullptr;
        return step4;
    }
};

void WindowEndToEndTest::generateThenUploadFromTheWindow()
{
    WindowWithCatalog road;
    road.start({"opencv_left01_grey.jpg", "opencv_board.jpg", "plasma_ColorfulCups.jpg"});
    if (QTest::currentTestFailed())
        return;
    Workspace& workspace = *road.workspace;
    MainWindow& window = *road.window;
    const test::TempDir& home = road.home;
    const std::string& programFolder = road.programFolder;
    const std::string& catalog = road.catalog;
    const fs::path& windowOutput = road.output;
    test::ScriptedDialogs& dialogs = road.dialogs;

    Step4Page* step4 = road.generate();
    QVERIFY(step4);
    QCOMPARE(step4->presenter().lastOutcome(), std::optional(GenerationOutcome::Finished));
    QVERIFY(workspace.guards().albumGenerated);
    QCOMPARE(test::childNamed<QLabel>(step4, QStringLiteral("Status"))->text(),
             QStringLiteral("Finished generating photo album!"));
    QCOMPARE(dialogs.shown.size(), std::size_t{0});

    const fs::path cliOutput = home / "cli-album";
    const test::CliRun generated =
        test::runCli(home.path(), programFolder, {"generate", catalog, "--output", cliOutput.string()});
    QVERIFY2(generated.status == 0, generated.err.c_str());
    const std::map<std::string, std::string> album = filesOf(windowOutput);
    QVERIFY(album.count("myalbum.htm") == 1 && album.count("plasma_ColorfulCups.jpg") == 1);
    QVERIFY(album == filesOf(cliOutput));

    const test::FtpTestServers servers = test::FtpTestServers::load(FTP_SERVERS_STATE);
    workspace.ftpProfile().ftp = "127.0.0.1:" + std::to_string(servers.purePort);
    workspace.ftpProfile().user = servers.user;
    workspace.ftpProfile().password = servers.password;
    workspace.ftpProfile().ftpHomeDirectory = "/";
    const fs::path remote = fs::path(servers.pureHome) / "window-e2e";
    fs::remove_all(remote); // left by an earlier run on the same servers
    QVERIFY(window.navigator().selectStep(5, StepClick::Panel));
    QWidget* step5 = window.stepPage(5);
    auto* directory = test::childNamed<QLineEdit>(step5, QStringLiteral("Upload Directory:"));
    QVERIFY(directory);
    directory->clear();
    QTest::keyClicks(directory, QStringLiteral("window-e2e"));
    QCOMPARE(workspace.albumSettings().UploadDirectory, std::string("window-e2e"));
    QTest::mouseClick(test::childNamed<QPushButton>(step5, QStringLiteral("Upload")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!workspace.jobRunning(), uploadWaitMs);
    QCOMPARE(test::childNamed<QLabel>(step5, QStringLiteral("Upload Status:"))->text(),
             QStringLiteral("FTP finished."));
    QCOMPARE(dialogs.shown.size(), std::size_t{0});

    // Every page, photo and thumbnail arrives (the frame-set page only with frames); whatever
    // arrives is the album's file. Pages travel as text, which the server stores with its own
    // line ends.
    const std::map<std::string, std::string> sent = filesOf(remote);
    for (const auto& [name, bytes] : album) {
        if ((name.ends_with(".htm") || name.ends_with(".jpg")) && name != "myalbum_frame.htm")
            QVERIFY2(sent.count(name) == 1, name.c_str());
    }
    for (const auto& [name, bytes] : sent) {
        QVERIFY2(album.count(name) == 1, name.c_str());
        if (!name.ends_with(".htm"))
            QVERIFY2(album.at(name) == bytes, name.c_str());
    }
}

void WindowEndToEndTest::aPreferenceAndACaptionReachTheSavedCatalogAndThePages()
{
    WindowWithCatalog road;
    road.start({"opencv_left01_grey.jpg", "opencv_board.jpg"});
    if (QTest::currentTestFailed())
        return;
    MainWindow& window = *road.window;

    // Types into a box of a window and moves the focus on, which is when the box is stored.
    const auto enter = [](QLineEdit& box, const QString& text) {
        box.window()->activateWindow();
        // A box of a window that is not yet active takes no focus, so it would never lose it.
        QVERIFY(QTest::qWaitForWindowActive(box.window()));
        box.setFocus();
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Backspace);
        QTest::keyClicks(&box, text);
        box.clearFocus();
    };
    const QString description = QStringLiteral("Harbour walk & boats");
    test::whenShown<PreferencesDialog>([&](PreferencesDialog& preferences) {
        auto* pages = preferences.findChild<QTabWidget*>();
        QVERIFY(pages);
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->tabText(i) == QStringLiteral("Style Sheet/&Keywords"))
                pages->setCurrentIndex(i);
        }
        auto* meta = test::control<QCheckBox>(preferences, "GenerateMetaData");
        QVERIFY(meta->isVisible());
        QVERIFY(!meta->isChecked());
        meta->setFocus();
        QTest::keyClick(meta, Qt::Key_Space);
        enter(*test::control<QLineEdit>(preferences, "MetaDesc"), description);
        QTest::mouseClick(test::control<QPushButton>(preferences, "ok"), Qt::LeftButton);
    });
    window.commands().openPreferences();

    const QString title = QStringLiteral("Boats at dawn");
    test::whenShown<CatalogEditorDialog>([&](CatalogEditorDialog& editor) {
        enter(*test::control<QLineEdit>(editor, "webTitle"), title);
        QTest::mouseClick(test::control<QPushButton>(editor, "saveCatalog"), Qt::LeftButton);
        QTest::mouseClick(test::control<QPushButton>(editor, "close"), Qt::LeftButton);
    });
    window.commands().openCatalogEditor();
    QCOMPARE(road.dialogs.shown.size(), std::size_t{0});

    // The saved catalog reads back with both.
    const BigIniFile saved(road.catalog);
    const std::vector<AlbumItem> photos = CatalogFile::readPhotos(saved);
    QCOMPARE(photos.size(), std::size_t{2});
    QCOMPARE(QString::fromStdString(photos.front().storage.WebTitle), title);
    QCOMPARE(QString::fromStdString(saved.readString("Appearance", "MetaDesc", "")), description);
    QVERIFY(saved.readBool("Appearance", "Generate Meta Data", false));

    QVERIFY(road.generate());
    QVERIFY2(road.dialogs.shown.empty(), road.dialogs.shown.empty() ? "" : road.dialogs.shown.front().text.c_str());
    const std::map<std::string, std::string> album = filesOf(road.output);
    QVERIFY(album.count("myalbum.htm") == 1);
    QVERIFY(album.at("myalbum.htm").find(R"(<META name="description" content="Harbour walk &amp; boats">)") !=
            std::string::npos);
    const auto photoPage =
        album.find(OutputNames(road.workspace->albumSettings()).photoPageFileName(photos.front().displayName));
    QVERIFY(photoPage != album.end());
    QVERIFY(photoPage->second.find(">Boats at dawn</FONT>") != std::string::npos);
}

} // namespace pictaven

QTEST_MAIN(pictaven::WindowEndToEndTest)
#include "WindowEndToEndTest.moc"
