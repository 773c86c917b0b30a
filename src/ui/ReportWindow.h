#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace pictaven {

// The diagnostic report: read-only text in a fixed-pitch font for the person to select or copy
// into a support request. Centred on the screen each time it is shown.
class ReportWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* title = "Pictaven Detail Log";

    explicit ReportWindow(QWidget* parent = nullptr);

    void setReport(const QString& text);
    QPlainTextEdit* textBox() const { return m_text; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* m_text;
};

} // namespace pictaven
