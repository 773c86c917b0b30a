#pragma once

#include "session/ColourPreviewerPresenter.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class QTabWidget;

namespace pictaven {

// "Preview Album": twelve album colours tried on a sample index page. Made once; each opening
// shows the album settings' colours.
class ColourPreviewerDialog : public QDialog {
    Q_OBJECT

public:
    ColourPreviewerDialog(Workspace& workspace, QWidget* parent);

    int exec() override;

private:
    void chooseColour(std::size_t swatch);
    void showView();

    ColourPreviewerPresenter m_presenter;
    std::array<QPushButton*, colourSwatchCount> m_swatches{};
    QTabWidget* m_pages;
    QLabel* m_sample;
    QLabel* m_albumTitle;
    QLabel* m_thumbnail;
    QLabel* m_links;
};

} // namespace pictaven
