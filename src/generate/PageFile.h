#pragma once

#include <string>
#include <string_view>

namespace pictaven {

// One generated page on disk. The file is created (or truncated) when the object is made, so
// that a page that cannot be created is known before any work is done; the writers build the
// page's text in memory and hand it over once, also when a page ends early, so that a page
// stays in the output folder as far as it was written.
class PageFile {
public:
    // Makes an existing file writable by its owner, then creates or truncates it. Never
    // throws; isOpen() tells whether it worked.
    explicit PageFile(const std::string& path);
    // Closes the file if finish() was not called; its content stays as written so far.
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    // Writes the whole text and closes the file. False when the file is not open or a write or
    // the close failed (a full disk, say).
    bool finish(std::string_view text);

private:
    int m_fd = -1;
};

} // namespace pictaven
