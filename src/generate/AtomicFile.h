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
    // Creates the empty temporary file, readable and writable as any new file. A symbolic link
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

    // Makes `bytes` the whole content of the temporary file. Throws IoError naming `path`.
    void write(std::string_view bytes) const;

    // Renames the temporary file over `path`. Throws IoError naming `path`; the temporary file
    // is gone either way.
    void commit();

    // Throws the IoError of the constructor when `path` is anything but a plain file or a link.
    static void checkReplaceable(const std::string& path);

    // Whether `fileName` has the form of a temporary file of the file named `name` (both plain
    // file names).
    static bool isTemporaryOf(const std::string& fileName, const std::string& name);

private:
    std::string m_path;
    std::string m_temporary; // empty once committed
};

} // namespace pictaven
