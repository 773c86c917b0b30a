#pragma once

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pictaven {

class QtJobRunner;
class StatusLine;
class Step5Presenter;
class StepNavigator;
class WindowCommands;
class Workspace;

// The page of step 5. It draws its presenter's view and forwards what the person does.
class Step5Page : public QWidget {
    Q_OBJECT

public:
    // The arguments outlive the page.
    Step5Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent = nullptr);
    // A running upload is cancelled and waited for.
    ~Step5Page() override;

    Step5Presenter& presenter() { return *m_presenter; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void redraw();
    void viewRemotely();

    Workspace& m_workspace;
    WindowCommands& m_commands;
    std::unique_ptr<QtJobRunner> m_runner;
    std::unique_ptr<Step5Presenter> m_presenter;
    QLineEdit* m_directory;
    StatusLine* m_location;
    QCheckBox* m_passive;
    QCheckBox* m_overwrite;
    QCheckBox* m_audio;
    QCheckBox* m_sync;
    QCheckBox* m_deleteStale;
    QPushButton* m_upload;
    QPushButton* m_cancel;
    StatusLine* m_status;
    QPushButton* m_logButton;
    QLabel* m_logLabel;
    QPlainTextEdit* m_log;
    int m_presenterToken;
    int m_workspaceToken;
};

} // namespace pictaven
