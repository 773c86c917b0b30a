#include "generate/PageFile.h"

#include "generate/GeneratedFile.h"
#include "ini/IoError.h"

#include <utility>

namespace pictaven {

PageFile::PageFile(const std::string& path)
{
    try {
        m_file = GeneratedFile::begin(path);
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
    } catch (const std::exception& error) {
        keepFailure(error);
        return false;
    }
}

} // namespace pictaven
