#include "session/DiagnosticReport.h"
#include "ui/ReportWindow.h"

#include "PageHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace pictaven {

class ReportWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheWorkspacesReportAndCopiesIt();
};

namespace {

// Runs `look` on the report window once it is shown modally by a command that waits for it.
void whenReportShown(const std::function<void(ReportWindow&)>& look)
{
    QTimer::singleShot(10, [look] {
        if (auto* report = qobject_cast<ReportWindow*>(QApplication::activeModalWidget()))
            look(*report);
        else
            whenReportShown(look);
    });
}

} // namespace

void ReportWindowTest::showsTheWorkspacesReportAndCopiesIt()
{
    test::PageHarness harness;
    harness.start();
    harness.workspace->catalog().albumTitle = "Walks & Talks";
    harness.workspace->catalog().indexPageTexture = "/textures/sand.jpg";
    QStringList expected;
    for (const std::string& line : diagnosticReport(diagnosticReportInputs(*harness.workspace, true)))
        expected.append(QString::fromStdString(line));
    QVERIFY(expected.join('\n').contains("Walks & Talks"));

    QString shown;
    QString copied;
    bool readOnly = false;
    QString title;
    whenReportShown([&](ReportWindow& report) {
        title = report.windowTitle();
        readOnly = report.textBox()->isReadOnly();
        shown = report.textBox()->toPlainText();
        QApplication::clipboard()->clear();
        QTest::mouseClick(report.findChild<QPushButton*>("copyReport"), Qt::LeftButton);
        copied = QApplication::clipboard()->text();
        QTest::mouseClick(report.findChild<QPushButton*>("closeReport"), Qt::LeftButton);
    });
    harness.commands->openReport();

    QCOMPARE(title, QStringLiteral("Pictaven Detail Log"));
    QVERIFY(readOnly);
    QCOMPARE(shown, expected.join('\n'));
    QCOMPARE(copied, shown);
}

} // namespace pictaven

QTEST_MAIN(pictaven::ReportWindowTest)
#include "ReportWindowTest.moc"
