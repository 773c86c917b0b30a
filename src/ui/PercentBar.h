#pragma once

#include <QProgressBar>

namespace pictaven {

// A progress bar whose value assistive technology reads as a percentage from 0 to 100, whatever
// range the work counts in (photos, pages).
class PercentBar : public QProgressBar {
    Q_OBJECT

public:
    explicit PercentBar(QWidget* parent = nullptr);

    // How far the bar is, 0 to 100; 0 while the range is empty.
    int percent() const;
};

} // namespace pictaven
