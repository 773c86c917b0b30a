#include "ui/StepPanel.h"

#include "ui/AccessibleInterfaces.h"

#include "ui/ResourcePicture.h"
#include "ui/WindowColours.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace pictaven {

namespace {

class AccessibleStepPanel : public QAccessibleWidget {
public:
    explicit AccessibleStepPanel(StepPanel* panel)
        : QAccessibleWidget(panel, QAccessible::PageTab)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = panel()->highlighted();
        return state;
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction())
            panel()->press();
        else
            QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override
    {
        if (actionName == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

private:
    StepPanel* panel() const { return static_cast<StepPanel*>(widget()); }
};

} // namespace

StepPanel::StepPanel(int step, const std::string& picturePath, QWidget* parent)
    : QFrame(parent)
    , m_step(step)
    , m_caption(new QLabel(QString::fromStdString(StepNavigator::caption(step)), this))
    , m_picture(new QLabel(this))
{
    useAccessibleInterface<StepPanel, AccessibleStepPanel>();
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
    if (highlighted != m_highlighted) {
        m_highlighted = highlighted;
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
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

void StepPanel::press()
{
    emit clicked(m_step, StepClick::Panel);
}

void StepPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        press();
    QFrame::mouseReleaseEvent(event);
}

void StepPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        press();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace pictaven
