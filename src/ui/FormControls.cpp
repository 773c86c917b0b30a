#include "ui/FormControls.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pictaven {

QString plainCaption(const QString& caption)
{
    QString plain = caption;
    return plain.remove('&');
}

QLineEdit* addEditRow(QFormLayout& form, QWidget& parent, const char* name, const QString& caption, bool masked)
{
    auto* label = new QLabel(caption, &parent);
    label->setWordWrap(true);
    auto* edit = new QLineEdit(&parent);
    edit->setObjectName(name);
    edit->setAccessibleName(plainCaption(caption));
    if (masked)
        edit->setEchoMode(QLineEdit::Password);
    label->setBuddy(edit);
    form.addRow(label, edit);
    return edit;
}

QPushButton* makeButton(QWidget& parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, &parent);
    button->setObjectName(name);
    button->setAccessibleName(plainCaption(caption));
    return button;
}

void showText(QLineEdit& box, const std::string& text)
{
    const QString wanted = QString::fromStdString(text);
    if (box.text() != wanted)
        box.setText(wanted);
}

} // namespace pictaven
