#include "ui/Step2Page.h"
#include "session/TemplateCommands.h"

#include "PageHarness.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

namespace pictaven {

using test::ScriptedDialogs;

class Step2PageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void shortNameTakesOnlyTheFilteredKeys();
    void choosingATemplateReadsItsSettings();
    void titleAndThemeReachTheCatalog();
    void videoLongSideIsTypedWhole();
    void catalogEditorIsRefusedWithoutPhotos();
    void restoreAndHelpButtons();
    void controlsAreDisabledWhileAJobRuns();
    void aPageBuiltBeforeTheFirstShowListsTheTemplates();

private:
    template <typename T> T* child(const char* name) const { return test::control<T>(*m_page, name); }

    std::unique_ptr<test::PageHarness> m_harness;
    Step2Page* m_page = nullptr;
};

void Step2PageTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    m_harness->put("ALBUMS/Board.bmp", "x");
    m_harness->put("ALBUMS/Board.CFG", "[Size]\r\nThumbWidth=123\r\n");
    m_harness->put("ALBUMS/DEFAULT.CFG", "[Size]\r\nThumbWidth=99\r\n");
    m_harness->put("ALBUMS/DEFAULT.DEF", "[Size]\r\nThumbWidth=77\r\n");
    m_harness->start();
    m_page = new Step2Page(*m_harness->workspace, *m_harness->navigator, *m_harness->commands, &m_harness->host);
    m_harness->host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_harness->host));
}

void Step2PageTest::cleanup()
{
    m_harness.reset();
}

void Step2PageTest::shortNameTakesOnlyTheFilteredKeys()
{
    auto* box = child<QLineEdit>("shortName");
    QCOMPARE(box->text(), QStringLiteral("myalbum"));
    QCOMPARE(box->accessibleName(), QStringLiteral("Short Album Name"));
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "My Album!");
    QCOMPARE(box->text(), QStringLiteral("ylbum"));
    QCOMPARE(m_harness->workspace->albumSettings().AlbumShortName, std::string("ylbum"));

    QApplication::clipboard()->setText("PASTED");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, "0123456789abcdef");
    QCOMPARE(box->text(), QStringLiteral("ylbu0123456789"));
    QCOMPARE(m_harness->workspace->albumSettings().AlbumShortName, std::string("ylbu0123456789"));
}

void Step2PageTest::choosingATemplateReadsItsSettings()
{
    auto* box = child<QComboBox>("templateBox");
    QVERIFY(!box->isEditable());
    QCOMPARE(box->accessibleName(), QStringLiteral("Photo Album"));
    QCOMPARE(box->count(), static_cast<int>(m_harness->workspace->templateList().size()));
    QCOMPARE(box->itemText(0), QStringLiteral("<Basic Photo Album>"));
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(m_harness->workspace->albumSettings().ThumbWidth, 99);

    box->setFocus();
    QTest::keyClick(box, Qt::Key_B);
    QCOMPARE(box->currentText(), QStringLiteral("Board"));
    QCOMPARE(m_harness->workspace->catalog().templateName, std::string("Board"));
    QCOMPARE(m_harness->workspace->albumSettings().ThumbWidth, 123);
    QVERIFY(m_harness->workspace->catalog().modified);

    // A template chosen elsewhere (a catalog opening) shows once every page is told.
    changeTemplate(*m_harness->workspace, 0);
    m_harness->workspace->changes().notify();
    QCOMPARE(box->currentIndex(), 0);
}

void Step2PageTest::titleAndThemeReachTheCatalog()
{
    auto* title = child<QLineEdit>("albumTitle");
    title->setFocus();
    title->clear();
    QTest::keyClicks(title, "Our Trip!");
    QCOMPARE(m_harness->workspace->catalog().albumTitle, std::string("Our Trip!"));

    auto* themes = child<QComboBox>("themeBox");
    QCOMPARE(themes->count(), 12);
    QCOMPARE(themes->itemText(11), QStringLiteral("Light Gray Theme"));
    themes->setFocus();
    QTest::keyClick(themes, Qt::Key_Down);
    QCOMPARE(m_harness->workspace->albumSettings().StyleTheme, themes->currentIndex());
    QCOMPARE(themes->currentText(), QStringLiteral("Red Theme"));
}

void Step2PageTest::videoLongSideIsTypedWhole()
{
    auto* box = child<QSpinBox>("videoLongSide");
    QCOMPARE(box->accessibleName(), QStringLiteral("Video Long Side"));
    QCOMPARE(box->value(), 1920);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "1280");
    // Not at every digit: "1" would be a size of its own.
    QCOMPARE(m_harness->workspace->albumSettings().VideoLongSide, 1920);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(m_harness->workspace->albumSettings().VideoLongSide, 1280);
    QVERIFY(m_harness->workspace->catalog().modified);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(m_harness->workspace->albumSettings().VideoLongSide, 1296);
}

void Step2PageTest::catalogEditorIsRefusedWithoutPhotos()
{
    auto* button = child<QPushButton>("catalogEditor");
    QCOMPARE(button->accessibleName(), QStringLiteral("Catalog Editor"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_harness->dialogs.texts(ScriptedDialogs::Kind::Information),
             std::vector<std::string>{"You must first select photos for the photo album from Step 1."});
}

void Step2PageTest::restoreAndHelpButtons()
{
    QTest::mouseClick(child<QPushButton>("restoreTemplate"), Qt::LeftButton);
    QCOMPARE(m_harness->workspace->albumSettings().ThumbWidth, 77);

    QTest::mouseClick(child<QPushButton>("help"), Qt::LeftButton);
    QVERIFY(m_harness->helpWindow->isVisible());
    QCOMPARE(m_harness->helpWindow->browser()->source().fragment(), QStringLiteral("Selecting_A_Photo_Album_Template"));
}

void Step2PageTest::controlsAreDisabledWhileAJobRuns()
{
    m_harness->workspace->setJobRunning(true);
    for (const char* name : {"templateBox", "albumTitle", "shortName", "themeBox"})
        QVERIFY2(!child<QWidget>(name)->isEnabled(), name);
    QVERIFY(!child<QPushButton>("restoreTemplate")->isEnabled());
    QVERIFY(child<QPushButton>("help")->isEnabled());
    m_harness->workspace->setJobRunning(false);
    QVERIFY(child<QComboBox>("templateBox")->isEnabled());
}

void Step2PageTest::aPageBuiltBeforeTheFirstShowListsTheTemplates()
{
    test::PageHarness harness;
    harness.put("ALBUMS/Board.bmp", "x");
    harness.workspace = std::make_unique<Workspace>(harness.home().toStdString(), "", harness.dialogs);
    StepNavigator navigator(*harness.workspace);
    HelpWindow help(harness.workspace->helpFolder());
    WindowCommands commands(*harness.workspace, navigator, help, harness.host);
    auto* page = new Step2Page(*harness.workspace, navigator, commands, &harness.host);
    harness.workspace->firstShow();
    harness.host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&harness.host));
    QCOMPARE(test::control<QComboBox>(*page, "templateBox")->count(), 2);
}

} // namespace pictaven

QTEST_MAIN(pictaven::Step2PageTest)
#include "Step2PageTest.moc"
