#include "session/CatalogCommands.h"
#include "session/Step4Presenter.h"
#include "session/Workspace.h"
#include "ui/AboutBox.h"
#include "ui/MainWindow.h"
#include "ui/Step4Page.h"

#include "StepWindow.h"

#include "support/CliRun.h"
#include "support/FtpTestServers.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
std::map<std::string, std::string> filesOf(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file())
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
};

void WindowEndToEndTest::generateThenUploadFromTheWindow()
{
    test::TempDir home;
    const std::string programFolder = (home / "program").string() + "/";
    const fs::path photos = home / "photos";
    fs::create_directories(photos);
    for (const char* name : {"opencv_left01_grey.jpg", "opencv_board.jpg", "plasma_ColorfulCups.jpg"})
        fs::copy_file(fs::path(SHARED_DIR) / "photos" / name, photos / name);

    test::ScriptedDialogs dialogs;
    Workspace workspace(programFolder, PICTAVEN_SOURCE_DATA_DIR, dialogs);
    MainWindow window(workspace, dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.aboutBox()->isVisible());
    window.aboutBox()->accept();
    QTRY_VERIFY(!workspace.step1Folder().empty());

    const std::string catalog = (home / "Trip.CAT").string();
    const test::CliRun made =
        test::runCli(home.path(), programFolder, {"new-catalog", catalog, "--photos", photos.string()});
    QVERIFY2(made.status == 0, made.err.c_str());
    openTheCatalog(workspace, catalog);
    const fs::path windowOutput = home / "window-album";
    fs::create_directories(windowOutput);
    workspace.outputFolders().treeFolder = windowOutput.string();
    workspace.outputFolders().outputFolder = windowOutput.string() + "/";
    workspace.changes().notify();
    QVERIFY(window.navigator().selectStep(4, StepClick::Panel));

    auto* step4 = qobject_cast<Step4Page*>(window.stepPage(4));
    QVERIFY(step4);
    QToolButton* generate = test::childNamed<QToolButton>(step4, QStringLiteral("Generate"));
    QVERIFY(generate && generate->isVisible());
    QTest::mouseClick(generate, Qt::LeftButton);
    QTest::mouseClick(generate, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!workspace.jobRunning(), generationWaitMs);
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
    QCOMPARE(test::childNamed<QLabel>(step5, QStringLiteral("Upload Status:"))->text(), QStringLiteral("FTP finished."));
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

} // namespace pictaven

QTEST_MAIN(pictaven::WindowEndToEndTest)
#include "WindowEndToEndTest.moc"
