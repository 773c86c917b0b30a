#include "cli/Commands.h"

#include "decoders/PictureLoader.h"

#include <exception>
#include <iostream>

namespace pictaven::cli {

// One line per file: "<file>: <format>, <width> x <height>" on standard output, or the reason
// it cannot be read, which names the file itself, on standard error. The whole picture is
// decoded, so a damaged file is caught.
int runInfoCommand(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "Usage: pictaven-cli info FILE...\n";
        return 2;
    }
    int status = 0;
    for (const std::string& path : args) {
        try {
            const Bitmap picture = loadPicture(path);
            std::cout << path << ": " << pictureFormatFor(path)->name << ", " << picture.width() << " x "
                      << picture.height() << '\n';
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace pictaven::cli
