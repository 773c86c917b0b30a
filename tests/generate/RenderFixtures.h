#pragma once

#include "generate/AlbumJob.h"
#include "imaging/Bitmap.h"

#include <string>

namespace pictaven::test {

// A picture with detail in every channel, so that scaling, turning and blending show.
Bitmap detailedPicture(int width, int height);

// Writes `picture` as a JPEG at quality 90 and gives the path.
std::string writeJpegPhoto(const std::string& folder, const std::string& name, const Bitmap& picture);

// Writes a binary PPM (a format browsers cannot show) and gives the path.
std::string writePpmPhoto(const std::string& folder, const std::string& name, const Bitmap& picture);

// A job for a basic album writing to `outputFolder`, with the program folder `programFolder`.
AlbumJob renderJob(const std::string& programFolder, const std::string& outputFolder);

} // namespace pictaven::test
