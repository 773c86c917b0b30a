#include "settings/ConfigFile.h"

#include "ini/BigIniFile.h"
#include "ini/FilePaths.h"
#include "settings/AlbumSettingsField.h"

#include <filesystem>
#include <initializer_list>

namespace pictaven {

namespace {

constexpr const char* kVersion = "3.03";

// The output folder always ends up as the folder the tree shows, even when the tree already
// shows it and so does not move: a folder that does not exist never stays the output folder.
void moveTree(OutputFolderState& folders, const std::string& folder)
{
    folders.outputFolder = withTrailingSlash(folder);
    if (folder == folders.treeFolder)
        return;
    folders.treeFolder = folder;
    if (folders.onTreeMoved)
        folders.onTreeMoved();
}

void applyOutputFolder(const std::string& programFolder, const std::string& value, OutputFolderState& folders)
{
    const std::string output = withTrailingSlash(value);
    folders.outputFolder = output;
    if (output == withTrailingSlash(folders.treeFolder))
        return;
    // Only an absolute folder counts: an empty or relative value would otherwise name the root
    // or whatever folder the program happens to run in, and generation may clear that folder.
    std::error_code error;
    const bool usable = value.starts_with('/') && std::filesystem::is_directory(output, error);
    if (usable)
        moveTree(folders, output.size() > 1 ? output.substr(0, output.size() - 1) : output);
    else
        moveTree(folders, programFolder + "Projects");
}

} // namespace

void setButtonImages(const std::string& programFolder, AlbumSettings& settings)
{
    const std::string folder = programFolder + "NAVBUTS/";
    std::string prefix;
    if (settings.ButtonType >= 1 && settings.ButtonType <= 9)
        prefix = folder + std::to_string(settings.ButtonType);
    else if (settings.ButtonType == 10)
        prefix = folder;
    else
        return;
    const bool numbered = settings.ButtonType != 10;
    settings.NextButtonImage = prefix + (numbered ? "Next.gif" : "next.gif");
    settings.PrevButtonImage = prefix + (numbered ? "Prev.gif" : "prev.gif");
    settings.IndexButtonImage = prefix + (numbered ? "Index.gif" : "index.gif");
    settings.HomeButtonImage = prefix + (numbered ? "Home.gif" : "home.gif");
}

void readConfigFile(const std::string& path, ConfigMode mode, const std::string& programFolder, AlbumSettings& settings,
                    OutputFolderState& folders)
{
    const BigIniFile ini(path);
    const AlbumSettings defaults = AlbumSettings::defaults(programFolder);
    const bool catalog = mode == ConfigMode::Catalog;
    const auto readFields = [&](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const AlbumSettingsField& field = AlbumSettingsField::byName(name);
            if (catalog || field.readIn == ReadIn::BothModes)
                field.read(ini, settings, defaults);
        }
    };

    if (catalog) {
        const BorderOffsets fallback = defaults.CatalogOffsets;
        const auto offset = [&](const char* name, std::int32_t fallbackValue) {
            return AlbumSettingsField::byName(name).bounded(ini.readInteger("Size", name, fallbackValue));
        };
        settings.CatalogOffsets = BorderOffsets{offset("Left", fallback.Left), offset("Right", fallback.Right),
                                                offset("Top", fallback.Top), offset("Bottom", fallback.Bottom)};
    } else {
        readFields({"Left", "Right", "Top", "Bottom"});
    }
    readFields({"ThumbWidth", "ThumbHeight", "SpacingRows", "SpacingCols", "ThumbnailsPerRow", "RowsPerPage",
                "PageNumbers", "StyleSheetType", "GenerateMetaData", "MetaDesc", "MetaKeywords", "StyleSheet",
                "StyleSheetURL"});
    if (catalog)
        settings.ExternalStyleSheet = settings.StyleSheet;
    readFields({"RefreshRate", "FillBg", "Shadow", "Label", "Border", "Buttonize", "Backdrop", "AspectRatio",
                "MultiWindow", "PassiveMode", "UploadDirectory", "OutputFolder"});
    if (catalog)
        applyOutputFolder(programFolder, settings.OutputFolder, folders);
    readFields(
        {"AlbumShortName",     "Resample",           "SneakPeek",          "CDROM",           "DeleteFolder",
         "Substitutions",      "LowercaseFiles",     "StyleTheme",         "VideoLongSide",   "HomeURL",
         "HomeButtonEnable",   "HomeButtonFrame",    "HTMLLink",           "HTMLLinkDesc",    "HTMLLink2",
         "HTMLLinkDesc2",      "NewWindow1",         "NewWindow2",         "EnableBgColor",   "TitleFontSize",
         "LabelFontSize",      "PhotoTitleFontSize", "NavButtonsFontSize", "ListBoxFontSize", "PhotoLongDescFontSize",
         "CustomLinkFontSize", "WatermarkFontSize",  "PageNumberFontSize", "FontFamily",      "LabelHeight",
         "TitleFontColor",     "TitleBrushColor",    "PrefixIndex",        "PrefixHome",      "PrefixPrev",
         "PrefixNext",         "PrefixName",         "ButtonType"});
    if (catalog)
        setButtonImages(programFolder, settings);
    readFields({"ProtectImages",
                "BgColor",
                "LabelBgColor",
                "LabelTextColor",
                "ThumbBgColor",
                "WebBgColor",
                "LinkColor",
                "WebPhotoBgColor",
                "WebPhotoTextColor",
                "WebPhotoBorderColor",
                "WebPhotoDescColor",
                "WebTextColor",
                "ThumbBorderColor",
                "AlbumTitleColor",
                "FadeIn",
                "PhotoBorder",
                "PhotoBorderWidth",
                "CenterAlbum",
                "AlbumTitleAlignment",
                "FrameAlignment",
                "ListboxAlignment",
                "NavigationButtonsAlignment",
                "WebTitleAlignment",
                "DisplayWebTitle",
                "DisplayWebDesc",
                "DisplaySlideShow",
                "DisplayListbox",
                "DisplayNavigationButtons",
                "DisplayNavigationIndex",
                "ResizeImageType",
                "NewPhotoWidth",
                "NewPhotoHeight",
                "ResizePercentage",
                "CompressJPEG",
                "CompressionRatio",
                "SoftEdge",
                "WatermarkType",
                "WatermarkOrientation",
                "WatermarkText",
                "WatermarkImage"});
}

