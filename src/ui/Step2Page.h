#pragma once

#include "session/Step2Presenter.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace pictaven {

class StepNavigator;
class WindowCommands;
class Workspace;

// The page of step 2. It draws its presenter's view and forwards what the person does.
class Step2Page : public QWidget {
    Q_OBJECT

public:
    // The arguments outlive the page.
    Step2Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent = nullptr);
    ~Step2Page() override;

protected:
    // Draws the view again: the template list is filled at the first show, after the page was built.
    void showEvent(QShowEvent* event) override;
    // Refuses the keys the short name does not take before the box sees them.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const QString& caption, const QString& hint);
    void redraw();

    Workspace& m_workspace;
    Step2Presenter m_presenter;
    QComboBox* m_templates;
    QLineEdit* m_title;
    QLineEdit* m_shortName;
    QComboBox* m_themes;
    QSpinBox* m_videoLongSide;
    QList<QWidget*> m_editors;
    int m_presenterToken;
    int m_workspaceToken;
};

} // namespace pictaven
