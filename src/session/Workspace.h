#pragma once

#include "app/GlobalSettings.h"
#include "app/SettingsStore.h"
#include "catalog/Catalog.h"
#include "session/ChangeNotifier.h"
#include "generate/GenerationFlags.h"
#include "ini/IniFile.h"
#include "publish/FtpProfile.h"
#include "session/PhotoList.h"
#include "session/StepGuards.h"
#include "settings/AlbumSettings.h"
#include "settings/OutputFolderState.h"
#include "settings/TemplateList.h"

#include <functional>
#include <optional>
#include <string>

namespace pictaven {

class Dialogs;

// The state of the running program and its commands, kept apart from any window: the global
// settings, the catalog, the step guards and the folders. The front end shows it and forwards
// the user's actions; everything it needs from the user goes through Dialogs.
class Workspace {
public:
    // The main window's caption while no catalog is named.
    static constexpr const char* applicationTitle = "Pictaven 3.03";

    // Sets the program up: makes sure `programFolder` (ending in "/" or not) can be used, copies
    // the shipped files missing there from `dataFolder` (skipped when empty; a file that cannot
    // be copied is reported as a warning), creates CDROM, Projects and temp, reads settings.ini
    // and album.cfg, offers the last catalog, loads the FTP profile named by LastProfile (a
    // profile that cannot be read is reported as an error and the defaults are used) and
    // empties the thumbnail cache.
    //
    // `dialogs` must outlive the workspace. Throws std::runtime_error naming the program folder
    // when it cannot be used, ConversionError for a stored number that is not decimal text and
    // IoError when settings.ini cannot be written; the program is to end then.
    Workspace(const std::string& programFolder, const std::string& dataFolder, Dialogs& dialogs);

    // What the main window's first show does after the About box has closed: points Step 1 at
    // ImageSourceDir (or the Photos folder when that is gone), reads the basic template
    // ALBUMS/DEFAULT.CFG in template mode, puts the step guards into their initial states and tells
    // changes().
    // The process's current folder is never changed; relative paths that the program takes
    // against the output folder use outputFolder(). A basic template that cannot be read is
    // reported as an error and the rest is done all the same. Runs once; later calls do nothing.
    void firstShow();

    // The exit sequence. For a named catalog, records it as album.cfg's "Last Catalog" and, when
    // it has changed, asks whether to save it; Save runs the save command. Returns true when the
    // window may close, which is always, except after Cancel and when the save asked for failed:
    // the error has then been shown and the window stays open so that nothing is lost. Never
    // throws.
    bool close();

    // The command run when the user asks to save the catalog on exit: the catalog's Save command
    // unless replaced. It may throw; the error is shown to the user.
    void setSaveCatalogCommand(std::function<void()> saveCatalog) { m_saveCatalog = std::move(saveCatalog); }

    // The caption of the File menu's last-catalog entry (the catalog's file name), present when
    // the file that album.cfg names as the last catalog existed at start-up.
    const std::optional<std::string>& lastCatalogEntry() const { return m_lastCatalogEntry; }
    // Creates the entry or changes its caption.
    void setLastCatalogEntry(std::string caption) { m_lastCatalogEntry = std::move(caption); }

    // The main window's caption: the application title, with the catalog's name once named.
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption) { m_caption = std::move(caption); }

    // The templates of step 2, filled at the first show. The chosen entry is
    // catalog().templateIndex and templateName.
    const TemplateList& templateList() const { return m_templateList; }
    void setTemplateList(TemplateList list) { m_templateList = std::move(list); }

    const std::string& programFolder() const { return m_programFolder; } // ends in "/"
    std::string helpFolder() const { return m_programFolder + "help/"; } // ends in "/"
    std::string catalogDialogFolder() const { return m_programFolder + "catalog"; }
    std::string ftpProfilePath() const { return m_programFolder + "profiles/" + m_globals.lastProfile; }
    const std::string& step1Folder() const { return m_step1Folder; }
    void setStep1Folder(std::string folder) { m_step1Folder = std::move(folder); }
    const std::string& outputFolder() const { return m_folders.outputFolder; } // ends in "/"
    // The step 3 folder tree and the output folder.
    OutputFolderState& outputFolders() { return m_folders; }

