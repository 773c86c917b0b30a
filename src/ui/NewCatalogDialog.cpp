#include "ui/NewCatalogDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace pictaven {

NewCatalogDialog::NewCatalogDialog(QWidget* parent)
    : QDialog(parent)
    , m_name(new QLineEdit(this))
{
    setWindowTitle("New Catalog");
    setModal(true);
    auto* label = new QLabel("Catalog &Name", this);
    label->setBuddy(m_name);
    m_name->setAccessibleName("Catalog Name");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &NewCatalogDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NewCatalogDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(label, m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

std::optional<std::string> NewCatalogDialog::askName()
{
    adjustSize();
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    m_name->selectAll();
    m_name->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_name->text().toStdString();
}

void NewCatalogDialog::clearName()
{
    m_name->clear();
}

void NewCatalogDialog::accept()
{
    if (m_name->text().isEmpty())
        return;
    QDialog::accept();
}

} // namespace pictaven
