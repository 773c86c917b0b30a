#include "ui/Step3Page.h"

#include "PageHarness.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <QVBoxLayout>

namespace pictaven
{

using test::ScriptedDialogs;

class Step3PageTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void createDirectoryAsksThenMovesTheTree();
    void clickingAFolderMakesItTheOutputFolder();
    void theTreeMovingByItselfLeavesTheOutputFolder();
    void enteringShowsTheOutputFolder();
    void volumeBoxMovesTheTreeToItsTopFolder();
    void texturesAreTakenWhenTheBoxLosesTheFocus();
    void leavingThePageRechecksTheGuards();
    void helpButtonOpensItsTopic();

private:
    template <typename T> T* child(const char* name) const { return test::control<T>(*m_page, name); }
    QString treeFolder() const
    {
        const auto* tree = child<QTreeView>("folderTree");
        return static_cast<QFileSystemModel*>(tree->model())->filePath(tree->currentIndex());
    }
    void addPhoto(const QString& path) const
    {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath = path.toStdString();
        m_harness->workspace->catalog().photos.push_back(
            { QFileInfo(path).fileName().toStdString(), storage });
        m_harness->workspace->guards().photosSelected = true;
    }

    std::unique_ptr<test::PageHarness> m_harness;
    Step3Page* m_page = nullptr;
    QLineEdit* m_outside = nullptr;
};

void Step3PageTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    for (const char* folder : { "Out/Album", "Out/Other", "Pics" })
        QVERIFY(QDir().mkpath(m_harness->home(folder)));
    m_harness->start();
    auto* layout = new QVBoxLayout(&m_harness->host);
    m_page
        = new Step3Page(*m_harness->workspace, *m_harness->navigator, *m_harness->commands, &m_harness->host);
    m_outside = new QLineEdit(&m_harness->host);
    layout->addWidget(m_page);
    layout->addWidget(m_outside);
    m_harness->host.resize(700, 600);
    m_harness->host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_harness->host));
}

void Step3PageTest::cleanup()
{
    m_harness.reset();
}

void Step3PageTest::createDirectoryAsksThenMovesTheTree()
{
    const QString wanted = m_harness->home("Out/New/Album");
    const std::string start = m_harness->workspace->outputFolders().treeFolder;
    m_harness->dialogs.chooserAnswers = { wanted.toStdString() };
    m_harness->dialogs.yesNoAnswers = { true };
    auto* button = child<QPushButton>("createDirectory");
    QCOMPARE(button->accessibleName(), QStringLiteral("Create Directory"));
    QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(m_harness->dialogs.shown.at(0).kind, ScriptedDialogs::Kind::Folder);
    QCOMPARE(m_harness->dialogs.shown.at(0).folder, start);
    QCOMPARE(m_harness->dialogs.texts(ScriptedDialogs::Kind::Question),
        std::vector<std::string> { "The specified directory does not exist. Create it?" });
    QVERIFY(QFileInfo(wanted).isDir());
    QCOMPARE(treeFolder(), wanted);
    QCOMPARE(child<QLabel>("destinationLine")->text(), "[" + wanted + "]");
    QCOMPARE(m_harness->workspace->outputFolder(), wanted.toStdString() + "/");
    QVERIFY(m_harness->workspace->guards().outputFolderValid);
}

void Step3PageTest::clickingAFolderMakesItTheOutputFolder()
{
    addPhoto(m_harness->home("Pics/a.jpg"));
    m_harness->dialogs.chooserAnswers = { m_harness->home("Out/Album").toStdString() };
    QTest::mouseClick(child<QPushButton>("createDirectory"), Qt::LeftButton);
    QCOMPARE(treeFolder(), m_harness->home("Out/Album"));

    auto* tree = child<QTreeView>("folderTree");
    const auto* model = static_cast<QFileSystemModel*>(tree->model());
    for (const char* folder : { "Out/Other", "Pics" }) {
        const QModelIndex index = model->index(m_harness->home(folder));
        QVERIFY(index.isValid());
        tree->expand(index.parent());
        tree->scrollTo(index);
        QTRY_VERIFY(!tree->visualRect(index).isEmpty());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
        QCOMPARE(treeFolder(), m_harness->home(folder));
        QCOMPARE(m_harness->workspace->outputFolder(), m_harness->home(folder).toStdString() + "/");
        const bool photoFolder = QString(folder) == "Pics";
        QCOMPARE(m_harness->workspace->guards().outputIsPhotoFolder, photoFolder);
        QCOMPARE(m_harness->workspace->guards().outputFolderValid, !photoFolder);
    }
}

void Step3PageTest::theTreeMovingByItselfLeavesTheOutputFolder()
{
    const QString gone = m_harness->home("Out/Gone");
    QVERIFY(QDir().mkpath(gone));
    QVERIFY(QDir().mkpath(m_harness->home("Out/Stay")));
    m_harness->workspace->outputFolders().treeFolder = gone.toStdString();
    m_harness->workspace->outputFolders().outputFolder = gone.toStdString() + "/";
    m_harness->workspace->changes().notify();
    QTRY_COMPARE(treeFolder(), gone);
    // The model drops the row of a folder that goes, and the tree's current row moves on.
    QVERIFY(QDir(gone).removeRecursively());
    QTRY_VERIFY_WITH_TIMEOUT(treeFolder() != gone, 10000);
    QCOMPARE(m_harness->workspace->outputFolder(), gone.toStdString() + "/");
}

