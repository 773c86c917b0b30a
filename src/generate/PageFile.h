#pragma once

#include "generate/AtomicFile.h"

#include <exception>
#include <memory>
#include <string>
#include <string_view>

namespace pictaven {

// One generated page on disk. The page's name is recorded in the output folder's record and its
// temporary file created when the object is made, so that a page that cannot be created is
// known before any work is done; the writers build the page's text in memory and hand it over
// once, also when a page ends early, so that a page stays in the output folder as far as it was
// written. The page replaces the old file only when it is whole on disk (AtomicFile).
class PageFile {
public:
    // Never throws; isOpen() tells whether it worked.
    explicit PageFile(const std::string& path);
    // Leaves the old page as it was if finish() was not called.
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    bool isOpen() const { return m_file != nullptr; }

    // Writes the whole text and puts the page in place. False when the file is not open or
    // the writing failed (a full disk, say).
    bool finish(std::string_view text);

    // `message` about this page followed by why it could not be created or written, as in
    // "Error creating file - /album/a.htm (Permission denied)".
    std::string withFailure(const std::string& message) const { return message + " (" + m_failure + ")"; }

private:
    void keepFailure(const std::exception& error);

    std::unique_ptr<AtomicFile> m_file;
    std::string m_failure;
};

} // namespace pictaven
