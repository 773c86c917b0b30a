#include "session/Workspace.h"

#include "app/Dialogs.h"
#include "app/ErrorLog.h"
#include "app/ProgramFolder.h"
#include "app/ShippedData.h"
#include "catalog/TempFiles.h"
#include "decoders/FormatFlags.h"
#include "ini/FilePaths.h"
#include "session/CatalogCommands.h"
#include "settings/ConfigFile.h"

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

bool isFolder(const std::string& path)
{
    std::error_code ignored;
    return !path.empty() && fs::is_directory(path, ignored);
}

// A long list of copy failures would not fit in a box; the first few tell what is wrong.
std::string seedingReport(const std::vector<std::string>& failures)
{
    constexpr std::size_t shown = 8;
    std::string text = "Some of the program's data files could not be put in place:";
    for (std::size_t i = 0; i < failures.size() && i < shown; ++i)
        text += "\n" + failures[i];
    if (failures.size() > shown)
        text += "\n(" + std::to_string(failures.size() - shown) + " more)";
    return text;
}

} // namespace

Workspace::Workspace(const std::string& programFolder, const std::string& dataFolder, Dialogs& dialogs)
    : m_programFolder(withTrailingSlash(programFolder))
    , m_dialogs(dialogs)
    , m_settingsStore(m_programFolder)
    , m_albumConfig(m_programFolder + "album.cfg")
    , m_albumSettings(AlbumSettings::startUpValues(m_programFolder))
{
    ensureProgramFolder(m_programFolder);
    if (!dataFolder.empty()) {
        if (const auto failures = seedShippedData(dataFolder, m_programFolder); !failures.empty())
            m_dialogs.showWarning(seedingReport(failures));
    }
    createWorkFolders(m_programFolder);
    m_catalog.folder = catalogDialogFolder();

    m_globals.loadStore(m_settingsStore, m_programFolder);
    m_globals.fileMask = maskWithVideosNeverChosen(m_globals.fileMask, m_settingsStore);
    m_globals.loadAlbumConfig(m_albumConfig);
    m_catalog.lastCatalogPath = m_globals.lastCatalog;
    offerLastCatalog();
    try {
        m_ftpProfile = FtpProfile::load(ftpProfilePath());
    } catch (const std::exception& error) {
        // An unreadable profile is no reason to refuse to start; the user can choose another.
        m_dialogs.showError(error.what());
    }

    deleteTempFiles(m_programFolder);
    m_catalog.modified = false;
    m_folders.treeFolder = m_programFolder + "Projects";
    m_folders.outputFolder = m_folders.treeFolder + "/";
    m_saveCatalog = [this] { saveCatalog(*this); };
}

void Workspace::offerLastCatalog()
{
    const std::string& path = m_globals.lastCatalog;
    if (!isFile(path))
        return;
    const fs::path file(path);
    m_catalog.folder = file.parent_path().string();
    m_lastCatalogEntry = file.filename().string();
}

void Workspace::firstShow()
{
    if (m_shown)
        return;
    m_shown = true;
    m_step1Folder = isFolder(m_globals.imageSourceDir) ? m_globals.imageSourceDir : m_programFolder + "Photos";
    // The template list is filled once a run, with the basic album chosen.
    m_templateList = TemplateList::scan(m_programFolder + "ALBUMS/");
    m_catalog.templateIndex = 0;
    m_catalog.templateName = TemplateList::basicEntry;
    try {
        readConfigFile(m_programFolder + "ALBUMS/DEFAULT.CFG", ConfigMode::Template, m_programFolder, m_albumSettings,
                       m_folders);
    } catch (const std::exception& error) {
        // A damaged basic template leaves the keys it did not reach as they were; the program
        // is usable all the same.
        m_dialogs.showError(error.what());
    }
    // The output folder stays workspace state: the process's current folder is left alone, so
    // that paths given on a command line keep naming what they named where it was started.
    m_guards = StepGuards{};
    m_catalog.modified = false;
    // The pages were built before the step 1 folder and the templates were known.
    m_changes.notify();
}

void Workspace::logMessage(const std::string& text)
{
    pictaven::logMessage(m_dialogs, m_programFolder, text);
}

bool Workspace::close()
{
    if (m_catalog.name.empty())
        return true;
    try {
        m_albumConfig.writeString("Catalog", "Last Catalog", withTrailingSlash(m_catalog.folder) + m_catalog.name);
    } catch (const std::exception& error) {
        // Not knowing the last catalog next time is no reason to skip the save question.
        m_dialogs.showError(error.what());
    }
    if (!m_catalog.modified)
        return true;
    switch (m_dialogs.askToSaveChanges(unsavedChangesQuestion(m_catalog.name))) {
    case Dialogs::SaveChoice::Discard:
        return true;
    case Dialogs::SaveChoice::Cancel:
        return false;
    case Dialogs::SaveChoice::Save:
        break;
    }
    try {
        if (!m_saveCatalog)
            throw std::logic_error("The catalog cannot be saved: no save command is installed");
        m_saveCatalog();
    } catch (const std::exception& error) {
        m_dialogs.showError(error.what());
        return false;
    }
    return true;
}

} // namespace pictaven
