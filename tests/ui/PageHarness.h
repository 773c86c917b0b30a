#pragma once

#include "session/StepNavigator.h"
#include "session/Workspace.h"
#include "ui/HelpWindow.h"
#include "ui/WindowCommands.h"

#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

namespace pictaven::test {

// The control named `name` below `root`; the test program ends when there is none.
template <typename T> T* control(const QWidget& root, const char* name)
{
    T* found = root.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// What a step page or a window command needs around it: a started workspace in a fresh program
// folder with the scripted dialogs, a help window, a navigator and the window commands on a
// plain host window.
class PageHarness {
    // First, so that it goes last, after everything that may write below it.
    QTemporaryDir m_home;

public:
    QString home(const QString& name = {}) const { return m_home.filePath(name); }

    // A file with `bytes` at `name` below the program folder, with its folders.
    void put(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(home(name)).path());
        QFile file(home(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    // Starts the workspace on the program folder as filled so far and shows its first show.
    void start()
    {
        workspace = std::make_unique<Workspace>(home().toStdString(), PICTAVEN_SOURCE_DATA_DIR, dialogs);
        workspace->firstShow();
        dialogs.shown.clear();
        helpWindow = std::make_unique<HelpWindow>(workspace->helpFolder());
        navigator = std::make_unique<StepNavigator>(*workspace);
        commands = new WindowCommands(*workspace, *navigator, *helpWindow, host);
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<HelpWindow> helpWindow;
    std::unique_ptr<StepNavigator> navigator;
    QWidget host;
    WindowCommands* commands = nullptr; // owned by host
};

} // namespace pictaven::test
