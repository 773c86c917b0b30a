#include "StepWindow.h"
#include "WhenShown.h"
#include "support/FtpTestServers.h"

#include "ui/RemoteSettingsDialog.h"
#include "ui/Step4Page.h"
#include "ui/Step5Page.h"
#include "ui/StepPanel.h"
#include "ui/WindowCommands.h"

#include <QAccessible>
#include <filesystem>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>

namespace pictaven {

// The window as a screen reader or an automation tool uses it: through the accessibility
// interfaces only, never through the widgets' own functions.
class AssistiveTechnologyTest : public QObject {
    Q_OBJECT

private slots:
    void generationIsStartedAndFollowedThroughAccessibility();
    void uploadDirectorySetThroughTheTextInterfaceReachesTheUpload();
    void albumGeneratedAndUploadedThroughAccessibilityOnly();
    void textSetThroughTheTextInterfaceIsTaken();
};

namespace {

QAccessibleInterface* accessibleChild(QWidget* page, const QString& name)
{
    for (QWidget* child : page->findChildren<QWidget*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child);
        if (face && face->text(QAccessible::Name) == name)
            return face;
    }
    return nullptr;
}

// The edit box called `name`; its label carries the same name.
QAccessibleInterface* editableChild(QWidget* page, const QString& name)
{
    for (QWidget* child : page->findChildren<QWidget*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(child);
        if (face && face->text(QAccessible::Name) == name && face->editableTextInterface())
            return face;
    }
    return nullptr;
}

// What a screen reader reads of a status line: its description and its text.
QStringList readLine(QAccessibleInterface* line)
{
    QAccessibleTextInterface* text = line->textInterface();
    return {line->text(QAccessible::Description), text ? text->text(0, text->characterCount()) : QString()};
}

QStringList twice(const QString& text)
{
    return {text, text};
}

} // namespace

void AssistiveTechnologyTest::generationIsStartedAndFollowedThroughAccessibility()
{
    test::StepWindow window;
    window.start();
    window.addPhotos(3);
    QAccessibleInterface* stepPanel = QAccessible::queryAccessibleInterface(window.window->stepPanel(4));
    QVERIFY(stepPanel->actionInterface());
    stepPanel->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QWidget* step4 = window.window->stepPage(4);
    QTRY_VERIFY(step4->isVisible());

    QAccessibleInterface* status = accessibleChild(step4, QStringLiteral("Status"));
    QAccessibleInterface* percentage = accessibleChild(step4, QStringLiteral("Percentage"));
    QAccessibleInterface* progress = accessibleChild(step4, QStringLiteral("Progress"));
    QVERIFY(status && percentage && progress && progress->valueInterface());
    QCOMPARE(readLine(percentage), twice(QStringLiteral("0 %")));
    QCOMPARE(progress->valueInterface()->currentValue().toInt(), 0);

    QAccessibleInterface* generate = accessibleChild(step4, QStringLiteral("Generate"));
    QVERIFY(generate && generate->actionInterface());
    generate->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // A pressed button clicks a moment later, as under the mouse.
    QTRY_COMPARE_WITH_TIMEOUT(readLine(status), twice(QStringLiteral("Finished generating photo album!")), 120000);
    QCOMPARE(readLine(percentage), twice(QStringLiteral("100 %")));
    QCOMPARE(progress->valueInterface()->minimumValue().toInt(), 0);
    QCOMPARE(progress->valueInterface()->maximumValue().toInt(), 100);
    QCOMPARE(progress->valueInterface()->currentValue().toInt(), 100);
    QCOMPARE(progress->text(QAccessible::Value), QStringLiteral("100 %"));
}

void AssistiveTechnologyTest::uploadDirectorySetThroughTheTextInterfaceReachesTheUpload()
{
    test::StepWindow window;
    window.start();
    window.addPhotos(1);
    window.workspace->guards().albumGenerated = true;
    QVERIFY(window.window->navigator().selectStep(5, StepClick::Panel));
    QWidget* step5 = window.window->stepPage(5);
    QTRY_VERIFY(step5->isVisible());

    QAccessibleInterface* directory = editableChild(step5, QStringLiteral("Upload Directory:"));
    QVERIFY(directory && directory->editableTextInterface() && directory->textInterface());
    directory->editableTextInterface()->replaceText(0, directory->textInterface()->characterCount(),
                                                     QStringLiteral("trip/day1"));
    QCOMPARE(window.workspace->albumSettings().UploadDirectory, std::string("trip/day1"));
    QAccessibleInterface* location = accessibleChild(step5, QStringLiteral("Upload Location:"));
    QVERIFY(location);
    QVERIFY2(location->text(QAccessible::Description).endsWith(QStringLiteral("/trip/day1")),
             qPrintable(location->text(QAccessible::Description)));
}

