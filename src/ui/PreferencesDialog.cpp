#include "ui/PreferencesDialog.h"

#include "session/PreferencesPresenter.h"
#include "session/Workspace.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace pictaven
{

namespace
{

QString plain(QString caption)
{
    return caption.remove('&').trimmed();
}

std::string field(const QString& name)
{
    return name.toStdString();
}

// The picture of a button set, looked up without regard to the case of its name.
QPixmap buttonSetPicture(const QString& folder, const QString& name)
{
    const QStringList found = QDir(folder).entryList({ name }, QDir::Files);
    return found.isEmpty() ? QPixmap() : QPixmap(QDir(folder).filePath(found.front()));
}

// One entry of the button-set list: the set's home picture, or the words for text buttons,
// centred in a silver frame.
QIcon buttonSetIcon(const QString& programFolder, int entry)
{
    QPixmap row(150, 40);
    row.fill(Qt::white);
    QPainter painter(&row);
    painter.setPen(QColor(192, 192, 192));
    painter.drawRect(row.rect().adjusted(0, 0, -1, -1));
    if (entry == 0) {
        QFont font = painter.font();
        font.setPointSize(16);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(10, 0, row.width() - 10, row.height()), Qt::AlignVCenter, "TEXT ONLY");
    } else {
        const QString name = entry == 10 ? QStringLiteral("home.gif") : QString::number(entry) + "home.gif";
        const QPixmap picture = buttonSetPicture(programFolder + "NAVBUTS", name);
        if (!picture.isNull()) {
            const QPixmap fitted = picture.scaled(row.size() - QSize(4, 4), Qt::KeepAspectRatio);
            painter.drawPixmap(
                (row.width() - fitted.width()) / 2, (row.height() - fitted.height()) / 2, fitted);
        }
    }
    return QIcon(row);
}

} // namespace