void writeConfigFile(const std::string& path, const AlbumSettings& settings)
{
    BigIniFile ini(path);
    writeConfigKeys(ini, settings);
    ini.flushFile();
}

void writeConfigKeys(BigIniFile& ini, const AlbumSettings& settings)
{
    const auto writeFields = [&](std::initializer_list<const char*> names) {
        for (const char* name : names)
            AlbumSettingsField::byName(name).write(ini, settings);
    };
    // StyleTheme lives in [Generate Options] but is written amid [Appearance], which is why a
    // new file has that section right after [Appearance].
    writeFields({"Left",
                 "Right",
                 "Top",
                 "Bottom",
                 "ThumbWidth",
                 "ThumbHeight",
                 "SpacingRows",
                 "SpacingCols",
                 "ThumbnailsPerRow",
                 "RowsPerPage",
                 "RefreshRate",
                 "ProtectImages",
                 "GenerateMetaData",
                 "MetaDesc",
                 "MetaKeywords",
                 "StyleSheetType",
                 "StyleSheet",
                 "StyleSheetURL",
                 "FillBg",
                 "Shadow",
                 "AspectRatio",
                 "Label",
                 "Border",
                 "Buttonize",
                 "Backdrop",
                 "PageNumbers",
                 "MultiWindow",
                 "StyleTheme",
                 "DisplayWebTitle",
                 "DisplayWebDesc",
                 "WebTitleAlignment",
                 "ListboxAlignment",
                 "NavigationButtonsAlignment",
                 "PhotoBorder",
                 "CenterAlbum",
                 "PhotoBorderWidth",
                 "DisplayListbox",
                 "DisplayNavigationButtons",
                 "DisplayNavigationIndex",
                 "AlbumTitleAlignment",
                 "FrameAlignment",
                 "BgColor",
                 "LabelBgColor",
                 "LabelTextColor",
                 "ThumbBgColor",
                 "WebBgColor",
                 "LinkColor",
                 "WebPhotoBgColor",
                 "WebPhotoTextColor",
                 "WebPhotoBorderColor",
                 "WebPhotoDescColor",
                 "WebTextColor",
                 "ThumbBorderColor",
                 "AlbumTitleColor",
                 "TitleFontSize",
                 "LabelFontSize",
                 "PhotoTitleFontSize",
                 "NavButtonsFontSize",
                 "ListBoxFontSize",
                 "PhotoLongDescFontSize",
                 "CustomLinkFontSize",
                 "WatermarkFontSize",
                 "PageNumberFontSize",
                 "FontFamily",
                 "LabelHeight",
                 "TitleFontColor",
                 "TitleBrushColor",
                 "PrefixName",
                 "PrefixNext",
                 "PrefixPrev",
                 "PrefixIndex",
                 "PrefixHome",
                 "HomeURL",
                 "ButtonType"});
    ini.writeString("Program", "Version", kVersion);
    writeFields({"ResizeImageType", "NewPhotoWidth", "NewPhotoHeight", "ResizePercentage", "CompressJPEG",
                 "CompressionRatio", "SoftEdge"});
}

} // namespace pictaven
