#pragma once

#include "generate/AlbumJob.h"
#include "generate/GenerationEvents.h"
#include "generate/IndexPageWriter.h"
#include "imaging/Bitmap.h"

#include <atomic>
#include <string>
#include <vector>

namespace pictaven::test {

// A small album made by the test itself: photos written as JPEG files in a source folder, an
// output folder, and the pages written the way the generation driver pages an album.
class AlbumFixture {
public:
    // `folder` ends in "/"; photos go to folder + "photos/", pages to folder + "out/".
    explicit AlbumFixture(const std::string& folder);

    // Writes a width x height JPEG photo (a colour ramp) under `name` and appends it.
    FileStorage& addPhoto(const std::string& name, int width = 64, int height = 48);

    // Makes the album a picture album on a white background of the given size with a grey
    // border, and fits the thumbnails to it.
    void usePictureTemplate(int width, int height);

    // Writes every index page in order, stopping at the first that fails; gives whether all
    // were written. A responsive album is generated whole instead, photos first, by the
    // generation driver.
    bool writeAllPages();

    // The arguments of every index page for a grid of `pageSize` cells, as the driver gives them.
    std::vector<IndexPageArguments> pages(int pageSize) const;

    AlbumJob job;
    GenerationEvents events;
    std::vector<std::string> messages;
    std::atomic<bool> cancel = false;
    Bitmap background; // picture albums only
    // A responsive album's program folder gets the template's shipped script and style sheet.
    bool withResponsiveFiles = true;
    std::string photoFolder;
    std::string outputFolder;
};

} // namespace pictaven::test
