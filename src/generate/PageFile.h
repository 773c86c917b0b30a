#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace pictaven {

// One generated page on disk. The page's name is recorded in the output folder's record when
// the object is made, so that a page that cannot be listed is known before any work is done;
// the writers build the page's text in memory and hand it over once, also when a page ends
// early, so that a page stays in the output folder as far as it was written. The page replaces
// the old file only when it is whole on disk, and a page that is already there as it would be
// written is kept as it is (GeneratedFile::replace).
class PageFile {
public:
    // Never throws; isOpen() tells whether it worked.
    explicit PageFile(const std::string& path);
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    bool isOpen() const { return m_open; }

    // Puts the whole text in place. False when the page is not open or the writing failed (a
    // full disk, say); then the old page is left as it was. Once only.
    bool finish(std::string_view text);

    // `message` about this page followed by why it could not be created or written, as in
    // "Error creating file - /album/a.htm (Permission denied)".
    std::string withFailure(const std::string& message) const { return message + " (" + m_failure + ")"; }

private:
    void keepFailure(const std::exception& error);

    std::string m_path;
    bool m_open = false;
    std::string m_failure;
};

} // namespace pictaven
