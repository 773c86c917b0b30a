#pragma once

#include "session/FtpWizardPresenter.h"
#include "ui/CentredDialog.h"
#include "ui/ThreadConnectionTestRunner.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace pictaven {

class Workspace;

// The three-page "FTP Settings Wizard". It ends accepted on Finish; the Remote Settings window
// then takes its values.
class FtpWizardDialog : public CentredDialog {
    Q_OBJECT

public:
    static constexpr const char* title = "FTP Settings Wizard";

    // `workspace` outlives the dialog.
    explicit FtpWizardDialog(Workspace& workspace, QWidget* parent = nullptr);
    ~FtpWizardDialog() override;

    const FtpWizardPresenter& presenter() const { return m_presenter; }

private:
    QWidget* makeFtpPage();
    QWidget* makeAccountPage();
    QWidget* makeWebPage();
    QLineEdit* edit(WizardField field) const;
    void next();
    void redraw();

    // Before the presenter, which drops its running test as it goes.
    ThreadConnectionTestRunner m_runner;
    FtpWizardPresenter m_presenter;
    int m_token = -1;
    QStackedWidget* m_pages;
    QLineEdit* m_ftpAddress = nullptr;
    QComboBox* m_protocol = nullptr;
    QListWidget* m_ftpPresets = nullptr;
    QLineEdit* m_userName = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_test = nullptr;
    QPushButton* m_stopTest = nullptr;
    QLabel* m_result = nullptr;
    QLineEdit* m_subFolder = nullptr;
    QLineEdit* m_webAddress = nullptr;
    QListWidget* m_webPresets = nullptr;
    QLineEdit* m_personalDirectory = nullptr;
    QPushButton* m_previous;
    QPushButton* m_next;
};

} // namespace pictaven
