#include "catalog/CatalogFile.h"

#include "ini/BigIniFile.h"
#include "ini/FilePaths.h"
#include "settings/AlbumSettingsField.h"
#include "settings/ConfigFile.h"

#include <initializer_list>

namespace pictaven {

namespace {

std::string fileNamePart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void writeFields(BigIniFile& ini, const AlbumSettings& settings, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        AlbumSettingsField::byName(name).write(ini, settings);
}

void writeUnlessEmpty(BigIniFile& ini, const std::string& key, const std::string& value)
{
    if (!value.empty())
        ini.writeString("Files", key, value);
}

} // namespace

void CatalogFile::writeCatalogPart(BigIniFile& ini, const Catalog& catalog, const AlbumSettings& settings,
                                   const std::string& outputFolder)
{
    ini.writeString("Directories", "Source Directory", catalog.sourceFolder);

    // Emptied first, so that no key of a removed photo survives; the section keeps its place, so
    // that saving a catalog again changes nothing that did not change.
    ini.clearSection("Files");
    std::size_t n = 1;
    for (const AlbumItem& item : catalog.photos) {
        const FileStorage& photo = item.storage;
        const std::string number = std::to_string(n);
        ini.writeString("Files", "Source_File_" + number, photo.SourcePath);
        writeUnlessEmpty(ini, "Caption_" + number, photo.Caption);
        writeUnlessEmpty(ini, "WebTitle_" + number, photo.WebTitle);
        writeUnlessEmpty(ini, "AudioFile_" + number, photo.AudioFile);
        ini.writeInteger("Files", "Rotation_" + number, photo.Rotation);
        // Written only when set, so that catalogs without mirrored photos stay as they were.
        if (photo.Mirrored)
            ini.writeString("Files", "Mirrored_" + number, "1");
        std::size_t m = 1;
        for (const std::string& line : photo.Description) {
            ini.writeString("Files", "Descr_" + number + "_Line_" + std::to_string(m),
                            line.empty() ? emptyLineMark : line);
            ++m;
        }
        ++n;
    }
    ini.writeString("Files", "Source_File_" + std::to_string(n), "");

    ini.writeString("Preferences", "Album Title", catalog.albumTitle);
    ini.writeInteger("Preferences", "Album Index", catalog.templateIndex);
    ini.writeString("Preferences", "Album Filename", catalog.templateName);
    ini.writeString("Preferences", "Background Image", catalog.photoPageTexture);
    ini.writeString("Preferences", "Thumbnail Background Image", catalog.indexPageTexture);

    writeFields(ini, settings, {"PassiveMode", "UploadDirectory", "Resample"});
    ini.writeString("Generate Options", "OutputFolder", withTrailingSlash(outputFolder));
    writeFields(ini, settings, {"AlbumShortName",   "SneakPeek",       "CDROM",
                                "DeleteFolder",     "Substitutions",   "LowercaseFiles",
                                "HomeButtonEnable", "HomeButtonFrame", "DisplaySlideShow",
                                "FadeIn",           "HTMLLink",        "HTMLLinkDesc",
                                "HTMLLink2",        "HTMLLinkDesc2",   "NewWindow1",
                                "NewWindow2",       "WatermarkType",   "WatermarkOrientation",
                                "WatermarkText",    "WatermarkImage"});
    // Last, where older readers pass over it.
    if (catalog.publishedMetadata)
        ini.writeInteger("Generate Options", publishedMetadataKey,
                         static_cast<std::int32_t>(*catalog.publishedMetadata));
    // A catalog of an album that keeps the default stays as older versions wrote it; one that
    // holds the key already gets the value of now.
    const AlbumSettingsField& videoLongSide = AlbumSettingsField::byName("VideoLongSide");
    if (settings.VideoLongSide != AlbumSettings{}.VideoLongSide ||
        !ini.readString(videoLongSide.section, videoLongSide.key, "").empty())
        videoLongSide.write(ini, settings);
}

MetadataChoice CatalogFile::readPublishedMetadata(const BigIniFile& ini)
{
    if (ini.readString("Generate Options", publishedMetadataKey, "").empty())
        return std::nullopt;
    // A value no version wrote keeps the location and serial numbers private.
    switch (ini.readInteger("Generate Options", publishedMetadataKey, 1)) {
    case 0:
        return PublishedMetadata::None;
    case 2:
        return PublishedMetadata::All;
    default:
        return PublishedMetadata::AllButPrivate;
    }
}

std::vector<AlbumItem> CatalogFile::readPhotos(const BigIniFile& ini)
{
    std::vector<AlbumItem> photos;
    for (std::size_t n = 1;; ++n) {
        const std::string number = std::to_string(n);
        std::string source = ini.readString("Files", "Source_File_" + number, "");
        if (source.empty())
            break;
        AlbumItem item;
        item.displayName = fileNamePart(source);
        FileStorage& photo = item.storage;
        photo.SourcePath = source;
        photo.WorkingPath = std::move(source);
        photo.Caption = ini.readString("Files", "Caption_" + number, "");
        photo.WebTitle = ini.readString("Files", "WebTitle_" + number, "");
        photo.Rotation = ini.readInteger("Files", "Rotation_" + number, 0);
        photo.Mirrored = ini.readString("Files", "Mirrored_" + number, "") == "1";
        photo.AudioFile = ini.readString("Files", "AudioFile_" + number, "");
        for (std::size_t m = 1;; ++m) {
            std::string line = ini.readString("Files", "Descr_" + number + "_Line_" + std::to_string(m), "");
            if (line.empty())
                break;
            photo.Description.push_back(line == emptyLineMark ? " " : std::move(line));
        }
        photos.push_back(std::move(item));
    }
    return photos;
}

void CatalogFile::save(const std::string& path, const Catalog& catalog, const AlbumSettings& settings,
                       const std::string& outputFolder)
{
    BigIniFile ini(path, NewFileAccess::OwnerOnly);
    writeCatalogPart(ini, catalog, settings, outputFolder);
    writeConfigKeys(ini, settings);
    ini.flushFile();
}

} // namespace pictaven
