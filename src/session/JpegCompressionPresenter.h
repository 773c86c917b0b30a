#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

class Workspace;

// The two JPEG qualities of the compression dialog, 0 to 100, and their labels.
struct JpegCompressionView {
    std::int32_t albumPictures = 80;   // Compression1
    std::int32_t convertedPhotos = 97; // Compression2
    std::string albumPicturesLabel = "80%";
    std::string convertedPhotosLabel = "97%";
};

// The JPEG compression dialog. Each opening takes the stored qualities (80 and 97 when never
// stored); OK stores both and applies them. Commands never throw.
class JpegCompressionPresenter {
public:
    // `workspace` outlives the presenter.
    explicit JpegCompressionPresenter(Workspace& workspace);

    const JpegCompressionView& view() const { return m_view; }

    // A stored value that is no integer is shown as an error and its default taken.
    void open();
    // Values beyond 0 to 100 are held at the nearest end.
    void setAlbumPictures(std::int32_t quality);
    void setConvertedPhotos(std::int32_t quality);
    // Applies both qualities and stores them; a failure to store is shown as an error.
    void accept();

private:
    Workspace& m_workspace;
    JpegCompressionView m_view;
};

} // namespace pictaven
