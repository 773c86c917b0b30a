#pragma once

#include "generate/GenerateOptions.h"

#include <QWidget>
#include <map>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class QToolButton;

namespace pictaven {

class PercentBar;
class QtJobRunner;
class StatusLine;
class Step4Presenter;
class StepNavigator;
class WindowCommands;
class Workspace;

// The page of step 4. It draws its presenter's view and forwards what the person does.
class Step4Page : public QWidget {
    Q_OBJECT

public:
    // The arguments outlive the page.
    Step4Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent = nullptr);
    // A running generation is cancelled and waited for.
    ~Step4Page() override;

    Step4Presenter& presenter() { return *m_presenter; }
    QToolButton* generateButton() const { return m_generate; }
    QCheckBox* optionBox(GenerateOption option) const { return m_options.at(option); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void redraw();
    void showFrame(bool second);
    void viewAlbum();

    Workspace& m_workspace;
    WindowCommands& m_commands;
    std::unique_ptr<QtJobRunner> m_runner;
    std::unique_ptr<Step4Presenter> m_presenter;
    QGroupBox* m_panel;
    std::map<GenerateOption, QCheckBox*> m_options;
    QToolButton* m_generate;
    PercentBar* m_progress;
    StatusLine* m_percentage;
    StatusLine* m_status;
    QPushButton* m_cancel;
    QPushButton* m_view;
    QTimer* m_blink;
    bool m_secondFrame = false;
    int m_presenterToken;
    int m_workspaceToken;
};

} // namespace pictaven
