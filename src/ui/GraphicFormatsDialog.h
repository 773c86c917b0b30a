#pragma once

#include "session/GraphicFormatsPresenter.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;

namespace pictaven {

// "Select the Graphic Formats ": the formats the step 1 folder pane offers and the size limits
// of photos added. Made once; its boxes keep their state, and each opening shows what is stored.
class GraphicFormatsDialog : public QDialog {
    Q_OBJECT

public:
    GraphicFormatsDialog(Workspace& workspace, QWidget* parent);

    // Shows the dialog modally, centred on the screen; OK stores and applies the values.
    int exec() override;

private:
    void showView();
    void takeBoxes();

    GraphicFormatsPresenter m_presenter;
    std::array<QCheckBox*, PictureFormatCount> m_formats{};
    QCheckBox* m_skipSmall;
    QCheckBox* m_skipLarge;
    QLineEdit* m_smallSize;
    QLineEdit* m_largeSize;
};

} // namespace pictaven
