#include "ui/ToolBarRow.h"

#include "ui/ResourcePicture.h"
#include "ui/WindowColours.h"

#include <QToolButton>

namespace pictaven {

namespace {

struct ButtonLook {
    const char* picture;
    const char* hint;
};

constexpr std::array<ButtonLook, ToolBarRow::ButtonCount> kButtons = {{
    {"New.res", "New Photo Album"},
    {"open.res", "Open Photo Album"},
    {"Save.res", "Save Photo Album"},
    {"config.res", "Configuration Settings"},
    {"compress.res", "JPEG Compression Settings"},
    {"ftp.res", "File Transfer Protocol (Upload)"},
    {"jpg.res", "Graphic Formats"},
    {"surf.res", "View Tessivo Software Website"},
    {"Help.res", "Read Help File"},
}};

void paintButton(QToolButton& button, const QColor& colour)
{
    QPalette colours = button.palette();
    colours.setColor(QPalette::Button, colour);
    colours.setColor(QPalette::Window, colour);
    button.setPalette(colours);
}

} // namespace

const char* ToolBarRow::hint(Button which)
{
    return kButtons[which].hint;
}

ToolBarRow::ToolBarRow(const std::string& programFolder, QWidget* parent)
    : QWidget(parent)
{
    for (int i = 0; i < ButtonCount; ++i) {
        const ButtonLook& look = kButtons[static_cast<std::size_t>(i)];
        auto* button = new QToolButton(this);
        button->setGeometry(firstLeft + step * i, top, buttonWidth, buttonHeight);
        button->setToolTip(look.hint);
        button->setAccessibleName(look.hint);
        button->setAutoFillBackground(true);
        paintButton(*button, WindowColours::controls);
        const QIcon icon = resourceIcon(programFolder + "resource/" + look.picture);
        if (icon.isNull()) {
            button->setText(look.hint);
        } else {
            button->setIcon(icon);
            button->setIconSize(QSize(20, 20));
        }
        m_buttons[static_cast<std::size_t>(i)] = button;
    }
    const int width = firstLeft + step * (ButtonCount - 1) + buttonWidth;
    setFixedSize(width, top + buttonHeight + 1);
}

void ToolBarRow::setSaving(bool saving)
{
    paintButton(*m_buttons[Save], saving ? WindowColours::saving : WindowColours::controls);
    // The save runs on this thread: the grey must reach the screen before it starts.
    if (saving)
        m_buttons[Save]->repaint();
}

} // namespace pictaven
