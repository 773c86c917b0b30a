#include "ini/FilePaths.h"

#include <filesystem>
#include <system_error>

namespace pictaven
{

namespace fs = std::filesystem;

std::string withTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

bool isFile(const std::string& path)
{
    std::error_code ignored;
    return !path.empty() && fs::is_regular_file(path, ignored);
}

bool isAbsoluteFolder(const std::string& path)
{
    std::error_code ignored;
    return path.starts_with('/') && fs::is_directory(path, ignored);
}

} // namespace pictaven
