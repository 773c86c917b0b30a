#include "ui/WindowHelp.h"

#include "session/CatalogEditorPresenter.h"
#include "session/Step1Presenter.h"
#include "session/Step2Presenter.h"
#include "session/Step3Presenter.h"
#include "session/Step4Presenter.h"
#include "session/Step5Presenter.h"
#include "ui/CatalogEditorDialog.h"
#include "ui/ColourPreviewerDialog.h"
#include "ui/FtpWizardDialog.h"
#include "ui/GraphicFormatsDialog.h"
#include "ui/JpegCompressionDialog.h"
#include "ui/NewCatalogDialog.h"
#include "ui/PreferencesDialog.h"
#include "ui/ProxySettingsDialog.h"
#include "ui/RemoteSettingsDialog.h"
#include "ui/ReportWindow.h"

#include <QStringList>
#include <QWidget>
#include <array>

namespace pictaven
{
namespace
{

struct WindowTopic {
    const QMetaObject* window;
    const char* topic;
};

const std::array<WindowTopic, 10> WindowTopics = { {
    { &PreferencesDialog::staticMetaObject, "Preferences" },
    { &ColourPreviewerDialog::staticMetaObject, "Colour_Previewer" },
    { &CatalogEditorDialog::staticMetaObject, CatalogEditorPresenter::helpTopic },
    { &GraphicFormatsDialog::staticMetaObject, "Graphic_Formats" },
    { &JpegCompressionDialog::staticMetaObject, "JPEG_Compression" },
    { &RemoteSettingsDialog::staticMetaObject, "Remote_Settings" },
    { &FtpWizardDialog::staticMetaObject, "FTP_Wizard" },
    { &ProxySettingsDialog::staticMetaObject, "Proxy_Settings" },
    { &NewCatalogDialog::staticMetaObject, "New_Catalog" },
    { &ReportWindow::staticMetaObject, "Diagnostic_Report" },
} };

} // namespace

QString helpTopicOf(const QWidget& window)
{
    for (const WindowTopic& entry : WindowTopics) {
        if (window.metaObject() == entry.window)
            return QString::fromLatin1(entry.topic);
    }
    return {};
}

QStringList allHelpTopics()
{
    QStringList topics = { Step1Presenter::helpTopic, Step2Presenter::helpTopic, Step3Presenter::helpTopic,
        Step4Presenter::helpTopic, Step5Presenter::helpTopic };
    for (const WindowTopic& entry : WindowTopics)
        topics.append(QString::fromLatin1(entry.topic));
    return topics;
}

} // namespace pictaven
