#include "ui/StatusLine.h"

#include "ui/AccessibleInterfaces.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pictaven {

namespace {

// The line's text is read-only: there is no cursor and nothing can be selected.
class AccessibleStatusLine : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleStatusLine(StatusLine* line)
        : QAccessibleWidget(line, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        if (which == QAccessible::Description)
            return lineText();
        return QAccessibleWidget::text(which);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        return lineText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(lineText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = offset;
        *endOffset = offset;
        return {};
    }

private:
    QString lineText() const { return static_cast<const QLabel*>(widget())->text(); }
};

} // namespace

StatusLine::StatusLine(const QString& accessibleName, QWidget* parent)
    : QLabel(parent)
{
    useAccessibleInterface<StatusLine, AccessibleStatusLine>();
    setTextFormat(Qt::PlainText);
    setAccessibleName(accessibleName);
}

void StatusLine::setText(const QString& text)
{
    const QString old = QLabel::text();
    if (text == old)
        return;
    QLabel::setText(text);
    QAccessibleTextUpdateEvent update(this, 0, old, text);
    QAccessible::updateAccessibility(&update);
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

} // namespace pictaven
