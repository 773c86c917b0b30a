#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace pictaven {

// The New Catalog window: one box for the catalog's name, OK and Cancel. OK with an empty box
// keeps the window open; the other rules of the name belong to the command that asks.
class NewCatalogDialog : public QDialog {
    Q_OBJECT

public:
    explicit NewCatalogDialog(QWidget* parent = nullptr);

    // Shows the window modally, centred on the screen, with the box focused; the typed text, or
    // nullopt for Cancel. The box keeps its text for the next question.
    std::optional<std::string> askName();
    void clearName();

    QLineEdit* nameBox() const { return m_name; }

public slots:
    void accept() override;

private:
    QLineEdit* m_name;
};

} // namespace pictaven
