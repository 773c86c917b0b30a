#include "decoders/BmpWriter.h"
#include "session/CatalogEditorPresenter.h"
#include "ui/CatalogEditorDialog.h"
#include "ui/ThumbnailStrip.h"
#include "ui/ThumbnailStripModel.h"

#include "PageHarness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

namespace pictaven {

using test::ScriptedDialogs;

class CatalogEditorDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aCaptionGoesIntoItsPhotoWhenTheFieldIsLeft();
    void tagButtonInsertsAtTheCaretAndOkStoresTheDescription();
    void removeIsRefusedWhileOnePhotoIsLeft();
    void removeTakesTheCurrentPhotoOutOfTheStrip();
    void draggingAThumbnailMovesThePhoto();
    void aPhotoGoneFromDiskShowsTheErrorPictureOrAPlaceholder();
    void anUnwritableCacheIsSaidOnce();
    void theMenuCommandIsRefusedWithoutPhotos();
    void aThousandPhotosMakeOnlyThePicturesInView();
    void helpClosesTheDialog();
    void everyControlHasAnAccessibleName();

private:
    // `count` photos of different sizes in the program folder's photos folder.
    void addPhotos(int count);
    void open();
    template <typename T> T* child(const char* name) const { return test::control<T>(*m_dialog, name); }
    QPoint cellCentre(int row) const;
    void pressCell(int row);
    std::vector<std::string> order() const;
    FileStorage& storage(std::size_t position) const
    {
        return m_harness->workspace->catalog().photos.at(position).storage;
    }

    std::unique_ptr<test::PageHarness> m_harness;
    std::unique_ptr<CatalogEditorPresenter> m_presenter;
    std::unique_ptr<CatalogEditorDialog> m_dialog;
};

void CatalogEditorDialogTest::init()
{
    m_harness = std::make_unique<test::PageHarness>();
    m_harness->start();
}

void CatalogEditorDialogTest::cleanup()
{
    m_dialog.reset();
    m_presenter.reset();
    m_harness.reset();
}

void CatalogEditorDialogTest::addPhotos(int count)
{
    QDir().mkpath(m_harness->home("photos"));
    for (int i = 0; i < count; ++i) {
        const std::string name = "p" + std::to_string(i) + ".bmp";
        AlbumItem item;
        item.displayName = name;
        item.storage.SourcePath = item.storage.WorkingPath = m_harness->home("photos/").toStdString() + name;
        writeBmp(Bitmap(40 + 10 * i, 30), item.storage.WorkingPath);
        m_harness->workspace->catalog().photos.push_back(item);
    }
    m_harness->workspace->catalog().modified = false;
}

