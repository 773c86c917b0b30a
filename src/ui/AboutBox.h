#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace pictaven {

// The borderless About box: a picture, the product name and version, and the product's web
// address as a link that opens in the default browser. A click on the picture closes it.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int startupMilliseconds = 2000;
    static const char* const webAddress;

    explicit AboutBox(QWidget* parent = nullptr);

    // Opens the box modally, centred on the screen, without blocking; finished() tells when it
    // has closed. The start-up opening also closes by itself after startupMilliseconds; that
    // timer runs for the first opening only, later ones wait for a click.
    void openAtStartup();
    void openCentred();

    QLabel* picture() const { return m_picture; }
    QLabel* link() const { return m_link; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_picture;
    QLabel* m_link;
    QTimer m_startupTimer;
    bool m_timerUsed = false;
};

} // namespace pictaven
