#include "ui/MainWindow.h"

#include "app/Dialogs.h"
#include "session/Workspace.h"
#include "ui/AboutBox.h"
#include "ui/HelpWindow.h"
#include "ui/Step1Page.h"
#include "ui/Step2Page.h"
#include "ui/Step3Page.h"
#include "ui/Step4Page.h"
#include "ui/Step5Page.h"
#include "ui/WindowCommands.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QTimer>
#include <exception>

namespace pictaven {

MainWindow::MainWindow(Workspace& workspace, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_workspace(workspace)
    , m_dialogs(dialogs)
    , m_aboutBox(new AboutBox(this))
    , m_helpWindow(new HelpWindow(workspace.helpFolder(), this))
    , m_navigator(workspace)
    , m_commands(new WindowCommands(workspace, m_navigator, *m_helpWindow, *this))
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
    buildPages();

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

void MainWindow::buildPages()
{
    auto* layout = new QVBoxLayout(centralWidget());
    m_pages = new QStackedWidget(centralWidget());
    m_pages->addWidget(new Step1Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step2Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step3Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step4Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step5Page(m_workspace, m_navigator, *m_commands, m_pages));
    layout->addWidget(m_pages);
    m_navigator.changed().subscribe([this] { m_pages->setCurrentIndex(m_navigator.currentStep() - 1); });
}

QWidget* MainWindow::stepPage(int step) const
{
    return m_pages->widget(step - 1);
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
