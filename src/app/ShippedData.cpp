#include "app/ShippedData.h"

#include <filesystem>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

void copyMissingFile(const fs::path& source, const fs::path& target, std::vector<std::string>& failures)
{
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error)))
        return;
    fs::create_directories(target.parent_path(), error);
    if (error) {
        failures.push_back("Cannot create the folder " + target.parent_path().string() + ": " + error.message());
        return;
    }
    const fs::path part = target.string() + ".part";
    fs::copy_file(source, part, fs::copy_options::overwrite_existing, error);
    if (!error)
        fs::rename(part, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(part, ignored);
        failures.push_back("Cannot copy " + source.string() + " to " + target.string() + ": " + error.message());
    }
}

} // namespace

std::vector<std::string> seedShippedData(const std::string& dataFolder, const std::string& programFolder)
{
    std::vector<std::string> failures;
    std::error_code error;
    if (!fs::is_directory(dataFolder, error)) {
        failures.push_back("The folder of the shipped data files " + dataFolder + " does not exist");
        return failures;
    }
    const fs::path root(dataFolder);
    auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError))
            continue;
        copyMissingFile(it->path(), fs::path(programFolder) / it->path().lexically_relative(root), failures);
    }
    if (error)
        failures.push_back("Cannot read the folder " + dataFolder + ": " + error.message());
    return failures;
}

} // namespace pictaven
