#include "ui/PreferencesDialog.h"

#include "PageHarness.h"
#include "session/CatalogCommands.h"
#include "session/PreferencesPresenter.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace pictaven
{

using test::ScriptedDialogs;

class PreferencesDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aBoxLosingTheFocusStoresItsValue();
    void dependentControlsFollowTheirSwitches();
    void aFontSizeThatIsNotANumberShowsTheError();
    void theLinksPageShowsOnlyWithACatalog();
    void okAndEscapeBothKeepTheChanges();
    void okOnUntouchedPreferencesLeavesTheCatalogByteForByte();
    void aFontThatIsNotInstalledIsNamed();
    void aColourChosenIsStoredRedInTheLowByte();
    void publishedMetadataIsChosenForTheCatalog();

private:
    template <typename T> T* child(const char* name) const { return test::control<T>(*m_dialog, name); }
    // Types into a box and moves the focus on.
    void enter(const char* name, const QString& text);

    std::unique_ptr<test::PageHarness> m_harness;
    std::unique_ptr<PreferencesPresenter> m_presenter;
    std::unique_ptr<PreferencesDialog> m_dialog;
};

void PreferencesDialogTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    m_harness->start();
    m_presenter = std::make_unique<PreferencesPresenter>(*m_harness->workspace);
    m_dialog = std::make_unique<PreferencesDialog>(*m_harness->workspace, *m_presenter);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    m_harness->dialogs.shown.clear();
}

void PreferencesDialogTest::cleanup()
{
    m_dialog.reset();
    m_presenter.reset();
    m_harness.reset();
}

void PreferencesDialogTest::enter(const char* name, const QString& text)
{
    auto* box = child<QLineEdit>(name);
    box->window()->activateWindow();
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    if (!text.isEmpty())
        QTest::keyClicks(box, text);
    box->clearFocus();
}

void PreferencesDialogTest::aBoxLosingTheFocusStoresItsValue()
{
    auto* perRow = child<QLineEdit>("ThumbnailsPerRow");
    QCOMPARE(perRow->accessibleName(), QStringLiteral("Thumbnails Per Row"));
    enter("ThumbnailsPerRow", "101");
    QCOMPARE(perRow->text(), QStringLiteral("2"));
    QCOMPARE(m_harness->workspace->albumSettings().ThumbnailsPerRow, 2);
    enter("ThumbWidth", "");
    QCOMPARE(child<QLineEdit>("ThumbWidth")->text(), QStringLiteral("80"));
    enter("ThumbWidth", "abc");
    QCOMPARE(m_harness->dialogs.texts(ScriptedDialogs::Kind::Error),
        std::vector<std::string> { "'abc' is not a valid integer value" });
    QCOMPARE(child<QLineEdit>("ThumbWidth")->text(), QStringLiteral("abc"));
    QCOMPARE(m_harness->workspace->albumSettings().ThumbWidth, 80);
}

void PreferencesDialogTest::dependentControlsFollowTheirSwitches()
{
    auto* label = child<QCheckBox>("Label");
    auto* height = child<QLineEdit>("LabelHeight");
    QVERIFY(height->isEnabled());
    QCOMPARE(label->accessibleName(), QStringLiteral("Display a label for the thumbnail"));
    QVERIFY(label->text().contains('&'));
    label->click();
    QVERIFY(!height->isEnabled());
    QCOMPARE(height->text(), QStringLiteral("0"));
    QCOMPARE(m_harness->workspace->albumSettings().LabelHeight, 0);

    auto* compression = child<QLineEdit>("CompressionRatio");
    QVERIFY(!compression->isEnabled());
    child<QCheckBox>("CompressJPEG")->click();
    QVERIFY(compression->isEnabled());
    QVERIFY(m_harness->workspace->generationFlags().rerenderPhotos);

    auto* resample = child<QCheckBox>("Resample");
    QVERIFY(!resample->isEnabled());
    QRadioButton* percentage = nullptr;
    const auto radios = m_dialog->findChildren<QRadioButton*>();
    for (QRadioButton* radio : radios) {
        if (radio->accessibleName() == "Resize photos by a percentage")
            percentage = radio;
    }
    QVERIFY(percentage);
    percentage->click();
    QVERIFY(resample->isEnabled());
    QVERIFY(child<QLineEdit>("ResizePercentage")->isEnabled());
    QVERIFY(!child<QLineEdit>("NewPhotoWidth")->isEnabled());

    auto* sets = child<QComboBox>("ButtonType");
    QCOMPARE(sets->count(), 11);
    sets->setFocus();
    QTest::keyClick(sets, Qt::Key_Down);
    QVERIFY(!child<QLineEdit>("PrefixIndex")->isEnabled());
    QCOMPARE(m_harness->workspace->albumSettings().ButtonType, 1);
}