PreferencesDialog::PreferencesDialog(Workspace& workspace, PreferencesPresenter& presenter, QWidget* parent)
    : QDialog(parent)
    , m_workspace(workspace)
    , m_presenter(presenter)
{
    setWindowTitle("Preferences");
    setObjectName("preferences");
    m_pages = new QTabWidget(this);
    m_pages->setUsesScrollButtons(true);
    m_pages->setAccessibleName("Preference pages");

    QFormLayout* form = addPage("&Thumbnail Settings");
    addBox(form, "Thumb Width (Frames Only)", "ThumbWidth");
    addBox(form, "Thumb Height (Frames Only)", "ThumbHeight");
    addBox(form, "Spacing Between Columns", "SpacingCols");
    addBox(form, "Spacing Between Rows", "SpacingRows");
    addBox(form, "Thumbnails Per Row", "ThumbnailsPerRow");
    addBox(form, "Number Rows", "RowsPerPage");
    addCheck(form, "Display a label for the thumbnail", "Label");
    addBox(form, "Thumbnail Label  Height", "LabelHeight");
    addCheck(form, "Put Border Around Thumbnail", "Border");
    addCheck(form, "Maintain Height and Width Ratio", "AspectRatio");
    addCheck(form, "Drop Shadow", "Shadow");
    addCheck(form, "Thumbnail Background", "Backdrop");
    addCheck(form, "Buttonize", "Buttonize");
    addColour(form, "Border Color", "ThumbBorderColor");
    addColour(form, "Background Color", "ThumbBgColor");
    addColour(form, "Label Background Color", "LabelBgColor");
    addColour(form, "Label Font Color", "LabelTextColor");

    form = addPage("&Index Web Page");
    addChoice(form, "Album Title Alignment", "AlbumTitleAlignment");
    addCheck(form, "Display Navigation Buttons on Main Index Page", "DisplayNavigationIndex");
    addCheck(form, "Display Page Numbers", "PageNumbers");
    addCheck(form, "Center Photo Album on web page", "CenterAlbum");
    addChoice(form, "Frames", "FrameAlignment");
    addNote(form, "Border Offsets:");
    addBox(form, "Left", "Left");
    addBox(form, "Top", "Top");
    addBox(form, "Right", "Right");
    addBox(form, "Bottom", "Bottom");
    addNote(form, "Note: these offsets do not need to be adjusted except when creating a new album template");
    addColour(form, "Background Color", "WebBgColor");
    addColour(form, "Album Title Color", "AlbumTitleColor");
    addColour(form, "Custom Links Color", "LinkColor");
    addColour(form, "Template Background Color", "BgColor");

    form = addPage("&Photo Web Page");
    addCheck(form, "Display Photo Title", "DisplayWebTitle");
    addCheck(form, "Display Photo Description", "DisplayWebDesc");
    addChoice(form, "Location of photo description", "WebTitleAlignment");
    addCheck(form, "Put Border around Photo", "PhotoBorder");
    QLineEdit* width = addBox(form, "Border Width", "PhotoBorderWidth");
    width->setMaxLength(20);
    for (const int step : { 1, -1 }) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setToolTip(step > 0 ? "Wider border" : "Narrower border");
        arrow->setAccessibleName(arrow->toolTip());
        arrow->setObjectName(step > 0 ? "PhotoBorderWidthUp" : "PhotoBorderWidthDown");
        connect(arrow, &QToolButton::clicked, this, [this, step] { m_presenter.stepBorderWidth(step); });
        width->parentWidget()->layout()->addWidget(arrow);
    }
    addCheck(form, "Create soft edge around photo - Photo blends into background", "SoftEdge");
    addNote(form, "This feature will override the tiled wallpaper and photo border option (if used)");
    addBox(form, "Custom Prefix for Listbox (ex.Photo)", "PrefixName")->setMaxLength(20);
    addColour(form, "Background Color", "WebPhotoBgColor");
    addColour(form, "Photo Title Color", "WebPhotoTextColor");
    addColour(form, "Photo Border Color", "WebPhotoBorderColor");
    addColour(form, "Long Photo Description", "WebPhotoDescColor");

    form = addPage("&Navigation Buttons");
    addCheck(form, "Display Pull Down List Box", "DisplayListbox");
    addChoice(form, "Location of List Box", "ListboxAlignment");
    addCheck(form, "Display Navigation Buttons", "DisplayNavigationButtons");
    addChoice(form, "Location of navigation buttons", "NavigationButtonsAlignment");
    addButtonSetChooser(form);
    addBox(form, "Index Button Text", "PrefixIndex");
    addBox(form, "Previous Button Text", "PrefixPrev");
    addBox(form, "Next Button Text", "PrefixNext");
    addBox(form, "Home Button Text", "PrefixHome");
    addCheck(form, "Display Home Button ", "HomeButtonEnable");
    addBox(form, "Home URL (e.g. http://www.example.com)", "HomeURL");
    QStringList frames;
    for (const std::string& frame : PreferencesPresenter::choices("HomeButtonFrame"))
        frames.append(QString::fromStdString(frame));
    addOffer(form, "Frame Name", "HomeButtonFrame", frames);

    form = addPage("&Slide Show");
    addCheck(form, "Create Slide Show", "DisplaySlideShow");
    addBox(form, "Refresh Interval in Seconds ", "RefreshRate");
    addNote(form, "(If running on the web - make sure interval is long enough for slow connections)");

    form = addPage("&Index Page Links");
    addBox(form, "First link", "HTMLLink");
    addBox(form, "First link description", "HTMLLinkDesc");
    addCheck(form, "Create new window", "NewWindow1");
    addBox(form, "Second link", "HTMLLink2");
    addBox(form, "Second link description", "HTMLLinkDesc2");
    addCheck(form, "Create new window ", "NewWindow2");

    form = addPage("Style Sheet/&Keywords");
    addCheck(form, "Generate META TAG", "GenerateMetaData");
    addBox(form, "Description for web pages", "MetaDesc");
    addBox(form, "Keywords for web pages (separated by spaces)", "MetaKeywords");
    addChoice(form, "Style Sheet Selection", "StyleSheetType");
    QPushButton* css = addChooserButton(addBox(form, "Style Sheet (*.CSS) from disk", "StyleSheet"), "..");
    css->setObjectName("chooseStyleSheet");
    connect(css, &QPushButton::clicked, this, [this] { m_presenter.chooseStyleSheet(); });
    addBox(form, "Style Sheet (*.CSS) - Specify a URL", "StyleSheetURL");

    form = addPage("Resize Photos");
    addChoice(form, "Resize", "ResizeImageType");
    addBox(form, "Max Photo Width", "NewPhotoWidth");
    addBox(form, "Max Photo Height", "NewPhotoHeight");
    addBox(form, "Photo Scale Percentage", "ResizePercentage");
    addCheck(form, "Enable JPEG Compression", "CompressJPEG");
    addBox(form, "Compression (100=best quality)", "CompressionRatio");
    addCheck(form, "Resample photos - eliminates jagged appearance (can be CPU intensive)", "Resample");

    form = addPage("&Watermark");
    addChoice(form, "Watermark", "WatermarkType");
    addChoice(form, "Orientation", "WatermarkOrientation");
    addBox(form, "Watermark text description", "WatermarkText");
    QPushButton* mark = addChooserButton(
        addBox(form, "Watermark image (white regions will appear transparent) ", "WatermarkImage"), "...");
    mark->setObjectName("chooseWatermarkImage");
    connect(mark, &QPushButton::clicked, this, [this] { m_presenter.chooseWatermarkImage(); });

    form = addPage("&Fonts");
    const char* const sizeCaptions[]
        = { "Thumbnail Label", "Album Title", "Photo Title", "Navigation Buttons", "Photo Long Description",
              "List Box", "Page Number", "Custom Link", "Watermark Text" };
    const auto& sizeFields = PreferencesPresenter::fontSizeFields();
    for (std::size_t i = 0; i < sizeFields.size(); ++i)
        addBox(form, sizeCaptions[i], sizeFields[i].c_str());
    addOffer(form, "Style Sheet - FONT FAMILY", "FontFamily", QFontDatabase::families());
    m_sample = new QLabel("Example Text", this);
    m_sample->setObjectName("fontSample");
    form->addRow(m_sample);
    addNote(form, "Not all fonts are supported on the web");
    addNote(form, "Some reliable fonts for the web are:");
    addNote(form, "Helvetica, Arial, Verdana");

    form = addPage("Miscellaneous");
    addCheck(form, "Fade-In Effect  for Photos", "FadeIn");
    addNote(form, "This effect can only be used with Microsoft Internet Explorer");
    addCheck(form, "Protect images by disabling the right-click button in the browsers using JavaScript.",
        "ProtectImages");
    addChoice(form, "Metadata in published photos", PreferencesPresenter::publishedMetadataField);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ok");
    m_save = buttons->addButton(PreferencesPresenter::templateSaveCaption, QDialogButtonBox::ActionRole);
    m_save->setObjectName("save");
    QPushButton* restore = buttons->addButton("&Restore Defaults", QDialogButtonBox::ResetRole);
    restore->setObjectName("restore");
    for (QPushButton* button : { ok, m_save, restore })
        button->setAutoDefault(false);
    ok->setDefault(true);
    ok->setAccessibleName("OK");
    restore->setAccessibleName("Restore Defaults");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_save, &QPushButton::clicked, this, [this] { m_presenter.save(); });
    connect(restore, &QPushButton::clicked, this, [this] { m_presenter.restore(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    resize(760, 560);

    m_presenterToken = m_presenter.changed().subscribe([this] { redraw(); });
    m_changesToken = m_workspace.changes().subscribe([this] { redraw(); });
    redraw();
}

PreferencesDialog::~PreferencesDialog()
{
    m_presenter.changed().unsubscribe(m_presenterToken);
    m_workspace.changes().unsubscribe(m_changesToken);
}

QString PreferencesDialog::withMnemonic(const QString& caption)
{
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar key = caption[i].toLower();
        if (key.isLetter() && !m_usedKeys.contains(key)) {
            m_usedKeys.append(key);
            return caption.left(i) + '&' + caption.mid(i);
        }
    }
    return caption;
}

QFormLayout* PreferencesDialog::addPage(const QString& caption)
{
    // The keys of the buttons below the pages stay theirs on every page.
    m_usedKeys = QStringLiteral("ors");
    auto* content = new QWidget;
    auto* form = new QFormLayout(content);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    scroll->setAccessibleName(plain(caption));
    m_pages->addTab(scroll, caption);
    m_pageWidgets.insert(plain(caption), scroll);
    return form;
}

QLineEdit* PreferencesDialog::addBox(QFormLayout* form, const QString& caption, const char* name)
{
    auto* row = new QWidget;
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setAccessibleName(plain(caption));
    rowLayout->addWidget(box);
    auto* label = new QLabel(withMnemonic(caption));
    label->setBuddy(box);
    form->addRow(label, row);
    m_boxes.insert(name, box);
    m_boxFields.insert(box, name);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this,
        [this, name](const QString& text) { m_presenter.edit(name, text.toStdString()); });
    return box;
}

