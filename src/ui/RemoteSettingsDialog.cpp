#include "ui/RemoteSettingsDialog.h"

#include "ui/FormControls.h"
#include "ui/FtpWizardDialog.h"
#include "ui/ProtocolChooser.h"
#include "ui/ProxySettingsDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pictaven {

namespace {

struct FieldRow {
    RemoteField field;
    const char* name;
    const char* caption;
};

const FieldRow fieldRows[] = {
    {RemoteField::Ftp, "ftpHost", "FTP &Host Name"},
    {RemoteField::User, "ftpUser", "FTP &User Id"},
    {RemoteField::Password, "ftpPassword", "FTP Passwo&rd"},
    {RemoteField::KeyFile, "sshKeyFile", "SSH &key file (SFTP, optional)"},
    {RemoteField::FtpHomeDirectory, "ftpHomeDirectory", "FTP user home &directory (use / in most cases)"},
    {RemoteField::HttpHomeDirectory, "httpHomeDirectory", "P&ersonal user home directory on the web"},
    {RemoteField::Www, "webHost", "&Web Host Name"},
};

} // namespace

RemoteSettingsDialog::RemoteSettingsDialog(Workspace& workspace, QWidget* parent)
    : CentredDialog(parent)
    , m_workspace(workspace)
    , m_presenter(workspace)
{
    setMinimumWidth(520);

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    for (const FieldRow& row : fieldRows) {
        QLineEdit* edit = addEditRow(*form, *this, row.name, row.caption, row.field == RemoteField::Password);
        m_fields[static_cast<std::size_t>(row.field)] = edit;
        connect(edit, &QLineEdit::textChanged, this,
                [this, field = row.field](const QString& text) { m_presenter.edit(field, text.toStdString()); });
    }

    QPushButton* load = makeButton(*this, "loadProfile", "&Load Profile..");
    QPushButton* save = makeButton(*this, "saveProfileAs", "&Save Profile As..");
    QPushButton* clear = makeButton(*this, "clear", "&Clear");
    QPushButton* wizard = makeButton(*this, "ftpWizard", "&FTP Wizard");
    QPushButton* proxy = makeButton(*this, "proxySettings", "&Proxy Settings..");
    const ClosingButtons closing = makeClosingButtons(*this, [this] { return m_presenter.accept(); });

    auto* buttons = new QGridLayout;
    buttons->addWidget(load, 0, 0);
    buttons->addWidget(save, 0, 1);
    buttons->addWidget(clear, 0, 2);
    buttons->addWidget(wizard, 1, 0);
    buttons->addWidget(proxy, 1, 1);
    // How the server is reached sits with the other connection settings, the wizard and proxy.
    auto* protocolRow = new QFormLayout;
    m_protocol =
        addProtocolRow(*protocolRow, *this, [this](RemoteProtocol chosen) { m_presenter.chooseProtocol(chosen); });
    buttons->addLayout(protocolRow, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addStretch();
    layout->addLayout(closing.row);

    QWidget* previous = m_fields.back();
    const std::initializer_list<QWidget*> chain = {load, save, clear, wizard, proxy, m_protocol, closing.ok, closing.cancel};
    for (QWidget* next : chain) {
        setTabOrder(previous, next);
        previous = next;
    }

    connect(load, &QPushButton::clicked, this, [this] { m_presenter.loadProfile(); });
    connect(save, &QPushButton::clicked, this, [this] { m_presenter.saveProfileAs(); });
    connect(clear, &QPushButton::clicked, this, [this] { m_presenter.clear(); });
    connect(wizard, &QPushButton::clicked, this, &RemoteSettingsDialog::openWizard);
    connect(proxy, &QPushButton::clicked, this, &RemoteSettingsDialog::openProxySettings);

    m_token = m_presenter.changed().subscribe([this] { redraw(); });
    redraw();
}

RemoteSettingsDialog::~RemoteSettingsDialog()
{
    m_presenter.changed().unsubscribe(m_token);
}

void RemoteSettingsDialog::openWizard()
{
    FtpWizardDialog wizard(m_workspace, this);
    if (wizard.exec() == QDialog::Accepted)
        m_presenter.applyWizard(wizard.presenter().wizard());
}

void RemoteSettingsDialog::openProxySettings()
{
    ProxySettingsDialog proxy(m_workspace, this);
    proxy.exec();
}

void RemoteSettingsDialog::redraw()
{
    const RemoteSettingsView view = m_presenter.view();
    setWindowTitle(QString::fromStdString(view.caption));
    const std::string* texts[] = {&view.fields.ftp,
                                  &view.fields.user,
                                  &view.fields.password,
                                  &view.fields.keyFile,
                                  &view.fields.ftpHomeDirectory,
                                  &view.fields.httpHomeDirectory,
                                  &view.fields.www};
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        showText(*m_fields[i], *texts[i]);
    showProtocol(*m_protocol, view.fields.protocol);
    // Only SSH logs in with a key file.
    m_fields[static_cast<std::size_t>(RemoteField::KeyFile)]->setEnabled(view.fields.protocol == RemoteProtocol::Sftp);
}

} // namespace pictaven
