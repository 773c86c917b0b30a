#pragma once

#include "imaging/Bitmap.h"
#include "imaging/PreviewFit.h"

#include <string>

namespace pictaven {

// What the step 1 preview pane shows for one picture file.
struct PreviewPicture {
    // The file as the person chose it, in its own letter case.
    std::string path;
    // The picture (or the error picture when the file could not be read) stretched to the
    // control's size; empty when not even the error picture could be read.
    Bitmap picture;
    PreviewFit fit;
    // "<size div 1024> KB" and "<width>x<height>"; empty when the file could not be read.
    std::string sizeText;
    std::string dimensionText;
    // The pane's hint: name, size in pixels and bytes, date; the failure when there is one.
    std::string hint;
    // Why the file could not be shown; empty when it was.
    std::string failure;
    // The failure came from the general picture loader, the only one whose failures the folder
    // pane reports.
    bool generalLoaderFailed = false;
};

// Loads `path` for the preview: through the JPEG decoder when the lower-cased path holds ".jp",
// otherwise through the general picture loader, which reads GIF files' first frames. A file
// that cannot be read gives the picture at `errorPicturePath` and a failure text instead. Reads
// nothing but the two files, so it may run on any thread. Never throws.
PreviewPicture loadPreviewPicture(const std::string& path, const std::string& errorPicturePath);

} // namespace pictaven
