#include "ui/Step4Page.h"

namespace pictaven {

Step4Page::Step4Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
{
    static_cast<void>(workspace);
    static_cast<void>(navigator);
    static_cast<void>(commands);
    setObjectName("step4Page");
}

} // namespace pictaven
