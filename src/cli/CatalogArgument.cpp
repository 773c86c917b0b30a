#include "cli/CatalogArgument.h"

#include "ini/BigIniFile.h"
#include "session/CatalogCommands.h"
#include "session/Workspace.h"
#include "settings/AlbumSettingsField.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

namespace pictaven::cli {

namespace fs = std::filesystem;

namespace {

// Keys of a catalog's own part, beside the album settings that templates carry as well.
constexpr std::pair<const char*, const char*> kCatalogKeys[] = {
    {"Directories", "Source Directory"}, {"Files", "Source_File_1"},           {"Preferences", "Album Title"},
    {"Preferences", "Album Index"},      {"Preferences", "Album Filename"},    {"Preferences", "Background Image"},
    {"Preferences", "Thumbnail Background Image"},
};

// A value never holds a line feed, so this default tells a missing key from any stored one.
constexpr const char* kAbsent = "\n";

bool holds(const BigIniFile& ini, const char* section, const char* key)
{
    return ini.readString(section, key, kAbsent) != kAbsent;
}

bool holdsProgramKeys(const BigIniFile& ini, ConfigMode mode)
{
    if (holds(ini, "Program", "Version"))
        return true;
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        if (holds(ini, field.section, field.key))
            return true;
    }
    if (mode == ConfigMode::Catalog) {
        for (const auto& [section, key] : kCatalogKeys) {
            if (holds(ini, section, key))
                return true;
        }
    }
    return false;
}

} // namespace

std::string commandLinePath(const std::string& argument)
{
    return fs::absolute(argument).lexically_normal().string();
}

void checkSettingsFile(const std::string& path, ConfigMode mode)
{
    std::error_code error;
    if (!fs::exists(path, error))
        throw std::runtime_error(path + " does not exist");
    const BigIniFile ini(path);
    if (fs::file_size(path, error) == 0)
        throw std::runtime_error(path + " is empty");
    if (!holdsProgramKeys(ini, mode)) {
        const std::string kind = mode == ConfigMode::Catalog ? "a catalog" : "an album template";
        throw std::runtime_error(path + " is not " + kind + ": it holds none of the keys of " + kind);
    }
}

std::string catalogArgument(const std::string& argument)
{
    const std::string path = commandLinePath(argument);
    checkSettingsFile(path, ConfigMode::Catalog);
    return path;
}

void openCatalogArgument(Workspace& workspace, const std::string& path)
{
    if (!openAndRememberCatalog(workspace, path))
        throw std::runtime_error(path + " is not a catalog: its name does not hold .CAT");
}

ProfileCommandArguments parseProfileCommand(const std::vector<std::string>& args,
                                            const std::set<std::string>& allowedSwitches, const std::string& usage)
{
    ProfileCommandArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--profile" && i + 1 < args.size())
            parsed.profile = args[++i];
        else if (allowedSwitches.contains(arg))
            parsed.switches.insert(arg);
        else if (arg.starts_with("--") || !parsed.catalog.empty())
            throw std::invalid_argument("unexpected argument '" + arg + "'; " + usage);
        else
            parsed.catalog = arg;
    }
    if (parsed.catalog.empty())
        throw std::invalid_argument("no catalog given; " + usage);
    return parsed;
}

std::string profileArgument(const std::string& name, const Workspace& workspace)
{
    const std::string path =
        name.find('/') != std::string::npos ? commandLinePath(name) : workspace.programFolder() + "profiles/" + name;
    if (!fs::is_regular_file(path))
        throw std::runtime_error("no FTP profile " + path);
    return path;
}

} // namespace pictaven::cli
