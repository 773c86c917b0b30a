#include "ShippedDataWriter.h"

#include <exception>
#include <iostream>
#include <string>

// Regenerates the data files shipped with Pictaven: pictaven-make-data FOLDER (normally data/).
int main(int argc, char** argv)
{
    if (argc != 2 || std::string(argv[1]).starts_with("-")) {
        std::cerr << "usage: pictaven-make-data FOLDER\n";
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.ends_with("/"))
        folder += "/";
    try {
        for (const std::string& path : pictaven::makedata::writeShippedData(folder))
            std::cout << path << "\n";
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
