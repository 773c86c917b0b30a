#pragma once

#include "generate/OutputNames.h"

#include <array>
#include <string>
#include <vector>

namespace pictaven {

struct AlbumJob;
struct FileStorage;

// The built-in responsive template: which job asks for it, the sizes it renders of each photo
// and the names of the files it adds to the output folder. Besides them the album has the
// photo files, photo pages and (1x) thumbnails that OutputNames names for every album.
class ResponsiveAlbum {
public:
    // The template's entry in the step 2 list (ALBUMS/Responsive.bmp and its settings).
    static constexpr const char* templateName = "Responsive";

    // The widths of the size ladder, narrowest first. A photo gets the ones narrower than its
    // own web copy, which stays the largest size.
    static constexpr std::array<int, 4> ladderWidths{640, 1280, 1920, 2560};
    // The height of the thumbnails at 1x, pixels; the 2x ones are twice as high.
    static constexpr int thumbnailHeight = 300;

    // The album's files that are the same for every photo, in the output folder.
    static constexpr const char* styleSheetFileName = "pictaven-album.css";
    static constexpr const char* scriptFileName = "pictaven-viewer.js";
    static constexpr const char* licenceFileName = "pictaven-viewer-licence.txt";

    // Whether `job` uses this template: a picture template whose entry is spelled like
    // templateName without regard to case.
    static bool chosen(const AlbumJob& job);
    // Whether a picture template of this name is this one.
    static bool isNamed(const std::string& name);
    // Where the shipped script, style sheet and licence are: programFolder + "ALBUMS/Responsive/".
    static std::string shippedFolder(const std::string& programFolder);

    // Only photos published as JPEG get smaller sizes: the renderer copies PNG and GIF photos
    // as they are.
    static bool hasSizeLadder(const FileStorage& photo);
    // The ladder widths narrower than `width`, narrowest first.
    static std::vector<int> ladderBelow(int width);

    explicit ResponsiveAlbum(OutputNames names) : m_names(names) { }
    // "w" + width + "_" + ext3 + "_" + webFileName(base) + ".jpg" for a photo's name in the
    // album (OutputNames::distinctPhotoNames).
    std::string sizeFileName(const std::string& photoName, int width) const;
    // "thumb2x_" + ext3 + "_" + webFileName(base) + ".jpg".
    std::string largeThumbnailFileName(const std::string& photoName) const;

    // The files of the responsive album generated in `outputFolder` (ending in "/"), by name, in
    // an order an upload can send them in so that no page arrives before what it shows: every
    // photo's pictures (its sizes narrowest first, its web copy, its thumbnails) and audio copy,
    // then the style sheet, script and licence, then the photo pages, the index page
    // (`indexPage`, a file name) last. `photoNames` are the photos' names in the album
    // (OutputNames::distinctPhotoNames), `audioFiles` their audio files (paths, empty for none;
    // the copy is named by its web file name). Sizes, thumbnails and audio copies that the album
    // does not have (the folder holds no such file) are left out; a file named twice is listed
    // once. The person's own style sheet, when the album links one, is not listed.
    std::vector<std::string> uploadOrder(const std::string& outputFolder, const std::string& indexPage,
                                         const std::vector<std::string>& photoNames,
                                         const std::vector<std::string>& audioFiles) const;

private:
    OutputNames m_names;
};

} // namespace pictaven
