#include "generate/PageFile.h"

#include "generate/GeneratedFile.h"
#include "ini/IoError.h"

namespace pictaven {

PageFile::PageFile(const std::string& path)
    : m_path(path)
{
    try {
        GeneratedFile::list(path);
        m_open = true;
    } catch (const std::exception& error) {
        // The caller reports the page that cannot be created in its own words, with the reason.
        keepFailure(error);
    }
}

void PageFile::keepFailure(const std::exception& error)
{
    const auto* io = dynamic_cast<const IoError*>(&error);
    m_failure = io && !io->reason().empty() ? io->reason() : error.what();
}

bool PageFile::finish(std::string_view text)
{
    if (!m_open)
        return false;
    m_open = false;
    try {
        GeneratedFile::replace(m_path, text);
        return true;
    } catch (const std::exception& error) {
        keepFailure(error);
        return false;
    }
}

} // namespace pictaven
