#pragma once

#include "generate/AtomicFile.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace pictaven {

// How generation writes each file of the album into the output folder: the file's name is first
// added to the folder's record (OutputFolderRecord), so that a later clearing may delete it, then
// the file is written whole under a temporary name and renamed over the old one (AtomicFile).
// A failure leaves the old file as it was and no temporary file.
class GeneratedFile {
public:
    // The first steps on their own: checks that `path` is a plain file or none, lists its name
    // and creates its temporary file. Throws IoError.
    static std::unique_ptr<AtomicFile> begin(const std::string& path);

    // `fill` writes the new content into the file it is given (a temporary file, which it may
    // truncate). Throws what `fill` throws, or IoError.
    static void write(const std::string& path, const std::function<void(const std::string& writePath)>& fill);
    // Writes `bytes` as the whole file. Throws IoError.
    static void writeBytes(const std::string& path, std::string_view bytes);
    // Copies the file `from` (which must be a plain file) to `path`. Throws IoError or
    // std::filesystem::filesystem_error.
    static void copy(const std::string& from, const std::string& path);
};

} // namespace pictaven
