#include "session/CatalogCommands.h"
#include "session/StepNavigator.h"
#include "session/Workspace.h"
#include "ui/AboutBox.h"
#include "ui/MainWindow.h"
#include "ui/NewCatalogDialog.h"
#include "ui/QtDialogs.h"
#include "ui/WindowCommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <exception>
#include <functional>
#include <iostream>
#include <vector>

namespace pictaven
{
namespace
{

// Every window besides the main window: its file name and the command that opens it. A window
// that runs its own event loop is captured from inside that loop. A window opened from another
// window names the button there that opens it. A window that fills itself in the background is
// given time to.
struct Window {
    const char* name;
    std::function<void(MainWindow&)> open;
    const char* openingButton = nullptr;
    int fillMilliseconds = 0;
};

const std::vector<Window> Windows = {
    { "about", [](MainWindow& w) { w.aboutBox()->openCentred(); } },
    { "help", [](MainWindow& w) { w.commands().showHelpTopic("Moving_Files"); } },
    { "preferences", [](MainWindow& w) { w.commands().openPreferences(); } },
    { "colour-previewer", [](MainWindow& w) { w.commands().openColourPreviewer(); } },
    { "catalog-editor", [](MainWindow& w) { w.commands().openCatalogEditor(); }, nullptr, 4000 },
    { "graphic-formats", [](MainWindow& w) { w.commands().openGraphicFormats(); } },
    { "jpeg-compression", [](MainWindow& w) { w.commands().openJpegCompression(); } },
    { "ftp-settings", [](MainWindow& w) { w.commands().openFtpSettings(); } },
    { "ftp-wizard", [](MainWindow& w) { w.commands().openFtpSettings(); }, "ftpWizard" },
    { "proxy-settings", [](MainWindow& w) { w.commands().openFtpSettings(); }, "proxySettings" },
    { "new-catalog", [](MainWindow& w) { w.newCatalogDialog()->askName(); } },
    { "report", [](MainWindow& w) { w.commands().openReport(); } },
    { "save-question", [](MainWindow&) { QtDialogs().askToSaveChanges(unsavedChangesQuestion("Trip.CAT")); } },
};

void settle(int milliseconds = 200)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

constexpr int WindowWaitMilliseconds = 5000;

class Screenshots
{
public:
    explicit Screenshots(QString folder)
        : m_folder(std::move(folder))
    {
    }

    // Saves the widget as <name>.png, or <name>@2x.png at double scale.
    void save(QWidget& widget, const QString& name)
    {
        const QPixmap picture = widget.grab();
        const QString suffix = picture.devicePixelRatio() > 1.0 ? "@2x" : "";
        const QString path = m_folder + "/" + name + suffix + ".png";
        if (!picture.save(path))
            throw std::runtime_error("Cannot write " + path.toStdString());
        std::cout << path.toStdString() << "\n";
    }

    // Runs `open` and saves the first window it shows (or the window that the named button there
    // opens), then closes what it opened.
    void captureOpenedWindow(const Window& window, MainWindow& mainWindow)
    {
        QSet<QWidget*> before = visibleWindows();
        QWidget* outer = nullptr;
        bool captured = false;
        QElapsedTimer waited;
        QTimer poll;
        poll.setInterval(100);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (waited.elapsed() > WindowWaitMilliseconds) {
                // A window this program cannot see must not keep its own event loop running.
                poll.stop();
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
                return;
            }
            for (QWidget* opened : visibleWindows()) {
                if (before.contains(opened))
                    continue;
                if (window.openingButton && !outer) {
                    outer = opened;
                    before = visibleWindows();
                    auto* button = opened->findChild<QAbstractButton*>(window.openingButton);
                    if (!button) {
                        std::cerr << "no button " << window.openingButton << " in " << window.name << "\n";
                        poll.stop();
                        close(*opened);
                        return;
                    }
                    // The inner window runs its own loop, which this poll goes on in.
                    QTimer::singleShot(0, button, &QAbstractButton::click);
                    return;
                }
                poll.stop();
                settle(window.fillMilliseconds);
                save(*opened, window.name);
                captured = true;
                close(*opened);
                if (outer)
                    QTimer::singleShot(0, outer, [outer] { close(*outer); });
                return;
            }
        });
        waited.start();
        poll.start();
        window.open(mainWindow);
        while (!captured && waited.elapsed() < WindowWaitMilliseconds)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!captured)
            std::cerr << "no window opened for " << window.name << "\n";
    }

