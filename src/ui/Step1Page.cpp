#include "ui/Step1Page.h"

namespace pictaven {

Step1Page::Step1Page(Workspace& workspace, StepNavigator& navigator, WindowCommands& commands, QWidget* parent)
    : QWidget(parent)
{
    static_cast<void>(workspace);
    static_cast<void>(navigator);
    static_cast<void>(commands);
    setObjectName("step1Page");
}

} // namespace pictaven
