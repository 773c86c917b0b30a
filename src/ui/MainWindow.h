#pragma once

#include "session/CatalogFilePresenter.h"
#include "session/StepNavigator.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;

namespace pictaven {

class AboutBox;
class Dialogs;
class HelpWindow;
class NewCatalogDialog;
class StepPanel;
class ToolBarRow;
class WindowCommands;
class Workspace;

// The program's main window. It shows the workspace and forwards the user's commands to it; it
// keeps no album state of its own. `workspace` and `dialogs` must outlive the window.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // How long the Save button stays grey after a save.
    static constexpr int savingGreyMilliseconds = 100;
    // How often the title's modified mark is brought up to date.
    static constexpr int modifiedCheckMilliseconds = 250;
    // The size of the first start, within the screen less room for the window's frame.
    static constexpr int firstWidth = 1200;
    static constexpr int firstHeight = 720;
    static constexpr int frameAllowance = 40;

    MainWindow(Workspace& workspace, Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    AboutBox* aboutBox() const { return m_aboutBox; }
    HelpWindow* helpWindow() const { return m_helpWindow; }
    NewCatalogDialog* newCatalogDialog() const { return m_newCatalogDialog; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QMenu* helpMenu() const { return m_helpMenu; }
    ToolBarRow* toolBar() const { return m_toolBar; }
    StepPanel* stepPanel(int step) const { return m_panels.at(static_cast<std::size_t>(step - 1)); }
    QLabel* helpLine() const { return m_helpLine; }
    StepNavigator& navigator() { return m_navigator; }
    CatalogFilePresenter& fileCommands() { return m_fileCommands; }
    WindowCommands& commands() const { return *m_commands; }
    // The page of `step` (1 to 5).
    QWidget* stepPage(int step) const;
    QStackedWidget* pages() const { return m_pages; }
    // The catalog to open once the first show is done: `argument` as given on the command line,
    // a relative path against `startFolder`.
    void openAtStart(std::string argument, std::string startFolder);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void placeOnScreen();
    void showModifiedMark();
    void buildSteps(QWidget* background);
    void buildPages();
    void connectToolBar();
    void startFirstShow();
    void newCatalog();
    void showFileView();
    void showStep();
    // Adds an action that changes the workspace, so that it is disabled while a job runs.
    QAction* addChangingAction(QMenu* menu, const QString& caption, const std::function<void()>& command);
    QAction* addChangingAction(
        QMenu* menu, const QString& caption, const QKeySequence& shortcut, const std::function<void()>& command);
    // Runs a command; an error it raises ends it and is shown, and the program goes on.
    void runCommand(const std::function<void()>& command);

    Workspace& m_workspace;
    Dialogs& m_dialogs;
    AboutBox* m_aboutBox;
    HelpWindow* m_helpWindow;
    NewCatalogDialog* m_newCatalogDialog;
    StepNavigator m_navigator;
    CatalogFilePresenter m_fileCommands;
    WindowCommands* m_commands;
    ToolBarRow* m_toolBar = nullptr;
    std::array<StepPanel*, 5> m_panels{};
    QLabel* m_helpLine = nullptr;
    QStackedWidget* m_pages = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_lastCatalog = nullptr;
    std::vector<QAction*> m_changingActions;
    QTimer m_savingGrey;
    QTimer m_modifiedCheck;
    std::optional<std::pair<std::string, std::string>> m_startCatalog; // argument, start folder
    int m_workspaceToken = -1;
    int m_fileCommandsToken = -1;
    bool m_saveGrey = false;
    bool m_firstShowStarted = false;
};

} // namespace pictaven
