#pragma once

#include <QWidget>

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
};

} // namespace pictaven
