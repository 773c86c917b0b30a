#include "app/GlobalSettings.h"

#include "app/SettingsStore.h"
#include "ini/IniFile.h"
#include "ini/IntegerText.h"

namespace pictaven {

namespace {

void readText(SettingsStore& store, const char* name, std::string& field, bool writeWhenMissing)
{
    if (const auto stored = store.read(name))
        field = *stored;
    else if (writeWhenMissing)
        store.write(name, field);
}

void readNumber(const SettingsStore& store, const char* name, std::int32_t& field)
{
    if (const auto stored = store.read(name))
        field = decimalToInt(*stored);
}

void readFlag(const SettingsStore& store, const char* name, bool& field)
{
    if (const auto stored = store.read(name))
        field = decimalToInt(*stored) != 0;
}

} // namespace

void GlobalSettings::loadStore(SettingsStore& store, const std::string& programFolder)
{
    readText(store, "FileMask", fileMask, true);
    readText(store, "LastProfile", lastProfile, true);
    readNumber(store, "SmallFileSize", smallFileSize);
    readFlag(store, "SkipSmallFiles", skipSmallFiles);
    readNumber(store, "LargeFileSize", largeFileSize);
    readFlag(store, "SkipLargeFiles", skipLargeFiles);
    readNumber(store, "Compression1", compression1);
    readNumber(store, "Compression2", compression2);
    imageSourceDir = programFolder + "Photos";
    readText(store, "ImageSourceDir", imageSourceDir, true);
}

void GlobalSettings::saveFileMask(SettingsStore& store) const
{
    store.write("FileMask", fileMask);
}

void GlobalSettings::saveFileLimits(SettingsStore& store) const
{
    store.write("SkipSmallFiles", skipSmallFiles ? "1" : "0");
    store.write("SkipLargeFiles", skipLargeFiles ? "1" : "0");
    store.write("SmallFileSize", std::to_string(smallFileSize));
    store.write("LargeFileSize", std::to_string(largeFileSize));
}

void GlobalSettings::saveCompression(SettingsStore& store) const
{
    store.write("Compression1", std::to_string(compression1));
    store.write("Compression2", std::to_string(compression2));
}

void GlobalSettings::loadAlbumConfig(const IniFile& albumConfig)
{
    lastCatalog = albumConfig.readString("Catalog", "Last Catalog", "");
    proxy.load(albumConfig);
}

} // namespace pictaven
