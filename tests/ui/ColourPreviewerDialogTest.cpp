#include "ui/ColourPreviewerDialog.h"

#include "PageHarness.h"
#include "WhenShown.h"
#include "imaging/ColourContrast.h"

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
    void legendStaysReadableInAnyColours_data();
    void legendStaysReadableInAnyColours();
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

void ColourPreviewerDialogTest::legendStaysReadableInAnyColours_data()
{
    // Settings colours: blue * 65536 + green * 256 + red.
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("text");
    QTest::addColumn<bool>("onThePage"); // the album title's label keeps the page's colour
    QTest::newRow("white on white") << 0xFFFFFF << 0xFFFFFF << false;
    QTest::newRow("white on navy") << 0x800000 << 0xFFFFFF << true;
    QTest::newRow("grey on white") << 0xFFFFFF << 0x777777 << false;
    QTest::newRow("yellow on black") << 0x000000 << 0x00FFFF << true;
}

void ColourPreviewerDialogTest::legendStaysReadableInAnyColours()
{
    QFETCH(int, page);
    QFETCH(int, text);
    QFETCH(bool, onThePage);
    test::PageHarness harness;
    harness.start();
    AlbumSettings& settings = harness.workspace->albumSettings();
    settings.WebBgColor = page;
    settings.AlbumTitleColor = settings.LinkColor = settings.LabelTextColor = text;
    const auto colourOf = [](int value) {
        const Colour colour = Colour::fromSettings(static_cast<std::uint32_t>(value));
        return QColor(colour.red, colour.green, colour.blue);
    };
    QStringList failures;
    whenShown<ColourPreviewerDialog>([&](ColourPreviewerDialog& dialog) {
        for (const char* name : {"albumTitleSample", "thumbnailSample", "linksSample"}) {
            const QLabel* label = test::control<QLabel>(dialog, name);
            const QColor fore = label->palette().color(QPalette::WindowText);
            const QColor back = label->palette().color(QPalette::Window);
            const double ratio = contrastRatio(Colour{std::uint8_t(fore.blue()), std::uint8_t(fore.green()),
                                                      std::uint8_t(fore.red())},
                Colour{std::uint8_t(back.blue()), std::uint8_t(back.green()), std::uint8_t(back.red())});
            if (fore != colourOf(text) || !label->autoFillBackground() || ratio < 4.5)
                failures.append(QString("%1: %2 on %3").arg(name, fore.name(), back.name()));
            if (QString(name) == "albumTitleSample" && (back == colourOf(page)) != onThePage)
                failures.append(QString("%1 on %2, the page %3").arg(name, back.name(), colourOf(page).name()));
        }
        dialog.reject();
    });
    harness.commands->openColourPreviewer();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("; ")));
}

} // namespace pictaven

QTEST_MAIN(pictaven::ColourPreviewerDialogTest)
#include "ColourPreviewerDialogTest.moc"
