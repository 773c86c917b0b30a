#include "session/CatalogCommands.h"

#include "app/Dialogs.h"
#include "catalog/CatalogFile.h"
#include "catalog/CatalogSnapshot.h"
#include "catalog/TempFiles.h"
#include "ini/AsciiCase.h"
#include "ini/FilePaths.h"
#include "session/TemplateCommands.h"
#include "session/Workspace.h"
#include "settings/ConfigFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFilter = "Catalog File (*.CAT *.cat *.Cat)";
constexpr const char* kExtension = ".CAT";
constexpr const char* kPriorVersionStart = "You are loading a photo album from a prior version.\r\nSome features in version ";
constexpr const char* kPriorVersionEnd
    = " are not transferable to this newer version.\r\n"
      "This mainly includes the various generated album directories.\r\n"
      "Be assured your photos, descriptions and most options will be transferred.";
constexpr const char* kMissingPhotos
    = "ERROR: Some photos in the photo album can not be found.\r\n"
      "If these files are located on removable media such as CDROM\n\r"
      "then please insert this media and reload the album.\r\n\r\n"
      "If these files were renamed then they should be removed and added back to the photo album.\r\n\r\n"
      "Files missing : ";

bool namesCatalog(const std::string& path)
{
    return asciiUpper(path).find(".CAT") != std::string::npos;
}

std::string savedCatalogPath(const Catalog& catalog)
{
    return withTrailingSlash(catalog.folder) + catalog.name;
}

std::string catalogCaption(const std::string& name)
{
    return std::string(Workspace::applicationTitle) + " - Catalog <" + name + ">";
}

std::locale userLocale()
{
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        // A locale named in the environment but not installed: the month names stay English.
        return std::locale::classic();
    }
}

// Writes the catalog to `path` (the file name as chosen) and makes it the catalog's file; until
// the write succeeded the catalog keeps its old name and folder.
void writeCatalogAs(Workspace& workspace, const std::string& path)
{
    Catalog& catalog = workspace.catalog();
    const fs::path chosen(path);
    const std::string folder = chosen.parent_path().string();
    const std::string name = chosen.filename().string();
    CatalogFile::save(withTrailingSlash(folder) + name, catalog, workspace.albumSettings(), workspace.outputFolder());
    catalog.folder = folder;
    catalog.openDialogFolder = folder;
    catalog.name = name;
    catalog.lastCatalogPath = withTrailingSlash(folder) + name;
    catalog.modified = false;
    workspace.setCaption(catalogCaption(name));
    workspace.setLastCatalogEntry(asciiUpper(name));
}

// A name chosen in the save dialog without ".CAT" gets it, as the dialog's default extension;
// since the dialog only asked about replacing the name as typed, replacing a file of the
// extended name is asked here. Returns whether the catalog was written.
bool writeChosenCatalog(Workspace& workspace, std::string path)
{
    if (!namesCatalog(path)) {
        path += kExtension;
        std::error_code ignored;
        if (fs::exists(fs::symlink_status(path, ignored))
            && !workspace.dialogs().askYesNo(path + " already exists.\r\nDo you want to replace it?"))
            return false;
    }
    writeCatalogAs(workspace, path);
    return true;
}

std::string openDialogFolder(const Workspace& workspace)
{
    const Catalog& catalog = workspace.catalog();
    return catalog.openDialogFolder.empty() ? workspace.catalogDialogFolder() : catalog.openDialogFolder;
}

void setEmptyListGuards(StepGuards& guards)
{
    guards.photosSelected = false;
    guards.settingsValid = true;
    guards.outputFolderValid = false;
    guards.albumGenerated = false;
}

// Creates the file only when nothing is there, so that the probe can never replace a file.
std::string probeNewFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::strerror(errno);
    ::close(fd);
    std::error_code ignored;
    fs::remove(path, ignored);
    return {};
}

} // namespace

