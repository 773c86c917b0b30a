#pragma once

#include <QDialog>

namespace pictaven {

// Moves `window` so that its frame sits in the middle of its screen.
void centreOnScreen(QWidget& window);

// A modal dialog that comes up centred on its screen each time it is shown.
class CentredDialog : public QDialog {
    Q_OBJECT

public:
    explicit CentredDialog(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace pictaven
