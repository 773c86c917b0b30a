#include "ui/StepPanel.h"

#include "ui/ResourcePicture.h"
#include "ui/WindowColours.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace pictaven {

StepPanel::StepPanel(int step, const std::string& picturePath, QWidget* parent)
    : QFrame(parent)
    , m_step(step)
    , m_caption(new QLabel(QString::fromStdString(StepNavigator::caption(step)), this))
    , m_picture(new QLabel(this))
{
    setObjectName(QString("stepPanel%1").arg(step));
    setAccessibleName(m_caption->text());
    setFocusPolicy(Qt::TabFocus);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, WindowColours::controls);
    setPalette(colours);
    setLineWidth(2);

    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_caption->setAlignment(Qt::AlignCenter);

    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumSize(48, 48);
    m_picture->setAccessibleName(m_caption->text());
    m_picture->setMouseTracking(true);
    const QPixmap pixmap = resourcePixmap(picturePath, devicePixelRatioF());
    if (!pixmap.isNull())
        m_picture->setPixmap(pixmap);

    m_caption->installEventFilter(this);
    m_picture->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_picture, 1);
    setHighlighted(false);
}

void StepPanel::setHighlighted(bool highlighted)
{
    setFrameShape(highlighted ? QFrame::Panel : QFrame::NoFrame);
    setFrameShadow(highlighted ? QFrame::Raised : QFrame::Plain);
    QPalette colours = m_caption->palette();
    colours.setColor(QPalette::WindowText, highlighted ? QColor(Qt::white) : WindowColours::stepCaption);
    m_caption->setPalette(colours);
}

bool StepPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit clicked(m_step, watched == m_picture ? StepClick::Picture : StepClick::Caption);
        return true;
    }
    if (watched == m_picture && (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove))
        emit pictureEntered(m_step);
    return QFrame::eventFilter(watched, event);
}

void StepPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(m_step, StepClick::Panel);
    QFrame::mouseReleaseEvent(event);
}

void StepPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked(m_step, StepClick::Panel);
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace pictaven
