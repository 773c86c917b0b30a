#pragma once

#include <string>

namespace pictaven {

// Empties the thumbnail cache: deletes every *.bmp file (extension in any letter case) in
// `programFolder` + "temp"; other files stay. Files that cannot be deleted are left alone, as a
// stale cache picture is recreated when it is next needed. Never throws.
void deleteTempFiles(const std::string& programFolder);

} // namespace pictaven
