#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace pictaven {

// What one file was when an upload last sent it.
struct SyncedFile {
    std::uint64_t size = 0;
    std::string sha256; // 64 lower-case hex digits
};

// The files that uploads of one output folder sent to one place (server, user and remote album
// directory), kept in the hidden text file ".pictaven-sync" of the output folder:
//
//   Pictaven sync record 1
//   place <user>@<host> <album directory>
//   <size> <sha256> <remote name>        (one line per file)
//
// A record names a single place: one of another place, or one that does not read back as
// written, counts as empty, so the next upload sends everything.
class SyncRecord {
public:
    static constexpr const char* fileName = ".pictaven-sync";

    explicit SyncRecord(std::string place) : m_place(std::move(place)) { }

    // The record of `place` in the file `path`. A missing file gives an empty record; a damaged
    // one, one of another place, one that cannot be read and anything but a regular file (a
    // link is not followed) also do, and `note` then says why, naming the file. A file larger
    // than any record is read only a little past that size. Never throws.
    static SyncRecord load(const std::string& path, const std::string& place, std::string& note);

    // Replaces the file whole (temporary file, then rename). Throws IoError naming `path`.
    void save(const std::string& path) const;

    const std::string& place() const { return m_place; }
    const std::map<std::string, SyncedFile>& files() const { return m_files; }
    // Null when the record has no such file.
    const SyncedFile* find(const std::string& remoteName) const;
    // Names holding a line break or a "/" are not kept: no upload sends such a name.
    void set(const std::string& remoteName, const SyncedFile& file);
    void erase(const std::string& remoteName) { m_files.erase(remoteName); }

private:
    std::string m_place;
    std::map<std::string, SyncedFile> m_files;
};

} // namespace pictaven
