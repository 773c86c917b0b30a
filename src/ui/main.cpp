#include "app/ProgramFolder.h"
#include "session/Workspace.h"
#include "ui/MainWindow.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <exception>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Pictaven");
    // Ties the windows to the installed desktop entry and its icon.
    QApplication::setDesktopFileName("pictaven");
    QApplication::setWindowIcon(QIcon::fromTheme("pictaven"));
    pictaven::QtDialogs dialogs;
    // An error while the program sets itself up is shown, and the program ends.
    try {
        const std::string dataFolder = pictaven::resolveDataFolder(
            QCoreApplication::applicationDirPath().toStdString(), PICTAVEN_INSTALL_DATA_DIR, PICTAVEN_SOURCE_DATA_DIR);
        pictaven::Workspace workspace(pictaven::resolveProgramFolder(), dataFolder, dialogs);
        pictaven::MainWindow window(workspace, dialogs);
        // `pictaven trip.cat`, also as the file manager starts it for a catalog.
        const QStringList arguments = QApplication::arguments();
        if (arguments.size() > 1)
            window.openAtStart(arguments.at(1).toStdString(), QDir::currentPath().toStdString());
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        dialogs.showError(error.what());
        return 1;
    }
}
