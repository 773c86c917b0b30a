#include "ui/CatalogEditorDialog.h"

#include "session/CatalogEditorPresenter.h"
#include "ui/ThumbnailStrip.h"
#include "ui/ThumbnailStripModel.h"
#include "ui/FormControls.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QUrl>
#include <QVBoxLayout>

namespace pictaven {

namespace {

QPushButton* button(const QString& caption, QWidget* parent)
{
    auto* created = new QPushButton(caption, parent);
    created->setAccessibleName(plainCaption(caption));
    created->setAutoDefault(false);
    return created;
}

// A label naming `field`, which takes its text as accessible name.
QLabel* labelFor(const QString& caption, QWidget* field, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    field->setAccessibleName(plainCaption(caption));
    return label;
}

} // namespace

CatalogEditorDialog::CatalogEditorDialog(CatalogEditorPresenter& presenter, QWidget* parent)
    : QDialog(parent)
    , m_presenter(presenter)
{
    setModal(true);
    setObjectName("catalogEditor");

    m_model = new ThumbnailStripModel(presenter, this);
    m_strip = new ThumbnailStrip(this);
    m_strip->setObjectName("strip");
    m_strip->setAccessibleName("Photos");
    m_strip->setModel(m_model);

    m_label = new QLineEdit(this);
    m_label->setObjectName("label");
    m_webTitle = new QLineEdit(this);
    m_webTitle->setObjectName("webTitle");
    m_description = new QPlainTextEdit(this);
    m_description->setObjectName("description");
    m_description->setTabChangesFocus(true);

    const char* tagCaptions[] = {"&Line Break", "&Paragraph Start", "P&aragraph End",
                                 "&Bold On",    "B&old Off",        "&Horizontal Line"};
    auto* tags = new QHBoxLayout;
    for (std::size_t i = 0; i < std::size(tagCaptions); ++i) {
        QPushButton* tag = button(tagCaptions[i], this);
        tag->setObjectName(QStringLiteral("tag%1").arg(i));
        connect(tag, &QPushButton::clicked, this, [this, i] { insertTag(i); });
        tags->addWidget(tag);
    }
    tags->addStretch();

    m_audioFile = new QLineEdit(this);
    m_audioFile->setObjectName("audioFile");
    m_browseAudio = new QPushButton("..", this);
    m_browseAudio->setObjectName("browseAudio");
    m_browseAudio->setAccessibleName("Choose Audio File");
    m_browseAudio->setToolTip("Choose Audio File");
    m_browseAudio->setAutoDefault(false);
    m_browseAudio->setFixedWidth(m_browseAudio->fontMetrics().horizontalAdvance("....") + 16);
    auto* audio = new QHBoxLayout;
    audio->addWidget(m_audioFile, 1);
    audio->addWidget(m_browseAudio);

    m_rotation = new QComboBox(this);
    m_rotation->setObjectName("rotation");
    for (const char* rotation : CatalogEditorPresenter::rotations)
        m_rotation->addItem(rotation);

    m_fileName = new QLabel(this);
    m_fileName->setObjectName("fileName");
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* fileNameCaption = new QLabel("Filename:", this);
    m_fileName->setAccessibleName("Filename:");

    auto* fields = new QGridLayout;
    fields->addWidget(fileNameCaption, 0, 0);
    fields->addWidget(m_fileName, 0, 1);
    fields->addWidget(labelFor("&Thumbnail Label", m_label, this), 1, 0);
    fields->addWidget(m_label, 1, 1);
    fields->addWidget(labelFor("&Web Photo Title", m_webTitle, this), 2, 0);
    fields->addWidget(m_webTitle, 2, 1);
    fields->addWidget(labelFor("Web Page &Description (Simple text or HTML)", m_description, this), 3, 0, 1, 2);
    fields->addWidget(m_description, 4, 0, 1, 2);
    fields->addLayout(tags, 5, 0, 1, 2);
    fields->addWidget(labelFor("A&udio File", m_audioFile, this), 6, 0);
    fields->addLayout(audio, 6, 1);
    fields->addWidget(labelFor("Photo Rotat&ion", m_rotation, this), 7, 0);
    fields->addWidget(m_rotation, 7, 1, Qt::AlignLeft);
    fields->setColumnStretch(1, 1);
    fields->setRowStretch(4, 1);

    QPushButton* remove = button("&Remove Photo", this);
    remove->setObjectName("removePhoto");
    QPushButton* view = button("View Photo", this);
    view->setObjectName("viewPhoto");
    QPushButton* save = button("&Save Catalog", this);
    save->setObjectName("saveCatalog");
    QPushButton* helpButton = button("&Help", this);
    helpButton->setObjectName("help");
    QPushButton* ok = button("OK", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    QPushButton* close = button("Close", this);
    close->setObjectName("close");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : {remove, view, save, helpButton})
        buttons->addWidget(each);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_strip);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    for (QObject* field : {static_cast<QObject*>(m_label), static_cast<QObject*>(m_webTitle),
                           static_cast<QObject*>(m_description), static_cast<QObject*>(m_description->viewport()),
                           static_cast<QObject*>(m_audioFile), static_cast<QObject*>(m_browseAudio)})
        field->installEventFilter(this);
    for (QLineEdit* edit : {m_label, m_webTitle, m_audioFile})
        connect(edit, &QLineEdit::textEdited, this, [this] { m_presenter.fieldTouched(); });
    connect(m_description, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            m_presenter.fieldTouched();
    });
    connect(m_browseAudio, &QPushButton::clicked, this, &CatalogEditorDialog::chooseAudioFile);
    connect(m_rotation, &QComboBox::activated, this, [this](int rotation) { m_presenter.setRotation(rotation); });
    connect(m_strip, &ThumbnailStrip::photoPressed, this, &CatalogEditorDialog::selectPhoto);
    connect(m_strip, &ThumbnailStrip::photoStepped, this, [this](int step) {
        const auto current = static_cast<int>(m_presenter.view().current);
        if (current + step >= 0)
            m_presenter.selectPhoto(static_cast<std::size_t>(current + step));
    });
    connect(m_strip, &ThumbnailStrip::photoMoved, this, &CatalogEditorDialog::movePhoto);
    connect(m_strip, &ThumbnailStrip::removeRequested, this, &CatalogEditorDialog::removePhoto);
    connect(remove, &QPushButton::clicked, this, &CatalogEditorDialog::removePhoto);
    connect(view, &QPushButton::clicked, this, &CatalogEditorDialog::viewPhoto);
    connect(save, &QPushButton::clicked, this, &CatalogEditorDialog::saveCatalog);
    connect(helpButton, &QPushButton::clicked, this, &CatalogEditorDialog::help);
    connect(ok, &QPushButton::clicked, this, &CatalogEditorDialog::accept);
    connect(close, &QPushButton::clicked, this, &CatalogEditorDialog::reject);

    m_subscription = m_presenter.changed().subscribe([this] { redraw(); });
    setMinimumSize(640, 460);
    resize(820, 600);
    redraw();
}

