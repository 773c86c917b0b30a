#include "ui/Step5Page.h"

#include "session/Step5Presenter.h"
#include "session/Workspace.h"
#include "ui/QtJobRunner.h"
#include "ui/StatusLine.h"
#include "ui/TabChain.h"
#include "ui/WindowCommands.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace pictaven {

namespace {

QPushButton* button(const QString& caption, QWidget* parent)
{
    auto* result = new QPushButton(caption, parent);
    result->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return result;
}

QCheckBox* checkBox(const char* caption, QWidget* parent)
{
    auto* result = new QCheckBox(QString::fromLatin1(caption), parent);
    result->setAccessibleName(result->text().remove(QLatin1Char('&')));
    return result;
}

} // namespace

Step5Page::Step5Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_commands(commands)
    , m_runner(std::make_unique<QtJobRunner>())
    , m_presenter(std::make_unique<Step5Presenter>(workspace, *m_runner))
    , m_directory(new QLineEdit(this))
    , m_location(new StatusLine(QStringLiteral("Upload Location:"), this))
    , m_passive(checkBox("Passive Mode (Enable for most servers)", this))
    , m_overwrite(checkBox("Overwrite existing photos on the web server?", this))
    , m_audio(checkBox("Upload audio files", this))
    , m_sync(checkBox(Step5Presenter::syncCaption, this))
    , m_deleteStale(checkBox(Step5Presenter::deleteStaleCaption, this))
    , m_upload(button(QStringLiteral("&Upload"), this))
    , m_cancel(button(QStringLiteral("&Cancel"), this))
    , m_status(new StatusLine(QStringLiteral("Upload Status:"), this))
    , m_logButton(new QPushButton(this))
    , m_logLabel(new QLabel(QStringLiteral("FTP Commands"), this))
    , m_log(new QPlainTextEdit(this))
{
    static_cast<void>(navigator);
    setObjectName("step5Page");

    auto* directoryLabel = new QLabel(QStringLiteral("Upload &Directory:"), this);
    directoryLabel->setBuddy(m_directory);
    m_directory->setAccessibleName(QStringLiteral("Upload Directory:"));
    // Text set through assistive technology arrives without key presses, so every change of the
    // text counts; the page's own changes are kept from coming back.
    connect(m_directory, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_presenter->setUploadDirectory(text.toStdString()); });
    auto* locationLabel = new QLabel(QStringLiteral("Upload Location:"), this);
    m_location->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(m_passive, &QCheckBox::clicked, this, [this](bool on) { m_presenter->setPassiveMode(on); });
    connect(m_overwrite, &QCheckBox::clicked, this, [this](bool on) { m_presenter->setOverwritePhotos(on); });
    connect(m_audio, &QCheckBox::clicked, this, [this](bool on) { m_presenter->setUploadAudio(on); });
    connect(m_sync, &QCheckBox::clicked, this, [this](bool on) { m_presenter->setSyncUpload(on); });
    connect(m_deleteStale, &QCheckBox::clicked, this, [this](bool on) { m_presenter->setDeleteStale(on); });
    connect(m_upload, &QPushButton::clicked, this, [this] { m_presenter->upload(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_presenter->cancel(); });
    auto* statusLabel = new QLabel(QStringLiteral("Upload Status:"), this);
    m_status->setWordWrap(true);
    connect(m_logButton, &QPushButton::clicked, this, [this] { m_presenter->toggleLog(); });
    m_log->setReadOnly(true);
    m_log->setAccessibleName(m_logLabel->text());
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPushButton* viewRemotely = button(QStringLiteral("View &Remotely"), this);
    connect(viewRemotely, &QPushButton::clicked, this, &Step5Page::viewRemotely);
    QPushButton* report = button(QStringLiteral("View &Log Details .."), this);
    connect(report, &QPushButton::clicked, &m_commands, &WindowCommands::openReport);
    QPushButton* help = button(QStringLiteral("FTP &Help"), this);
    connect(help, &QPushButton::clicked, this,
            [this] { m_commands.showHelpTopic(QString::fromLatin1(Step5Presenter::helpTopic)); });

    auto* form = new QGridLayout;
    form->addWidget(directoryLabel, 0, 0);
    form->addWidget(m_directory, 0, 1);
    form->addWidget(locationLabel, 1, 0);
    form->addWidget(m_location, 1, 1);
    form->setColumnStretch(1, 1);
    auto* transfer = new QHBoxLayout;
    transfer->addWidget(m_upload);
    transfer->addWidget(m_cancel);
    transfer->addStretch();
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(statusLabel);
    statusRow->addWidget(m_status, 1);
    auto* more = new QHBoxLayout;
    more->addWidget(viewRemotely);
    more->addWidget(report);
    more->addWidget(m_logButton);
    more->addStretch();
    more->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_passive);
    layout->addWidget(m_overwrite);
    layout->addWidget(m_audio);
    layout->addWidget(m_sync);
    // Indented under the box it depends on.
    auto* staleRow = new QHBoxLayout;
    staleRow->addSpacing(style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                         style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
    staleRow->addWidget(m_deleteStale);
    layout->addLayout(staleRow);
    layout->addLayout(transfer);
    layout->addLayout(statusRow);
    layout->addLayout(more);
    layout->addWidget(m_logLabel);
    layout->addWidget(m_log, 1);
    layout->addStretch();

    chainTabOrder({m_directory, m_passive, m_overwrite, m_audio, m_sync, m_deleteStale, m_upload, m_cancel,
                   viewRemotely, report, m_logButton, help, m_log});

    m_presenterToken = m_presenter->changed().subscribe([this] { redraw(); });
    m_workspaceToken = m_workspace.changes().subscribe([this] { redraw(); });
    redraw();
}

