#include "ui/ColourPreviewerDialog.h"

#include "PageHarness.h"
#include "WhenShown.h"

#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

namespace pictaven {

class ColourPreviewerDialogTest : public QObject {
    Q_OBJECT

private slots:
    void aChosenColourRecoloursTheSampleAndOkStoresIt();
};

using test::whenShown;

void ColourPreviewerDialogTest::aChosenColourRecoloursTheSampleAndOkStoresIt()
{
    test::PageHarness harness;
    harness.start();
    QString title;
    QString page;
    QRgb before = 0;
    QRgb after = 0;
    whenShown<ColourPreviewerDialog>([&](ColourPreviewerDialog& dialog) {
        title = dialog.windowTitle();
        page = test::control<QTabWidget>(dialog, "colourPages")->tabText(
            test::control<QTabWidget>(dialog, "colourPages")->currentIndex());
        auto* sample = test::control<QLabel>(dialog, "sample");
        before = sample->pixmap().toImage().pixel(73, 119);
        whenShown<QColorDialog>([](QColorDialog& chooser) {
            chooser.setCurrentColor(QColor(255, 0, 0));
            chooser.accept();
        });
        QTest::mouseClick(test::control<QPushButton>(dialog, "swatch5"), Qt::LeftButton);
        after = sample->pixmap().toImage().pixel(73, 119);
        QTest::mouseClick(test::control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    harness.commands->openColourPreviewer();
    QCOMPARE(title, QString("Preview Album"));
    QCOMPARE(page, QString("Thumbnails"));
    QVERIFY(before != qRgb(255, 0, 0));
    QCOMPARE(after, qRgb(255, 0, 0));
    QCOMPARE(harness.workspace->albumSettings().ThumbBgColor, 255);
}

} // namespace pictaven

QTEST_MAIN(pictaven::ColourPreviewerDialogTest)
#include "ColourPreviewerDialogTest.moc"