void Step3PageTest::enteringShowsTheOutputFolder()
{
    addPhoto(m_harness->home("Pics/a.jpg"));
    const QString output = m_harness->home("Out/Other");
    QApplication::setActiveWindow(&m_harness->host);
    QVERIFY(QTest::qWaitForWindowActive(&m_harness->host));
    // The page stack hides the page while another step is shown.
    m_page->hide();
    m_harness->workspace->outputFolders().outputFolder = output.toStdString();
    QVERIFY(m_harness->navigator->selectStep(3, StepClick::Panel));
    m_page->show();
    QCOMPARE(treeFolder(), output);
    QVERIFY(child<QTreeView>("folderTree")->hasFocus());
    QCOMPARE(child<QLabel>("destinationLine")->text(), "[" + output + "]");
    QCOMPARE(m_harness->workspace->outputFolder(), output.toStdString() + "/");
    // The volume box follows the tree.
    const auto* volumes = child<QComboBox>("volumeBox");
    QVERIFY(output.startsWith(volumes->currentData().toString()));
}

void Step3PageTest::volumeBoxMovesTheTreeToItsTopFolder()
{
    auto* volumes = child<QComboBox>("volumeBox");
    QCOMPARE(volumes->accessibleName(), QStringLiteral("Volume"));
    QCOMPARE(volumes->itemData(0).toString(), QDir::homePath());
    QVERIFY(volumes->currentIndex() != 0);
    volumes->setFocus();
    QTest::keyClick(volumes, Qt::Key_Home);
    QCOMPARE(treeFolder(), QDir::homePath());
    QCOMPARE(m_harness->workspace->outputFolder(), QDir::homePath().toStdString() + "/");
    QCOMPARE(child<QLabel>("destinationLine")->text(), "[" + QDir::homePath() + "]");
}

void Step3PageTest::texturesAreTakenWhenTheBoxLosesTheFocus()
{
    QApplication::setActiveWindow(&m_harness->host);
    QVERIFY(QTest::qWaitForWindowActive(&m_harness->host));
    auto* photoBox = child<QLineEdit>("photoPageTexture");
    QCOMPARE(photoBox->accessibleName(), QStringLiteral("Texture (Photo Page)"));
    photoBox->setFocus();
    QTest::keyClicks(photoBox, "/textures/sand.jpg");
    QCOMPARE(m_harness->workspace->catalog().photoPageTexture, std::string());
    m_harness->workspace->guards().outputIsPhotoFolder = false;
    QTest::keyClick(photoBox, Qt::Key_Tab);
    QVERIFY(!photoBox->hasFocus());
    QCOMPARE(m_harness->workspace->catalog().photoPageTexture, std::string("/textures/sand.jpg"));
    QVERIFY(m_harness->workspace->catalog().modified);
    QVERIFY(m_harness->workspace->guards().outputFolderValid);

    const std::string chosen = m_harness->home("backgrnd/stone.jpg").toStdString();
    m_harness->dialogs.chooserAnswers = { chosen };
    QTest::mouseClick(child<QPushButton>("browseIndexPageTexture"), Qt::LeftButton);
    QCOMPARE(m_harness->dialogs.shown.at(0).text, std::string("Texture (Index Page)"));
    QCOMPARE(m_harness->dialogs.shown.at(0).folder, m_harness->home("backgrnd").toStdString());
    QCOMPARE(child<QLineEdit>("indexPageTexture")->text().toStdString(), chosen);
    QCOMPARE(m_harness->workspace->catalog().indexPageTexture, chosen);
}

void Step3PageTest::leavingThePageRechecksTheGuards()
{
    QApplication::setActiveWindow(&m_harness->host);
    QVERIFY(QTest::qWaitForWindowActive(&m_harness->host));
    StepGuards& guards = m_harness->workspace->guards();
    child<QTreeView>("folderTree")->setFocus();
    guards.photosSelected = true;
    guards.outputFolderValid = false;
    child<QLineEdit>("photoPageTexture")->setFocus();
    QVERIFY2(guards.photosSelected, "the focus moving inside the page is no leaving");
    m_outside->setFocus();
    QVERIFY(!guards.photosSelected);
    QVERIFY(guards.outputFolderValid);
}

void Step3PageTest::helpButtonOpensItsTopic()
{
    QTest::mouseClick(child<QPushButton>("help"), Qt::LeftButton);
    QVERIFY(m_harness->helpWindow->isVisible());
    QCOMPARE(m_harness->helpWindow->browser()->source().fragment(), QStringLiteral("Output_Folder"));
}

} // namespace pictaven

QTEST_MAIN(pictaven::Step3PageTest)
#include "Step3PageTest.moc"
