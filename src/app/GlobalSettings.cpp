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

void GlobalSettings::loadAlbumConfig(const IniFile& albumConfig)
{
    lastCatalog = albumConfig.readString("Catalog", "Last Catalog", "");
    proxy.load(albumConfig);
}

} // namespace pictaven
