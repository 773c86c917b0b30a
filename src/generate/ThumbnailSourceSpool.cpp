#include "generate/ThumbnailSourceSpool.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <utility>

namespace pictaven {

namespace {

// Whole reads and writes at an offset, resumed after signals and short transfers.
bool writeAt(int fd, const std::uint8_t* bytes, std::size_t size, std::int64_t offset)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, bytes, size, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
        offset += written;
    }
    return true;
}

bool readAt(int fd, std::uint8_t* bytes, std::size_t size, std::int64_t offset)
{
    while (size > 0) {
        const ssize_t got = ::pread(fd, bytes, size, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
        offset += got;
    }
    return true;
}

// Unnamed, so nothing is left behind whatever ends the process. The album's own folder comes
// first: it is on a disk with room for the album, where the temporary folder may be in memory.
int openUnnamedFile(const std::string& folder)
{
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    const std::string fallback = error ? std::string("/tmp") : temporary.string();
    for (const std::string& where : {folder, fallback}) {
        const int fd = where.empty() ? -1 : ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0)
            return fd;
    }
    // File systems without unnamed files: a named one, unlinked at once.
    std::string pattern = fallback + "/pictaven-thumbnails-XXXXXX";
    const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (named >= 0)
        ::unlink(pattern.c_str());
    return named;
}

} // namespace

ThumbnailSourceSpool::~ThumbnailSourceSpool()
{
    close();
}

void ThumbnailSourceSpool::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_end = 0;
}

void ThumbnailSourceSpool::reset(std::size_t count, std::size_t budget, std::string folder)
{
    close();
    m_folder = std::move(folder);
    m_budget = budget;
    m_entries.assign(count, Entry{});
}

bool ThumbnailSourceSpool::put(std::size_t index, const ThumbnailSource& source)
{
    const Bitmap& pixels = source.thumbnail ? *source.thumbnail : source.preShrunk;
    const std::size_t bytes = pixels.stride() * static_cast<std::size_t>(pixels.height());
    if (index >= m_entries.size() || bytes > m_budget)
        return false;
    if (m_fd < 0 && bytes > 0)
        m_fd = openUnnamedFile(m_folder);
    if (bytes > 0 && (m_fd < 0 || !writeAt(m_fd, pixels.data(), bytes, m_end)))
        return false;
    m_budget -= bytes;
    m_entries[index] = Entry{true, source.width, source.height, source.thumbnail.has_value(), pixels.width(),
                             pixels.height(), pixels.bitsPerPixel(), m_end};
    m_end += static_cast<std::int64_t>(bytes);
    return true;
}

std::optional<ThumbnailSource> ThumbnailSourceSpool::take(std::size_t index)
{
    if (index >= m_entries.size() || !m_entries[index].kept)
        return std::nullopt;
    const Entry entry = std::exchange(m_entries[index], Entry{});
    ThumbnailSource source;
    source.width = entry.width;
    source.height = entry.height;
    Bitmap& pixels = entry.thumbnail ? source.thumbnail.emplace() : source.preShrunk;
    pixels = Bitmap(entry.pixelsWidth, entry.pixelsHeight, entry.bitsPerPixel);
    const std::size_t bytes = pixels.stride() * static_cast<std::size_t>(pixels.height());
    if (bytes > 0 && !readAt(m_fd, pixels.data(), bytes, entry.offset))
        return std::nullopt;
    return source;
}

} // namespace pictaven
