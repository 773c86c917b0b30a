#pragma once

#include "imaging/ThumbnailBitmap.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pictaven {

// The thumbnail sources that the photo phase hands to the page phase, kept in an unnamed file
// rather than in memory, so an album of any number of photos needs the memory of one source at
// a time. Up to `budget` bytes of pixels in all; a source beyond it, or one that cannot be
// written, is not kept. The file goes when the spool does, or with the process.
class ThumbnailSourceSpool {
public:
    ThumbnailSourceSpool() = default;
    ~ThumbnailSourceSpool();
    ThumbnailSourceSpool(const ThumbnailSourceSpool&) = delete;
    ThumbnailSourceSpool& operator=(const ThumbnailSourceSpool&) = delete;

    // Forgets every source and makes room for `count` photos' sources, to be kept in `folder`
    // (else in the temporary folder).
    void reset(std::size_t count, std::size_t budget, std::string folder = {});

    // Keeps photo `index`'s source; false when it does not fit the budget or cannot be written.
    bool put(std::size_t index, const ThumbnailSource& source);

    // The source kept for photo `index`, once; nullopt when none is kept or it cannot be read.
    std::optional<ThumbnailSource> take(std::size_t index);

private:
    struct Entry {
        bool kept = false;
        int width = 0;
        int height = 0;
        bool thumbnail = false; // the pixels are the thumbnail made ahead, not the pre-shrunk picture
        int pixelsWidth = 0;
        int pixelsHeight = 0;
        int bitsPerPixel = 24;
        std::int64_t offset = 0;
    };

    void close();

    int m_fd = -1;
    std::int64_t m_end = 0;
    std::size_t m_budget = 0;
    std::string m_folder;
    std::vector<Entry> m_entries;
};

} // namespace pictaven
