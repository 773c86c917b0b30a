#include "generate/PageFile.h"

#include "generate/GeneratedFile.h"

#include <exception>
#include <utility>

namespace pictaven {

PageFile::PageFile(const std::string& path)
{
    try {
        m_file = GeneratedFile::begin(path);
    } catch (const std::exception&) {
        // The caller reports the page that cannot be created in its own words.
    }
}

PageFile::~PageFile() = default;

bool PageFile::finish(std::string_view text)
{
    if (!m_file)
        return false;
    const std::unique_ptr<AtomicFile> file = std::move(m_file);
    try {
        file->write(text);
        file->commit();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace pictaven
