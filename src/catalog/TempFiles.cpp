#include "catalog/TempFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

void deleteTempFiles(const std::string& programFolder)
{
    std::error_code error;
    for (auto it = fs::directory_iterator(fs::path(programFolder) / "temp", error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        std::string extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::error_code ignored;
        if (extension == ".bmp" && it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

} // namespace pictaven
