#pragma once

#include "settings/AlbumSettings.h"
#include "settings/OutputFolderState.h"

#include <string>

namespace pictaven {

class BigIniFile;

enum class ConfigMode {
    Template, // only the keys read in both modes change (choosing a template)
    Catalog, // every key (opening a catalog, or the reset when one closes)
};

// Reads the settings file at `path` (a template, factory copy or catalog) into `settings`, key
// by key in a fixed order; a missing key (or file) gives its default, and a size outside its
// field's range (AlbumSettingsField::range; the catalog's border offsets too) becomes the nearer
// end of it. programFolder ends in "/"; the navigation-button pictures and the default output
// folder lie below it.
//
// Catalog mode also reads the border offsets into settings.CatalogOffsets (Left, Right, Top and
// Bottom keep their values), copies StyleSheet into ExternalStyleSheet, sets the button pictures
// from ButtonType and applies OutputFolder to `folders`: the output folder becomes the key's
// value with a "/" added; if the tree shows another folder, the tree moves to that folder when
// it exists and to programFolder + "Projects" otherwise, and the output folder follows the tree.
//
// Throws ConversionError when ThumbWidth, ThumbHeight, SpacingRows, SpacingCols, Thumbnails Per
// Row, Rows Per Page or (catalog mode) Compression Ratio is not an integer: the read stops at
// that key, fields read before it keep their new values. Throws IoError when the file exists but
// cannot be read; nothing has changed then. The file is never written.
void readConfigFile(const std::string& path, ConfigMode mode, const std::string& programFolder,
    AlbumSettings& settings, OutputFolderState& folders);

// Writes every key that templates carry into the file at `path`, in the template layout
// ([Size], [Appearance], [Generate Options], [Program] Version=3.03, [FTP Appearance]). An
// existing file keeps its other sections and keys, and its keys keep their places; it is
// rewritten safely (temporary file, then rename) and only when some value differs. Throws
// IoError with the system's reason; the file is then unchanged.
void writeConfigFile(const std::string& path, const AlbumSettings& settings);

// Points the four navigation-button pictures at the set that ButtonType names, below
// programFolder + "NAVBUTS/"; text buttons (0) and no choice (-1) leave them as they are.
void setButtonImages(const std::string& programFolder, AlbumSettings& settings);

// The same keys written into a store that the caller flushes, so that a catalog's own part and
// its settings reach the disk in one safe rewrite.
void writeConfigKeys(BigIniFile& ini, const AlbumSettings& settings);

} // namespace pictaven
