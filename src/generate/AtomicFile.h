#pragma once

#include <string>
#include <string_view>

namespace pictaven {

// A file replaced whole or not at all: the new content is written under a hidden temporary name
// beside it (".<name>.part-<8 letters or digits>"), and commit() renames that over the file.
// Until then a reader, or a later run after this one was killed, sees the old file or none,
// never half a new one. The temporary file is removed unless committed; only a killed process
// can leave one behind (see isTemporaryOf).
class AtomicFile {
public:
    // Creates the empty temporary file, readable and writable as any new file, and keeps it open
    // for write(). A symbolic link
    // at `path` is replaced, not followed. Throws IoError "Unable to write to <path>: <reason>"
    // when `path` is anything but a plain file or a link (a folder, a device, a pipe) or the
    // temporary file cannot be created.
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    const std::string& path() const { return m_path; }
    // Where the new content goes; any writer may open it by name and truncate it.
    const std::string& temporaryPath() const { return m_temporary; }

    // Adds `bytes` to the temporary file, after what earlier calls wrote. Throws IoError naming
    // `path`.
    void write(std::string_view bytes) const;

    // Closes the temporary file and renames it over `path`. Throws IoError naming `path`; the
    // temporary file is gone either way.
    void commit();

    // Throws the IoError of the constructor when `path` is anything but a plain file or a link.
    static void checkReplaceable(const std::string& path);

    // Whether `fileName` has the form of a temporary file of the file named `name` (both plain
    // file names).
    static bool isTemporaryOf(const std::string& fileName, const std::string& name);

private:
    std::string m_path;
    std::string m_temporary; // empty once committed
    // Open from the start: opening the file again to truncate it would make ext4 write it out
    // when it is closed, a disk request for every file.
    int m_descriptor = -1;
};

} // namespace pictaven