Step5Page::~Step5Page()
{
    m_workspace.changes().unsubscribe(m_workspaceToken);
    m_presenter->changed().unsubscribe(m_presenterToken);
    m_presenter->cancel();
    m_runner.reset();
}

// The location is shown again whenever the page is, since the profile may have changed.
void Step5Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_presenter->pageShown();
}

void Step5Page::redraw()
{
    const Step5View view = m_presenter->view();
    const QString directory = QString::fromStdString(view.uploadDirectory);
    if (m_directory->text() != directory) {
        // Refused characters vanish where they were typed.
        const int position = m_directory->cursorPosition() - int(m_directory->text().size() - directory.size());
        const QSignalBlocker quiet(m_directory);
        m_directory->setText(directory);
        m_directory->setCursorPosition(std::max(0, position));
    }
    m_location->setText(QString::fromStdString(view.location));
    m_passive->setChecked(view.passiveMode);
    m_overwrite->setChecked(view.overwritePhotos);
    m_audio->setChecked(view.uploadAudio);
    m_sync->setChecked(view.syncUpload);
    m_deleteStale->setChecked(view.deleteStale);
    for (QWidget* setting : QList<QWidget*>{m_directory, m_passive, m_overwrite, m_audio, m_sync})
        setting->setEnabled(view.settingsEnabled);
    m_deleteStale->setEnabled(view.deleteStaleEnabled);
    m_upload->setEnabled(view.uploadEnabled);
    m_cancel->setEnabled(view.cancelEnabled);
    m_status->setText(QString::fromStdString(view.status));
    const QString caption = QString::fromStdString(view.logButtonCaption);
    m_logButton->setText(caption);
    m_logButton->setAccessibleName(caption);
    m_logLabel->setVisible(view.logShown);
    m_log->setVisible(view.logShown);
    QStringList lines;
    for (const std::string& line : view.log)
        lines.append(QString::fromStdString(line));
    const QString text = lines.join(QLatin1Char('\n'));
    if (m_log->toPlainText() != text)
        m_log->setPlainText(text);
}

void Step5Page::viewRemotely()
{
    if (const std::optional<std::string> address = m_presenter->viewRemotely())
        m_commands.openWebAddress(QUrl(QString::fromStdString(*address)));
}

} // namespace pictaven
