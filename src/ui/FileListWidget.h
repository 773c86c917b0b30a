#pragma once

#include "ui/NameListWidget.h"

namespace pictaven {

// The files of the step 1 folder. Dragged files carry their names under `mimeType`, which the
// album list takes; Enter asks for the chosen ones to be added.
class FileListWidget : public NameListWidget {
    Q_OBJECT

public:
    static constexpr const char* mimeType = "application/x-pictaven-step1-files";

    explicit FileListWidget(QWidget* parent = nullptr);

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace pictaven