CatalogEditorDialog::~CatalogEditorDialog()
{
    m_presenter.changed().unsubscribe(m_subscription);
}

void CatalogEditorDialog::redraw()
{
    const CatalogEditorView view = m_presenter.view();
    setWindowTitle(QString::fromStdString(view.caption));
    m_fileName->setText(QString::fromStdString(view.fileName));
    m_rotation->setCurrentIndex(view.rotation);
    if (view.fieldsLoaded != m_fieldsShown) {
        m_fieldsShown = view.fieldsLoaded;
        m_filling = true;
        m_label->setText(QString::fromStdString(view.label));
        m_webTitle->setText(QString::fromStdString(view.webTitle));
        m_audioFile->setText(QString::fromStdString(view.audioFile));
        m_description->setPlainText(QString::fromStdString(view.description));
        m_filling = false;
    }
    m_model->refresh();
    if (view.current < static_cast<std::size_t>(m_model->rowCount()))
        m_strip->scrollTo(m_model->index(static_cast<int>(view.current)));
}

void CatalogEditorDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    m_strip->updateHeight();
}

bool CatalogEditorDialog::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        storeField(watched);
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
        if (watched != m_browseAudio)
            m_presenter.fieldTouched();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void CatalogEditorDialog::storeField(QObject* field)
{
    if (field == m_label)
        m_presenter.storeLabel(m_label->text().toStdString());
    else if (field == m_webTitle)
        m_presenter.storeWebTitle(m_webTitle->text().toStdString());
    else if (field == m_audioFile || field == m_browseAudio)
        m_presenter.storeAudioFile(m_audioFile->text().toStdString());
    else if (field == m_description)
        m_presenter.storeDescription(m_description->toPlainText().toStdString());
}

void CatalogEditorDialog::selectPhoto(int row)
{
    m_presenter.selectPhoto(static_cast<std::size_t>(row));
    m_label->setFocus(Qt::MouseFocusReason);
}

void CatalogEditorDialog::insertTag(std::size_t tag)
{
    QTextCursor cursor = m_description->textCursor();
    const QString line = cursor.block().text();
    const QString before = line.left(cursor.positionInBlock());
    const std::string changed = m_presenter.insertTag(tag, line.toStdString(), before.toUtf8().size());
    const int caret = cursor.positionInBlock() + static_cast<int>(QString(CatalogEditorPresenter::tags.at(tag)).size());
    cursor.select(QTextCursor::BlockUnderCursor);
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(QString::fromStdString(changed));
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, caret);
    m_description->setTextCursor(cursor);
    m_description->setFocus(Qt::OtherFocusReason);
}

void CatalogEditorDialog::chooseAudioFile()
{
    if (const auto chosen = m_presenter.chooseAudioFile())
        m_audioFile->setText(QString::fromStdString(*chosen));
}

void CatalogEditorDialog::movePhoto(int from, int to)
{
    m_presenter.movePhoto(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    m_model->photoMoved(from, to);
}

void CatalogEditorDialog::removePhoto()
{
    const std::size_t count = m_presenter.view().photoCount;
    const std::size_t current = m_presenter.view().current;
    m_presenter.removeCurrentPhoto();
    if (m_presenter.view().photoCount < count)
        m_model->photoRemoved(static_cast<int>(current));
    m_strip->updateHeight();
}

void CatalogEditorDialog::viewPhoto()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_presenter.viewPhotoPath()))))
        m_presenter.viewerFailed();
}

void CatalogEditorDialog::saveCatalog()
{
    m_presenter.saveCatalog(m_description->toPlainText().toStdString());
}

void CatalogEditorDialog::help()
{
    m_helpAsked = true;
    reject();
}

void CatalogEditorDialog::accept()
{
    // Enter takes the dialog away without the field losing the focus first.
    storeField(focusWidget());
    m_presenter.storeDescription(m_description->toPlainText().toStdString());
    QDialog::accept();
}

} // namespace pictaven
