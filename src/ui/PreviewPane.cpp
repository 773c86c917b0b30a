#include "ui/PreviewPane.h"

#include "session/Step1Presenter.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace pictaven {

namespace {

QPixmap pixmapOf(const Bitmap& bitmap)
{
    if (bitmap.empty())
        return {};
    const Bitmap packed = bitmap.withDepth(24);
    const QImage image(packed.data(), packed.width(), packed.height(),
        static_cast<qsizetype>(packed.stride()), QImage::Format_BGR888);
    // fromImage copies the pixels, so `packed` may go.
    return QPixmap::fromImage(image);
}

} // namespace

PreviewPane::PreviewPane(QWidget* parent)
    : QWidget(parent)
    , m_picture(new QLabel(this))
    , m_size(new StatusLine("File size", this))
    , m_dimension(new StatusLine("Picture size", this))
    , m_message(new StatusLine("Preview message", this))
{
    m_picture->setObjectName("previewPicture");
    m_picture->setAccessibleName("Preview");
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_size->setObjectName("previewSize");
    m_dimension->setObjectName("previewDimension");
    m_message->setObjectName("previewMessage");
    m_message->setWordWrap(true);
    m_size->hide();
    m_dimension->hide();
    m_message->hide();

    auto* labels = new QHBoxLayout;
    labels->addWidget(m_size);
    labels->addStretch(1);
    labels->addWidget(m_dimension);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture, 0, Qt::AlignHCenter);
    layout->addLayout(labels);
    layout->addWidget(m_message);
}

void PreviewPane::showPreview(const Step1PreviewView& preview)
{
    m_size->setVisible(preview.labelsVisible);
    m_dimension->setVisible(preview.labelsVisible);
    if (!preview.picture || (preview.request == m_shownRequest && preview.current == m_shownCurrent))
        return;
    m_shownRequest = preview.request;
    m_shownCurrent = preview.current;
    const PreviewPicture& shown = *preview.picture;
    m_picture->setFixedSize(shown.fit.controlWidth, shown.fit.controlHeight);
    m_picture->setPixmap(pixmapOf(shown.picture));
    m_size->setText(QString::fromStdString(shown.sizeText));
    m_dimension->setText(QString::fromStdString(shown.dimensionText));
    const QString hint = QString::fromStdString(shown.hint).replace("\r\n", "\n");
    m_picture->setToolTip(hint);
    m_picture->setAccessibleDescription(hint);
    m_message->setText(QString::fromStdString(shown.failure));
    m_message->setVisible(!shown.failure.empty());
}

} // namespace pictaven