void applyCatalog(Workspace& workspace, const CatalogSnapshot& snapshot)
{
    const std::string& programFolder = workspace.programFolder();
    Catalog& catalog = workspace.catalog();

    workspace.generationFlags().smartRender = true;
    deleteTempFiles(programFolder);

    const fs::path file(snapshot.file);
    catalog.folder = file.parent_path().string();
    catalog.openDialogFolder = catalog.folder;
    catalog.name = file.filename().string();
    workspace.setCaption(catalogCaption(catalog.name));

    if (snapshot.fromPriorVersion())
        workspace.dialogs().showInformation(kPriorVersionStart + snapshot.version + kPriorVersionEnd);

    catalog.sourceFolder = snapshot.sourceFolder;
    workspace.setStep1Folder(isAbsoluteFolder(catalog.sourceFolder) ? catalog.sourceFolder : programFolder + "Photos");
    workspace.outputFolders().outputFolder = snapshot.outputFolder;

    catalog.photos = snapshot.photos;
    if (const std::size_t missing = snapshot.missingPhotos(); missing > 0)
        workspace.dialogs().showError(kMissingPhotos + std::to_string(missing));

    catalog.albumTitle = snapshot.albumTitle;
    catalog.publishedMetadata = snapshot.publishedMetadata;

    const TemplateList& templates = workspace.templateList();
    std::optional<std::int32_t> entry;
    if (!snapshot.templateName.empty())
        entry = templates.find(snapshot.templateName);
    if (!entry)
        entry = snapshot.templateIndex;
    // A position the list does not hold (the picture was removed) falls back to the basic album
    // rather than to no template at all.
    if (!templates.contains(*entry))
        entry = 0;

    catalog.photoPageTexture = snapshot.photoPageTexture;
    catalog.indexPageTexture = snapshot.indexPageTexture;

    StepGuards& guards = workspace.guards();
    guards.photosSelected = true;
    guards.settingsValid = true;
    guards.outputFolderValid = true;
    guards.albumGenerated = false;

    changeTemplate(workspace, *entry);
    AlbumSettings& settings = workspace.albumSettings();
    const auto resolveSettings = [&] {
        settings.StyleSheet = snapshot.wholePath(settings.StyleSheet);
        settings.ExternalStyleSheet = snapshot.wholePath(settings.ExternalStyleSheet);
        settings.WatermarkImage = snapshot.wholePath(settings.WatermarkImage);
    };
    try {
        readConfigFile(snapshot.file, ConfigMode::Catalog, programFolder, settings, workspace.outputFolders());
    } catch (const std::exception&) {
        // The keys read before the failure stay in force, so their paths must be whole too.
        resolveSettings();
        throw;
    }
    resolveSettings();
    catalog.modified = false;

    if (!snapshot.fromKnownVersion()) {
        try {
            recomputeTemplateGeometry(workspace);
        } catch (const std::exception& error) {
            // The catalog is open; only its grid could not be fitted, and it keeps its values.
            workspace.dialogs().showError(error.what());
        }
    }

    if (catalog.photos.empty())
        setEmptyListGuards(guards);
}

void openCatalogFile(Workspace& workspace, const std::string& path)
{
    // The file is read before anything changes, so that a catalog that cannot be read leaves
    // the open one as it was, and a later save cannot write it over the unreadable file.
    applyCatalog(workspace,
                 CatalogSnapshot::read(path, {workspace.programFolder(), workspace.outputFolder(), workspace.step1Folder()}));
}

bool chooseAndOpenCatalog(Workspace& workspace)
{
    const auto chosen = workspace.dialogs().chooseOpenFile("Open Catalog", openDialogFolder(workspace), kFilter);
    if (!chosen)
        return false;
    return openAndRememberCatalog(workspace, *chosen);
}

bool openAndRememberCatalog(Workspace& workspace, const std::string& path)
{
    workspace.generationFlags().rerenderPhotos = true;
    if (!namesCatalog(path))
        return false;
    openCatalogFile(workspace, path);
    Catalog& catalog = workspace.catalog();
    catalog.lastCatalogPath = path;
    workspace.setLastCatalogEntry(asciiUpper(catalog.name));
    return true;
}

void openLastCatalog(Workspace& workspace)
{
    const std::string path = workspace.catalog().lastCatalogPath;
    openCatalogFile(workspace, path);
}

bool saveCatalog(Workspace& workspace)
{
    Catalog& catalog = workspace.catalog();
    if (!catalog.name.empty()) {
        CatalogFile::save(savedCatalogPath(catalog), catalog, workspace.albumSettings(), workspace.outputFolder());
        catalog.modified = false;
        workspace.setCaption(catalogCaption(catalog.name));
        workspace.setLastCatalogEntry(asciiUpper(catalog.name));
        return true;
    }
    const auto chosen = workspace.dialogs().chooseSaveFile(
        "Save Catalog", catalog.folder, defaultCatalogName(std::time(nullptr), userLocale()), kFilter);
    return chosen && writeChosenCatalog(workspace, *chosen);
}

bool saveCatalogAs(Workspace& workspace)
{
    const Catalog& catalog = workspace.catalog();
    const std::string suggested
        = catalog.name.empty() ? defaultCatalogName(std::time(nullptr), userLocale()) : catalog.name;
    const auto chosen = workspace.dialogs().chooseSaveFile("Save Catalog As", catalog.folder, suggested, kFilter);
    return chosen && writeChosenCatalog(workspace, *chosen);
}

