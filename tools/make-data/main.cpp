#include "DesktopIcons.h"
#include "ShippedDataWriter.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

std::string asFolder(std::string path)
{
    if (!path.ends_with("/"))
        path += "/";
    return path;
}

} // namespace

// Regenerates the data files shipped with Pictaven, and with a second folder the program's
// desktop icons: pictaven-make-data FOLDER [ICON_FOLDER] (normally data/ and desktop/icons/).
int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || std::string(argv[1]).starts_with("-")) {
        std::cerr << "usage: pictaven-make-data FOLDER [ICON_FOLDER]\n";
        return 2;
    }
    try {
        const std::string folder = asFolder(argv[1]);
        for (const std::string& path : pictaven::makedata::writeShippedData(folder))
            std::cout << folder << path << "\n";
        if (argc == 3) {
            const std::string icons = asFolder(argv[2]);
            for (const std::string& path : pictaven::makedata::writeDesktopIcons(icons))
                std::cout << icons << path << "\n";
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
