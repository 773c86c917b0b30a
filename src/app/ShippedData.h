#pragma once

#include <string>
#include <vector>

namespace pictaven {

// Copies every file below `dataFolder` that is missing below `programFolder` to the same
// relative place, creating folders as needed. A file that already exists there is never
// touched, whatever its content: it may be one the user changed. Each copy is written beside
// its target first and renamed into place, so an interrupted copy leaves no half file behind.
//
// Never throws for a single file: returns one message per file or folder that could not be
// copied (empty when everything is in place), including one for a missing data folder.
std::vector<std::string> seedShippedData(const std::string& dataFolder, const std::string& programFolder);

} // namespace pictaven
