#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

class Dialogs;
struct GlobalSettings;

// What the add-time file filter found out about one file.
struct FileAcceptance {
    bool accepted = false;
    // Last-modification time in seconds since the epoch; 0 when the file could not be opened.
    std::int64_t fileDate = 0;
};

// The filter applied to every photo that is added to the list. A file that cannot be opened for
// reading, or is not a plain file, is rejected without a sound. With SkipSmallFiles set, a file
// of fewer than SmallFileSize * 1024 bytes is rejected; with SkipLargeFiles set, one of more than
// LargeFileSize * 1024 bytes (a file of exactly a limit passes). A size rejection beeps through
// `dialogs` when `beepOnReject` is set. Never blocks on special files; never throws.
FileAcceptance acceptFile(const std::string& path, const GlobalSettings& settings, bool beepOnReject,
                          Dialogs& dialogs);

} // namespace pictaven
