#include "StepWindow.h"

#include "ui/Step4Page.h"
#include "ui/Step5Page.h"
#include "ui/StepPanel.h"

#include <QAccessible>
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
    QTRY_VERIFY_WITH_TIMEOUT(!window.workspace->jobRunning(), 120000);

    QCOMPARE(readLine(status), twice(QStringLiteral("Finished generating photo album!")));
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

    QAccessibleInterface* directory = accessibleChild(step5, QStringLiteral("Upload Directory:"));
    QVERIFY(directory && directory->editableTextInterface() && directory->textInterface());
    directory->editableTextInterface()->replaceText(0, directory->textInterface()->characterCount(),
                                                     QStringLiteral("trip/day1"));
    QCOMPARE(window.workspace->albumSettings().UploadDirectory, std::string("trip/day1"));
    QAccessibleInterface* location = accessibleChild(step5, QStringLiteral("Upload Location:"));
    QVERIFY(location);
    QVERIFY2(location->text(QAccessible::Description).endsWith(QStringLiteral("/trip/day1")),
             qPrintable(location->text(QAccessible::Description)));
}

} // namespace pictaven

QTEST_MAIN(pictaven::AssistiveTechnologyTest)
#include "AssistiveTechnologyTest.moc"
