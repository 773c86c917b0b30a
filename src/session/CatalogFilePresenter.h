#pragma once

#include "session/ChangeNotifier.h"

#include <functional>
#include <optional>
#include <string>

namespace pictaven {

class StepNavigator;
class Workspace;

// What the main window shows of the File commands.
struct CatalogFileView {
    std::string caption;                         // the window's caption
    std::optional<std::string> lastCatalogEntry; // the File menu's last-catalog entry, when present
    bool saveEnabled = true;                     // false while a save runs: the Save button is grey
    bool commandsEnabled = true;                 // false while a job reads the workspace
};

// The File menu and its tool buttons: New, Open, Save, Save As, Close, the last-catalog entry,
// Save Template Preferences and Exit. Commands never throw: a failure is shown through the
// workspace's dialogs. Unsaved changes are offered for saving before anything replaces them.
// While a job runs the commands only beep.
class CatalogFilePresenter {
public:
    // Shows the New Catalog dialog and returns the typed name, or nullopt for Cancel.
    using NameAsker = std::function<std::optional<std::string>()>;

    // The arguments outlive the presenter.
    CatalogFilePresenter(Workspace& workspace, StepNavigator& navigator);

    CatalogFileView view() const;
    // Told when view() may have changed.
    ChangeNotifier& changed() { return m_changed; }

    void newCatalog(const NameAsker& askName);
    void open();
    void openLast();
    void save();
    void saveAs();
    void close();
    void saveTemplatePreferences();
    // The window is closing; returns whether it may close.
    bool exit();

private:
    bool offerToSave(bool namedToo);
    // Runs a command that may change the workspace and tells every page afterwards. A failure is
    // shown. Returns what the command returned (whether it went ahead); true when it failed,
    // since it may have changed part of the workspace by then.
    bool run(const std::function<bool()>& command);
    // Runs a command that replaces the catalog; when it went ahead, step 1 is shown, whose page
    // needs no guard, with the guards the command set.
    void replace(const std::function<bool()>& command);
    bool refusedWhileJobRuns();

    Workspace& m_workspace;
    StepNavigator& m_navigator;
    ChangeNotifier m_changed;
    bool m_saving = false;
};

} // namespace pictaven
