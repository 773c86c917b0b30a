#include "ui/GraphicFormatsDialog.h"

#include "ui/CentredDialog.h"
#include "ui/FormControls.h"
#include "ui/TabChain.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pictaven {

GraphicFormatsDialog::GraphicFormatsDialog(Workspace& workspace, QWidget* parent)
    : QDialog(parent)
    , m_presenter(workspace)
{
    setWindowTitle("Select the Graphic Formats ");
    setModal(true);
    auto* web = new QGroupBox("The following formats are valid for HTML Documents", this);
    auto* converted = new QGroupBox("The following formats will be converted to JPEG in the Output Folder", this);
    auto* videos = new QGroupBox("The following videos are published as MP4, shown by a picture from the clip", this);
    auto* webLayout = new QVBoxLayout(web);
    auto* convertedLayout = new QGridLayout(converted);
    auto* videoLayout = new QVBoxLayout(videos);
    std::size_t convertedCount = 0;
    for (std::size_t i = 0; i < PictureFormatCount; ++i) {
        const QString caption = PictureFormats[i].caption;
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QString("format%1").arg(i));
        box->setAccessibleName(caption);
        m_formats[i] = box;
        if (PictureFormats[i].web) {
            webLayout->addWidget(box);
        } else if (isVideoFormat(PictureFormats[i])) {
            videoLayout->addWidget(box);
        } else {
            convertedLayout->addWidget(box, static_cast<int>(convertedCount / 2), static_cast<int>(convertedCount % 2));
            ++convertedCount;
        }
    }

    m_skipSmall = new QCheckBox("Ignore files &less than", this);
    m_skipSmall->setObjectName("skipSmallFiles");
    m_skipSmall->setAccessibleName("Ignore files less than");
    m_skipLarge = new QCheckBox("Ignore files &greater than", this);
    m_skipLarge->setObjectName("skipLargeFiles");
    m_skipLarge->setAccessibleName("Ignore files greater than");
    m_smallSize = new QLineEdit(this);
    m_smallSize->setObjectName("edSmallFileSize");
    m_smallSize->setAccessibleName("Ignore files less than, KB");
    m_largeSize = new QLineEdit(this);
    m_largeSize->setObjectName("edLargeFileSize");
    m_largeSize->setAccessibleName("Ignore files greater than, KB");
    auto* sizes = new QGridLayout;
    sizes->addWidget(m_skipSmall, 0, 0);
    sizes->addWidget(m_smallSize, 0, 1);
    sizes->addWidget(new QLabel("KB", this), 0, 2);
    sizes->addWidget(m_skipLarge, 1, 0);
    sizes->addWidget(m_largeSize, 1, 1);
    sizes->addWidget(new QLabel("KB", this), 1, 2);

    const ClosingButtons buttons = makeClosingButtons(*this, [this] {
        takeBoxes();
        m_presenter.accept();
        showView();
        return true;
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(web);
    layout->addWidget(converted);
    layout->addWidget(videos);
    layout->addLayout(sizes);
    layout->addLayout(buttons.row);

    // The web formats first, then the converted ones and videos in list order, then the size
    // limits.
    QList<QWidget*> tabOrder;
    for (QCheckBox* format : m_formats)
        tabOrder.append(format);
    tabOrder << m_skipSmall << m_smallSize << m_skipLarge << m_largeSize << buttons.ok << buttons.cancel;
    chainTabOrder(tabOrder);
    showView();
}

int GraphicFormatsDialog::exec()
{
    // The boxes keep what was ticked before a Cancel; stored values then replace theirs.
    takeBoxes();
    m_presenter.open();
    showView();
    centreOnScreen(*this);
    return QDialog::exec();
}

void GraphicFormatsDialog::takeBoxes()
{
    for (std::size_t i = 0; i < PictureFormatCount; ++i)
        m_presenter.setFormat(i, m_formats[i]->isChecked());
    m_presenter.setSkipSmallFiles(m_skipSmall->isChecked());
    m_presenter.setSkipLargeFiles(m_skipLarge->isChecked());
    m_presenter.setSmallFileSize(m_smallSize->text().toStdString());
    m_presenter.setLargeFileSize(m_largeSize->text().toStdString());
}

void GraphicFormatsDialog::showView()
{
    const GraphicFormatsView& view = m_presenter.view();
    for (std::size_t i = 0; i < PictureFormatCount; ++i)
        m_formats[i]->setChecked(view.formats.isSet(i));
    m_skipSmall->setChecked(view.skipSmallFiles);
    m_skipLarge->setChecked(view.skipLargeFiles);
    m_smallSize->setText(QString::fromStdString(view.smallFileSize));
    m_largeSize->setText(QString::fromStdString(view.largeFileSize));
}

} // namespace pictaven
