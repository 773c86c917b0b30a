#include "ui/WindowCommands.h"

#include "app/Dialogs.h"
#include "session/CatalogEditorPresenter.h"
#include "session/DiagnosticReport.h"
#include "session/Step2Presenter.h"
#include "session/StepNavigator.h"
#include "session/Workspace.h"
#include "ui/CatalogEditorDialog.h"
#include "ui/ColourPreviewerDialog.h"
#include "ui/GraphicFormatsDialog.h"
#include "ui/HelpWindow.h"
#include "ui/JpegCompressionDialog.h"
#include "ui/PreferencesDialog.h"
#include "ui/RemoteSettingsDialog.h"
#include "ui/ReportWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QStringList>
#include <QWidget>

namespace pictaven
{

WindowCommands::WindowCommands(
    Workspace& workspace, StepNavigator& navigator, HelpWindow& helpWindow, QWidget& window)
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
    reachableHelpWindow().showContents();
}

void WindowCommands::showHelpTopic(const QString& topic)
{
    reachableHelpWindow().showTopic(topic.toStdString());
}

HelpWindow& WindowCommands::reachableHelpWindow()
{
    // A modal window blocks every other window but its own children, so help asked for from
    // inside one opens as its child, and closes with it.
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return m_helpWindow;
    auto* help = modal->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!help)
        help = new HelpWindow(m_workspace.helpFolder(), modal);
    return *help;
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

void WindowCommands::openColourPreviewer()
{
    auto* dialog = m_window.findChild<ColourPreviewerDialog*>();
    if (!dialog)
        dialog = new ColourPreviewerDialog(m_workspace, &m_window);
    dialog->exec();
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
    // Made once, so that its boxes keep their state between openings.
    auto* dialog = m_window.findChild<GraphicFormatsDialog*>();
    if (!dialog)
        dialog = new GraphicFormatsDialog(m_workspace, &m_window);
    dialog->exec();
}

void WindowCommands::openJpegCompression()
{
    auto* dialog = m_window.findChild<JpegCompressionDialog*>();
    if (!dialog)
        dialog = new JpegCompressionDialog(m_workspace, &m_window);
    dialog->exec();
    m_navigator.returnToGenerateAfterChange();
    // Step 4 shows the qualities in force.
    m_workspace.changes().notify();
}

void WindowCommands::openFtpSettings()
{
    RemoteSettingsDialog dialog(m_workspace, &m_window);
    dialog.exec();
}

void WindowCommands::openReport()
{
    QStringList lines;
    for (const std::string& line :
        diagnosticReport(diagnosticReportInputs(m_workspace, m_workspace.overwritePhotos())))
        lines.append(QString::fromStdString(line));
    ReportWindow report(&m_window);
    report.setReport(lines.join('\n'));
    report.exec();
}

} // namespace pictaven
