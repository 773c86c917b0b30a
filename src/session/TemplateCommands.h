#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

class Workspace;

// The template commands of step 2 on the workspace. The chosen entry of the template list is
// catalog().templateIndex (0 is the basic album) with its text in catalog().templateName; a
// picture template is chosen whenever the index is not 0. Templates live in
// programFolder + "ALBUMS/"; their files are found without regard to the case of their names.

// The folder of the templates, ending in "/".
std::string albumsFolder(const Workspace& workspace);

// The base name of the chosen template's files: "DEFAULT" for the basic album, else the
// entry's text.
std::string templateFileName(const Workspace& workspace);

// Chooses entry `entry` of the template list: with SoftEdge set, photos must be rendered again;
// the catalog counts as changed; then the template's .CFG (ALBUMS/DEFAULT.CFG for entry 0) is
// read in template mode, so only the layout and appearance keys change (a missing file gives
// their defaults). Throws std::out_of_range for an entry the list does not hold,
// ConversionError for a bad layout number in the file and IoError for a file that cannot be
// read; the entry is chosen all the same.
void changeTemplate(Workspace& workspace, std::int32_t entry);

// "Save Template Preferences": asks whether to overwrite the template for good; on Yes writes
// the album settings into the chosen template's .CFG. Returns whether it wrote. Throws IoError
// with the system's reason, and the file is then unchanged.
bool saveTemplate(Workspace& workspace);

// Restores the chosen template's factory settings: when its .DEF exists, the catalog counts as
// changed, the .DEF is copied over the .CFG and the .CFG is read in template mode. Without a
// .DEF nothing happens. A copy that fails is shown as an error, the .CFG is left as it was and
// read all the same. Throws as changeTemplate reads.
void restoreFactorySettings(Workspace& workspace);

// Fits ThumbnailsPerRow and RowsPerPage of a picture template to its background picture,
// ALBUMS/<entry>.bmp, with the border offsets last read from a catalog; nothing happens for the
// basic album. Throws std::runtime_error naming the picture when it is missing or cannot be
// read, or when the sizes give no grid; the values then stay as they were.
void recomputeTemplateGeometry(Workspace& workspace);

} // namespace pictaven
