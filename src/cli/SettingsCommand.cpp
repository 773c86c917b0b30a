#include "app/ProgramFolder.h"
#include "cli/CatalogArgument.h"
#include "cli/Commands.h"
#include "ini/AsciiCase.h"
#include "ini/IntegerText.h"
#include "settings/AlbumSettingsField.h"
#include "settings/ConfigFile.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>

namespace pictaven::cli {

// Shows what a template or catalog does to the settings, as the program holds them right after
// start-up: every key's default, with the catalog-only keys at their start-up values. A file
// whose extension is .CAT (any case) is read as a catalog unless --template says otherwise. A
// file that checkSettingsFile refuses (missing, empty, not a template or catalog) is an error.
int runSettingsCommand(const std::vector<std::string>& args)
{
    constexpr const char* usage = "usage: settings FILE [--catalog | --template]";
    std::string path;
    std::optional<ConfigMode> mode;
    for (const std::string& arg : args) {
        if (arg == "--catalog" && !mode)
            mode = ConfigMode::Catalog;
        else if (arg == "--template" && !mode)
            mode = ConfigMode::Template;
        else if (arg.starts_with("--") || !path.empty())
            throw std::invalid_argument("unexpected argument '" + arg + "'; " + usage);
        else
            path = arg;
    }
    if (path.empty())
        throw std::invalid_argument(std::string("no file given; ") + usage);
    path = commandLinePath(path);
    if (!mode) {
        const bool catalog = asciiLower(std::filesystem::path(path).extension().string()) == ".cat";
        mode = catalog ? ConfigMode::Catalog : ConfigMode::Template;
    }

    const std::string programFolder = resolveProgramFolder();
    AlbumSettings settings = AlbumSettings::startUpValues(programFolder);
    OutputFolderState folders{programFolder + "Projects", programFolder + "Projects/", {}};
    checkSettingsFile(path, *mode);
    try {
        readConfigFile(path, *mode, programFolder, settings, folders);
    } catch (const ConversionError& conversion) {
        throw std::runtime_error(path + ": " + conversion.what());
    }

    for (const AlbumSettingsField& field : AlbumSettingsField::all())
        std::cout << field.name << '=' << field.valueText(settings) << '\n';
    std::cout << "CatalogOffsets.Left=" << settings.CatalogOffsets.Left << '\n'
              << "CatalogOffsets.Right=" << settings.CatalogOffsets.Right << '\n'
              << "CatalogOffsets.Top=" << settings.CatalogOffsets.Top << '\n'
              << "CatalogOffsets.Bottom=" << settings.CatalogOffsets.Bottom << '\n'
              << "ExternalStyleSheet=" << settings.ExternalStyleSheet << '\n'
              << "NextButtonImage=" << settings.NextButtonImage << '\n'
              << "PrevButtonImage=" << settings.PrevButtonImage << '\n'
              << "IndexButtonImage=" << settings.IndexButtonImage << '\n'
              << "HomeButtonImage=" << settings.HomeButtonImage << '\n';
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace pictaven::cli
