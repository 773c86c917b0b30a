#pragma once

#include <cstddef>
#include <string>

namespace pictaven {

// The thumbnail cache: temp/thumb<N>.bmp in the program folder, N being the 0-based position of
// the photo in the album list. The file for a position always belongs to the photo standing
// there; a missing file only means the position is not cached yet. This class keeps the files in
// step with moves of the list; the catalog editor creates them. File operations never report
// failures: a move that cannot be made leaves both positions without a file, so that no
// position ever shows another photo's picture.
class ThumbnailCache {
public:
    // `programFolder` ends in "/".
    explicit ThumbnailCache(std::string programFolder);

    // The cache file of `position`.
    std::string path(std::size_t position) const;

    // Deletes every *.bmp file in the temp folder.
    void clear() const;

    // ExchangeThumbnails: swaps the files of positions a and b through temp/_temp.bmp; a missing
    // file leaves the other position empty.
    void exchange(std::size_t a, std::size_t b) const;

    // The photo at `position` left a list of `count` photos: its file is deleted and the files
    // of the later positions move down one, in ascending order.
    void removeAt(std::size_t position, std::size_t count) const;

    // A photo was inserted at `position` into a list of `count` photos: the files from there on
    // move up one (from the last down), and the new position has no file.
    void insertAt(std::size_t position, std::size_t count) const;

private:
    void move(const std::string& from, const std::string& to) const;

    std::string m_programFolder;
};

} // namespace pictaven