void PreferencesDialogTest::publishedMetadataIsChosenForTheCatalog()
{
    auto* choice = child<QWidget>("PublishedMetadata");
    QCOMPARE(choice->accessibleName(), QStringLiteral("Metadata in published photos"));
    const auto radios = choice->findChildren<QRadioButton*>();
    QCOMPARE(radios.size(), 3);
    QVERIFY(radios.at(1)->isChecked());
    radios.at(0)->click();
    QCOMPARE(m_harness->workspace->catalog().publishedMetadata, MetadataChoice(PublishedMetadata::None));

    // An older catalog has chosen nothing, and the dialog shows nothing chosen.
    m_harness->workspace->catalog().publishedMetadata = std::nullopt;
    m_harness->workspace->changes().notify();
    for (QRadioButton* radio : radios)
        QVERIFY(!radio->isChecked());
}

void PreferencesDialogTest::aFontSizeThatIsNotANumberShowsTheError()
{
    enter("LabelFontSize", "big");
    const auto errors = m_harness->dialogs.texts(ScriptedDialogs::Kind::Error);
    QVERIFY(!errors.empty());
    QCOMPARE(errors.back(), std::string("'big' is not a valid integer value"));
    QCOMPARE(child<QLineEdit>("LabelFontSize")->text(), QStringLiteral("big"));
    enter("TitleFontSize", "x");
    QCOMPARE(child<QLineEdit>("TitleFontSize")->text(), QStringLiteral("14"));
}

void PreferencesDialogTest::theLinksPageShowsOnlyWithACatalog()
{
    QVERIFY(!m_dialog->pageShown("&Index Page Links"));
    QCOMPARE(child<QPushButton>("save")->text(), QStringLiteral("&Save To Album Template"));
    m_harness->workspace->catalog().name = "Trip.CAT";
    m_harness->workspace->changes().notify();
    QVERIFY(m_dialog->pageShown("&Index Page Links"));
    QCOMPARE(child<QPushButton>("save")->text(), QStringLiteral("&Save Catalog"));
}

void PreferencesDialogTest::okAndEscapeBothKeepTheChanges()
{
    for (const bool escape : { false, true }) {
        m_dialog->show();
        m_dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        m_harness->workspace->guards().albumGenerated = true;
        enter("SpacingRows", escape ? "21" : "22");
        if (escape)
            QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(child<QPushButton>("ok"), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QVERIFY(!m_harness->workspace->guards().albumGenerated);
        QCOMPARE(m_harness->workspace->albumSettings().SpacingRows, escape ? 21 : 22);
    }
}

void PreferencesDialogTest::okOnUntouchedPreferencesLeavesTheCatalogByteForByte()
{
    m_dialog.reset();
    Workspace& workspace = *m_harness->workspace;
    workspace.catalog().name = "Trip.CAT";
    workspace.catalog().folder = m_harness->home().toStdString();
    const auto saved = [&] {
        QFile file(m_harness->home("Trip.CAT"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // Families the machine may well lack, so that they must be kept as written.
    for (const char* family : { "Helvetica", "NoSuchFaceAnywhere, Arial" }) {
        workspace.albumSettings().FontFamily = family;
        QVERIFY(saveCatalog(workspace));
        const QByteArray before = saved();
        QVERIFY(before.contains(QByteArray("FontFamily=") + family + "\r\n"));

        // Opened as the window opens it, with a dialog made for the occasion.
        QString shown;
        QTimer::singleShot(0, this, [&shown] {
            auto* dialog = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = test::control<QComboBox>(*dialog, "FontFamily")->currentText();
            QTest::mouseClick(test::control<QPushButton>(*dialog, "ok"), Qt::LeftButton);
        });
        m_harness->commands->openPreferences();
        QCOMPARE(shown, QString(family));
        QCOMPARE(workspace.albumSettings().FontFamily, std::string(family));
        QVERIFY(saveCatalog(workspace));
        QCOMPARE(saved(), before);
    }
}

void PreferencesDialogTest::aFontThatIsNotInstalledIsNamed()
{
    m_dialog->hide();
    m_harness->workspace->albumSettings().FontFamily = "NoSuchFaceAnywhere";
    m_dialog->show();
    const auto warnings = m_harness->dialogs.texts(ScriptedDialogs::Kind::Warning);
    QCOMPARE(warnings.size(), std::size_t(1));
    QVERIFY(warnings[0].find("\"NoSuchFaceAnywhere\" is not installed") != std::string::npos);
    QCOMPARE(child<QComboBox>("FontFamily")->currentText(), QStringLiteral("NoSuchFaceAnywhere"));
}

void PreferencesDialogTest::aColourChosenIsStoredRedInTheLowByte()
{
    QTimer::singleShot(0, this, [] {
        auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(chooser);
        chooser->setCurrentColor(QColor(1, 2, 3));
        chooser->accept();
    });
    QTest::mouseClick(child<QPushButton>("WebBgColor"), Qt::LeftButton);
    QCOMPARE(m_harness->workspace->albumSettings().WebBgColor, 1 + 2 * 256 + 3 * 65536);
}

} // namespace pictaven

QTEST_MAIN(pictaven::PreferencesDialogTest)
#include "PreferencesDialogTest.moc"
