#pragma once

#include "catalog/Catalog.h"
#include "settings/AlbumSettings.h"

#include <string>
#include <vector>

namespace pictaven {

class BigIniFile;

// The catalog's own part of a .CAT file and the whole-file save. Photos are numbered from 1:
// [Files] Source_File_n, Caption_n, WebTitle_n, AudioFile_n (the three texts only when not
// empty), Rotation_n, Mirrored_n (only
// when set) and Descr_n_Line_m (an empty line stored as "<!>"), then an empty
// Source_File_(N+1) as end marker.
class CatalogFile {
public:
    static constexpr const char* emptyLineMark = "<!>";
    static constexpr const char* unknownVersion = "UNKNOWN";

    // Writes [Directories], the photos into a freshly erased [Files], [Preferences], and the
    // catalog-only keys of [FTP], [Generate Options], [Appearance] and [FTP Appearance], in that
    // order, into `ini`. `outputFolder` is the step 3 output folder (a "/" is added when
    // missing). Values of any length are kept whole; a value holding a line break makes the
    // store throw IoError (photo paths are refused before that, when they are added).
    static void writeCatalogPart(BigIniFile& ini, const Catalog& catalog, const AlbumSettings& settings,
                                 const std::string& outputFolder);

    // The photo list stored in `ini`: it ends at the first missing or empty Source_File_n, a
    // description at its first missing or empty line, and "<!>" comes back as " ". SourcePath
    // and WorkingPath are the stored text, the display name its part after the last "/";
    // FileDate is 0.
    static std::vector<AlbumItem> readPhotos(const BigIniFile& ini);
    // [Generate Options] PublishedMetadata: 0 none, 1 all but location and serial numbers, 2 all;
    // none chosen when the key is missing, as in catalogs written before it existed.
    static constexpr const char* publishedMetadataKey = "PublishedMetadata";
    static MetadataChoice readPublishedMetadata(const BigIniFile& ini);

    // Writes the catalog part and then every album setting (as a template carries them, with
    // [Program] Version=3.03) into the file at `path`, in one rewrite through a temporary file
    // renamed over the old one; a new file may be read by its owner only. Throws IoError with
    // the system's reason, or naming a key whose value holds a line break; the old file is
    // then intact.
    static void save(const std::string& path, const Catalog& catalog, const AlbumSettings& settings,
                     const std::string& outputFolder);
};

} // namespace pictaven
