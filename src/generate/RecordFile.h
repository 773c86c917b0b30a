#pragma once

#include <cstddef>
#include <string>

namespace pictaven {

// A small file that the program writes into an output folder and reads back (a record of what
// it did there). Whatever else may stand at that path is not read: a symbolic link is not
// followed, a named pipe, device or folder is refused, opening never waits, and no more than
// `limit` bytes and one more are read, so a larger file is told by its length, not read whole.
struct RecordFile {
    enum class State { Read, Missing, NotRegular, Unreadable };

    State state = State::Missing;
    std::string bytes; // Read: the first limit + 1 bytes at most
    int error = 0;     // Unreadable: the errno value

    static RecordFile read(const std::string& path, std::size_t limit);
};

} // namespace pictaven
