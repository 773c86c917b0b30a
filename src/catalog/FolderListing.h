#pragma once

#include <string>
#include <vector>

namespace pictaven {

// Whether the bare file name `name` matches the file mask `fileMask`: patterns separated by ";"
// ("*.jpg;*.gif;"), where "*" stands for any run of characters and "?" for one, compared without
// regard to ASCII letter case. Empty patterns match nothing.
bool matchesFileMask(const std::string& name, const std::string& fileMask);

// The names (no folder) of the plain files in `folder` that match `fileMask`, ordered by name
// without regard to case (names equal but for case in byte order). Hidden files (names starting
// with ".") and subfolders are left out. A folder that cannot be read lists nothing. Never throws
// for file-system failures.
std::vector<std::string> listPhotoFolder(const std::string& folder, const std::string& fileMask);

// The pictures that `fileMask` keeps out of listPhotoFolder: the names of the files it leaves out
// whose extension a picture reader takes, in the same order. Never throws for file-system
// failures.
std::vector<std::string> listMaskedPictures(const std::string& folder, const std::string& fileMask);

} // namespace pictaven