bool closeCatalog(Workspace& workspace)
{
    Catalog& catalog = workspace.catalog();
    workspace.generationFlags().rerenderPhotos = true;
    if (!catalog.name.empty() && catalog.modified && !offerToSaveChanges(workspace, catalog.name))
        return false;

    const std::string& programFolder = workspace.programFolder();
    catalog.photos.clear();
    catalog.name.clear();
    workspace.setCaption(Workspace::applicationTitle);
    catalog.albumTitle = "Untitled Album Title";
    // The basic album is both shown and in force, so that generation never lays pages out on the
    // picture of a template the list no longer shows.
    catalog.templateIndex = 0;
    catalog.templateName = TemplateList::basicEntry;
    const std::string& imageSourceDir = workspace.globalSettings().imageSourceDir;
    workspace.setStep1Folder(isAbsoluteFolder(imageSourceDir) ? imageSourceDir : programFolder + "Photos");
    catalog.photoPageTexture.clear();
    catalog.indexPageTexture.clear();
    catalog.publishedMetadata = PublishedMetadata::AllButPrivate;
    setEmptyListGuards(workspace.guards());
    catalog.modified = false;
    deleteTempFiles(programFolder);
    readConfigFile(programFolder + "ALBUMS/DEFAULT.CFG", ConfigMode::Catalog, programFolder,
                   workspace.albumSettings(), workspace.outputFolders());
    return true;
}

std::string unsavedChangesQuestion(const std::string& name)
{
    return "Catalog [" + name + "] has changed - Save catalog now? ";
}

bool offerToSaveChanges(Workspace& workspace, const std::string& name)
{
    switch (workspace.dialogs().askToSaveChanges(unsavedChangesQuestion(name))) {
    case Dialogs::SaveChoice::Save:
        return saveCatalog(workspace);
    case Dialogs::SaveChoice::Discard:
        return true;
    case Dialogs::SaveChoice::Cancel:
        break;
    }
    return false;
}

NewCatalogNameCheck checkNewCatalogName(const std::string& typed, const std::string& programFolder,
                                        const std::string& saveFolder)
{
    if (typed.empty())
        return {};
    std::string name = typed;
    if (name.find(kExtension) == std::string::npos)
        name += kExtension;
    const fs::path expanded = (fs::path(programFolder + "catalog") / name).lexically_normal();
    const std::string fileName = expanded.filename().string();
    const std::string target = withTrailingSlash(saveFolder) + fileName;
    for (const std::string& candidate : {expanded.string(), target}) {
        std::error_code ignored;
        if (fs::exists(fs::symlink_status(candidate, ignored)))
            return {false, {}, "Photo Album [" + candidate + "] already exists.\r\n\r\nPlease use a different name! "};
    }
    std::error_code ignored;
    fs::create_directories(saveFolder, ignored);
    if (const std::string reason = probeNewFile(target); !reason.empty())
        return {false, {}, "The catalog [" + target + "] cannot be created: " + reason};
    return {true, fileName, {}};
}

bool newCatalog(Workspace& workspace, const std::function<std::optional<std::string>()>& askName)
{
    Catalog& catalog = workspace.catalog();
    if (catalog.modified && !offerToSaveChanges(workspace, catalog.name.empty() ? "Unnamed Catalog" : catalog.name))
        return false;
    const bool modified = catalog.modified;
    catalog.modified = false;
    NewCatalogNameCheck check;
    while (!check.accepted) {
        const auto typed = askName();
        if (!typed) {
            // Cancel keeps the catalog as it is; changes the user chose not to save still count,
            // so that leaving the program asks about them again.
            catalog.modified = modified;
            return false;
        }
        check = checkNewCatalogName(*typed, workspace.programFolder(), catalog.folder);
        if (!check.accepted && !check.message.empty())
            workspace.dialogs().showInformation(check.message);
    }
    closeCatalog(workspace);
    catalog.name = check.name;
    workspace.setCaption(std::string(Workspace::applicationTitle) + " [" + catalog.name + "]");
    workspace.generationFlags().smartRender = true;
    workspace.generationFlags().rerenderPhotos = true;
    return true;
}

std::string defaultCatalogName(std::time_t when, const std::locale& locale)
{
    std::tm parts{};
    localtime_r(&when, &parts);
    std::ostringstream name;
    name.imbue(locale);
    name << "Album_" << std::put_time(&parts, "%b_%d_%Y") << ".Cat";
    return name.str();
}

} // namespace pictaven
