#include "ui/JpegCompressionDialog.h"

#include "ui/CentredDialog.h"
#include "ui/FormControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace pictaven {

namespace {

QSlider* qualitySlider(QWidget* parent, const char* name, const QString& caption)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setAccessibleName(QString(caption).remove('&'));
    slider->setRange(0, 100);
    slider->setPageStep(10);
    return slider;
}

} // namespace

JpegCompressionDialog::JpegCompressionDialog(Workspace& workspace, QWidget* parent)
    : QDialog(parent)
    , m_presenter(workspace)
{
    setWindowTitle("Compression Settings");
    setModal(true);
    const QString albumCaption = "Set Compression Level of &Graphical Photo Albums";
    const QString photoCaption = "Set Compression Level for &Photos converted to JPEG";
    m_albumPictures = qualitySlider(this, "tbCompression", albumCaption);
    m_convertedPhotos = qualitySlider(this, "tbImageCompression", photoCaption);
    m_albumPicturesLabel = new QLabel(this);
    m_albumPicturesLabel->setObjectName("compressionValue");
    m_convertedPhotosLabel = new QLabel(this);
    m_convertedPhotosLabel->setObjectName("imageCompressionValue");
    auto* albumLabel = new QLabel(albumCaption, this);
    albumLabel->setBuddy(m_albumPictures);
    auto* photoLabel = new QLabel(photoCaption, this);
    photoLabel->setBuddy(m_convertedPhotos);

    auto* grid = new QGridLayout;
    grid->addWidget(albumLabel, 0, 0, 1, 2);
    grid->addWidget(m_albumPictures, 1, 0);
    grid->addWidget(m_albumPicturesLabel, 1, 1);
    grid->addWidget(photoLabel, 2, 0, 1, 2);
    grid->addWidget(m_convertedPhotos, 3, 0);
    grid->addWidget(m_convertedPhotosLabel, 3, 1);
    grid->setColumnStretch(0, 1);

    const ClosingButtons buttons = makeClosingButtons(*this, [this] {
        m_presenter.accept();
        return true;
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel("More compression settings can be found in the Configuration Section", this));
    layout->addLayout(buttons.row);
    setMinimumWidth(420);

    connect(m_albumPictures, &QSlider::valueChanged, this, [this](int value) {
        m_presenter.setAlbumPictures(value);
        showView();
    });
    connect(m_convertedPhotos, &QSlider::valueChanged, this, [this](int value) {
        m_presenter.setConvertedPhotos(value);
        showView();
    });
}

int JpegCompressionDialog::exec()
{
    m_presenter.open();
    showView();
    centreOnScreen(*this);
    return QDialog::exec();
}

void JpegCompressionDialog::showView()
{
    const JpegCompressionView& view = m_presenter.view();
    const QSignalBlocker albumBlocker(m_albumPictures);
    const QSignalBlocker photoBlocker(m_convertedPhotos);
    m_albumPictures->setValue(view.albumPictures);
    m_convertedPhotos->setValue(view.convertedPhotos);
    m_albumPicturesLabel->setText(QString::fromStdString(view.albumPicturesLabel));
    m_convertedPhotosLabel->setText(QString::fromStdString(view.convertedPhotosLabel));
}

} // namespace pictaven
