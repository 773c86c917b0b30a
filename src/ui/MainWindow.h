#pragma once

#include "session/StepNavigator.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QMenu;
class QStackedWidget;

namespace pictaven {

class AboutBox;
class Dialogs;
class HelpWindow;
class WindowCommands;
class Workspace;

// The program's main window. It shows the workspace and forwards the user's commands to it; it
// keeps no album state of its own. `workspace` and `dialogs` must outlive the window.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Workspace& workspace, Dialogs& dialogs, QWidget* parent = nullptr);

    AboutBox* aboutBox() const { return m_aboutBox; }
    HelpWindow* helpWindow() const { return m_helpWindow; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QMenu* helpMenu() const { return m_helpMenu; }
    StepNavigator& navigator() { return m_navigator; }
    WindowCommands& commands() const { return *m_commands; }
    // The page of `step` (1 to 5).
    QWidget* stepPage(int step) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildPages();
    void startFirstShow();
    // Runs a command; an error it raises ends it and is shown, and the program goes on.
    void runCommand(const std::function<void()>& command);

    Workspace& m_workspace;
    Dialogs& m_dialogs;
    AboutBox* m_aboutBox;
    HelpWindow* m_helpWindow;
    StepNavigator m_navigator;
    WindowCommands* m_commands;
    QStackedWidget* m_pages = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    bool m_firstShowStarted = false;
};

} // namespace pictaven
