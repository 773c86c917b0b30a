#pragma once

#include "ui/StatusLine.h"

#include <QWidget>
#include <cstdint>

namespace pictaven {

struct Step1PreviewView;

// The preview of step 1: the chosen picture fitted to 130 x 100 pixels, its size in kilobytes
// and in pixels, and its details as the hint. A file that cannot be shown gets the error
// picture and the reason below it.
class PreviewPane : public QWidget {
    Q_OBJECT

public:
    explicit PreviewPane(QWidget* parent = nullptr);

    void showPreview(const Step1PreviewView& preview);

    QLabel* picture() const { return m_picture; }
    QLabel* sizeLabel() const { return m_size; }
    QLabel* dimensionLabel() const { return m_dimension; }
    QLabel* messageLabel() const { return m_message; }

private:
    QLabel* m_picture;
    StatusLine* m_size;
    StatusLine* m_dimension;
    StatusLine* m_message;
    // Which picture is drawn, so that it is converted once.
    std::uint64_t m_shownRequest = 0;
    bool m_shownCurrent = false;
};

} // namespace pictaven
