#include "ui/PercentBar.h"

#include "ui/AccessibleInterfaces.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <algorithm>

namespace pictaven {

namespace {

class AccessiblePercentBar : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessiblePercentBar(PercentBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Value)
            return QString("%1 %").arg(bar()->percent());
        return QAccessibleWidget::text(which);
    }

    QVariant currentValue() const override { return bar()->percent(); }
    // Only the work moves the bar.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    PercentBar* bar() const { return static_cast<PercentBar*>(widget()); }
};

} // namespace

PercentBar::PercentBar(QWidget* parent)
    : QProgressBar(parent)
{
    useAccessibleInterface<PercentBar, AccessiblePercentBar>();
    connect(this, &QProgressBar::valueChanged, this, [this] {
        QAccessibleValueChangeEvent change(this, percent());
        QAccessible::updateAccessibility(&change);
    });
}

int PercentBar::percent() const
{
    const qint64 span = qint64(maximum()) - minimum();
    if (span <= 0)
        return 0;
    // A reset bar stands below its minimum.
    const qint64 done = std::clamp<qint64>(qint64(value()) - minimum(), 0, span);
    return int(done * 100 / span);
}

} // namespace pictaven
