#include "ui/ColourPreviewerDialog.h"

#include "imaging/ColourContrast.h"
#include "ui/CentredDialog.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace pictaven {

namespace {

// Enough for text of any size.
constexpr double minimumLegendContrast = 4.5;

QColor toQColor(std::int32_t value)
{
    const Colour colour = Colour::fromSettings(static_cast<std::uint32_t>(value));
    return QColor(colour.red, colour.green, colour.blue);
}

QPixmap toPixmap(const Bitmap& bitmap)
{
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const Colour c = bitmap.pixel(x, y);
            image.setPixel(x, y, qRgb(c.red, c.green, c.blue));
        }
    return QPixmap::fromImage(image);
}

// The legend shows each text colour on its album background when that keeps it readable, else on
// black or white, whichever does: the album's own colours may hide it (the basic album puts white
// titles on a white page).
void paintLabel(QLabel& label, std::int32_t text, std::optional<std::int32_t> background)
{
    const Colour textColour = Colour::fromSettings(static_cast<std::uint32_t>(text));
    Colour backdrop = readableBackdrop(textColour);
    if (background) {
        const Colour album = Colour::fromSettings(static_cast<std::uint32_t>(*background));
        if (contrastRatio(textColour, album) >= minimumLegendContrast)
            backdrop = album;
    }
    QPalette colours = label.palette();
    colours.setColor(QPalette::WindowText, toQColor(text));
    colours.setColor(QPalette::Window, QColor(backdrop.red, backdrop.green, backdrop.blue));
    label.setPalette(colours);
    label.setAutoFillBackground(true);
}

} // namespace

ColourPreviewerDialog::ColourPreviewerDialog(Workspace& workspace, QWidget* parent)
    : QDialog(parent)
    , m_presenter(workspace)
    , m_pages(new QTabWidget(this))
    , m_sample(new QLabel(this))
    , m_albumTitle(new QLabel("Album Title", this))
    , m_thumbnail(new QLabel("Thumbnail", this))
    , m_links(new QLabel("Links", this))
{
    setWindowTitle("Preview Album");
    setModal(true);
    m_pages->setObjectName("colourPages");
    m_pages->setAccessibleName("Colour pages");
    // All four page tabs stay in view; the dialog grows to fit them.
    m_pages->setUsesScrollButtons(false);
    m_sample->setObjectName("sample");
    m_albumTitle->setObjectName("albumTitleSample");
    m_thumbnail->setObjectName("thumbnailSample");
    m_links->setObjectName("linksSample");

    std::array<QVBoxLayout*, 4> pageLayouts{};
    for (std::size_t p = 0; p < pageLayouts.size(); ++p) {
        auto* page = new QWidget(m_pages);
        pageLayouts[p] = new QVBoxLayout(page);
        m_pages->addTab(page, ColourPreviewerPresenter::pages[p]);
    }
    for (std::size_t i = 0; i < colourSwatchCount; ++i) {
        const ColourSwatch& swatch = m_presenter.view().swatches[i];
        std::size_t p = 0;
        while (QString(ColourPreviewerPresenter::pages[p]) != swatch.page)
            ++p;
        auto* button = new QPushButton(swatch.caption, this);
        button->setObjectName(QString("swatch%1").arg(i));
        button->setAccessibleName(swatch.caption);
        pageLayouts[p]->addWidget(button);
        m_swatches[i] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { chooseColour(i); });
    }
    pageLayouts[3]->addWidget(new QLabel(ColourPreviewerPresenter::photoPageNote, this));
    for (QVBoxLayout* layout : pageLayouts)
        layout->addStretch();
    m_pages->setCurrentIndex(1);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancel");
    cancel->setAccessibleName("Cancel");
    auto* save = new QPushButton("&Save Album Preferences", this);
    save->setObjectName("saveAlbumPreferences");
    save->setAccessibleName("Save Album Preferences");

    auto* labels = new QVBoxLayout;
    labels->addWidget(m_albumTitle);
    labels->addWidget(m_thumbnail);
    labels->addWidget(m_links);
    labels->addStretch();
    auto* preview = new QHBoxLayout;
    preview->addWidget(m_pages, 1);
    preview->addWidget(m_sample);
    preview->addLayout(labels);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(preview);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        m_presenter.accept();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(save, &QPushButton::clicked, this, [this] {
        m_presenter.saveAlbumPreferences();
        accept();
    });
}

int ColourPreviewerDialog::exec()
{
    m_presenter.open();
    showView();
    centreOnScreen(*this);
    return QDialog::exec();
}

void ColourPreviewerDialog::chooseColour(std::size_t swatch)
{
    const ColourSwatch& current = m_presenter.view().swatches[swatch];
    const QColor chosen = QColorDialog::getColor(toQColor(current.colour), this, current.caption);
    std::optional<std::int32_t> value;
    if (chosen.isValid())
        value = static_cast<std::int32_t>(Colour{static_cast<std::uint8_t>(chosen.blue()),
                                                 static_cast<std::uint8_t>(chosen.green()),
                                                 static_cast<std::uint8_t>(chosen.red())}
                                              .toSettings());
    m_presenter.chooseColour(swatch, value);
    showView();
}

void ColourPreviewerDialog::showView()
{
    const ColourPreviewerView& view = m_presenter.view();
    for (std::size_t i = 0; i < colourSwatchCount; ++i)
        m_swatches[i]->setStyleSheet("border-left: 16px solid " + toQColor(view.swatches[i].colour).name() + ";");
    m_sample->setPixmap(toPixmap(view.sample));
    paintLabel(*m_albumTitle, view.albumTitleText, view.albumTitleBackground);
    paintLabel(*m_thumbnail, view.thumbnailText, std::nullopt);
    paintLabel(*m_links, view.linksText, std::nullopt);
}

} // namespace pictaven
