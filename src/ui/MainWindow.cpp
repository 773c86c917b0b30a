#include "ui/MainWindow.h"

#include "app/Dialogs.h"
#include "app/WindowPlace.h"
#include "session/StartCatalog.h"
#include "session/Workspace.h"
#include "ui/AboutBox.h"
#include "ui/HelpWindow.h"
#include "ui/NewCatalogDialog.h"
#include "ui/ProductLinks.h"
#include "ui/Step1Page.h"
#include "ui/Step2Page.h"
#include "ui/Step3Page.h"
#include "ui/Step4Page.h"
#include "ui/Step5Page.h"
#include "ui/StepPanel.h"
#include "ui/TiledBackground.h"
#include "ui/ToolBarRow.h"
#include "ui/WindowColours.h"
#include "ui/WindowCommands.h"
#include "ui/WindowHelp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHideEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

namespace pictaven {

MainWindow::MainWindow(Workspace& workspace, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_workspace(workspace)
    , m_dialogs(dialogs)
    , m_aboutBox(new AboutBox(this))
    , m_helpWindow(new HelpWindow(workspace.helpFolder(), this))
    , m_newCatalogDialog(new NewCatalogDialog(this))
    , m_navigator(workspace)
    , m_fileCommands(workspace, m_navigator)
    , m_commands(new WindowCommands(workspace, m_navigator, *m_helpWindow, *this))
{
    setMinimumSize(656, 500);
    // Set on the window, so that the boxes of every page get it.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, WindowColours::boxes);
    colours.setColor(QPalette::Window, WindowColours::background);
    setPalette(colours);

    auto* background = new TiledBackground(workspace.programFolder() + "gradient.res", this);
    setCentralWidget(background);
    connect(background, &TiledBackground::mouseOverBackground, this, [this] { m_helpLine->clear(); });

    buildMenus();
    buildSteps(background);
    buildPages();
    connectToolBar();

    m_savingGrey.setSingleShot(true);
    m_savingGrey.setInterval(savingGreyMilliseconds);
    connect(&m_savingGrey, &QTimer::timeout, this, [this] {
        m_saveGrey = false;
        m_toolBar->setSaving(false);
        showFileView();
    });
    m_workspaceToken = m_workspace.changes().subscribe([this] { showFileView(); });
    m_fileCommandsToken = m_fileCommands.changed().subscribe([this] {
        if (!m_fileCommands.view().saveEnabled) {
            m_savingGrey.stop();
            m_saveGrey = true;
            m_toolBar->setSaving(true);
        } else if (m_saveGrey) {
            m_savingGrey.start();
        }
        showFileView();
    });
    m_navigator.changed().subscribe([this] { showStep(); });
    showFileView();
    showStep();
    qApp->installEventFilter(this);

    // The many commands that change the catalog do not all tell the window, so the mark looks.
    m_modifiedCheck.setInterval(modifiedCheckMilliseconds);
    connect(&m_modifiedCheck, &QTimer::timeout, this, &MainWindow::showModifiedMark);
    m_modifiedCheck.start();
    placeOnScreen();
}

// Where the window last closed, kept on a screen; at the first start a size that shows the steps'
// pages roomily on a laptop, centred.
void MainWindow::placeOnScreen()
{
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1366, 736);
    const QSize room = (screen.size() - QSize(frameAllowance, frameAllowance)).expandedTo(minimumSize());
    std::optional<WindowPlace> place;
    try {
        place = WindowPlace::load(m_workspace.settingsStore());
    } catch (const std::exception&) {
        // An unreadable place is no reason to refuse to start; the first-start place serves.
    }
    if (!place) {
        resize(QSize(firstWidth, firstHeight).boundedTo(room).expandedTo(minimumSize()));
        move(screen.center() - rect().center());
        return;
    }
    resize(QSize(place->width, place->height).boundedTo(room).expandedTo(minimumSize()));
    QRect shown(QPoint(place->left, place->top), size());
    // A screen that was unplugged or made smaller since must not leave the window out of reach.
    if (!screen.contains(shown.topLeft()) || !screen.contains(shown.bottomRight()))
        shown.moveCenter(screen.center());
    move(shown.topLeft());
    if (place->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    if (event->spontaneous())
        return;
    const QRect normal = normalGeometry();
    try {
        WindowPlace{normal.x(), normal.y(), normal.width(), normal.height(), isMaximized()}.save(
            m_workspace.settingsStore());
    } catch (const std::exception&) {
        // The place is a convenience: a settings file that cannot be written was reported when it
        // mattered, and the next run opens at the first-start place.
    }
}

void MainWindow::openAtStart(std::string argument, std::string startFolder)
{
    m_startCatalog.emplace(std::move(argument), std::move(startFolder));
}

void MainWindow::showModifiedMark()
{
    setWindowModified(m_workspace.catalog().modified);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    m_workspace.changes().unsubscribe(m_workspaceToken);
    m_fileCommands.changed().unsubscribe(m_fileCommandsToken);
    // The pages may refer to the navigator, a member that would otherwise die before the
    // window's child widgets.
    stepPage(2)->removeEventFilter(this);
    delete takeCentralWidget();
}

QAction* MainWindow::addChangingAction(QMenu* menu, const QString& caption, const std::function<void()>& command)
{
    QAction* action = menu->addAction(caption, this, [this, command] { runCommand(command); });
    m_changingActions.push_back(action);
    return action;
}

QAction* MainWindow::addChangingAction(
    QMenu* menu, const QString& caption, const QKeySequence& shortcut, const std::function<void()>& command)
{
    QAction* action = addChangingAction(menu, caption, command);
    action->setShortcut(shortcut);
    return action;
}

void MainWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu("&File");
    addChangingAction(m_fileMenu, "&New Catalog", Qt::CTRL | Qt::Key_N, [this] { newCatalog(); });
    addChangingAction(m_fileMenu, "&Open Catalog..", Qt::CTRL | Qt::Key_O, [this] { m_fileCommands.open(); });
    addChangingAction(m_fileMenu, "Sa&ve Catalog", Qt::CTRL | Qt::Key_S, [this] { m_fileCommands.save(); });
    addChangingAction(
        m_fileMenu, "&Save Catalog As..", Qt::CTRL | Qt::SHIFT | Qt::Key_S, [this] { m_fileCommands.saveAs(); });
    addChangingAction(m_fileMenu, "&Close Catalog", Qt::CTRL | Qt::Key_W, [this] { m_fileCommands.close(); });
    addChangingAction(m_fileMenu, "S&ave Template Preferences", [this] { m_fileCommands.saveTemplatePreferences(); });
    m_fileMenu->addAction("&Exit", Qt::CTRL | Qt::Key_Q, this, &QWidget::close);

    QMenu* settings = menuBar()->addMenu("&Settings");
    addChangingAction(settings, "&Configure Settings", [this] { m_commands->openPreferences(); });
    addChangingAction(settings, "&Select Graphic Formats", [this] { m_commands->openGraphicFormats(); });
    addChangingAction(settings, "&JPEG Compression", [this] { m_commands->openJpegCompression(); });
    addChangingAction(settings, "&FTP/HTTP Settings", [this] { m_commands->openFtpSettings(); });

    QMenu* tools = menuBar()->addMenu("&Tools");
    addChangingAction(tools, "Catalog &Editor", [this] { m_commands->openCatalogEditor(); });
    addChangingAction(tools, "Color &Previewer", [this] { m_commands->openColourPreviewer(); });

    QMenu* details = menuBar()->addMenu("&Details");
    details->addAction("&View Log", this, [this] { runCommand([this] { m_commands->openReport(); }); });

    m_helpMenu = menuBar()->addMenu("&Help");
    m_helpMenu->addAction("&About", m_aboutBox, &AboutBox::openCentred);
    // F1 also opens the contents when released, which the key filter sees to.
    m_helpMenu->addAction("&Help", Qt::Key_F1, m_commands, &WindowCommands::showHelpContents);
    const auto addWebPage = [this](const QString& caption, const char* address) {
        m_helpMenu->addAction(caption, this, [this, address] { m_commands->openWebAddress(QUrl(address)); });
    };
    addWebPage("&FAQ (Online)", ProductLinks::faq);
    addWebPage("&Check for newer version", ProductLinks::download);
    addWebPage("&Visit website", ProductLinks::home);
}

void MainWindow::buildSteps(QWidget* background)
{
    auto* layout = new QVBoxLayout(background);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->setSpacing(4);

    m_toolBar = new ToolBarRow(m_workspace.programFolder(), background);
    layout->addWidget(m_toolBar, 0, Qt::AlignLeft);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(10, 0, 10, 0);
    row->setSpacing(6);
    for (int step = StepNavigator::firstStep; step <= StepNavigator::lastStep; ++step) {
        auto* panel = new StepPanel(
            step, m_workspace.programFolder() + "resource/step" + std::to_string(step) + ".res", background);
        connect(panel, &StepPanel::clicked, this, [this](int clicked, StepClick how) {
            runCommand([this, clicked, how] { m_navigator.selectStep(clicked, how); });
        });
        connect(panel, &StepPanel::pictureEntered, this,
            [this](int entered) { m_helpLine->setText(QString::fromStdString(StepNavigator::helpLine(entered))); });
        row->addWidget(panel);
        m_panels[static_cast<std::size_t>(step - 1)] = panel;
    }
    layout->addLayout(row);

    m_helpLine = new QLabel(background);
    m_helpLine->setObjectName("helpLine");
    m_helpLine->setContentsMargins(10, 0, 10, 0);
    // The line keeps its height while empty, so the pages do not jump.
    m_helpLine->setMinimumHeight(m_helpLine->fontMetrics().height());
    layout->addWidget(m_helpLine);
}

void MainWindow::buildPages()
{
    m_pages = new QStackedWidget(centralWidget());
    m_pages->addWidget(new Step1Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step2Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step3Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step4Page(m_workspace, m_navigator, *m_commands, m_pages));
    m_pages->addWidget(new Step5Page(m_workspace, m_navigator, *m_commands, m_pages));
    auto* layout = static_cast<QVBoxLayout*>(centralWidget()->layout());
    layout->addWidget(m_pages, 1);
    stepPage(2)->installEventFilter(this);
}

void MainWindow::connectToolBar()
{
    const auto connectButton = [this](ToolBarRow::Button which, const std::function<void()>& command) {
        connect(m_toolBar->button(which), &QToolButton::clicked, this, [this, command] { runCommand(command); });
    };
    connectButton(ToolBarRow::New, [this] { newCatalog(); });
    connectButton(ToolBarRow::Open, [this] { m_fileCommands.open(); });
    connectButton(ToolBarRow::Save, [this] { m_fileCommands.save(); });
    connectButton(ToolBarRow::Configure, [this] { m_commands->openPreferences(); });
    connectButton(ToolBarRow::Compression, [this] { m_commands->openJpegCompression(); });
    connectButton(ToolBarRow::Ftp, [this] { m_commands->openFtpSettings(); });
    connectButton(ToolBarRow::GraphicFormats, [this] { m_commands->openGraphicFormats(); });
    connectButton(ToolBarRow::Website, [this] { m_commands->openWebAddress(QUrl(ProductLinks::home)); });
    connectButton(ToolBarRow::Help, [this] { m_commands->showHelpContents(); });
}

void MainWindow::newCatalog()
{
    m_newCatalogDialog->clearName();
    m_fileCommands.newCatalog([this] { return m_newCatalogDialog->askName(); });
}

void MainWindow::showFileView()
{
    const CatalogFileView view = m_fileCommands.view();
    setWindowTitle(QString::fromStdString(view.caption) + QStringLiteral("[*]"));
    showModifiedMark();
    if (view.lastCatalogEntry) {
        if (!m_lastCatalog) {
            m_fileMenu->addSeparator();
            m_lastCatalog = addChangingAction(m_fileMenu, {}, [this] { m_fileCommands.openLast(); });
            m_lastCatalog->setObjectName("lastCatalog");
        }
        // A "&" in a file name is shown, not taken for a mnemonic.
        m_lastCatalog->setText(QString::fromStdString(*view.lastCatalogEntry).replace('&', "&&"));
    }
    for (QAction* action : m_changingActions)
        action->setEnabled(view.commandsEnabled);
    for (const ToolBarRow::Button changing : {ToolBarRow::New, ToolBarRow::Open, ToolBarRow::Configure,
             ToolBarRow::Compression, ToolBarRow::Ftp, ToolBarRow::GraphicFormats})
        m_toolBar->button(changing)->setEnabled(view.commandsEnabled);
    m_toolBar->button(ToolBarRow::Save)->setEnabled(view.commandsEnabled && !m_saveGrey);
}

void MainWindow::showStep()
{
    const int current = m_navigator.currentStep();
    m_pages->setCurrentIndex(current - 1);
    for (StepPanel* panel : m_panels)
        panel->setHighlighted(panel->step() == current);
}

QWidget* MainWindow::stepPage(int step) const
{
    return m_pages->widget(step - 1);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat() && widget) {
            if (widget->window() == this) {
                m_commands->showHelpContents();
                return true;
            }
            const QString topic = helpTopicOf(*widget->window());
            if (!topic.isEmpty()) {
                m_commands->showHelpTopic(topic);
                return true;
            }
        }
    }
    if (watched == stepPage(2) && event->type() == QEvent::Enter)
        m_helpLine->clear();
    return QMainWindow::eventFilter(watched, event);
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
    connect(m_aboutBox, &QDialog::finished, this, [this] {
        runCommand([this] { m_workspace.firstShow(); });
        if (m_startCatalog)
            openStartCatalog(m_workspace, m_navigator, m_startCatalog->first, m_startCatalog->second);
    }, Qt::SingleShotConnection);
    m_aboutBox->openAtStartup();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_fileCommands.exit()) {
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