// Edit boxes whose presenter learns of every change of their text, not only of typed keys.
void AssistiveTechnologyTest::textSetThroughTheTextInterfaceIsTaken()
{
    const auto setText = [](QAccessibleInterface* box, const QString& text) {
        QVERIFY(box && box->editableTextInterface() && box->textInterface());
        box->editableTextInterface()->replaceText(0, box->textInterface()->characterCount(), text);
    };
    test::StepWindow window;
    window.start();
    window.addPhotos(1);

    QVERIFY(window.window->navigator().selectStep(2, StepClick::Panel));
    setText(editableChild(window.window->stepPage(2), QStringLiteral("Album Title")), QStringLiteral("Spoken title"));
    QCOMPARE(window.workspace->catalog().albumTitle, std::string("Spoken title"));

    test::whenShown<RemoteSettingsDialog>([&](RemoteSettingsDialog& dialog) {
        setText(editableChild(&dialog, QStringLiteral("FTP Host Name")), QStringLiteral("ftp.spoken.example"));
        QAccessibleInterface* ok = accessibleChild(&dialog, QStringLiteral("OK"));
        QVERIFY(ok && ok->actionInterface());
        ok->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // A pressed button clicks a moment later, as under the mouse.
        QTRY_VERIFY(!dialog.isVisible());
    });
    window.window->commands().openFtpSettings();
    QCOMPARE(window.workspace->ftpProfile().ftp, std::string("ftp.spoken.example"));
}

// What a screen reader user does from start to end: steps pressed by their actions, the upload
// directory typed through the text interface, the outcome read from the status lines.
void AssistiveTechnologyTest::albumGeneratedAndUploadedThroughAccessibilityOnly()
{
    namespace fs = std::filesystem;
    test::StepWindow window;
    window.start();
    window.addPhotos(2);
    const test::FtpTestServers servers = test::FtpTestServers::load(FTP_SERVERS_STATE);
    FtpProfile& profile = window.workspace->ftpProfile();
    profile.ftp = "127.0.0.1:" + std::to_string(servers.purePort);
    profile.user = servers.user;
    profile.password = servers.password;
    profile.ftpHomeDirectory = "/";
    const fs::path remote = fs::path(servers.pureHome) / "spoken-album";
    fs::remove_all(remote); // left by an earlier run on the same servers

    const auto press = [](QAccessibleInterface* control) {
        QVERIFY(control && control->actionInterface());
        control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    press(QAccessible::queryAccessibleInterface(window.window->stepPanel(4)));
    QWidget* step4 = window.window->stepPage(4);
    QTRY_VERIFY(step4->isVisible());
    press(accessibleChild(step4, QStringLiteral("Generate")));
    // A pressed button clicks a moment later, as under the mouse.
    QTRY_COMPARE_WITH_TIMEOUT(readLine(accessibleChild(step4, QStringLiteral("Status"))),
                              twice(QStringLiteral("Finished generating photo album!")), 120000);

    press(QAccessible::queryAccessibleInterface(window.window->stepPanel(5)));
    QWidget* step5 = window.window->stepPage(5);
    QTRY_VERIFY(step5->isVisible());
    QAccessibleInterface* directory = editableChild(step5, QStringLiteral("Upload Directory:"));
    QVERIFY(directory && directory->editableTextInterface());
    directory->editableTextInterface()->replaceText(0, directory->textInterface()->characterCount(),
                                                     QStringLiteral("spoken-album"));
    press(accessibleChild(step5, QStringLiteral("Upload")));
    QTRY_COMPARE_WITH_TIMEOUT(readLine(accessibleChild(step5, QStringLiteral("Upload Status:"))),
                              twice(QStringLiteral("FTP finished.")), 120000);
    QVERIFY(fs::is_regular_file(remote / "myalbum.htm"));
    QVERIFY(fs::is_regular_file(remote / "photo1.jpg"));
    QCOMPARE(window.dialogs.shown.size(), std::size_t{0});
}

} // namespace pictaven

QTEST_MAIN(pictaven::AssistiveTechnologyTest)
#include "AssistiveTechnologyTest.moc"
