#include "ui/WindowCommands.h"

#include "app/Dialogs.h"
#include "session/DiagnosticReport.h"
#include "session/StepNavigator.h"
#include "session/Workspace.h"
#include "ui/ColourPreviewerDialog.h"
#include "ui/GraphicFormatsDialog.h"
#include "ui/HelpWindow.h"
#include "ui/JpegCompressionDialog.h"
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

// The dialogs below are still being built; until then each says so instead of doing nothing.
void WindowCommands::openPreferences()
{
    m_workspace.dialogs().showInformation("The preferences window is not available yet.");
    m_workspace.guards().albumGenerated = false;
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
    m_workspace.dialogs().showInformation("The catalog editor is not available yet.");
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
    m_workspace.dialogs().showInformation("The FTP settings window is not available yet.");
}

void WindowCommands::openReport()
{
    // Step 5's overwrite box is not kept by the workspace; the report shows it as it starts.
    QStringList lines;
    for (const std::string& line : diagnosticReport(diagnosticReportInputs(m_workspace, true)))
        lines.append(QString::fromStdString(line));
    ReportWindow report(&m_window);
    report.setReport(lines.join('\n'));
    report.exec();
}

} // namespace pictaven
