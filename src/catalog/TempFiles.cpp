#include "catalog/TempFiles.h"

#include "ini/AsciiCase.h"

#include <filesystem>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

void deleteTempFiles(const std::string& programFolder)
{
    std::error_code error;
    for (auto it = fs::directory_iterator(fs::path(programFolder) / "temp", error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (asciiLower(it->path().extension().string()) == ".bmp" && it->is_regular_file(ignored))
            fs::remove(it->path(), ignored);
    }
}

} // namespace pictaven
