#include "ui/ProxySettingsDialog.h"

#include "ui/FormControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pictaven {

ProxySettingsDialog::ProxySettingsDialog(Workspace& workspace, QWidget* parent)
    : CentredDialog(parent)
    , m_presenter(workspace)
    , m_enable(new QCheckBox("&Enable Firewall Authentication", this))
    , m_firewallType(new QComboBox(this))
    , m_passive(new QCheckBox("Passive &Mode (normally used with firewall)", this))
{
    setWindowTitle(title);
    setMinimumWidth(360);

    m_enable->setObjectName("enableFirewall");
    m_enable->setAccessibleName(plainCaption(m_enable->text()));
    m_passive->setObjectName("passiveMode");
    m_passive->setAccessibleName(plainCaption(m_passive->text()));

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    auto addEdit = [&](const char* name, const char* caption, ProxyField field, bool masked = false) {
        QLineEdit* edit = addEditRow(*form, *this, name, caption, masked);
        connect(edit, &QLineEdit::textChanged, this,
                [this, field](const QString& text) { m_presenter.edit(field, text.toStdString()); });
        return edit;
    };
    m_proxyName = addEdit("proxyName", "Proxy &Name", ProxyField::ProxyName);
    m_proxyPort = addEdit("proxyPort", "Proxy P&ort", ProxyField::ProxyPort);
    auto* typeLabel = new QLabel("Firewall &Type", this);
    typeLabel->setBuddy(m_firewallType);
    m_firewallType->setObjectName("firewallType");
    m_firewallType->setAccessibleName("Firewall Type");
    for (const char* type : ProxySettingsForm::firewallTypes)
        m_firewallType->addItem(type);
    form->addRow(typeLabel, m_firewallType);
    m_firewallUser = addEdit("firewallUser", "Firewall &User Id", ProxyField::FirewallUser);
    m_firewallPassword = addEdit("firewallPassword", "Firewall Pass&word", ProxyField::FirewallPassword, true);

    const ClosingButtons closing = makeClosingButtons(*this, [this] { return m_presenter.accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enable);
    layout->addLayout(form);
    layout->addWidget(m_passive);
    layout->addStretch();
    layout->addLayout(closing.row);
    setTabOrder(m_enable, m_proxyName);
    setTabOrder(m_proxyName, m_proxyPort);
    setTabOrder(m_proxyPort, m_firewallType);
    setTabOrder(m_firewallType, m_firewallUser);
    setTabOrder(m_firewallUser, m_firewallPassword);
    setTabOrder(m_firewallPassword, m_passive);
    setTabOrder(m_passive, closing.ok);
    setTabOrder(closing.ok, closing.cancel);

    connect(m_enable, &QCheckBox::toggled, this, [this](bool on) { m_presenter.setEnableFirewall(on); });
    connect(m_passive, &QCheckBox::toggled, this, [this](bool on) { m_presenter.setPassiveMode(on); });
    connect(m_firewallType, &QComboBox::activated, this, [this](int index) { m_presenter.chooseFirewallType(index); });

    m_token = m_presenter.changed().subscribe([this] { redraw(); });
    redraw();
}

ProxySettingsDialog::~ProxySettingsDialog()
{
    m_presenter.changed().unsubscribe(m_token);
}

void ProxySettingsDialog::redraw()
{
    const ProxySettingsView view = m_presenter.view();
    m_enable->setChecked(view.enableFirewall);
    showText(*m_proxyName, view.proxyName);
    showText(*m_proxyPort, view.proxyPort);
    m_firewallType->setCurrentIndex(view.firewallType);
    showText(*m_firewallUser, view.firewallUser);
    showText(*m_firewallPassword, view.firewallPassword);
    m_passive->setChecked(view.passiveMode);
    for (QWidget* field : {static_cast<QWidget*>(m_proxyName), static_cast<QWidget*>(m_proxyPort),
                           static_cast<QWidget*>(m_firewallType), static_cast<QWidget*>(m_firewallUser),
                           static_cast<QWidget*>(m_firewallPassword)})
        field->setEnabled(view.proxyFieldsEnabled);
}

} // namespace pictaven
