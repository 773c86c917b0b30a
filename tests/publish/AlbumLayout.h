#pragma once

#include "publish/UploadJob.h"

#include <filesystem>
#include <map>
#include <string>

namespace pictaven::test {

// A generated album as generation names its files, laid out by the test in `root`: a two-frame
// basic album "myalbum" with two index pages, three photos (one with a blank and "&" in its
// name, one with an audio file kept outside the output folder, one converted to JPEG), an
// external style sheet and a texture whose names hold blanks, button set 3 with a home button,
// and the six fixed navigation images.
struct AlbumLayout {
    explicit AlbumLayout(const std::filesystem::path& root);

    UploadJob job;                              // profile and proxy left to the test
    std::string outputFolder;                   // ends in "/"
    std::map<std::string, std::string> remote;  // every file the album directory must hold
};

} // namespace pictaven::test
