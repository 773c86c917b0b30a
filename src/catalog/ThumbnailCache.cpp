#include "catalog/ThumbnailCache.h"

#include "catalog/TempFiles.h"

#include <filesystem>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

ThumbnailCache::ThumbnailCache(std::string programFolder)
    : m_programFolder(std::move(programFolder))
{
}

std::string ThumbnailCache::path(std::size_t position) const
{
    return m_programFolder + "temp/thumb" + std::to_string(position) + ".bmp";
}

void ThumbnailCache::clear() const
{
    deleteTempFiles(m_programFolder);
}

void ThumbnailCache::move(const std::string& from, const std::string& to) const
{
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        // Whatever is left at the target belonged to another photo; a missing picture is
        // simply drawn again by the editor.
        std::error_code ignored;
        fs::remove(to, ignored);
        fs::remove(from, ignored);
    }
}

void ThumbnailCache::exchange(std::size_t a, std::size_t b) const
{
    if (a == b)
        return;
    const std::string scratch = m_programFolder + "temp/_temp.bmp";
    std::error_code ignored;
    fs::remove(scratch, ignored);
    move(path(a), scratch);
    move(path(b), path(a));
    move(scratch, path(b));
}

void ThumbnailCache::removeAt(std::size_t position, std::size_t count) const
{
    std::error_code ignored;
    fs::remove(path(position), ignored);
    for (std::size_t k = position + 1; k < count; ++k)
        move(path(k), path(k - 1));
}

void ThumbnailCache::insertAt(std::size_t position, std::size_t count) const
{
    for (std::size_t k = count; k > position; --k)
        move(path(k - 1), path(k));
    // Also clears a stray file beyond the old end when the photo is appended.
    std::error_code ignored;
    fs::remove(path(position), ignored);
}

} // namespace pictaven
