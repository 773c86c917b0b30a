#include "catalog/CatalogSnapshot.h"

#include "catalog/CatalogFile.h"
#include "ini/BigIniFile.h"
#include "ini/FilePaths.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace pictaven
{

namespace fs = std::filesystem;

namespace
{

constexpr std::array<const char*, 13> kKnownVersions = { "3.03", "3.02", "3.01", "3.00", "2.82", "2.81",
    "2.80", "2.78", "2.77", "2.76", "2.75", "2.71", "2.70" };

// `path` as it names a file when taken against `folder`; an absolute path stays as it is.
fs::path againstFolder(const std::string& folder, const std::string& path)
{
    return (fs::path(folder) / path).lexically_normal();
}

} // namespace

CatalogSnapshot CatalogSnapshot::read(const std::string& path, const CatalogReadingPlaces& places)
{
    // The path is made absolute so that the catalog's folder is never empty.
    CatalogSnapshot snapshot;
    snapshot.file = againstFolder(places.outputFolder, path).string();
    const BigIniFile ini(snapshot.file);

    snapshot.version = ini.readString("Program", "Version", CatalogFile::unknownVersion);
    snapshot.sourceFolder = ini.readString("Directories", "Source Directory", places.sourceFolder);
    snapshot.outputFolder
        = withTrailingSlash(ini.readString("Generate Options", "OutputFolder", places.outputFolder));

    // Paths in a catalog are full paths; one written without its folder is taken against the
    // output folder that the catalog sets (reading its settings applies it the same way), never
    // against whatever folder the program was started in.
    const std::string storedOutput = ini.readString("Generate Options", "OutputFolder", "");
    snapshot.m_pathFolder = isAbsoluteFolder(storedOutput) ? withTrailingSlash(storedOutput)
                                                           : places.programFolder + "Projects/";

    snapshot.photos = CatalogFile::readPhotos(ini);
    for (AlbumItem& item : snapshot.photos) {
        FileStorage& storage = item.storage;
        storage.SourcePath = snapshot.wholePath(storage.SourcePath);
        storage.WorkingPath = snapshot.wholePath(storage.WorkingPath);
        storage.AudioFile = snapshot.wholePath(storage.AudioFile);
    }

    snapshot.albumTitle = ini.readString("Preferences", "Album Title", "Untitled Album");
    snapshot.publishedMetadata = CatalogFile::readPublishedMetadata(ini);
    snapshot.templateName = ini.readString("Preferences", "Album Filename", "");
    snapshot.templateIndex = ini.readInteger("Preferences", "Album Index", 0);
    snapshot.photoPageTexture = snapshot.wholePath(ini.readString("Preferences", "Background Image", ""));
    snapshot.indexPageTexture
        = snapshot.wholePath(ini.readString("Preferences", "Thumbnail Background Image", ""));
    return snapshot;
}

bool CatalogSnapshot::fromPriorVersion() const
{
    return version.starts_with('2');
}

bool CatalogSnapshot::fromKnownVersion() const
{
    return std::find(kKnownVersions.begin(), kKnownVersions.end(), version) != kKnownVersions.end();
}

std::size_t CatalogSnapshot::missingPhotos() const
{
    return static_cast<std::size_t>(std::count_if(photos.begin(), photos.end(),
        [](const AlbumItem& item) { return !isFile(item.storage.SourcePath); }));
}

std::string CatalogSnapshot::wholePath(const std::string& held) const
{
    return held.empty() ? held : againstFolder(m_pathFolder, held).string();
}

} // namespace pictaven
