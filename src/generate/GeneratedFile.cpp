#include "generate/GeneratedFile.h"

#include "generate/OutputFolderRecord.h"

#include <filesystem>

namespace pictaven {

namespace fs = std::filesystem;

std::unique_ptr<AtomicFile> GeneratedFile::begin(const std::string& path)
{
    // Listed before anything is created, so that clearing finds whatever a killed run left.
    AtomicFile::checkReplaceable(path);
    OutputFolderRecord::add(path);
    return std::make_unique<AtomicFile>(path);
}

void GeneratedFile::write(const std::string& path, const std::function<void(const std::string& writePath)>& fill)
{
    const std::unique_ptr<AtomicFile> file = begin(path);
    fill(file->temporaryPath());
    file->commit();
}

void GeneratedFile::writeBytes(const std::string& path, std::string_view bytes)
{
    const std::unique_ptr<AtomicFile> file = begin(path);
    file->write(bytes);
    file->commit();
}

void GeneratedFile::copy(const std::string& from, const std::string& path)
{
    write(path, [&](const std::string& writePath) {
        fs::copy_file(from, writePath, fs::copy_options::overwrite_existing);
    });
}

} // namespace pictaven
