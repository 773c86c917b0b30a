#include "ui/Step4Page.h"

#include "session/Step4Presenter.h"
#include "session/Workspace.h"
#include "ui/PercentBar.h"
#include "ui/QtJobRunner.h"
#include "ui/ResourcePicture.h"
#include "ui/StatusLine.h"
#include "ui/TabChain.h"
#include "ui/WindowCommands.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace pictaven {

namespace {

constexpr int blinkMilliseconds = 500;
constexpr int generatePictureSize = 64;

} // namespace

Step4Page::Step4Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_commands(commands)
    , m_runner(std::make_unique<QtJobRunner>())
    , m_presenter(std::make_unique<Step4Presenter>(workspace, *m_runner))
    , m_panel(new QGroupBox(QStringLiteral("Options"), this))
    , m_generate(new QToolButton(this))
    , m_progress(new PercentBar(this))
    , m_percentage(new StatusLine(QStringLiteral("Percentage"), this))
    , m_status(new StatusLine(QStringLiteral("Status"), this))
    , m_cancel(new QPushButton(QStringLiteral("&Cancel"), this))
    , m_view(new QPushButton(QStringLiteral("&View Photo Album"), this))
    , m_blink(new QTimer(this))
{
    static_cast<void>(navigator);
    setObjectName("step4Page");
    m_panel->setAccessibleName(m_panel->title());

    auto* panelLayout = new QVBoxLayout(m_panel);
    const Step4View first = m_presenter->view();
    for (const GenerateOptionRow& row : first.options) {
        if (row.option == GenerateOption::Substitutions) {
            auto* note = new QLabel(QString::fromLatin1(Step4Presenter::substitutionsNote), m_panel);
            note->setWordWrap(true);
            panelLayout->addWidget(note);
        }
        auto* box = new QCheckBox(QString::fromStdString(row.caption), m_panel);
        box->setAccessibleName(box->text());
        if (row.option == GenerateOption::MultiWindow)
            box->setToolTip(QString::fromLatin1(Step4Presenter::multiWindowHint));
        const GenerateOption option = row.option;
        connect(box, &QCheckBox::clicked, this, [this, option](bool on) { m_presenter->clickOption(option, on); });
        panelLayout->addWidget(box);
        m_options.emplace(option, box);
    }

    m_generate->setAccessibleName(QStringLiteral("Generate"));
    m_generate->setToolTip(QStringLiteral("Generate"));
    m_generate->setText(QStringLiteral("&Generate"));
    m_generate->setIconSize(QSize(generatePictureSize, generatePictureSize));
    m_generate->setAutoRaise(true);
    // The page's main action: its caption stands out under the picture.
    QFont bold = m_generate->font();
    bold.setBold(true);
    m_generate->setFont(bold);
    connect(m_generate, &QToolButton::clicked, this, [this] { m_presenter->generate(); });

    m_progress->setAccessibleName(QStringLiteral("Progress"));
    m_progress->setTextVisible(false);
    m_status->setWordWrap(true);
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_presenter->cancel(); });
    m_view->setAccessibleName(QStringLiteral("View Photo Album"));
    connect(m_view, &QPushButton::clicked, this, &Step4Page::viewAlbum);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setAccessibleName(QStringLiteral("Help"));
    connect(help, &QPushButton::clicked, this,
            [this] { m_commands.showHelpTopic(QString::fromLatin1(Step4Presenter::helpTopic)); });

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_percentage);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_view);
    buttons->addStretch();
    buttons->addWidget(help);
    // The options' captions are long, so the panel takes the page's width and the Generate
    // control sits below it with its progress beside it.
    auto* progressColumn = new QVBoxLayout;
    progressColumn->addStretch();
    progressColumn->addLayout(progressRow);
    progressColumn->addWidget(m_status);
    progressColumn->addLayout(buttons);
    progressColumn->addStretch();
    auto* work = new QHBoxLayout;
    work->addWidget(m_generate, 0, Qt::AlignVCenter);
    work->addLayout(progressColumn, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
    layout->addLayout(work);
    layout->addStretch();

    QList<QWidget*> tabOrder;
    for (const GenerateOptionRow& row : first.options)
        tabOrder.append(m_options.at(row.option));
    tabOrder << m_generate << m_cancel << m_view << help;
    chainTabOrder(tabOrder);

    m_blink->setInterval(blinkMilliseconds);
    connect(m_blink, &QTimer::timeout, this, [this] { showFrame(!m_secondFrame); });
    showFrame(false);

    m_presenterToken = m_presenter->changed().subscribe([this] { redraw(); });
    m_workspaceToken = m_workspace.changes().subscribe([this] { redraw(); });
    redraw();
}

Step4Page::~Step4Page()
{
    m_workspace.changes().unsubscribe(m_workspaceToken);
    m_presenter->changed().unsubscribe(m_presenterToken);
    m_presenter->cancel();
    m_runner.reset();
}

// The Generate control shows one of its two pictures above its caption; while a generation runs
// the pictures take turns. Without the pictures it shows its caption alone.
void Step4Page::showFrame(bool second)
{
    m_secondFrame = second;
    const std::string file = m_workspace.programFolder() + (second ? "resource/generate2.res" : "resource/generate.res");
    const QPixmap picture = resourcePixmap(file, devicePixelRatioF());
    m_generate->setIcon(picture.isNull() ? QIcon() : QIcon(picture));
    m_generate->setToolButtonStyle(picture.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextUnderIcon);
}

// Opening the page starts the progress from 0 again; a window brought back from the task bar
// keeps it.
void Step4Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        m_presenter->enter();
}

void Step4Page::redraw()
{
    const Step4View view = m_presenter->view();
    m_panel->setEnabled(view.optionsEnabled);
    for (const GenerateOptionRow& row : view.options) {
        QCheckBox* box = m_options.at(row.option);
        box->setChecked(row.checked);
        box->setEnabled(row.enabled);
    }
    m_generate->setEnabled(view.generateEnabled);
    m_cancel->setEnabled(view.cancelEnabled);
    m_progress->setRange(view.progressMinimum, view.progressMaximum);
    m_progress->setValue(view.progressPosition);
    m_percentage->setText(QString::fromStdString(view.percentage));
    m_status->setText(QString::fromStdString(view.status));
    m_view->setToolTip(QString::fromStdString(view.viewHint));
    if (view.generating && !m_blink->isActive()) {
        m_blink->start();
    } else if (!view.generating && m_blink->isActive()) {
        m_blink->stop();
        showFrame(false);
    }
}

void Step4Page::viewAlbum()
{
    if (const std::optional<std::string> page = m_presenter->viewAlbum())
        m_commands.openWebAddress(QUrl::fromLocalFile(QString::fromStdString(*page)));
}

} // namespace pictaven
