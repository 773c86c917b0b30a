#pragma once

class QWidget;

namespace pictaven {

// Sizes `dialog` to its contents within the screen and moves it to the screen's centre.
void centreOnScreen(QWidget& dialog);

} // namespace pictaven
