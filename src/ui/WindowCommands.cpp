#include "ui/WindowCommands.h"

#include "app/Dialogs.h"
#include "session/CatalogEditorPresenter.h"
#include "session/DiagnosticReport.h"
#include "session/Step2Presenter.h"
#include "session/StepNavigator.h"
#include "session/Workspace.h"
#include "ui/CatalogEditorDialog.h"
#include "ui/HelpWindow.h"
#include "ui/PreferencesDialog.h"
#include "ui/RemoteSettingsDialog.h"
#include "ui/ReportWindow.h"

#include <QDesktopServices>
#include <QStringList>
#include <QWidget>

namespace pictaven {

WindowCommands::WindowCommands(Workspace& workspace, StepNavigator& navigator, HelpWindow& helpWindow,
                               QWidget& window)
    : QObject(&window)
    , m_workspace(workspace)
    , m_navigator(navigator)
    , m_helpWindow(helpWindow)
    , m_window(window)
    , m_preferences(workspace)
{
}

void WindowCommands::showHelpContents()
{
    m_helpWindow.showContents();
}

void WindowCommands::showHelpTopic(const QString& topic)
{
    m_helpWindow.showTopic(topic.toStdString());
}

void WindowCommands::openWebAddress(const QUrl& address)
{
    QDesktopServices::openUrl(address);
}

void WindowCommands::openPreferences()
{
    PreferencesDialog dialog(m_workspace, m_preferences, &m_window);
    dialog.exec();
}

// The dialogs below are still being built; until then each says so instead of doing nothing.

void WindowCommands::openColourPreviewer()
{
    m_workspace.dialogs().showInformation("The colour previewer is not available yet.");
}

void WindowCommands::openCatalogEditor()
{
    // A running job reads the photos that the editor would change under it.
    if (m_workspace.jobRunning() || !Step2Presenter(m_workspace).catalogEditorAllowed())
        return;
    CatalogEditorPresenter presenter(m_workspace);
    CatalogEditorDialog dialog(presenter, &m_window);
    dialog.exec();
    m_workspace.changes().notify();
    if (dialog.helpAsked())
        showHelpTopic(CatalogEditorPresenter::helpTopic);
}

void WindowCommands::openGraphicFormats()
{
    m_workspace.dialogs().showInformation("The graphic formats window is not available yet.");
}

void WindowCommands::openJpegCompression()
{
    m_workspace.dialogs().showInformation("The JPEG compression window is not available yet.");
    m_navigator.returnToGenerateAfterChange();
}

void WindowCommands::openFtpSettings()
{
    RemoteSettingsDialog dialog(m_workspace, &m_window);
    dialog.exec();
}

void WindowCommands::openReport()
{
    QStringList lines;
    for (const std::string& line : diagnosticReport(diagnosticReportInputs(m_workspace, m_workspace.overwritePhotos())))
        lines.append(QString::fromStdString(line));
    ReportWindow report(&m_window);
    report.setReport(lines.join('\n'));
    report.exec();
}

} // namespace pictaven
