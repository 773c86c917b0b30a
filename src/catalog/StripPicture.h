#pragma once

#include "imaging/Bitmap.h"

#include <string>

namespace pictaven {

// What the catalog editor's thumbnail strip shows for one photo.
struct StripPicture {
    Bitmap picture;         // empty when neither the photo nor the error picture can be read
    bool fromCache = false; // read from the cache file
    // A new picture is written here, to become the cache file if it still belongs to the same
    // position when it arrives; empty when nothing was written.
    std::string scratchFile;
    std::string writeError; // why the new picture could not be written
};

// The strip's picture of the photo at `workingPath`: the cache file `cacheFile` when it can be
// read, else the photo fitted by fitToStrip, else the error picture `errorPicture` fitted the
// same way. A video shows its poster. Another path holding "jpg" or "jpeg" (any case) is read
// as JPEG, one holding "gif" as GIF, anything else by the general picture loader. A new picture
// is written as a BMP file to `scratchFile` (a name no other call uses). Touches no file but
// that one, so that many can run at once off the window's thread; never throws.
StripPicture loadStripPicture(const std::string& cacheFile, const std::string& workingPath,
                              const std::string& errorPicture, const std::string& scratchFile);

// `picture` stretched (nearest neighbour) into the 94 x 94 box less 2 pixels each way, at 32 bits:
// with s = 94 / max(W, H), (trunc(W s) - 2) x (trunc(H s) - 2), at least 1 x 1.
Bitmap fitToStrip(const Bitmap& picture);

} // namespace pictaven