QPushButton* PreferencesDialog::addChooserButton(QLineEdit* box, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setAccessibleName(box->accessibleName() + " " + caption);
    button->setToolTip(box->accessibleName());
    box->parentWidget()->layout()->addWidget(button);
    m_rows.insert(box->objectName(), button);
    return button;
}

void PreferencesDialog::addCheck(QFormLayout* form, const QString& caption, const char* name)
{
    auto* check = new QCheckBox(withMnemonic(caption));
    check->setObjectName(name);
    check->setAccessibleName(plain(caption));
    form->addRow(check);
    m_checks.insert(name, check);
    connect(check, &QCheckBox::clicked, this, [this, name](bool on) { m_presenter.setSwitch(name, on); });
}

void PreferencesDialog::addChoice(QFormLayout* form, const QString& caption, const char* name)
{
    auto* group = new QButtonGroup(this);
    auto* row = new QWidget;
    row->setObjectName(name);
    row->setAccessibleName(plain(caption));
    auto* rowLayout = new QVBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    int id = 0;
    for (const std::string& choice : PreferencesPresenter::choices(name)) {
        auto* radio = new QRadioButton(withMnemonic(QString::fromStdString(choice)));
        radio->setAccessibleName(QString::fromStdString(choice));
        group->addButton(radio, id++);
        rowLayout->addWidget(radio);
    }
    form->addRow(new QLabel(caption), row);
    m_choices.insert(name, group);
    connect(
        group, &QButtonGroup::idClicked, this, [this, name](int entry) { m_presenter.choose(name, entry); });
}

