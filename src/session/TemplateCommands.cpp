#include "session/TemplateCommands.h"

#include "app/Dialogs.h"
#include "decoders/PictureLoader.h"
#include "ini/SafeFileWriter.h"
#include "session/Workspace.h"
#include "settings/ConfigFile.h"
#include "settings/TemplateGeometry.h"
#include "settings/TemplateList.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace pictaven {

namespace {

constexpr const char* kSaveQuestion
    = "Do you want to make permanent changes to the album template?\r\n"
      "Typically, custom settings should be saved to your Catalog file.\r\n"
      "You can use the 'Save Catalog As' feature to create a Catalog.\r\n"
      "Overwrite the template's factory settings anyways (Y/N)?";

std::string templateFile(const Workspace& workspace, const std::string& extension)
{
    return TemplateList::templateFile(albumsFolder(workspace), templateFileName(workspace), extension);
}

void readTemplate(Workspace& workspace, const std::string& path)
{
    readConfigFile(path, ConfigMode::Template, workspace.programFolder(), workspace.albumSettings(),
                   workspace.outputFolders());
}

// The factory file's bytes, or why they could not be read.
std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || !in.is_open())
        throw std::runtime_error("Unable to read " + path);
    return bytes;
}

} // namespace

std::string albumsFolder(const Workspace& workspace)
{
    return workspace.programFolder() + "ALBUMS/";
}

std::string templateFileName(const Workspace& workspace)
{
    const Catalog& catalog = workspace.catalog();
    return TemplateList::fileNameFor(catalog.templateIndex, catalog.templateName);
}

void changeTemplate(Workspace& workspace, std::int32_t entry)
{
    const TemplateList& list = workspace.templateList();
    if (!list.contains(entry))
        throw std::out_of_range("The template list has no entry " + std::to_string(entry));
    if (workspace.albumSettings().SoftEdge)
        workspace.generationFlags().rerenderPhotos = true;
    Catalog& catalog = workspace.catalog();
    catalog.modified = true;
    catalog.templateIndex = entry;
    catalog.templateName = list.entries()[static_cast<std::size_t>(entry)];
    readTemplate(workspace, templateFile(workspace, ".CFG"));
}

bool saveTemplate(Workspace& workspace)
{
    if (!workspace.dialogs().askYesNo(kSaveQuestion))
        return false;
    writeConfigFile(templateFile(workspace, ".CFG"), workspace.albumSettings());
    return true;
}

void restoreFactorySettings(Workspace& workspace)
{
    const std::string factory = templateFile(workspace, ".DEF");
    std::error_code error;
    if (!std::filesystem::is_regular_file(factory, error))
        return;
    workspace.catalog().modified = true;
    const std::string current = templateFile(workspace, ".CFG");
    try {
        SafeFileWriter::writeFile(current, readWholeFile(factory));
    } catch (const std::exception& failure) {
        // The template's own file is untouched then; reading it shows the user what is in force.
        workspace.dialogs().showError(failure.what());
    }
    readTemplate(workspace, current);
}

void recomputeTemplateGeometry(Workspace& workspace)
{
    if (workspace.catalog().templateIndex == 0)
        return;
    const std::string picturePath = templateFile(workspace, ".bmp");
    const Bitmap picture = loadPicture(picturePath);
    fitTemplateGeometry(picture.width(), picture.height(), picturePath, workspace.albumSettings());
}

} // namespace pictaven