void CatalogEditorDialogTest::open()
{
    m_presenter = std::make_unique<CatalogEditorPresenter>(*m_harness->workspace);
    m_dialog = std::make_unique<CatalogEditorDialog>(*m_presenter, nullptr);
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

QPoint CatalogEditorDialogTest::cellCentre(int row) const
{
    auto* strip = child<ThumbnailStrip>("strip");
    return strip->visualRect(strip->model()->index(row, 0)).center();
}

void CatalogEditorDialogTest::pressCell(int row)
{
    QTest::mouseClick(child<ThumbnailStrip>("strip")->viewport(), Qt::LeftButton, {}, cellCentre(row));
}

std::vector<std::string> CatalogEditorDialogTest::order() const
{
    std::vector<std::string> names;
    for (const AlbumItem& item : m_harness->workspace->catalog().photos)
        names.push_back(item.displayName);
    return names;
}

void CatalogEditorDialogTest::aCaptionGoesIntoItsPhotoWhenTheFieldIsLeft()
{
    addPhotos(3);
    storage(2).Caption = "Old";
    open();
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Photo Album Editor"));
    QCOMPARE(child<QLabel>("fileName")->text(), QString::fromStdString(storage(0).WorkingPath));
    QVERIFY(!m_harness->workspace->catalog().modified);

    auto* label = child<QLineEdit>("label");
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::keyClicks(label, "Beach");
    QVERIFY(m_harness->workspace->catalog().modified);
    QCOMPARE(storage(0).Caption, std::string()); // not before the field is left
    m_harness->workspace->catalog().modified = false;

    auto* title = child<QLineEdit>("webTitle");
    QTest::keyClick(label, Qt::Key_Tab);
    QVERIFY(title->hasFocus());
    QCOMPARE(storage(0).Caption, std::string("Beach"));
    QTest::keyClicks(title, "At the sea");

    pressCell(2);
    QCOMPARE(storage(0).WebTitle, std::string("At the sea"));
    QCOMPARE(storage(2).Caption, std::string("Old"));
    QCOMPARE(label->text(), QStringLiteral("Old"));
    QCOMPARE(title->text(), QString());
    QVERIFY(label->hasFocus());
    QCOMPARE(child<QLabel>("fileName")->text(), QString::fromStdString(storage(2).WorkingPath));
    QVERIFY(m_harness->workspace->catalog().modified);

    auto* rotation = child<QComboBox>("rotation");
    rotation->setFocus();
    QTest::keyClick(rotation, Qt::Key_Down);
    QCOMPARE(storage(2).Rotation, 1);
    QCOMPARE(m_dialog->stripModel().index(2).data(ThumbnailStripModel::BottomTextRole).toString(),
             QStringLiteral(" Rotate Left"));
    QVERIFY(m_harness->workspace->generationFlags().rerenderPhotos);
}

void CatalogEditorDialogTest::tagButtonInsertsAtTheCaretAndOkStoresTheDescription()
{
    addPhotos(1);
    open();
    auto* description = child<QPlainTextEdit>("description");
    QTest::mouseClick(description->viewport(), Qt::LeftButton);
    QTest::keyClicks(description, "first");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "Hello world");
    QTextCursor cursor = description->textCursor();
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 5);
    description->setTextCursor(cursor);
    QTest::mouseClick(child<QPushButton>("tag1"), Qt::LeftButton);
    QCOMPARE(description->toPlainText(), QStringLiteral("first\nHello<P> world"));
    QTest::keyClicks(description, "!");
    QCOMPARE(description->toPlainText(), QStringLiteral("first\nHello<P>! world"));

    QTest::mouseClick(child<QPushButton>("ok"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(storage(0).Description, (std::vector<std::string>{"first", "Hello<P>! world"}));
}

void CatalogEditorDialogTest::removeIsRefusedWhileOnePhotoIsLeft()
{
    addPhotos(1);
    open();
    QTest::mouseClick(child<QPushButton>("removePhoto"), Qt::LeftButton);
    QTest::keyClick(child<ThumbnailStrip>("strip"), Qt::Key_Delete);
    QCOMPARE(order(), std::vector<std::string>{"p0.bmp"});
    QCOMPARE(m_dialog->stripModel().rowCount(), 1);
    QVERIFY(m_harness->workspace->catalog().modified);
    QVERIFY(m_harness->dialogs.shown.empty());
}

void CatalogEditorDialogTest::removeTakesTheCurrentPhotoOutOfTheStrip()
{
    addPhotos(3);
    storage(2).Caption = "last";
    open();
    m_dialog->stripModel().waitForPictures();
    pressCell(1);
    QTest::mouseClick(child<QPushButton>("removePhoto"), Qt::LeftButton);
    QCOMPARE(order(), (std::vector<std::string>{"p0.bmp", "p2.bmp"}));
    QCOMPARE(m_dialog->stripModel().rowCount(), 2);
    QCOMPARE(child<QLineEdit>("label")->text(), QStringLiteral("last"));
    QCOMPARE(m_dialog->stripModel().index(1).data(ThumbnailStripModel::TopTextRole).toString(),
             QStringLiteral("  p2.bmp "));
    QVERIFY(m_dialog->stripModel().hasPicture(1));
    const std::string cache = m_harness->workspace->photoList().thumbnails().path(2);
    QVERIFY(!std::filesystem::exists(cache));
}

void CatalogEditorDialogTest::draggingAThumbnailMovesThePhoto()
{
    addPhotos(4);
    open();
    m_dialog->stripModel().waitForPictures();
    QWidget* viewport = child<ThumbnailStrip>("strip")->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(0));
    QTest::mouseMove(viewport, cellCentre(1));
    QTest::mouseMove(viewport, cellCentre(2));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(2));
    QCOMPARE(order(), (std::vector<std::string>{"p1.bmp", "p2.bmp", "p0.bmp", "p3.bmp"}));
    QCOMPARE(m_dialog->stripModel().index(2).data(ThumbnailStripModel::TopTextRole).toString(),
             QStringLiteral("  p0.bmp "));
    QVERIFY(m_dialog->stripModel().index(2).data(ThumbnailStripModel::CurrentRole).toBool());
    // The moved photo's picture moved with it: 40 pixels wide photo, 94 - 2 wide picture.
    const QPixmap moved = m_dialog->stripModel().index(2).data(Qt::DecorationRole).value<QPixmap>();
    QCOMPARE(moved.width(), 92);
    QCOMPARE(moved.height(), 68);
}

