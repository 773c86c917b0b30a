#include "ui/FormControls.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace pictaven {

QString plainCaption(const QString& caption)
{
    QString plain = caption;
    return plain.remove('&');
}

QLineEdit* addEditRow(QFormLayout& form, QWidget& parent, const char* name, const QString& caption, bool masked)
{
    auto* label = new QLabel(caption, &parent);
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

ClosingButtons makeClosingButtons(QDialog& dialog, std::function<bool()> accept)
{
    ClosingButtons buttons{new QHBoxLayout, makeButton(dialog, "ok", "OK"), makeButton(dialog, "cancel", "Cancel")};
    buttons.ok->setDefault(true);
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.ok);
    buttons.row->addWidget(buttons.cancel);
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, [&dialog, accept = std::move(accept)] {
        if (accept())
            dialog.accept();
    });
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

void showText(QLineEdit& box, const std::string& text)
{
    const QString wanted = QString::fromStdString(text);
    if (box.text() == wanted)
        return;
    // The box reports only the person's edits, typed or set through assistive technology.
    const QSignalBlocker quiet(&box);
    box.setText(wanted);
}

} // namespace pictaven
