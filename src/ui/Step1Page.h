#pragma once

#include <QWidget>

namespace pictaven {

class StepNavigator;
class WindowCommands;
class Workspace;

// The page of step 1. It draws its presenter's view and forwards what the person does.
class Step1Page : public QWidget {
    Q_OBJECT

public:
    // The arguments outlive the page.
    Step1Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent = nullptr);
};

} // namespace pictaven
