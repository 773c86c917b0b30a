#include "session/Step1Presenter.h"
#include "ui/GraphicFormatsDialog.h"
#include "ui/JpegCompressionDialog.h"

#include "PageHarness.h"
#include "WhenShown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <functional>

namespace pictaven {

class FormatDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void graphicFormatsOkChangesTheMaskAndTheStep1List();
    void jpegDialogShowsItsQualitiesAndStoresThem();
};

using test::whenShown;

void FormatDialogsTest::graphicFormatsOkChangesTheMaskAndTheStep1List()
{
    test::PageHarness harness;
    harness.put("Pics/a.jpg", "x");
    harness.put("Pics/b.bmp", "x");
    harness.put("Pics/c.MP4", "x");
    harness.start();
    harness.workspace->setStep1Folder(harness.home("Pics").toStdString());
    Step1Presenter step1(*harness.workspace);
    QCOMPARE(step1.view().files, (std::vector<std::string>{"a.jpg", "c.MP4"}));

    QString title;
    whenShown<GraphicFormatsDialog>([&](GraphicFormatsDialog& dialog) {
        title = dialog.windowTitle();
        QTest::mouseClick(test::control<QCheckBox>(dialog, "format3"), Qt::LeftButton);
        auto* small = test::control<QLineEdit>(dialog, "edSmallFileSize");
        small->clear();
        QTest::keyClicks(small, "12a");
        QTest::mouseClick(test::control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    harness.commands->openGraphicFormats();
    QCOMPARE(title, QString("Select the Graphic Formats "));
    // A new program folder has the phone formats and videos on as well.
    QCOMPARE(harness.workspace->globalSettings().fileMask,
             std::string("*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.dib;*.rle;*.heic;*.heif;*.avif;*.webp;"
                         "*.mp4;*.m4v;*.mov;*.webm;*.mkv;"));
    QCOMPARE(step1.view().files, (std::vector<std::string>{"a.jpg", "b.bmp", "c.MP4"}));
    QCOMPARE(harness.workspace->settingsStore().read("VIDEO"), std::optional<std::string>("1"));
    QCOMPARE(harness.workspace->globalSettings().smallFileSize, 10);

    QString shownSize;
    whenShown<GraphicFormatsDialog>([&](GraphicFormatsDialog& dialog) {
        shownSize = test::control<QLineEdit>(dialog, "edSmallFileSize")->text();
        QTest::mouseClick(test::control<QPushButton>(dialog, "cancel"), Qt::LeftButton);
    });
    harness.commands->openGraphicFormats();
    QCOMPARE(shownSize, QString("10"));
}

void FormatDialogsTest::jpegDialogShowsItsQualitiesAndStoresThem()
{
    test::PageHarness harness;
    harness.start();
    QString first;
    whenShown<JpegCompressionDialog>([&](JpegCompressionDialog& dialog) {
        first = test::control<QLabel>(dialog, "compressionValue")->text() + " " +
                test::control<QLabel>(dialog, "imageCompressionValue")->text();
        auto* slider = test::control<QSlider>(dialog, "tbCompression");
        slider->setFocus();
        QTest::keyClick(slider, Qt::Key_End);
        QTest::mouseClick(test::control<QPushButton>(dialog, "ok"), Qt::LeftButton);
    });
    harness.commands->openJpegCompression();
    QCOMPARE(first, QString("80% 97%"));
    QCOMPARE(harness.workspace->globalSettings().compression1, 100);
    QCOMPARE(harness.workspace->settingsStore().read("Compression1"), std::optional<std::string>("100"));
}

} // namespace pictaven

QTEST_MAIN(pictaven::FormatDialogsTest)
#include "FormatDialogsTest.moc"
