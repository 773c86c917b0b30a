#include "cli/Commands.h"

#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"

#include <exception>
#include <iostream>

namespace pictaven::cli {

// One line per file: "<file>: <format>, <width> x <height>" on standard output, or the reason
// it cannot be read, which names the file itself, on standard error. Only the header is read, so
// a picture of any size is reported at once; damage further into the file shows only when the
// picture is decoded.
int runInfoCommand(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "Usage: pictaven-cli info FILE...\n";
        return 2;
    }
    int status = 0;
    for (const std::string& path : args) {
        try {
            const ImageSize size = readPictureSize(path);
            std::cout << path << ": " << pictureFormatName(path) << ", " << size.width << " x " << size.height
                      << '\n';
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace pictaven::cli