private:
    static void close(QWidget& window)
    {
        if (auto* dialog = qobject_cast<QDialog*>(&window))
            dialog->reject();
        else
            window.close();
    }

    static QSet<QWidget*> visibleWindows()
    {
        QSet<QWidget*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = widget->windowType();
            if (widget->isVisible() && type != Qt::Popup && type != Qt::ToolTip)
                windows.insert(widget);
        }
        return windows;
    }

    QString m_folder;
};

// A few plain landscapes, when no photo folder is given.
QString drawSamplePhotos(const QString& folder)
{
    QDir().mkpath(folder);
    const QColor skies[] = { { 96, 160, 232 }, { 240, 150, 90 }, { 70, 90, 170 }, { 150, 200, 240 } };
    int n = 0;
    for (const QColor& sky : skies) {
        QImage photo(640, 480, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient gradient(0, 0, 0, 480);
        gradient.setColorAt(0, sky.lighter(130));
        gradient.setColorAt(1, sky.darker(110));
        painter.fillRect(photo.rect(), gradient);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 220, 120));
        painter.drawEllipse(QPointF(160 + 100 * n, 130), 44, 44);
        painter.setBrush(QColor(60, 140 + 20 * n, 80));
        painter.drawPolygon(QPolygonF { { -40, 480 }, { 220, 230 }, { 520, 480 } });
        painter.setBrush(QColor(40, 110, 70));
        painter.drawPolygon(QPolygonF { { 260, 480 }, { 480, 280 }, { 700, 480 } });
        painter.end();
        photo.save(QString("%1/sample%2.jpg").arg(folder).arg(++n), "JPEG", 90);
    }
    return folder;
}

int run(const QString& outputFolder, QString photoFolder, QString albumFolder)
{
    QTemporaryDir home;
    if (!home.isValid())
        throw std::runtime_error("Cannot make a temporary program folder");
    QDir().mkpath(outputFolder);
    if (photoFolder.isEmpty())
        photoFolder = drawSamplePhotos(home.filePath("Samples"));

    QtDialogs dialogs;
    Workspace workspace(home.path().toStdString(), PICTAVEN_SOURCE_DATA_DIR, dialogs);
    MainWindow window(workspace, dialogs);
    window.show();
    // The start-up About box is left to close by itself, as at a real start.
    QDeadlineTimer firstShow(AboutBox::startupMilliseconds * 3);
    while (workspace.step1Folder().empty() && !firstShow.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (workspace.step1Folder().empty())
        throw std::runtime_error("The main window did not finish its first show");

    workspace.setStep1Folder(QDir(photoFolder).absolutePath().toStdString());
    workspace.photoList().addAll();
    const QString album = albumFolder.isEmpty() ? home.filePath("Album") : QDir(albumFolder).absolutePath();
    QDir().mkpath(album);
    workspace.outputFolders().outputFolder = album.toStdString() + "/";
    workspace.changes().notify();

    Screenshots screenshots(outputFolder);
    for (int step = StepNavigator::firstStep; step <= StepNavigator::lastStep; ++step) {
        // What a finished step leaves behind, so that the next one may be entered.
        workspace.guards().outputFolderValid = step >= 4;
        workspace.guards().albumGenerated = step >= 5;
        if (!window.navigator().selectStep(step, StepClick::Panel))
            throw std::runtime_error("Step " + std::to_string(step) + " could not be shown");
        settle();
        screenshots.save(window, QString("main-step%1").arg(step));
    }
    for (const Window& other : Windows)
        screenshots.captureOpenedWindow(other, window);
    return 0;
}

} // namespace
} // namespace pictaven

// Saves pictures of the main window on each step and of every other window:
// pictaven-screenshots OUTPUT_FOLDER [PHOTO_FOLDER [ALBUM_FOLDER]], the album's output folder
// being a temporary one when not given. The scale follows QT_SCALE_FACTOR.
int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Pictaven");
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 4) {
        std::cerr << "usage: pictaven-screenshots OUTPUT_FOLDER [PHOTO_FOLDER [ALBUM_FOLDER]]\n";
        return 2;
    }
    try {
        return pictaven::run(arguments.at(1), arguments.value(2), arguments.value(3));
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
}
