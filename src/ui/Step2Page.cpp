#include "ui/Step2Page.h"

#include "session/Workspace.h"
#include "ui/FormControls.h"
#include "ui/WindowColours.h"
#include "ui/WindowCommands.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pictaven {

namespace {

// Fills a list box when its entries differ and shows `chosen`, without telling anyone: only a
// choice the person makes is a command.
void showEntries(QComboBox& box, const std::vector<std::string>& entries, std::int32_t chosen)
{
    QStringList texts;
    for (const std::string& entry : entries)
        texts.append(QString::fromStdString(entry));
    QStringList shown;
    for (int i = 0; i < box.count(); ++i)
        shown.append(box.itemText(i));
    if (shown != texts) {
        box.clear();
        box.addItems(texts);
    }
    box.setCurrentIndex(chosen);
}

} // namespace

Step2Page::Step2Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_presenter(workspace)
    , m_templates(new QComboBox(this))
    , m_title(new QLineEdit(this))
    , m_shortName(new QLineEdit(this))
    , m_themes(new QComboBox(this))
    , m_videoLongSide(new QSpinBox(this))
{
    static_cast<void>(navigator);
    setObjectName("step2Page");
    QPalette boxes = palette();
    boxes.setColor(QPalette::Base, WindowColours::boxes);
    boxes.setColor(QPalette::Button, WindowColours::boxes);
    setPalette(boxes);

    m_templates->setObjectName("templateBox");
    m_templates->setEditable(false);
    m_title->setObjectName("albumTitle");
    m_shortName->setObjectName("shortName");
    m_shortName->setMaxLength(static_cast<int>(Step2Presenter::shortNameLength));
    // Every way into the box but the filtered keys is closed: no pasting, dropping or input
    // method composing.
    m_shortName->setContextMenuPolicy(Qt::NoContextMenu);
    m_shortName->setAcceptDrops(false);
    m_shortName->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_shortName->installEventFilter(this);
    m_themes->setObjectName("themeBox");
    m_videoLongSide->setObjectName("videoLongSide");
    m_videoLongSide->setSuffix(" pixels");
    m_videoLongSide->setSingleStep(16);
    // Told once a value is typed whole, not at every digit.
    m_videoLongSide->setKeyboardTracking(false);
    m_videoLongSide->setToolTip("The longest side a published video may have; smaller videos keep their size");

    auto* form = new QFormLayout;
    const auto addRow = [this, form](const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(plainCaption(caption));
        form->addRow(label, field);
        m_editors.append(field);
    };
    addRow("&Photo Album", m_templates);
    addRow("Album &Title", m_title);
    addRow("&Short Album Name", m_shortName);
    addRow("St&yle Sheet Theme", m_themes);
    addRow("Video &Long Side", m_videoLongSide);
    // The box the number is typed into is a control of its own to screen readers.
    if (auto* typed = m_videoLongSide->findChild<QLineEdit*>())
        typed->setAccessibleName(m_videoLongSide->accessibleName());

    QPushButton* previewer = addButton("Color Pre&viewer", "Try the album's colours");
    previewer->setObjectName("colourPreviewer");
    QPushButton* editor = addButton("Catalog &Editor", "Edit the titles and descriptions of the photos");
    editor->setObjectName("catalogEditor");
    QPushButton* preferences = addButton("&Configure Settings", "Change the album's configuration settings");
    preferences->setObjectName("preferences");
    QPushButton* restore = addButton("&Restore Template", "Restore the template's factory settings");
    restore->setObjectName("restoreTemplate");
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("help");
    help->setAccessibleName("Help");
    help->setToolTip("How to choose and adjust a photo album template");

    auto* buttons = new QHBoxLayout;
    for (QWidget* button : {static_cast<QWidget*>(previewer), static_cast<QWidget*>(editor),
                            static_cast<QWidget*>(preferences), static_cast<QWidget*>(restore)})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addStretch();

    setTabOrder(m_templates, m_title);
    setTabOrder(m_title, m_shortName);
    setTabOrder(m_shortName, m_themes);
    setTabOrder(m_themes, m_videoLongSide);
    setTabOrder(m_videoLongSide, previewer);
    setTabOrder(previewer, editor);
    setTabOrder(editor, preferences);
    setTabOrder(preferences, restore);
    setTabOrder(restore, help);

    connect(m_templates, &QComboBox::activated, this, [this](int entry) { m_presenter.chooseTemplate(entry); });
    connect(m_title, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_presenter.setAlbumTitle(text.toStdString()); });
    connect(m_shortName, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_presenter.setShortName(text.toStdString()); });
    connect(m_themes, &QComboBox::activated, this, [this](int theme) { m_presenter.setStyleTheme(theme); });
    connect(m_videoLongSide, &QSpinBox::valueChanged, this,
            [this](int pixels) { m_presenter.setVideoLongSide(pixels); });
    connect(previewer, &QPushButton::clicked, &commands, &WindowCommands::openColourPreviewer);
    connect(editor, &QPushButton::clicked, &commands, [this, &commands] {
        if (m_presenter.catalogEditorAllowed())
            commands.openCatalogEditor();
    });
    connect(preferences, &QPushButton::clicked, &commands, &WindowCommands::openPreferences);
    connect(restore, &QPushButton::clicked, this, [this] { m_presenter.restoreTemplate(); });
    connect(help, &QPushButton::clicked, &commands, [&commands] { commands.showHelpTopic(Step2Presenter::helpTopic); });

    m_presenterToken = m_presenter.changed().subscribe([this] { redraw(); });
    m_workspaceToken = m_workspace.changes().subscribe([this] { redraw(); });
    redraw();
}

Step2Page::~Step2Page()
{
    m_workspace.changes().unsubscribe(m_workspaceToken);
    m_presenter.changed().unsubscribe(m_presenterToken);
}

QPushButton* Step2Page::addButton(const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption, this);
    button->setAccessibleName(plainCaption(caption));
    button->setToolTip(hint);
    m_editors.append(button);
    return button;
}

void Step2Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    redraw();
}

bool Step2Page::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_shortName || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste))
        return true;
    // Keys that type nothing printable move, select, copy or delete: the box handles them.
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const bool accepted = text.size() == 1 && Step2Presenter::shortNameKeyAccepted(text.at(0).unicode());
    return !accepted;
}

void Step2Page::redraw()
{
    const Step2View view = m_presenter.view();
    showEntries(*m_templates, view.templates, view.chosenTemplate);
    showText(*m_title, view.albumTitle);
    showText(*m_shortName, view.shortName);
    showEntries(*m_themes, view.styleThemes, view.styleTheme);
    {
        const QSignalBlocker quiet(m_videoLongSide);
        m_videoLongSide->setRange(view.videoLongSideLowest, view.videoLongSideHighest);
        m_videoLongSide->setValue(view.videoLongSide);
    }
    for (QWidget* editor : m_editors)
        editor->setEnabled(view.enabled);
}

} // namespace pictaven