void PreferencesDialog::addOffer(
    QFormLayout* form, const QString& caption, const char* name, const QStringList& offers)
{
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setAccessibleName(plain(caption));
    // The typing goes to the box's own edit, which is what a screen reader lands on.
    box->lineEdit()->setAccessibleName(plain(caption));
    // Filled before the box reports its text: the first offer that filling shows is no choice
    // of the person's and must not replace the setting.
    box->addItems(offers);
    auto* label = new QLabel(withMnemonic(caption));
    label->setBuddy(box);
    form->addRow(label, box);
    m_offers.insert(name, box);
    connect(box, &QComboBox::currentTextChanged, this, [this, name, box](const QString& text) {
        if (box->property("redrawing").toBool())
            return;
        m_presenter.edit(name, text.toStdString());
    });
}

void PreferencesDialog::addButtonSetChooser(QFormLayout* form)
{
    auto* box = new QComboBox;
    box->setObjectName("ButtonType");
    box->setAccessibleName("Navigation Buttons");
    box->setIconSize(QSize(150, 40));
    const QString folder = QString::fromStdString(m_workspace.programFolder());
    int entry = 0;
    for (const std::string& set : PreferencesPresenter::choices("ButtonType")) {
        box->addItem(buttonSetIcon(folder, entry), QString::fromStdString(set));
        ++entry;
    }
    auto* label = new QLabel(withMnemonic("Navigation Buttons"));
    label->setBuddy(box);
    form->addRow(label, box);
    m_offers.insert("ButtonType", box);
    connect(box, &QComboBox::activated, this, [this](int index) { m_presenter.choose("ButtonType", index); });
}

void PreferencesDialog::addColour(QFormLayout* form, const QString& caption, const char* name)
{
    auto* button = new QPushButton(withMnemonic(caption) + "...");
    button->setObjectName(name);
    button->setAccessibleName(plain(caption));
    form->addRow(button);
    m_colours.insert(name, button);
    connect(button, &QPushButton::clicked, this, [this, name, caption] {
        // Settings hold colours as blue * 65536 + green * 256 + red.
        const std::int32_t held = m_presenter.value(name);
        const QColor chosen = QColorDialog::getColor(
            QColor(held & 0xFF, (held >> 8) & 0xFF, (held >> 16) & 0xFF), this, plain(caption));
        if (chosen.isValid())
            m_presenter.setColour(name, chosen.red() + chosen.green() * 256 + chosen.blue() * 65536);
    });
}

void PreferencesDialog::addNote(QFormLayout* form, const QString& text)
{
    auto* note = new QLabel(text);
    note->setWordWrap(true);
    form->addRow(note);
}

QWidget* PreferencesDialog::page(const QString& caption) const
{
    return m_pageWidgets.value(plain(caption));
}

bool PreferencesDialog::pageShown(const QString& caption) const
{
    return m_pages->isTabVisible(m_pages->indexOf(page(caption)));
}

bool PreferencesDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && m_boxFields.contains(watched))
        m_presenter.leave(field(m_boxFields.value(watched)));
    return QDialog::eventFilter(watched, event);
}

void PreferencesDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
    std::vector<std::string> installed;
    for (const QString& family : QFontDatabase::families())
        installed.push_back(family.toStdString());
    // A family that the system maps onto a face of its own (Helvetica onto a metric twin)
    // counts as installed; one that only gets the general fallback face does not.
    const QString fallback = QFontInfo(QFont(QStringLiteral("NoSuchFamily"))).family();
    const QString wanted = QString::fromStdString(m_workspace.albumSettings().FontFamily);
    for (const QString& name : wanted.split(',')) {
        const QFontInfo face { QFont(name.trimmed()) };
        if (face.exactMatch() || face.family() != fallback)
            installed.push_back(name.trimmed().toStdString());
    }
    m_presenter.opened(installed);
}

void PreferencesDialog::done(int result)
{
    // Whatever closes the dialog, the settings stay as edited.
    m_presenter.closed();
    QDialog::done(result);
}

void PreferencesDialog::redraw()
{
    const PreferencesView view = m_presenter.view();
    for (auto box = m_boxes.cbegin(); box != m_boxes.cend(); ++box) {
        const QString text = QString::fromStdString(m_presenter.text(field(box.key())));
        if (box.value()->text() != text)
            box.value()->setText(text);
    }
    for (auto check = m_checks.cbegin(); check != m_checks.cend(); ++check)
        check.value()->setChecked(m_presenter.isSet(field(check.key())));
    for (auto group = m_choices.cbegin(); group != m_choices.cend(); ++group) {
        const int chosen = m_presenter.value(field(group.key()));
        if (QAbstractButton* radio = group.value()->button(chosen)) {
            radio->setChecked(true);
        } else if (QAbstractButton* shown = group.value()->checkedButton()) {
            // Nothing chosen: an exclusive group would keep its last choice checked.
            group.value()->setExclusive(false);
            shown->setChecked(false);
            group.value()->setExclusive(true);
        }
    }
    for (auto offer = m_offers.cbegin(); offer != m_offers.cend(); ++offer) {
        QComboBox* box = offer.value();
        box->setProperty("redrawing", true);
        if (offer.key() == "ButtonType")
            box->setCurrentIndex(m_presenter.value("ButtonType"));
        else if (box->currentText() != QString::fromStdString(m_presenter.text(field(offer.key()))))
            box->setCurrentText(QString::fromStdString(m_presenter.text(field(offer.key()))));
        box->setProperty("redrawing", false);
    }
    for (auto colour = m_colours.cbegin(); colour != m_colours.cend(); ++colour) {
        const std::int32_t held = m_presenter.value(field(colour.key()));
        QPixmap swatch(16, 16);
        swatch.fill(QColor(held & 0xFF, (held >> 8) & 0xFF, (held >> 16) & 0xFF));
        colour.value()->setIcon(QIcon(swatch));
    }
    QFont sample = m_sample->font();
    sample.setFamily(QString::fromStdString(m_presenter.text("FontFamily")));
    m_sample->setFont(sample);

    const auto enable = [this](const char* name, bool on) {
        if (QWidget* box = m_boxes.value(name))
            box->setEnabled(on);
        if (QWidget* chooser = m_rows.value(name))
            chooser->setEnabled(on);
        if (QAbstractButton* check = m_checks.value(name))
            check->setEnabled(on);
    };
    for (const char* name : { "ThumbWidth", "ThumbHeight" })
        enable(name, view.thumbSizeEnabled);
    for (const char* name : { "Left", "Top", "Right", "Bottom" })
        enable(name, view.offsetsEnabled);
    enable("LabelHeight", view.labelHeightEnabled);
    enable("NewPhotoWidth", view.photoSizeEnabled);
    enable("NewPhotoHeight", view.photoSizeEnabled);
    enable("ResizePercentage", view.percentageEnabled);
    enable("Resample", view.resampleEnabled);
    enable("CompressionRatio", view.compressionEnabled);
    enable("WatermarkText", view.watermarkTextEnabled);
    enable("WatermarkImage", view.watermarkImageEnabled);
    enable("StyleSheet", view.styleSheetFileEnabled);
    for (const char* name : { "PrefixIndex", "PrefixPrev", "PrefixNext", "PrefixHome" })
        enable(name, view.buttonTextsEnabled);
    m_pages->setTabVisible(m_pages->indexOf(page("&Index Page Links")), view.indexPageLinksShown);
    m_pages->setEnabled(view.enabled);
    m_save->setText(QString::fromStdString(view.saveCaption));
    m_save->setAccessibleName(plain(m_save->text()));
}

} // namespace pictaven
