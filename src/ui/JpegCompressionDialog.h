#pragma once

#include "session/JpegCompressionPresenter.h"

#include <QDialog>

class QLabel;
class QSlider;

namespace pictaven {

// "Compression Settings": the JPEG qualities of album pictures and of converted photos. Made
// once; each opening shows the stored qualities.
class JpegCompressionDialog : public QDialog {
    Q_OBJECT

public:
    JpegCompressionDialog(Workspace& workspace, QWidget* parent);

    // Shows the dialog modally, centred on the screen; on OK the qualities are stored and applied.
    int exec() override;

private:
    void showView();

    JpegCompressionPresenter m_presenter;
    QSlider* m_albumPictures;
    QSlider* m_convertedPhotos;
    QLabel* m_albumPicturesLabel;
    QLabel* m_convertedPhotosLabel;
};

} // namespace pictaven
