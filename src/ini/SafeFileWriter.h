#pragma once

#include <string>
#include <string_view>

namespace pictaven {

// Who may read a file that the writer creates. A file that already exists keeps its own
// permission bits whatever is asked here.
enum class NewFileAccess {
    Shared,    // 0666 less the process's umask, like any new file
    OwnerOnly, // 0600, for files that hold passwords (profiles, album.cfg, catalogs)
};

// Replaces a whole file without ever leaving half of it on disk: the bytes go to a temporary
// file beside the target, which is flushed to the disk and then renamed over the target. A crash,
// a full disk or any failure leaves the old file as it was. A symbolic link at the target path is
// followed, so the file it points to is replaced and the link stays.
//
// Errors are IoError "Unable to write to <path>: <the system's reason>".
class SafeFileWriter {
public:
    // Creates the temporary file; throws IoError when the folder does not allow it.
    explicit SafeFileWriter(const std::string& path, NewFileAccess access = NewFileAccess::Shared);
    // Removes the temporary file unless commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Appends bytes to the new content. Throws IoError.
    void write(std::string_view bytes);
    // Flushes the new content to the disk and renames it over the target. Throws IoError; the
    // target is then unchanged and the writer is finished either way.
    void commit();

    // The whole cycle for content already in memory.
    static void writeFile(const std::string& path, std::string_view bytes,
                          NewFileAccess access = NewFileAccess::Shared);

    // The path that commit() replaces (the target of a symbolic link, if one was given).
    const std::string& targetPath() const { return m_target; }

private:
    [[noreturn]] void fail(int error);
    void flushBuffer();
    void discard();

    std::string m_path;   // as given, for messages
    std::string m_target; // symbolic links resolved
    std::string m_temp;
    std::string m_buffer;
    int m_fd = -1;
};

} // namespace pictaven
