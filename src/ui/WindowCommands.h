#pragma once

#include "session/PreferencesPresenter.h"

#include <QObject>
#include <QUrl>
#include <string>

class QWidget;

namespace pictaven {

class HelpWindow;
class StepNavigator;
class Workspace;

// The commands that open the program's other windows and web pages, shared by the menu, the
// tool bar and the buttons of the step pages, so that each opens the same way from everywhere.
// Every window it opens is modal and centred on the screen.
class WindowCommands : public QObject {
    Q_OBJECT

public:
    // `workspace`, `navigator`, `helpWindow` and `window` (the parent of the dialogs) outlive this.
    WindowCommands(Workspace& workspace, StepNavigator& navigator, HelpWindow& helpWindow, QWidget& window);

public slots:
    void showHelpContents();
    void showHelpTopic(const QString& topic);
    void openWebAddress(const QUrl& address);

    // Preferences dialog; AlbumGenerated is cleared when it closes.
    void openPreferences();
    void openColourPreviewer();
    // Refused with an information while the photo list is empty.
    void openCatalogEditor();
    void openGraphicFormats();
    // Closing it while step 5 is shown lands on step 4 with the album outdated.
    void openJpegCompression();
    void openFtpSettings();
    // The diagnostic report of the current workspace.
    void openReport();

private:
    HelpWindow& reachableHelpWindow();

    Workspace& m_workspace;
    StepNavigator& m_navigator;
    HelpWindow& m_helpWindow;
    QWidget& m_window;
    // Kept for the whole run, as the dialog's controls keep their states between showings.
    PreferencesPresenter m_preferences;
};

} // namespace pictaven
