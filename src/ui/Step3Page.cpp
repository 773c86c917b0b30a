#include "ui/Step3Page.h"

namespace pictaven {

Step3Page::Step3Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
{
    static_cast<void>(workspace);
    static_cast<void>(navigator);
    static_cast<void>(commands);
    setObjectName("step3Page");
}

} // namespace pictaven