    // The settings of the current album; the start-up values until a template or catalog is read.
    AlbumSettings& albumSettings() { return m_albumSettings; }
    const AlbumSettings& albumSettings() const { return m_albumSettings; }
    // The upload destination; the profile defaults when the profile file is missing.
    FtpProfile& ftpProfile() { return m_ftpProfile; }
    const FtpProfile& ftpProfile() const { return m_ftpProfile; }
    GlobalSettings& globalSettings() { return m_globals; }
    const GlobalSettings& globalSettings() const { return m_globals; }
    SettingsStore& settingsStore() { return m_settingsStore; }
    IniFile& albumConfig() { return m_albumConfig; }
    Catalog& catalog() { return m_catalog; }
    const Catalog& catalog() const { return m_catalog; }
    StepGuards& guards() { return m_guards; }
    const StepGuards& guards() const { return m_guards; }
    GenerationFlags& generationFlags() { return m_generationFlags; }
    const GenerationFlags& generationFlags() const { return m_generationFlags; }
    Dialogs& dialogs() { return m_dialogs; }
    // The commands of the step 1 album list over catalog().photos.
    PhotoList& photoList() { return m_photoList; }
    const PhotoList& photoList() const { return m_photoList; }

    // An error box, then an entry in the program folder's error.log (see ErrorLog.h).
    void logMessage(const std::string& text);

    // Step 5's "overwrite" and "audio" boxes: the upload takes them, and the diagnostic report
    // shows the first. They last while the program runs.
    bool& overwritePhotos() { return m_overwritePhotos; }
    bool overwritePhotos() const { return m_overwritePhotos; }
    bool& uploadAudio() { return m_uploadAudio; }
    bool uploadAudio() const { return m_uploadAudio; }
    // Step 5's sync boxes, kept as the overwrite box is: send only new or changed files, and
    // with that delete the remote files the album no longer has.
    bool& syncUpload() { return m_syncUpload; }
    bool syncUpload() const { return m_syncUpload; }
    bool& deleteStale() { return m_deleteStale; }
    bool deleteStale() const { return m_deleteStale; }
    // Set by the Remote Settings window's OK, whose refresh of step 5's upload location writes the
    // initial directory as ".../"; showing step 5 or typing in its upload directory clears it.
    bool& remoteSettingsJustAccepted() { return m_remoteSettingsJustAccepted; }
    bool remoteSettingsJustAccepted() const { return m_remoteSettingsJustAccepted; }

    // Told after a command that may have changed more than the piece of the workspace its page
    // shows (a catalog opened or closed, a template read, a job ended), so that every page
    // draws its view again.
    ChangeNotifier& changes() { return m_changes; }

    // Whether a generation or upload is running on a worker. While it runs, the commands that
    // would change the workspace are refused or disabled, since the job reads it.
    bool jobRunning() const { return m_jobRunning; }
    void setJobRunning(bool running)
    {
        m_jobRunning = running;
        m_changes.notify();
    }

private:
    void offerLastCatalog();

    std::string m_programFolder;
    Dialogs& m_dialogs;
    SettingsStore m_settingsStore;
    IniFile m_albumConfig;
    GlobalSettings m_globals;
    AlbumSettings m_albumSettings;
    FtpProfile m_ftpProfile;
    Catalog m_catalog;
    StepGuards m_guards;
    GenerationFlags m_generationFlags;
    std::optional<std::string> m_lastCatalogEntry;
    std::string m_caption = applicationTitle;
    TemplateList m_templateList;
    std::string m_step1Folder;
    OutputFolderState m_folders;
    std::function<void()> m_saveCatalog;
    bool m_shown = false;
    bool m_jobRunning = false;
    bool m_overwritePhotos = true;
    bool m_remoteSettingsJustAccepted = false;
    bool m_uploadAudio = true;
    bool m_syncUpload = false;
    bool m_deleteStale = false;
    ChangeNotifier m_changes;
    // Last: it reads the program folder when it is built.
    PhotoList m_photoList{*this};
};

} // namespace pictaven
