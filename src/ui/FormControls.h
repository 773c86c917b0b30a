#pragma once

#include <QString>
#include <functional>
#include <string>

class QDialog;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace pictaven {

// The caption without its mnemonic mark, as screen readers should say it.
QString plainCaption(const QString& caption);

// A line edit named `name` under the label `caption` (with its mnemonic) as a new row of `form`;
// the edit takes the caption as its accessible name. Masked when `masked`.
QLineEdit* addEditRow(QFormLayout& form, QWidget& parent, const char* name, const QString& caption,
                      bool masked = false);

// A push button named `name` with `caption`, which is also its accessible name.
QPushButton* makeButton(QWidget& parent, const char* name, const QString& caption);

// OK (the default button) and Cancel at the right of a row. OK closes `dialog` accepted when
// `accept` allows it; Cancel rejects it.
struct ClosingButtons {
    QHBoxLayout* row;
    QPushButton* ok;
    QPushButton* cancel;
};
ClosingButtons makeClosingButtons(QDialog& dialog, std::function<bool()> accept);

// Puts `text` into `box` unless it holds it already, so the cursor of someone typing stays. The
// box's textChanged stays silent, so that it tells only of the person's edits: those typed and
// those set through assistive technology, which come without key presses.
void showText(QLineEdit& box, const std::string& text);

} // namespace pictaven
