#pragma once

#include <QString>

class QWidget;

namespace pictaven
{

// The help topic of each of the program's own windows other than the main window, which F1
// opens from inside that window; empty for a window without a page of its own.
QString helpTopicOf(const QWidget& window);

// Every topic that some window or button of the program opens.
QStringList allHelpTopics();

} // namespace pictaven
