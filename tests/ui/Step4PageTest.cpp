#include "StepWindow.h"

#include "session/Step4Presenter.h"
#include "ui/HelpWindow.h"
#include "ui/Step4Page.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QTextBrowser>
#include <QPushButton>
#include <QToolButton>

namespace pictaven {

using test::ScriptedDialogs;

// Records the addresses the page asks the desktop to open, instead of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class Step4PageTest : public QObject {
    Q_OBJECT

private slots:
    void smartRenderRulesTheDeleteFolderBox();
    void generateShowsItsPictureOrItsCaption_data();
    void generateShowsItsPictureOrItsCaption();
    void generateRunsOnceAndShowsTheEnd();
    void viewPhotoAlbumOpensTheEntryPage();
    void helpOpensItsTopic();

private:
    static Step4Page* page(const test::StepWindow& window)
    {
        return qobject_cast<Step4Page*>(window.window->stepPage(4));
    }
};

void Step4PageTest::smartRenderRulesTheDeleteFolderBox()
{
    test::StepWindow window;
    window.start();
    Step4Page* step4 = page(window);
    QCheckBox* smart = step4->optionBox(GenerateOption::SmartRender);
    QCheckBox* deleteFolder = step4->optionBox(GenerateOption::DeleteFolder);
    QCOMPARE(smart->accessibleName(), QStringLiteral("Smart Render (If disabled then render one time only)"));
    QCOMPARE(deleteFolder->text(), QStringLiteral("Delete output folder prior to album generation"));
    QVERIFY(smart->isChecked() && deleteFolder->isChecked() && deleteFolder->isEnabled());

    QTest::mouseClick(smart, Qt::LeftButton);
    QVERIFY(!smart->isChecked());
    QVERIFY(!deleteFolder->isChecked());
    QVERIFY(!deleteFolder->isEnabled());
    QVERIFY(!window.workspace->albumSettings().DeleteFolder);

    QTest::mouseClick(smart, Qt::LeftButton);
    QVERIFY(smart->isChecked() && deleteFolder->isEnabled() && !deleteFolder->isChecked());
    QTest::mouseClick(deleteFolder, Qt::LeftButton);
    QVERIFY(window.workspace->albumSettings().DeleteFolder);

    QTest::mouseClick(step4->optionBox(GenerateOption::LowercaseFiles), Qt::LeftButton);
    QVERIFY(window.workspace->albumSettings().LowercaseFiles);
}

void Step4PageTest::generateShowsItsPictureOrItsCaption_data()
{
    QTest::addColumn<bool>("pictures");
    QTest::newRow("pictures") << true;
    QTest::newRow("no pictures") << false;
}

void Step4PageTest::generateShowsItsPictureOrItsCaption()
{
    QFETCH(bool, pictures);
    test::StepWindow window;
    window.start([&] {
        QVERIFY(QDir().mkpath(QString::fromStdString(window.workspace->programFolder() + "resource")));
        for (const char* name : {"resource/generate.res", "resource/generate2.res"}) {
            const QString file = QString::fromStdString(window.workspace->programFolder() + name);
            QFile::remove(file);
            QImage picture(64, 64, QImage::Format_RGB888);
            picture.fill(Qt::blue);
            QVERIFY(!pictures || picture.save(file, "BMP"));
        }
    });
    QToolButton* generate = test::childNamed<QToolButton>(page(window), QStringLiteral("Generate"));
    QVERIFY(generate);
    QCOMPARE(generate->icon().isNull(), !pictures);
    QCOMPARE(generate->toolButtonStyle(), pictures ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextOnly);
    QVERIFY(generate->font().bold());
    QCOMPARE(generate->text(), QStringLiteral("&Generate"));
}

void Step4PageTest::generateRunsOnceAndShowsTheEnd()
{
    test::StepWindow window;
    window.start();
    window.addPhotos(3);
    Step4Page* step4 = page(window);
    QVERIFY(window.window->navigator().selectStep(4, StepClick::Panel));
    auto* status = test::childNamed<QLabel>(step4, QStringLiteral("Status"));
    QCOMPARE(status->text(), QStringLiteral("Generating Photo Album"));
    QCOMPARE(test::childNamed<QLabel>(step4, QStringLiteral("Percentage"))->text(), QStringLiteral("0 %"));
    auto* cancel = test::childNamed<QPushButton>(step4, QStringLiteral("Cancel"));
    QVERIFY(!cancel->isEnabled());

    QTest::mouseClick(step4->generateButton(), Qt::LeftButton);
    // Until the worker's end comes back, the page shows a running job.
    QVERIFY(window.workspace->jobRunning());
    QVERIFY(!step4->optionBox(GenerateOption::CDROM)->isEnabled());
    QVERIFY(!step4->generateButton()->isEnabled());
    QVERIFY(cancel->isEnabled());
    QTest::mouseClick(step4->generateButton(), Qt::LeftButton);

    QTRY_VERIFY_WITH_TIMEOUT(!window.workspace->jobRunning(), 120000);
    QCOMPARE(step4->presenter().lastOutcome(), std::optional(GenerationOutcome::Finished));
    QCOMPARE(status->text(), QStringLiteral("Finished generating photo album!"));
    QCOMPARE(test::childNamed<QLabel>(step4, QStringLiteral("Percentage"))->text(), QStringLiteral("100 %"));
    auto* progress = test::childNamed<QProgressBar>(step4, QStringLiteral("Progress"));
    QCOMPARE(progress->value(), progress->maximum());
    QVERIFY(step4->optionBox(GenerateOption::CDROM)->isEnabled());
    QVERIFY(step4->generateButton()->isEnabled());
    QVERIFY(!cancel->isEnabled());
    QCOMPARE(test::childNamed<QPushButton>(step4, QStringLiteral("View Photo Album"))->toolTip(),
             QString::fromStdString("Photo Album URL : " + window.path("album/myalbum.htm")));
    QCOMPARE(window.dialogs.shown.size(), std::size_t{0});
    QVERIFY(window.workspace->guards().albumGenerated);
}

void Step4PageTest::viewPhotoAlbumOpensTheEntryPage()
{
    test::StepWindow window;
    window.start();
    window.addPhotos(1);
    Step4Page* step4 = page(window);
    auto* view = test::childNamed<QPushButton>(step4, QStringLiteral("View Photo Album"));
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    QTest::mouseClick(view, Qt::LeftButton);
    QCOMPARE(window.dialogs.texts(ScriptedDialogs::Kind::Information),
             std::vector<std::string>{"You must first generate the photo album"});

    QTest::mouseClick(step4->generateButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.workspace->jobRunning(), 120000);
    QTest::mouseClick(view, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(recorder.opened,
             QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(window.path("album/myalbum.htm")))});
    QCOMPARE(window.dialogs.texts(ScriptedDialogs::Kind::Information).size(), std::size_t{1});
}

void Step4PageTest::helpOpensItsTopic()
{
    test::StepWindow window;
    window.start();
    QTest::mouseClick(test::childNamed<QPushButton>(page(window), QStringLiteral("Help")), Qt::LeftButton);
    QVERIFY(window.window->helpWindow()->isVisible());
    QCOMPARE(window.window->helpWindow()->browser()->source().fragment(), QStringLiteral("Generate_Photo_Album"));
}

} // namespace pictaven

QTEST_MAIN(pictaven::Step4PageTest)
#include "Step4PageTest.moc"
