#pragma once

#include "app/ProxySettings.h"

#include <cstdint>
#include <string>

namespace pictaven {

class IniFile;
class SettingsStore;

// The program-wide values: the first group lives in settings.ini (SettingsStore), the rest in
// album.cfg. The graphic format flags are kept apart (decoders/FormatFlags.h), as only the graphic
// formats dialog reads them.
struct GlobalSettings {
    // A new program folder also lists the photos of today's phones (HEIC/HEIF, AVIF, WebP).
    std::string fileMask = "*.jpg;*.gif;*.png;*.heic;*.heif;*.avif;*.webp";
    std::string lastProfile = "default.prf"; // file name in the profiles folder
    std::int32_t smallFileSize = 10;          // kilobytes
    bool skipSmallFiles = false;
    std::int32_t largeFileSize = 200;         // kilobytes
    bool skipLargeFiles = false;
    std::int32_t compression1 = 80;           // JPEG quality of composed album pictures, 0..100
    std::int32_t compression2 = 97;           // JPEG quality of photos converted to JPEG, 0..100
    std::string imageSourceDir;               // initial Step 1 folder

    std::string lastCatalog; // album.cfg [Catalog] "Last Catalog"
    ProxySettings proxy;     // album.cfg [Proxy]

    // Reads the settings.ini values in the order FileMask, LastProfile, SmallFileSize,
    // SkipSmallFiles, LargeFileSize, SkipLargeFiles, Compression1, Compression2, ImageSourceDir
    // (default `programFolder` + "Photos"). FileMask, LastProfile and ImageSourceDir are written
    // with their defaults when never stored. The skip flags are set for any non-zero number.
    // Throws ConversionError ("'<text>' is not a valid integer value") for a stored number that
    // is not decimal text, leaving the values read before it in place; IoError when a default
    // cannot be written.
    void loadStore(SettingsStore& store, const std::string& programFolder);

    // The writers of the values the graphic formats and JPEG compression dialogs change: numbers
    // as decimal text, flags as "1" or "0". Throw IoError when settings.ini cannot be written.
    void saveFileMask(SettingsStore& store) const;
    void saveFileLimits(SettingsStore& store) const;
    void saveCompression(SettingsStore& store) const;

    // Reads [Catalog] "Last Catalog", then the [Proxy] keys. Never throws for bad values.
    void loadAlbumConfig(const IniFile& albumConfig);
};

} // namespace pictaven
