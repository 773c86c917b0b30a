#pragma once

#include "catalog/FileStorage.h"
#include "decoders/PhotoMetadata.h"

namespace pictaven {

// What a photo brings along when it enters the album: an empty web title and description take
// the title and description its metadata holds (one description line per line break), and the
// date it was taken, when known, replaces the file date that "Sort by Date" orders by.
void takeMetadata(FileStorage& storage, const PhotoMetadata& metadata);

} // namespace pictaven
