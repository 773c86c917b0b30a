#include "ui/Step5Page.h"

namespace pictaven {

Step5Page::Step5Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
{
    static_cast<void>(workspace);
    static_cast<void>(navigator);
    static_cast<void>(commands);
    setObjectName("step5Page");
}

} // namespace pictaven
