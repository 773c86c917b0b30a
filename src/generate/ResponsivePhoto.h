#pragma once

#include "generate/PublishedVideo.h"

#include <optional>
#include <string>
#include <vector>

namespace pictaven {

struct AlbumJob;
struct FileStorage;
class OutputNames;

// A picture file of the album with its size as its header gives it.
struct ResponsivePicture {
    std::string file; // file name in the output folder
    int width = 0;
    int height = 0;
};

// What the pages of a responsive album say about one rendered photo.
struct ResponsivePhoto {
    std::string id;                       // the photo's web file name; #id opens it in the index page's viewer
    std::string page;                     // its photo page's file name
    std::vector<ResponsivePicture> sizes; // narrowest first; the web copy is the last
    ResponsivePicture thumbnail;
    std::optional<ResponsivePicture> largeThumbnail; // 2x, when the photo is large enough
    std::string heading;                             // the title, else the file name without extension
    std::string altText;                  // the title, else the description as plain text, else the file name
    std::vector<std::string> description; // the description lines, HTML as typed
    std::string audio;                    // file name of the photo's audio copy, empty for none
    std::optional<PublishedVideo> video;  // for a video: what plays; `sizes` holds its poster

    // The size a page shows before the browser picks from srcset: the widest up to 1280
    // pixels, else the narrowest.
    const ResponsivePicture& fallback() const;

    // Reads the photo's files in job.outputFolder; `photoName` is its name in the album
    // (OutputNames::distinctPhotoNames). Nullopt when its web copy or 1x thumbnail cannot be
    // read: the photo was not rendered, which the generation reports on its own. A video is
    // read with what its publishing gave (`video`); its poster stands for the web copy.
    static std::optional<ResponsivePhoto> read(const AlbumJob& job, const OutputNames& names, const FileStorage& photo,
                                               const std::string& photoName, const PublishedVideo* video = nullptr);

    // The title of a photo: its web title, else its caption (either may be empty).
    static std::string titleOf(const FileStorage& photo);
    // Description lines as the text a screen reader says: tags left out, the common character
    // references decoded, white space run together.
    static std::string plainText(const std::vector<std::string>& htmlLines);
};

} // namespace pictaven
