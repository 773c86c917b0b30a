#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pictaven {

// How generation writes each file of the album into the output folder: the file's name is first
// added to the folder's record (OutputFolderRecord), so that a later clearing may delete it, then
// the file is written whole under a temporary name and renamed over the old one (AtomicFile).
// A failure leaves the old file as it was and no temporary file.
class GeneratedFile {
public:
    // The first step on its own: checks that `path` is a plain file or none and lists its name.
    // Throws IoError.
    static void list(const std::string& path);
    // The rest, for a file listed already: makes `bytes` the whole file. A plain file of its own
    // (no link, no second name) that holds exactly these bytes is kept as it is, so that a
    // regeneration neither writes nor renames what it would leave the same. Throws IoError.
    static void replace(const std::string& path, std::string_view bytes);

    // `fill` writes the new content into the file it is given (a temporary file, which it may
    // truncate). Throws what `fill` throws, or IoError.
    static void write(const std::string& path, const std::function<void(const std::string& writePath)>& fill);
    // Writes `bytes` as the whole file, keeping a file that holds them already (replace). Throws
    // IoError.
    static void writeBytes(const std::string& path, std::string_view bytes);
    // Copies the file `from` (which must be a plain file) to `path`. Throws IoError or
    // std::filesystem::filesystem_error.
    static void copy(const std::string& from, const std::string& path);
};

} // namespace pictaven
