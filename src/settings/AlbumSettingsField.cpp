#include "settings/AlbumSettingsField.h"

#include "ini/BigIniFile.h"
#include "ini/IntegerText.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>

namespace pictaven {

namespace {

constexpr auto B = ReadIn::BothModes;
constexpr auto C = ReadIn::CatalogMode;
constexpr auto W = WrittenBy::ConfigWriter;
constexpr auto K = WrittenBy::CatalogWriter;
constexpr auto None = WrittenBy::Nobody;

AlbumSettingsField field(const char* name, AlbumSettingsField::Member member, const char* section, const char* key,
                         FieldKind kind, ReadIn readIn, WrittenBy writtenBy, std::int32_t choices = 0)
{
    return AlbumSettingsField{name, section, key, kind, choices, readIn, writtenBy, member, NumberRange{}};
}

AlbumSettingsField within(AlbumSettingsField field, NumberRange range)
{
    field.range = range;
    return field;
}

// The preferences dialog's bounds for the grid; the others hold pictures well inside the largest
// picture the program decodes (30000 pixels a side) and keep a thumbnail's bitmap small.
constexpr NumberRange kGridCount{1, 100};
constexpr NumberRange kThumbnailSide{1, 1000};
constexpr NumberRange kSpacing{0, 1000};
constexpr NumberRange kBorderOffset{0, 30000};
// From a phone's small preview to the 8K of the largest screens.
constexpr NumberRange kVideoLongSide{160, 7680};

// The field's name as text and its member, so that the two cannot drift apart.
#define PICTAVEN_FIELD(member) #member, &AlbumSettings::member

std::vector<AlbumSettingsField> makeTable()
{
    using enum FieldKind;
    const char* size = "Size";
    const char* appearance = "Appearance";
    const char* ftp = "FTP";
    const char* generate = "Generate Options";
    const char* ftpAppearance = "FTP Appearance";
    return {
        within(field(PICTAVEN_FIELD(Left), size, "Left", Text, B, W), kBorderOffset),
        within(field(PICTAVEN_FIELD(Right), size, "Right", Text, B, W), kBorderOffset),
        within(field(PICTAVEN_FIELD(Top), size, "Top", Text, B, W), kBorderOffset),
        within(field(PICTAVEN_FIELD(Bottom), size, "Bottom", Text, B, W), kBorderOffset),
        within(field(PICTAVEN_FIELD(ThumbWidth), size, "ThumbWidth", StrictInteger, B, W), kThumbnailSide),
        within(field(PICTAVEN_FIELD(ThumbHeight), size, "ThumbHeight", StrictInteger, B, W), kThumbnailSide),
        within(field(PICTAVEN_FIELD(SpacingRows), size, "SpacingRows", StrictInteger, B, W), kSpacing),
        within(field(PICTAVEN_FIELD(SpacingCols), size, "SpacingCols", StrictInteger, B, W), kSpacing),
        within(field(PICTAVEN_FIELD(ThumbnailsPerRow), size, "Thumbnails Per Row", StrictInteger, B, W), kGridCount),
        within(field(PICTAVEN_FIELD(RowsPerPage), size, "Rows Per Page", StrictInteger, B, W), kGridCount),
        field(PICTAVEN_FIELD(RefreshRate), size, "Refresh Rate", Text, C, W),

        field(PICTAVEN_FIELD(PageNumbers), appearance, "PageNumbers", FlagOne, B, W),
        field(PICTAVEN_FIELD(StyleSheetType), appearance, "Style Sheet Type", RadioIndex, B, W, 3),
        field(PICTAVEN_FIELD(GenerateMetaData), appearance, "Generate Meta Data", FlagOne, C, W),
        field(PICTAVEN_FIELD(MetaDesc), appearance, "MetaDesc", Text, C, W),
        field(PICTAVEN_FIELD(MetaKeywords), appearance, "MetaKeywords", Text, C, W),
        field(PICTAVEN_FIELD(StyleSheet), appearance, "StyleSheet", Text, C, W),
        field(PICTAVEN_FIELD(StyleSheetURL), appearance, "StyleSheetURL", Text, C, W),
        field(PICTAVEN_FIELD(FillBg), appearance, "FillBg", Integer, B, W),
        field(PICTAVEN_FIELD(Shadow), appearance, "Shadow", FlagOne, B, W),
        field(PICTAVEN_FIELD(Label), appearance, "Label", FlagOne, B, W),
        field(PICTAVEN_FIELD(Border), appearance, "Border", FlagOne, B, W),
        field(PICTAVEN_FIELD(Buttonize), appearance, "Buttonize", FlagOne, B, W),
        field(PICTAVEN_FIELD(Backdrop), appearance, "Backdrop", FlagOne, B, W),
        field(PICTAVEN_FIELD(AspectRatio), appearance, "AspectRatio", FlagOne, B, W),
        field(PICTAVEN_FIELD(MultiWindow), appearance, "MultiWindow", FlagOne, B, W),
        field(PICTAVEN_FIELD(HomeURL), appearance, "HomeURL", Text, C, W),
        field(PICTAVEN_FIELD(HomeButtonEnable), appearance, "HomeButtonEnable", FlagNonZero, C, K),
        field(PICTAVEN_FIELD(HomeButtonFrame), appearance, "HomeButtonFrame", Text, C, K),
        field(PICTAVEN_FIELD(HTMLLink), appearance, "HTMLLink", Text, C, K),
        field(PICTAVEN_FIELD(HTMLLinkDesc), appearance, "HTMLLinkDesc", Text, C, K),
        field(PICTAVEN_FIELD(HTMLLink2), appearance, "HTMLLink2", Text, C, K),
        field(PICTAVEN_FIELD(HTMLLinkDesc2), appearance, "HTMLLinkDesc2", Text, C, K),
        field(PICTAVEN_FIELD(NewWindow1), appearance, "NewWindow1", FlagNonZero, C, K),
        field(PICTAVEN_FIELD(NewWindow2), appearance, "NewWindow2", FlagNonZero, C, K),
        field(PICTAVEN_FIELD(EnableBgColor), appearance, "EnableBgColor", FlagOne, B, None),
        field(PICTAVEN_FIELD(TitleFontSize), appearance, "TitleFontSize", Integer, B, W),
        field(PICTAVEN_FIELD(LabelFontSize), appearance, "LabelFontSize", Integer, B, W),
        field(PICTAVEN_FIELD(PhotoTitleFontSize), appearance, "PhotoTitleFontSize", Text, B, W),
        field(PICTAVEN_FIELD(NavButtonsFontSize), appearance, "NavButtonsFontSize", Text, B, W),
        field(PICTAVEN_FIELD(ListBoxFontSize), appearance, "ListBoxFontSize", Text, B, W),
        field(PICTAVEN_FIELD(PhotoLongDescFontSize), appearance, "PhotoLongDescFontSize", Text, B, W),
        field(PICTAVEN_FIELD(CustomLinkFontSize), appearance, "CustomLinkFontSize", Text, B, W),
        field(PICTAVEN_FIELD(WatermarkFontSize), appearance, "WatermarkFontSize", Text, B, W),
        field(PICTAVEN_FIELD(PageNumberFontSize), appearance, "PageNumberFontSize", Text, B, W),
        field(PICTAVEN_FIELD(FontFamily), appearance, "FontFamily", Text, B, W),
        within(field(PICTAVEN_FIELD(LabelHeight), appearance, "LabelHeight", Integer, B, W), kSpacing),
        field(PICTAVEN_FIELD(TitleFontColor), appearance, "TitleFontColor", Integer, B, W),
        field(PICTAVEN_FIELD(TitleBrushColor), appearance, "TitleBrushColor", Integer, B, W),
        field(PICTAVEN_FIELD(PrefixIndex), appearance, "PrefixIndex", Text, C, W),
        field(PICTAVEN_FIELD(PrefixHome), appearance, "PrefixHome", Text, C, W),
        field(PICTAVEN_FIELD(PrefixPrev), appearance, "PrefixPrev", Text, C, W),
        field(PICTAVEN_FIELD(PrefixNext), appearance, "PrefixNext", Text, C, W),
        field(PICTAVEN_FIELD(PrefixName), appearance, "PrefixName", Text, C, W),
        field(PICTAVEN_FIELD(ButtonType), appearance, "ButtonType", ListIndex, C, W, 11),
        field(PICTAVEN_FIELD(ProtectImages), appearance, "ProtectImages", FlagNonZero, C, W),
        field(PICTAVEN_FIELD(BgColor), appearance, "BgColor", Integer, B, W),
        field(PICTAVEN_FIELD(LabelBgColor), appearance, "LabelBgColor", Integer, B, W),
        field(PICTAVEN_FIELD(LabelTextColor), appearance, "LabelTextColor", Integer, B, W),
        field(PICTAVEN_FIELD(ThumbBgColor), appearance, "ThumbBgColor", Integer, B, W),
        field(PICTAVEN_FIELD(WebBgColor), appearance, "WebBgColor", Integer, B, W),
        field(PICTAVEN_FIELD(LinkColor), appearance, "LinkColor", Integer, B, W),
        field(PICTAVEN_FIELD(WebPhotoBgColor), appearance, "WebPhotoBgColor", Integer, B, W),
        field(PICTAVEN_FIELD(WebPhotoTextColor), appearance, "WebPhotoTextColor", Integer, B, W),
        field(PICTAVEN_FIELD(WebPhotoBorderColor), appearance, "WebPhotoBorderColor", Integer, B, W),
        field(PICTAVEN_FIELD(WebPhotoDescColor), appearance, "WebPhotoDescColor", Integer, B, W),
        field(PICTAVEN_FIELD(WebTextColor), appearance, "WebTextColor", Integer, B, W),
        field(PICTAVEN_FIELD(ThumbBorderColor), appearance, "ThumbBorderColor", Integer, B, W),
        field(PICTAVEN_FIELD(AlbumTitleColor), appearance, "AlbumTitleColor", Integer, B, W),
        field(PICTAVEN_FIELD(FadeIn), appearance, "FadeIn", FlagNonZero, B, K),
        field(PICTAVEN_FIELD(PhotoBorder), appearance, "PhotoBorder", FlagNonZero, B, W),
        field(PICTAVEN_FIELD(PhotoBorderWidth), appearance, "PhotoBorderWidth", Text, B, W),
        field(PICTAVEN_FIELD(CenterAlbum), appearance, "CenterAlbum", FlagNonZero, B, W),
        field(PICTAVEN_FIELD(AlbumTitleAlignment), appearance, "AlbumTitleAlignment", RadioIndex, B, W, 3),
        field(PICTAVEN_FIELD(FrameAlignment), appearance, "FrameAlignment", RadioIndex, B, W, 2),
        field(PICTAVEN_FIELD(ListboxAlignment), appearance, "ListboxAlignment", RadioIndex, B, W, 3),
        field(PICTAVEN_FIELD(NavigationButtonsAlignment), appearance, "NavigationButtonsAlignment", RadioIndex, B, W,
              3),
        field(PICTAVEN_FIELD(WebTitleAlignment), appearance, "WebTitleAlignment", RadioIndex, B, W, 2),
        field(PICTAVEN_FIELD(DisplayWebTitle), appearance, "DisplayWebTitle", FlagOne, C, W),
        field(PICTAVEN_FIELD(DisplayWebDesc), appearance, "DisplayWebDesc", FlagOne, C, W),
        field(PICTAVEN_FIELD(DisplaySlideShow), appearance, "DisplaySlideShow", FlagNonZero, C, K),
        field(PICTAVEN_FIELD(DisplayListbox), appearance, "DisplayListbox", FlagNonZero, C, W),
        field(PICTAVEN_FIELD(DisplayNavigationButtons), appearance, "DisplayNavigationButtons", FlagNonZero, C, W),
        field(PICTAVEN_FIELD(DisplayNavigationIndex), appearance, "DisplayNavigationIndex", FlagNonZero, C, W),

        field(PICTAVEN_FIELD(PassiveMode), ftp, "PassiveMode", FlagNonZero, C, K),
        field(PICTAVEN_FIELD(UploadDirectory), ftp, "UploadDirectory", Text, C, K),

        field(PICTAVEN_FIELD(OutputFolder), generate, "OutputFolder", Text, C, K),
        field(PICTAVEN_FIELD(AlbumShortName), generate, "AlbumShortName", Text, C, K),
        field(PICTAVEN_FIELD(Resample), generate, "Resample", FlagOne, C, K),
        field(PICTAVEN_FIELD(SneakPeek), generate, "SneakPeek", FlagOne, C, K),
        field(PICTAVEN_FIELD(CDROM), generate, "CDROM", FlagOne, C, K),
        field(PICTAVEN_FIELD(DeleteFolder), generate, "DeleteFolder", FlagOne, C, K),
        field(PICTAVEN_FIELD(Substitutions), generate, "Substitutions", FlagOne, C, K),
        field(PICTAVEN_FIELD(LowercaseFiles), generate, "LowercaseFiles", FlagOne, C, K),
        field(PICTAVEN_FIELD(StyleTheme), generate, "StyleTheme", ListIndex, C, W, 12),
        within(field(PICTAVEN_FIELD(VideoLongSide), generate, "VideoLongSide", Integer, C, K), kVideoLongSide),

        field(PICTAVEN_FIELD(ResizeImageType), ftpAppearance, "Resize Image Type", RadioIndex, C, W, 3),
        field(PICTAVEN_FIELD(NewPhotoWidth), ftpAppearance, "New Photo Width", Text, C, W),
        field(PICTAVEN_FIELD(NewPhotoHeight), ftpAppearance, "New Photo Height", Text, C, W),
        field(PICTAVEN_FIELD(ResizePercentage), ftpAppearance, "Resize Percentage", Text, C, W),
        field(PICTAVEN_FIELD(CompressJPEG), ftpAppearance, "Compress JPEG", FlagNonZero, C, W),
        field(PICTAVEN_FIELD(CompressionRatio), ftpAppearance, "Compression Ratio", StrictInteger, C, W),
        field(PICTAVEN_FIELD(SoftEdge), ftpAppearance, "Soft Edge", FlagNonZero, C, W),
        field(PICTAVEN_FIELD(WatermarkType), ftpAppearance, "Watermark Type", RadioIndex, C, K, 3),
        field(PICTAVEN_FIELD(WatermarkOrientation), ftpAppearance, "Watermark Orientation", RadioIndex, C, K, 4),
        field(PICTAVEN_FIELD(WatermarkText), ftpAppearance, "Watermark Text", Text, C, K),
        field(PICTAVEN_FIELD(WatermarkImage), ftpAppearance, "Watermark Image", Text, C, K),
    };
}

#undef PICTAVEN_FIELD

std::int32_t clampIndex(FieldKind kind, std::int32_t value, std::int32_t choices)
{
    if (kind == FieldKind::RadioIndex)
        return std::clamp(value, -1, choices - 1);
    return value >= 0 && value < choices ? value : -1;
}

} // namespace

const std::vector<AlbumSettingsField>& AlbumSettingsField::all()
{
    static const std::vector<AlbumSettingsField> table = makeTable();
    return table;
}

const AlbumSettingsField& AlbumSettingsField::byName(std::string_view name)
{
    for (const AlbumSettingsField& field : all()) {
        if (name == field.name)
            return field;
    }
    throw std::logic_error("no album setting named " + std::string(name));
}

void AlbumSettingsField::read(const BigIniFile& ini, AlbumSettings& settings, const AlbumSettings& defaults) const
{
    std::visit(
        [&](auto pointer) {
            auto& value = settings.*pointer;
            const auto& fallback = defaults.*pointer;
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, bool>) {
                const std::int32_t number = ini.readInteger(section, key, fallback ? 1 : 0);
                value = kind == FieldKind::FlagOne ? number == 1 : number != 0;
            } else if constexpr (std::is_same_v<Value, std::int32_t>) {
                if (kind == FieldKind::StrictInteger) {
                    value = bounded(textToInt(ini.readString(section, key, std::to_string(fallback))));
                } else {
                    const std::int32_t number = ini.readInteger(section, key, fallback);
                    value = kind == FieldKind::Integer ? bounded(number) : clampIndex(kind, number, choices);
                }
            } else {
                value = ini.readString(section, key, fallback);
                if (const auto number = parseInteger(value); number && bounded(*number) != *number)
                    value = std::to_string(bounded(*number));
            }
        },
        member);
}

std::string AlbumSettingsField::valueText(const AlbumSettings& settings) const
{
    return std::visit(
        [&](auto pointer) -> std::string {
            const auto& value = settings.*pointer;
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, bool>)
                return value ? "1" : "0";
            else if constexpr (std::is_same_v<Value, std::int32_t>)
                return std::to_string(value);
            else
                return value;
        },
        member);
}

std::int32_t AlbumSettingsField::bounded(std::int32_t value) const
{
    return std::clamp(value, range.lowest, range.highest);
}

void AlbumSettingsField::write(BigIniFile& ini, const AlbumSettings& settings) const
{
    ini.writeString(section, key, valueText(settings));
}

} // namespace pictaven
