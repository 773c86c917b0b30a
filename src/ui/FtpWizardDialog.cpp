#include "ui/FtpWizardDialog.h"

#include "ui/FormControls.h"
#include "ui/ProtocolChooser.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace pictaven {

namespace {

// A list of preset lines under its label, which names it for screen readers.
QListWidget* addPresetList(QVBoxLayout& layout, QWidget& page, const char* name, const QString& caption,
                           const std::array<const char*, FtpWizard::presetCount>& lines)
{
    auto* label = new QLabel(caption, &page);
    auto* list = new QListWidget(&page);
    list->setObjectName(name);
    list->setAccessibleName(plainCaption(caption));
    for (const char* line : lines)
        list->addItem(line);
    label->setBuddy(list);
    layout.addWidget(label);
    layout.addWidget(list, 1);
    return list;
}

void showSelection(QListWidget& list, int row)
{
    if (list.currentRow() == row)
        return;
    const QSignalBlocker quiet(list);
    list.setCurrentRow(row);
    if (row < 0)
        list.clearSelection();
}

} // namespace

FtpWizardDialog::FtpWizardDialog(Workspace& workspace, QWidget* parent)
    : CentredDialog(parent)
    , m_presenter(workspace, m_runner)
    , m_pages(new QStackedWidget(this))
    , m_previous(new QPushButton("<== Previous", this))
    , m_next(new QPushButton(this))
{
    setWindowTitle(title);
    setMinimumSize(460, 420);
    resize(520, 480);

    m_pages->addWidget(makeFtpPage());
    m_pages->addWidget(makeAccountPage());
    m_pages->addWidget(makeWebPage());
    for (const WizardField field : {WizardField::FtpAddress, WizardField::UserName, WizardField::Password,
                                    WizardField::SubFolder, WizardField::WebAddress, WizardField::PersonalDirectory})
        connect(edit(field), &QLineEdit::textChanged, this,
                [this, field](const QString& text) { m_presenter.edit(field, text.toStdString()); });

    m_previous->setObjectName("previous");
    m_previous->setAccessibleName("Previous");
    m_next->setObjectName("next");
    m_next->setDefault(true);
    QPushButton* cancel = makeButton(*this, "cancel", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    setTabOrder(m_personalDirectory, m_previous);
    setTabOrder(m_previous, m_next);
    setTabOrder(m_next, cancel);

    connect(m_previous, &QPushButton::clicked, this, [this] { m_presenter.previous(); });
    connect(m_next, &QPushButton::clicked, this, &FtpWizardDialog::next);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_token = m_presenter.changed().subscribe([this] { redraw(); });
    redraw();
    m_ftpAddress->setFocus();
}

FtpWizardDialog::~FtpWizardDialog()
{
    m_presenter.changed().unsubscribe(m_token);
}

QWidget* FtpWizardDialog::makeFtpPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout;
    m_ftpAddress = addEditRow(*form, *page, "ftpAddress", "&FTP Address");
    m_protocol =
        addProtocolRow(*form, *page, [this](RemoteProtocol chosen) { m_presenter.chooseProtocol(chosen); });
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    m_ftpPresets = addPresetList(*layout, *page, "ftpPresets", "Internet &Providers", FtpWizard::ftpPresets);
    connect(m_ftpPresets, &QListWidget::currentRowChanged, this,
            [this](int row) { m_presenter.chooseFtpPreset(static_cast<std::size_t>(row)); });
    return page;
}

QWidget* FtpWizardDialog::makeAccountPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    m_userName = addEditRow(*form, *page, "userName", "Enter your FTP &UserName*");
    m_password = addEditRow(*form, *page, "password", "Enter your FTP Pass&word*", true);
    auto* note = new QLabel("* The username and password may be case-sensitive", page);

    m_test = makeButton(*page, "testConnection", "&Test Connection");
    m_stopTest = makeButton(*page, "stopTest", "&Stop Test");
    m_result = new QLabel(page);
    m_result->setObjectName("connectionResult");
    m_result->setAccessibleName("Connection result");
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(m_test);
    testRow->addWidget(m_stopTest);
    testRow->addStretch();

    auto* folderForm = new QFormLayout;
    folderForm->setRowWrapPolicy(QFormLayout::WrapAllRows);
    m_subFolder = addEditRow(*folderForm, *page, "subFolder",
                             "&Enter this directory only if your ISP requires such a subdirectory.");

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(testRow);
    layout->addWidget(m_result);
    layout->addLayout(folderForm);
    layout->addStretch();

    connect(m_test, &QPushButton::clicked, this, [this] { m_presenter.testConnection(); });
    connect(m_stopTest, &QPushButton::clicked, this, [this] { m_presenter.cancelTest(); });
    return page;
}

QWidget* FtpWizardDialog::makeWebPage()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout;
    m_webAddress = addEditRow(*form, *page, "webAddress", "&Web Address");
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    m_webPresets = addPresetList(*layout, *page, "webPresets", "Web addresses of the p&roviders", FtpWizard::webPresets);
    auto* personalForm = new QFormLayout;
    personalForm->setRowWrapPolicy(QFormLayout::WrapAllRows);
    m_personalDirectory = addEditRow(*personalForm, *page, "personalDirectory",
                                     "&Did your ISP create a personal directory for you, if so enter it here.");
    layout->addLayout(personalForm);
    connect(m_webPresets, &QListWidget::currentRowChanged, this,
            [this](int row) { m_presenter.chooseWebPreset(static_cast<std::size_t>(row)); });
    return page;
}

QLineEdit* FtpWizardDialog::edit(WizardField field) const
{
    switch (field) {
    case WizardField::FtpAddress:
        return m_ftpAddress;
    case WizardField::UserName:
        return m_userName;
    case WizardField::Password:
        return m_password;
    case WizardField::SubFolder:
        return m_subFolder;
    case WizardField::WebAddress:
        return m_webAddress;
    case WizardField::PersonalDirectory:
        return m_personalDirectory;
    }
    return m_ftpAddress;
}

void FtpWizardDialog::next()
{
    if (const auto refused = m_presenter.next()) {
        edit(*refused)->setFocus();
        return;
    }
    if (m_presenter.finished())
        accept();
}

void FtpWizardDialog::redraw()
{
    const FtpWizardView view = m_presenter.view();
    const int pageIndex = view.page - 1;
    if (m_pages->currentIndex() != pageIndex) {
        m_pages->setCurrentIndex(pageIndex);
        const WizardField first[] = {WizardField::FtpAddress, WizardField::UserName, WizardField::WebAddress};
        edit(first[pageIndex])->setFocus();
    }
    m_previous->setVisible(view.previousVisible);
    m_next->setText(QString::fromStdString(view.nextCaption));
    m_next->setAccessibleName(QString::fromStdString(view.nextCaption));
    showText(*m_ftpAddress, view.ftpAddress);
    showProtocol(*m_protocol, view.protocol);
    showSelection(*m_ftpPresets, view.ftpSelection);
    showText(*m_userName, view.userName);
    showText(*m_password, view.password);
    showText(*m_subFolder, view.subFolder);
    m_test->setEnabled(view.testEnabled);
    m_stopTest->setEnabled(view.testRunning);
    m_result->setText(QString::fromStdString(view.connectionLabel));
    showText(*m_webAddress, view.webAddress);
    showSelection(*m_webPresets, view.webSelection);
    showText(*m_personalDirectory, view.personalDirectory);
}

} // namespace pictaven
