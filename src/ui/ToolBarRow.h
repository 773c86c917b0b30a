#pragma once

#include <QWidget>
#include <array>
#include <string>

class QToolButton;

namespace pictaven {

// The row of nine tool buttons at the top of the main window, each 40 by 26 pixels, 42 pixels
// apart, with a picture from the program folder's resource/ folder and its hint. A button whose
// picture cannot be read shows its hint as text.
class ToolBarRow : public QWidget {
    Q_OBJECT

public:
    enum Button { New, Open, Save, Configure, Compression, Ftp, GraphicFormats, Website, Help, ButtonCount };

    static constexpr int buttonWidth = 40;
    static constexpr int buttonHeight = 26;
    static constexpr int firstLeft = 10;
    static constexpr int step = 42;
    static constexpr int top = 1;

    // `programFolder` ends in "/".
    explicit ToolBarRow(const std::string& programFolder, QWidget* parent = nullptr);

    QToolButton* button(Button which) const { return m_buttons[which]; }
    static const char* hint(Button which);

    // The Save button in grey while a save runs; it stays grey a moment after.
    void setSaving(bool saving);

private:
    std::array<QToolButton*, ButtonCount> m_buttons{};
};

} // namespace pictaven
