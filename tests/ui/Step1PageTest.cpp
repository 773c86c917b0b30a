#include "ui/Step1Page.h"

#include "imaging/PreviewFit.h"
#include "session/StepNavigator.h"
#include "session/Workspace.h"
#include "support/ScriptedDialogs.h"
#include "ui/AlbumListWidget.h"
#include "ui/FileListWidget.h"
#include "ui/FolderTree.h"
#include "ui/HelpWindow.h"
#include "ui/PreviewPane.h"
#include "ui/RenameBox.h"
#include "ui/WindowCommands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>
#include <memory>

namespace pictaven {

using test::ScriptedDialogs;

class Step1PageTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fourColumnsOfNamedControls();
    void arrowButtonsAndKeysMovePhotos();
    void dropsReorderAndAdd();
    void renameThroughTheContextMenu();
    void deleteThroughTheContextMenu();
    void folderThatCannotBeRead();
    void treeChoosesTheFolder();
    void previewOfTheChosenFile();
    void photoGoneFromDiskShowsThePlaceholder();
    void helpButtonOpensItsTopic();
    void runningJobDisablesTheCommands();

private:
    QString photos(const QString& name = {}) const { return m_home->filePath("Photos/" + name); }
    [[nodiscard]] bool copyPhoto(const QString& name, const QString& as);
    void clickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QToolButton* button(const char* name) const { return m_page->findChild<QToolButton*>(name); }
    QStringList rows(const QListWidget& list) const;
    QStringList albumNames() const;
    void dropOnAlbum(const QByteArray& format, const QByteArray& data, int row);
    void openFileMenu(int row);

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<StepNavigator> m_navigator;
    std::unique_ptr<QWidget> m_window;
    HelpWindow* m_help = nullptr;
    Step1Page* m_page = nullptr;
};

