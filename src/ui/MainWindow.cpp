#include "ui/MainWindow.h"

#include "app/Dialogs.h"
#include "session/Workspace.h"
#include "ui/AboutBox.h"
#include "ui/HelpWindow.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <exception>

namespace pictaven {

MainWindow::MainWindow(Workspace& workspace, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_workspace(workspace)
    , m_dialogs(dialogs)
    , m_aboutBox(new AboutBox(this))
    , m_helpWindow(new HelpWindow(workspace.helpFolder(), this))
{
    setWindowTitle("Pictaven 3.03");
    setMinimumSize(656, 500);

    auto* background = new QWidget(this);
    background->setAutoFillBackground(true);
    QPalette colours = background->palette();
    colours.setColor(QPalette::Window, QColor(129, 160, 224));
    background->setPalette(colours);
    setCentralWidget(background);

    buildMenus();

    resize(minimumSize());
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu("&File");
    m_fileMenu->addAction("&Exit", this, &QWidget::close);
    if (const auto& entry = m_workspace.lastCatalogEntry()) {
        m_fileMenu->addSeparator();
        // Opening catalogs comes with the catalog commands; until then the entry only tells
        // which catalog was open last.
        QAction* lastCatalog = m_fileMenu->addAction(QString::fromStdString(*entry));
        lastCatalog->setObjectName("lastCatalog");
        lastCatalog->setEnabled(false);
    }

    m_helpMenu = menuBar()->addMenu("&Help");
    m_helpMenu->addAction("&About", m_aboutBox, &AboutBox::openCentred);
    QAction* contents = m_helpMenu->addAction("&Help", m_helpWindow, &HelpWindow::showContents);
    contents->setShortcut(QKeySequence(Qt::Key_F1));
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_firstShowStarted)
        return;
    m_firstShowStarted = true;
    // The About box opens once the window is on the screen, and the rest of the first show
    // waits until the box has closed.
    QTimer::singleShot(0, this, &MainWindow::startFirstShow);
}

void MainWindow::startFirstShow()
{
    connect(m_aboutBox, &QDialog::finished, this,
            [this] { runCommand([this] { m_workspace.firstShow(); }); }, Qt::SingleShotConnection);
    m_aboutBox->openAtStartup();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_workspace.close()) {
        event->ignore();
        return;
    }
    m_helpWindow->close();
    event->accept();
}

void MainWindow::runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        m_dialogs.showError(error.what());
    }
}

} // namespace pictaven
