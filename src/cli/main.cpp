#include "cli/Commands.h"

#include <clocale>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

void printHelp(std::ostream& out)
{
    out << "Usage: pictaven-cli COMMAND [ARGUMENTS]\n\n"
           "Works on Pictaven templates, catalogs and albums without a display.\n\n"
           "Commands:\n";
    for (const auto& command : pictaven::cli::commands())
        out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary << '\n';
    out << "  --help\n      Show this text.\n";
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        printHelp(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const std::string name = argv[1];
    for (const auto& command : pictaven::cli::commands()) {
        if (name != command.name)
            continue;
        try {
            return command.run(std::vector<std::string>(argv + 2, argv + argc));
        } catch (const std::exception& error) {
            std::cerr << "pictaven-cli " << name << ": " << error.what() << '\n';
            return 1;
        }
    }
    std::cerr << "pictaven-cli: unknown command '" << name << "'\n\n";
    printHelp(std::cerr);
    return 2;
}
