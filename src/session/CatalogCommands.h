#pragma once

#include <ctime>
#include <functional>
#include <locale>
#include <optional>
#include <string>

namespace pictaven {

class Workspace;
struct CatalogSnapshot;

// The catalog commands of the File menu, on the workspace. Questions, messages and file
// choosers go through workspace.dialogs(). Catalog paths use "/".

// Applies a catalog as read (catalog/CatalogSnapshot.h) to the workspace: photos, texts,
// template, textures, folders and every album setting, then the step guards; settings paths
// are made whole as the catalog's own are. A catalog of a prior version (its Version starts
// with "2") is announced; photos whose files are missing are kept and counted in one error
// message; the template is chosen by its stored name, else by its stored position (the basic
// album when the list has no such position); a catalog of an unknown or missing version gets
// the grid of a picture template fitted to its picture (a picture that cannot be read is shown
// as an error and the grid stays).
//
// Throws ConversionError (a layout number that is not an integer) or IoError from reading the
// template or the catalog's settings, with the catalog's name, folder and photos already in
// place.
void applyCatalog(Workspace& workspace, const CatalogSnapshot& snapshot);

// Reads the catalog file at `path` (a relative path is taken against the output folder) and
// applies it. Throws IoError when the file cannot be read, before anything has changed; else
// as applyCatalog.
void openCatalogFile(Workspace& workspace, const std::string& path);

// "Open Catalog..": asks for a file and opens it with openAndRememberCatalog. Returns whether a
// catalog was opened. Throws as openCatalogFile.
bool chooseAndOpenCatalog(Workspace& workspace);

// Opens a catalog the person named (in the open dialog or on the command line): sets
// RerenderPhotos, so that the next generation renders every photo again; a name without ".CAT"
// (any case) opens nothing; otherwise openCatalogFile, and the path becomes the last catalog
// with its File-menu entry. Returns whether a catalog was opened. Throws as openCatalogFile.
bool openAndRememberCatalog(Workspace& workspace, const std::string& path);

// The File menu's last-catalog entry: opens catalog().lastCatalogPath.
void openLastCatalog(Workspace& workspace);

// "Save Catalog": a named catalog is written to its file; an unnamed one asks for a file,
// suggesting defaultCatalogName(). A chosen name without ".CAT" (any case) gets ".CAT"
// appended; when a file of that name exists, the person is asked whether to replace it.
// Returns whether the catalog was written. Throws IoError with the system's reason; the old
// file is then intact and the catalog still counts as changed.
bool saveCatalog(Workspace& workspace);

// "Save Catalog As..": asks for a file, suggesting the catalog's name (or the dated default),
// and writes the catalog there, completing the chosen name as saveCatalog does. Returns
// whether the catalog was written. Throws as saveCatalog.
bool saveCatalogAs(Workspace& workspace);

// "Catalog [<name>] has changed - Save catalog now? "
std::string unsavedChangesQuestion(const std::string& name);

// Asks unsavedChangesQuestion(name) with Save, Discard and Cancel.
// Returns whether the command that asked may go on: after Discard, or after Save once the
// catalog was written. Cancel, and a Save whose file chooser was cancelled, stop it; nothing
// has changed then. A save that fails throws.
bool offerToSaveChanges(Workspace& workspace, const std::string& name);

// "Close Catalog": offers to save a named, changed catalog, then returns to an unnamed, empty
// catalog with the basic template's settings (ALBUMS/DEFAULT.CFG read in catalog mode).
// Returns whether it closed: Cancel in the question leaves the catalog as it was. A save that
// fails throws and leaves the catalog open; ConversionError or IoError from reading the basic
// template leave it closed with the settings read so far.
bool closeCatalog(Workspace& workspace);

// The outcome of the New Catalog dialog's OK button for one typed name.
struct NewCatalogNameCheck {
    bool accepted = false; // the dialog closes with `name`
    std::string name;      // the new catalog's file name, when accepted
    std::string message;   // shown (as information) when not accepted; may be empty
};

// The New Catalog dialog's rules: an empty name is refused without a message; ".CAT" is
// appended unless the text holds it (case counts); a name whose file exists in the program's
// catalog folder or in `saveFolder` (where the first save will write it) is refused with
// "Photo Album [<path>] already exists.\r\n\r\nPlease use a different name! "; otherwise the
// file is created in `saveFolder` (made when missing) and deleted again to prove the name can
// be used, and a name that fails there is refused with the reason.
NewCatalogNameCheck checkNewCatalogName(const std::string& typed, const std::string& programFolder,
                                        const std::string& saveFolder);

// "New Catalog": offers to save a changed catalog (Cancel there ends the command), then runs the
// New Catalog dialog through `askName`, which shows the dialog and returns the typed text, or
// nullopt for Cancel. A name checkNewCatalogName() refuses shows its message and asks again. On
// OK the current catalog is closed and the new, still unsaved catalog gets the name. Returns
// whether a catalog was made. Throws as saveCatalog and closeCatalog.
bool newCatalog(Workspace& workspace, const std::function<std::optional<std::string>()>& askName);

// "Album_" + the date as Mmm_dd_yyyy + ".Cat" (Album_Mar_05_2004.Cat), the month as `locale`
// abbreviates it.
std::string defaultCatalogName(std::time_t when, const std::locale& locale);

} // namespace pictaven