void CatalogEditorDialogTest::aPhotoGoneFromDiskShowsTheErrorPictureOrAPlaceholder()
{
    struct Case {
        const char* what;
        bool errorPictureThere;
    };
    for (const Case c : {Case{"error picture", true}, Case{"no error picture", false}}) {
        qInfo("%s", c.what);
        cleanup();
        init();
        addPhotos(2);
        const std::string cache = m_harness->workspace->photoList().thumbnails().path(1);
        std::filesystem::remove(storage(1).WorkingPath);
        if (!c.errorPictureThere)
            std::filesystem::remove(m_harness->home("buttons/error.bmp").toStdString());
        open();
        m_dialog->stripModel().waitForPictures();
        QVERIFY(m_dialog->stripModel().hasPicture(0));
        QCOMPARE(m_dialog->stripModel().hasPicture(1), c.errorPictureThere);
        QCOMPARE(std::filesystem::exists(cache), c.errorPictureThere);
        pressCell(1);
        QCOMPARE(child<QLabel>("fileName")->text(), QString::fromStdString(storage(1).WorkingPath));
        QVERIFY(m_harness->dialogs.shown.empty());
    }
}

void CatalogEditorDialogTest::anUnwritableCacheIsSaidOnce()
{
    addPhotos(3);
    // A plain file where the cache folder should be.
    QDir(m_harness->home("temp")).removeRecursively();
    m_harness->put("temp", "not a folder");
    open();
    m_dialog->stripModel().waitForPictures();
    const auto errors = m_harness->dialogs.texts(ScriptedDialogs::Kind::Error);
    QCOMPARE(errors.size(), std::size_t{1});
    QVERIFY2(errors[0].starts_with("The thumbnail cache cannot be written"), errors[0].c_str());
    for (int row = 0; row < 3; ++row)
        QVERIFY(m_dialog->stripModel().hasPicture(row));
}

void CatalogEditorDialogTest::theMenuCommandIsRefusedWithoutPhotos()
{
    m_harness->commands->openCatalogEditor();
    QCOMPARE(m_harness->dialogs.texts(ScriptedDialogs::Kind::Information),
             std::vector<std::string>{"You must first select photos for the photo album from Step 1."});
}

void CatalogEditorDialogTest::aThousandPhotosMakeOnlyThePicturesInView()
{
    for (int i = 0; i < 1000; ++i) {
        AlbumItem item;
        item.displayName = "gone" + std::to_string(i) + ".jpg";
        item.storage.SourcePath = item.storage.WorkingPath = m_harness->home("photos/").toStdString() + item.displayName;
        m_harness->workspace->catalog().photos.push_back(item);
    }
    open();
    m_dialog->stripModel().waitForPictures();
    ThumbnailStrip* strip = child<ThumbnailStrip>("strip");
    const int inView = strip->viewport()->width() / ThumbnailStrip::CellSize + 1;
    auto made = [&] {
        int count = 0;
        for (int row = 0; row < 1000; ++row)
            count += m_dialog->stripModel().hasPicture(row) ? 1 : 0;
        return count;
    };
    QVERIFY(made() > 0);
    QVERIFY2(made() <= inView, qPrintable(QString::number(made())));
    QVERIFY(strip->horizontalScrollBar()->isVisible());
    QCOMPARE(strip->height(), ThumbnailStrip::CellSize + 2 * strip->frameWidth() +
                                  strip->horizontalScrollBar()->sizeHint().height());

    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_Right);
    QCOMPARE(m_presenter->view().current, std::size_t{1});
    // Going to the last photo scrolls there and makes its picture.
    m_presenter->selectPhoto(999);
    QApplication::processEvents();
    m_dialog->stripModel().waitForPictures();
    QVERIFY(m_dialog->stripModel().hasPicture(999));
    QVERIFY(made() <= 2 * inView);
}

void CatalogEditorDialogTest::helpClosesTheDialog()
{
    addPhotos(1);
    open();
    QVERIFY(!m_dialog->helpAsked());
    QTest::mouseClick(child<QPushButton>("help"), Qt::LeftButton);
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(m_dialog->helpAsked());
}

void CatalogEditorDialogTest::everyControlHasAnAccessibleName()
{
    addPhotos(2);
    open();
    const QList<QWidget*> widgets = m_dialog->findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        if (widget->focusPolicy() & Qt::TabFocus && widget->isVisible() && !widget->parentWidget()->inherits("QAbstractScrollArea"))
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    }
    // The strip first, then the fields in reading order.
    const char* expected[] = {"strip", "label", "webTitle", "description", "tag0"};
    QWidget* widget = child<QWidget>("strip");
    widget->setFocus();
    for (const char* name : expected) {
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QVERIFY(m_dialog->width() <= 1366 && m_dialog->height() <= 768);
    QVERIFY(m_dialog->minimumWidth() <= 1366 && m_dialog->minimumHeight() <= 768);
}

} // namespace pictaven

QTEST_MAIN(pictaven::CatalogEditorDialogTest)
#include "CatalogEditorDialogTest.moc"
