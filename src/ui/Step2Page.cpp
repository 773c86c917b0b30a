#include "ui/Step2Page.h"

namespace pictaven {

Step2Page::Step2Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
{
    static_cast<void>(workspace);
    static_cast<void>(navigator);
    static_cast<void>(commands);
    setObjectName("step2Page");
}

} // namespace pictaven
