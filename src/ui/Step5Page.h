#pragma once

#include <QWidget>

namespace pictaven {

class StepNavigator;
class WindowCommands;
class Workspace;

// The page of step 5. It draws its presenter's view and forwards what the person does.
class Step5Page : public QWidget {
    Q_OBJECT

public:
    // The arguments outlive the page.
    Step5Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent = nullptr);
};

} // namespace pictaven