void Step1PageTest::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    QVERIFY(QDir(m_home->path()).mkpath("Photos"));
    m_dialogs = std::make_unique<ScriptedDialogs>();
    m_workspace
        = std::make_unique<Workspace>(m_home->path().toStdString(), PICTAVEN_SOURCE_DATA_DIR, *m_dialogs);
    m_workspace->firstShow();
    QVERIFY(copyPhoto("opencv_board.jpg", "board.jpg"));
    QVERIFY(copyPhoto("opencv_left01_grey.jpg", "grey.jpg"));
    QFile notes(photos("notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();

    m_navigator = std::make_unique<StepNavigator>(*m_workspace);
    m_window = std::make_unique<QWidget>();
    m_help = new HelpWindow(m_workspace->helpFolder(), m_window.get());
    auto* commands = new WindowCommands(*m_workspace, *m_navigator, *m_help, *m_window);
    m_page = new Step1Page(*m_workspace, *m_navigator, *commands, m_window.get());
    auto* layout = new QHBoxLayout(m_window.get());
    layout->addWidget(m_page);
    m_window->resize(800, 500);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void Step1PageTest::cleanup()
{
    m_window.reset();
    m_navigator.reset();
    m_workspace.reset();
    m_home.reset();
}

// Callers wrap it in QVERIFY, so that a photo that could not be copied ends the test there.
bool Step1PageTest::copyPhoto(const QString& name, const QString& as)
{
    return QFile::copy(QString(TEST_DATA_DIR) + "/photos/" + name, photos(as))
        && QFile(photos(as)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

void Step1PageTest::clickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(
        list.viewport(), Qt::LeftButton, modifiers, list.visualItemRect(list.item(row)).center());
}

QStringList Step1PageTest::rows(const QListWidget& list) const
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts.append(list.item(row)->text());
    return texts;
}

QStringList Step1PageTest::albumNames() const
{
    QStringList names;
    for (const AlbumItem& item : m_workspace->catalog().photos)
        names.append(QString::fromStdString(item.displayName));
    return names;
}

void Step1PageTest::dropOnAlbum(const QByteArray& format, const QByteArray& data, int row)
{
    QListWidget& album = *m_page->albumList();
    const QPoint point = row >= 0 ? album.visualItemRect(album.item(row)).center()
                                  : QPoint(5, album.viewport()->height() - 2);
    QMimeData mime;
    mime.setData(format, data);
    QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(album.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(point), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(album.viewport(), &drop);
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
}

void Step1PageTest::openFileMenu(int row)
{
    QListWidget& files = *m_page->fileList();
    const QPoint point = files.visualItemRect(files.item(row)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, files.viewport()->mapToGlobal(point));
    QApplication::sendEvent(files.viewport(), &event);
    QTRY_VERIFY(m_page->fileMenu()->isVisible());
}

void Step1PageTest::fourColumnsOfNamedControls()
{
    const QList<QWidget*> columns { m_page->folderTree()->parentWidget(), m_page->fileList()->parentWidget(),
        m_page->previewPane()->parentWidget(), m_page->albumList()->parentWidget() };
    for (QWidget* column : columns) {
        QCOMPARE(column->parentWidget(), m_page);
        QVERIFY(qAbs(column->width() - columns.front()->width()) <= 1);
        QVERIFY(column->x() >= 0);
    }
    QVERIFY(columns[0]->x() < columns[1]->x() && columns[1]->x() < columns[2]->x()
        && columns[2]->x() < columns[3]->x());

    for (const QWidget* widget : m_page->findChildren<QWidget*>()) {
        if (widget->focusPolicy() & Qt::TabFocus)
            QVERIFY2(!widget->accessibleName().isEmpty(), widget->metaObject()->className());
    }
    QCOMPARE(
        button("addSelected")->accessibleName(), QString("Add Selected Files From Directory to Photo Album"));
    QCOMPARE(button("addSelected")->toolTip(), button("addSelected")->accessibleName());
    QCOMPARE(button("removeAll")->toolTip(), QString("Remove All Photos From Photo Album"));
    QCOMPARE(m_page->albumList()->palette().color(QPalette::Base), QColor(220, 220, 220));
    QCOMPARE(m_page->fileList()->palette().color(QPalette::Base), QColor(220, 220, 220));
    QCOMPARE(m_page->folderTree()->tree()->palette().color(QPalette::Base), QColor(220, 220, 220));

    // The drive box offers the home folder and "/", and the tree shows the step 1 folder.
    const QComboBox* drives = m_page->folderTree()->driveBox();
    QVERIFY(drives->findData(QDir::homePath()) >= 0);
    QVERIFY(drives->findData("/") >= 0);
    QCOMPARE(m_page->folderTree()->folder(), photos().chopped(1));

    QVERIFY(m_page->findChild<QRadioButton*>("sortByName")->isChecked());
    QVERIFY(!m_page->findChild<QCheckBox*>("newestFirst")->isEnabled());
    QVERIFY(m_page->findChild<QCheckBox*>("previewPhoto")->isChecked());
}

void Step1PageTest::arrowButtonsAndKeysMovePhotos()
{
    QListWidget& files = *m_page->fileList();
    QListWidget& album = *m_page->albumList();
    QCOMPARE(rows(files), (QStringList { "board.jpg", "grey.jpg" }));
    QVERIFY(!button("addSelected")->isEnabled());

    clickRow(files, 1);
    QVERIFY(button("addSelected")->isEnabled());
    QTest::mouseClick(button("addSelected"), Qt::LeftButton);
    QCOMPARE(rows(album), QStringList { "grey.jpg" });
    QCOMPARE(albumNames(), QStringList { "grey.jpg" });
    QVERIFY(m_workspace->guards().photosSelected);

    QTest::mouseClick(button("addAll"), Qt::LeftButton);
    QCOMPARE(rows(album), (QStringList { "grey.jpg", "board.jpg" }));

    clickRow(album, 0);
    QVERIFY(button("removeSelected")->isEnabled());
    QTest::mouseClick(button("removeSelected"), Qt::LeftButton);
    QCOMPARE(rows(album), QStringList { "board.jpg" });

    // Enter on the files adds the selected ones; Delete on the album list removes them.
    clickRow(files, 1);
    QTest::keyClick(&files, Qt::Key_Return);
    QCOMPARE(albumNames(), (QStringList { "board.jpg", "grey.jpg" }));
    clickRow(album, 0);
    QTest::keyClick(&album, Qt::Key_Delete);
    QCOMPARE(rows(album), QStringList { "grey.jpg" });

    m_dialogs->yesNoAnswers = { true };
    QTest::mouseClick(button("removeAll"), Qt::LeftButton);
    QVERIFY(rows(album).isEmpty());
    QVERIFY(!m_workspace->guards().photosSelected);
    QCOMPARE(m_dialogs->texts(ScriptedDialogs::Kind::Question),
        std::vector<std::string> {
            "If you have entered any catalog descriptions they will be lost - continue? " });

    // Sorting by date enables the order box, which then turns the order round.
    const auto touch = [this](const QString& name, int year) {
        QFile file(photos(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(
            file.setFileTime(QDateTime(QDate(year, 1, 1), QTime(12, 0)), QFileDevice::FileModificationTime));
    };
    // board.jpg says it was taken in 2002, which counts rather than its file's date.
    touch("board.jpg", 2000);
    touch("grey.jpg", 2001);
    QTest::mouseClick(button("addAll"), Qt::LeftButton);
    auto* byDate = m_page->findChild<QRadioButton*>("sortByDate");
    auto* newestFirst = m_page->findChild<QCheckBox*>("newestFirst");
    QTest::mouseClick(byDate, Qt::LeftButton);
    QVERIFY(newestFirst->isEnabled());
    QCOMPARE(rows(album), (QStringList { "grey.jpg", "board.jpg" }));
    QTest::mouseClick(newestFirst, Qt::LeftButton);
    QVERIFY(newestFirst->isChecked());
    QCOMPARE(rows(album), (QStringList { "board.jpg", "grey.jpg" }));
    QTest::mouseClick(newestFirst, Qt::LeftButton);
    QCOMPARE(rows(album), (QStringList { "grey.jpg", "board.jpg" }));
    QTest::mouseClick(m_page->findChild<QRadioButton*>("sortByName"), Qt::LeftButton);
    QVERIFY(!byDate->isChecked());
    QVERIFY(!newestFirst->isEnabled());
    QCOMPARE(rows(album), (QStringList { "board.jpg", "grey.jpg" }));
}

void Step1PageTest::dropsReorderAndAdd()
{
    QVERIFY(copyPhoto("mate_Dune.jpg", "dune.jpg"));
    m_page->presenter().refresh();
    QListWidget& album = *m_page->albumList();
    dropOnAlbum(FileListWidget::mimeType, "grey.jpg\ndune.jpg", -1);
    QCOMPARE(rows(album), (QStringList { "grey.jpg", "dune.jpg" }));
    dropOnAlbum(FileListWidget::mimeType, "board.jpg", 0);
    QCOMPARE(rows(album), (QStringList { "grey.jpg", "dune.jpg", "board.jpg" }));

    clickRow(album, 2);
    dropOnAlbum(AlbumListWidget::mimeType, {}, 0);
    QCOMPARE(rows(album), (QStringList { "board.jpg", "grey.jpg", "dune.jpg" }));
    QCOMPARE(albumNames(), rows(album));
    QVERIFY(album.item(0)->isSelected());
    QVERIFY(!album.item(2)->isSelected());

    // Dropped below the last row, nothing moves.
    clickRow(album, 1);
    dropOnAlbum(AlbumListWidget::mimeType, {}, -1);
    QCOMPARE(albumNames(), (QStringList { "board.jpg", "grey.jpg", "dune.jpg" }));
}

void Step1PageTest::renameThroughTheContextMenu()
{
    clickRow(*m_page->fileList(), 0);
    QTest::mouseClick(button("addSelected"), Qt::LeftButton);
    openFileMenu(0);
    const QList<QAction*> actions = m_page->fileMenu()->actions();
    QCOMPARE(actions.at(0)->text(), QString("Delete file  [board.jpg]  from disk"));
    QCOMPARE(actions.at(1)->text(), QString("Rename file  [board.jpg]"));
    m_page->fileMenu()->hide();
    actions.at(1)->trigger();

    RenameBox* box = m_page->renameBox();
    QVERIFY(box->isVisible());
    QCOMPARE(box->text(), QString("board.jpg"));
    QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::red));
    QCOMPARE(box->palette().color(QPalette::Text), QColor(Qt::white));

    // A name that is taken fails and leaves the box for another try.
    QTest::keyClicks(box, "grey.jpg");
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(box->isVisible());
    QVERIFY(QFile::exists(photos("board.jpg")));

    m_dialogs->yesNoAnswers = { false };
    box->selectAll();
    QTest::keyClicks(box, "my board.jpg");
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!box->isVisible());
    QVERIFY(QFile::exists(photos("my board.jpg")));
    QVERIFY(!QFile::exists(photos("board.jpg")));
    QCOMPARE(rows(*m_page->fileList()), (QStringList { "grey.jpg", "my board.jpg" }));
    QCOMPARE(rows(*m_page->albumList()), QStringList { "my board.jpg" });
    QCOMPARE(m_dialogs->texts(ScriptedDialogs::Kind::Question),
        std::vector<std::string> {
            "Spaces in the filename can make browsers behave erratically.\r\nAbort Rename?" });

    // Escape leaves the name as it is.
    openFileMenu(0);
    m_page->fileMenu()->hide();
    m_page->fileMenu()->actions().at(1)->trigger();
    QTest::keyClicks(box, "x");
    QTest::keyClick(box, Qt::Key_Escape);
    QVERIFY(!box->isVisible());
    QCOMPARE(rows(*m_page->fileList()), (QStringList { "grey.jpg", "my board.jpg" }));
}

void Step1PageTest::deleteThroughTheContextMenu()
{
    m_dialogs->yesNoAnswers = { true };
    openFileMenu(1);
    m_page->fileMenu()->hide();
    m_page->fileMenu()->actions().at(0)->trigger();
    QVERIFY(!QFile::exists(photos("grey.jpg")));
    QCOMPARE(rows(*m_page->fileList()), QStringList { "board.jpg" });
    QCOMPARE(m_dialogs->texts(ScriptedDialogs::Kind::Question),
        std::vector<std::string> { "Permanently delete file from disk?" });
}

void Step1PageTest::folderThatCannotBeRead()
{
    const QString missing = m_home->filePath("missing");
    m_page->presenter().setFolder(missing.toStdString());
    QVERIFY(rows(*m_page->fileList()).isEmpty());
    const QLabel* message = m_page->findChild<QLabel*>("folderMessage");
    QVERIFY(message->isVisible());
    QVERIFY(message->text().startsWith("The folder " + missing + " cannot be read: "));
    QCOMPARE(m_dialogs->texts(ScriptedDialogs::Kind::Error),
        std::vector<std::string> { message->text().toStdString() });
    QVERIFY(!button("addAll")->isEnabled());

    m_page->presenter().setFolder(photos().toStdString());
    QVERIFY(!message->isVisible());
    QCOMPARE(rows(*m_page->fileList()), (QStringList { "board.jpg", "grey.jpg" }));
}

void Step1PageTest::treeChoosesTheFolder()
{
    QVERIFY(QDir(photos()).mkpath("trip"));
    QVERIFY(copyPhoto("mate_Dune.jpg", "trip/dune.jpg"));
    QTreeView* tree = m_page->folderTree()->tree();
    const auto* model = tree->model();
    tree->expand(tree->currentIndex());
    QModelIndex trip;
    QTRY_VERIFY((trip = model->index(0, 0, tree->currentIndex())).isValid());
    QCOMPARE(trip.data().toString(), QString("trip"));
    tree->setCurrentIndex(trip);
    QCOMPARE(QString::fromStdString(m_workspace->step1Folder()), photos("trip"));
    QCOMPARE(rows(*m_page->fileList()), QStringList { "dune.jpg" });

    // Choosing the "/" entry of the drive box moves the tree there.
    QComboBox* drives = m_page->folderTree()->driveBox();
    drives->setCurrentIndex(drives->findData("/"));
    emit drives->activated(drives->currentIndex());
    QCOMPARE(m_workspace->step1Folder(), std::string("/"));
}

void Step1PageTest::previewOfTheChosenFile()
{
    PreviewPane* pane = m_page->previewPane();
    QVERIFY(!pane->sizeLabel()->isVisible());
    clickRow(*m_page->fileList(), 0);
    QTRY_COMPARE(pane->dimensionLabel()->text(), QString("640x480"));
    QVERIFY(pane->sizeLabel()->isVisible());
    QCOMPARE(
        pane->sizeLabel()->text(), QString::number(QFileInfo(photos("board.jpg")).size() / 1024) + " KB");
    QCOMPARE(pane->picture()->size(), QSize(128, 95));
    QCOMPARE(pane->picture()->pixmap().size(), QSize(128, 95));
    QVERIFY(pane->picture()->toolTip().startsWith(
        "Filename : " + photos("board.jpg") + "\nWidth : 640  Height : 480"));

    // The preview follows the focus when keys move it.
    QTest::keyClick(m_page->fileList(), Qt::Key_Down);
    QTRY_VERIFY(pane->picture()->toolTip().startsWith("Filename : " + photos("grey.jpg")));

    // A twelve-megapixel photo is read on a worker and shown once it is ready.
    QVERIFY(copyPhoto("digikam_body-background_iphone7.jpg", "large.jpg"));
    m_page->presenter().refresh();
    clickRow(*m_page->fileList(), 2);
    QTRY_COMPARE(pane->dimensionLabel()->text(), QString("4032x3024"));
    const PreviewFit fit = fitPreview(4032, 3024);
    QCOMPARE(pane->picture()->size(), QSize(fit.controlWidth, fit.controlHeight));
    QVERIFY(!pane->messageLabel()->isVisible());

    // With "Preview Photo" clear, another choice loads nothing.
    QTest::mouseClick(m_page->findChild<QCheckBox*>("previewPhoto"), Qt::LeftButton);
    clickRow(*m_page->fileList(), 1);
    QCOMPARE(QString::fromStdString(m_page->presenter().view().preview.path), photos("large.jpg"));
}

void Step1PageTest::photoGoneFromDiskShowsThePlaceholder()
{
    QTest::mouseClick(button("addAll"), Qt::LeftButton);
    QVERIFY(QFile::remove(photos("grey.jpg")));
    clickRow(*m_page->albumList(), 1);
    PreviewPane* pane = m_page->previewPane();
    QTRY_VERIFY(pane->messageLabel()->isVisible());
    QCOMPARE(pane->messageLabel()->text(), "The file " + photos("grey.jpg") + " no longer exists.");
    QVERIFY(!pane->picture()->pixmap().isNull());
    QCOMPARE(rows(*m_page->albumList()), (QStringList { "board.jpg", "grey.jpg" }));
    QVERIFY(m_dialogs->texts(ScriptedDialogs::Kind::Error).empty());
}

void Step1PageTest::helpButtonOpensItsTopic()
{
    QTest::mouseClick(m_page->findChild<QPushButton*>("helpButton"), Qt::LeftButton);
    QVERIFY(m_help->isVisible());
    QCOMPARE(m_help->browser()->source().fragment(), QString("Moving_Files"));
}

void Step1PageTest::runningJobDisablesTheCommands()
{
    clickRow(*m_page->fileList(), 0);
    QTest::mouseClick(button("addSelected"), Qt::LeftButton);
    clickRow(*m_page->albumList(), 0);
    m_workspace->setJobRunning(true);
    for (const char* name : { "addSelected", "addAll", "removeSelected", "removeAll" })
        QVERIFY2(!button(name)->isEnabled(), name);
    QVERIFY(!m_page->findChild<QRadioButton*>("sortByDate")->isEnabled());
    QVERIFY(!m_page->albumList()->acceptDrops());
    QTest::keyClick(m_page->albumList(), Qt::Key_Delete);
    QCOMPARE(albumNames(), QStringList { "board.jpg" });
    for (const QAction* action : m_page->fileMenu()->actions())
        QVERIFY(!action->isEnabled());

    m_workspace->setJobRunning(false);
    QVERIFY(button("addAll")->isEnabled());
    QVERIFY(m_page->albumList()->acceptDrops());
}

} // namespace pictaven

QTEST_MAIN(pictaven::Step1PageTest)
#include "Step1PageTest.moc"
