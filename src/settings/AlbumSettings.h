#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

// The four border offsets of a picture template, in pixels.
struct BorderOffsets {
    std::int32_t Left = 40;
    std::int32_t Right = 40;
    std::int32_t Top = 40;
    std::int32_t Bottom = 40;
};

// Every per-album setting: one field per key of the template and catalog files, named after the
// key without blanks. The initial values are the defaults of the keys (what a missing key or
// file gives), except OutputFolder, which defaults() sets below the program folder.
//
// Kinds: a flag is bool; int, colour and index fields are 32-bit integers (an index may be -1,
// nothing chosen); "number text" fields keep the text as read or typed, and their users convert
// it. Colours are B * 65536 + G * 256 + R (red in the low byte); 16777215 is white.
// Paths use "/" and are absolute, below the program folder unless the user chose them.
struct AlbumSettings {
    // [Size]
    std::string Left = "40"; // number text: border offsets inside a template's picture, pixels
    std::string Right = "40";
    std::string Top = "40";
    std::string Bottom = "40";
    std::int32_t ThumbWidth = 80; // pixels
    std::int32_t ThumbHeight = 80;
    std::int32_t SpacingRows = 15; // pixels between thumbnail rows
    std::int32_t SpacingCols = 15;
    std::int32_t ThumbnailsPerRow = 4;
    std::int32_t RowsPerPage = 4;
    std::string RefreshRate = "5"; // number text: slide-show interval, seconds

    // [Appearance]
    bool PageNumbers = true;
    std::int32_t StyleSheetType = 0; // 0 embedded, 1 style sheet file, 2 style sheet URL
    bool GenerateMetaData = true;
    std::string MetaDesc = "Pictaven - Generate photo albums for the web";
    std::string MetaKeywords = "software html internet photo album web ftp thumbnail catalog slideshow";
    std::string StyleSheet;                // path of a .CSS file (StyleSheetType 1)
    std::string StyleSheetURL = "http://"; // StyleSheetType 2
    std::int32_t FillBg = 1;               // kept and written back; no other use
    bool Shadow = true;
    bool Label = true;
    bool Border = true;
    bool Buttonize = false;
    bool Backdrop = false;
    bool AspectRatio = true;
    bool MultiWindow = false;
    std::string HomeURL = "http://";
    bool HomeButtonEnable = false;
    std::string HomeButtonFrame = "_parent";
    std::string HTMLLink;
    std::string HTMLLinkDesc;
    std::string HTMLLink2;
    std::string HTMLLinkDesc2;
    bool NewWindow1 = true;
    bool NewWindow2 = true;
    bool EnableBgColor = true;
    std::int32_t TitleFontSize = 18; // points
    std::int32_t LabelFontSize = 8;
    std::string PhotoTitleFontSize = "12"; // number texts, points
    std::string NavButtonsFontSize = "12";
    std::string ListBoxFontSize = "12";
    std::string PhotoLongDescFontSize = "12";
    std::string CustomLinkFontSize = "12";
    std::string WatermarkFontSize = "12";
    std::string PageNumberFontSize = "8";
    std::string FontFamily = "Helvetica";
    std::int32_t LabelHeight = 15;          // pixels
    std::int32_t TitleFontColor = 16777215; // kept and written back; no other use
    std::int32_t TitleBrushColor = 0;
    std::string PrefixIndex = "Index";
    std::string PrefixHome = "Home";
    std::string PrefixPrev = "Prev";
    std::string PrefixNext = "Next";
    std::string PrefixName;      // at most 20 characters when typed
    std::int32_t ButtonType = 0; // 0 text buttons, 1-6 button sets, 7 small VCR, 8-9 round, 10 VCR
    bool ProtectImages = false;
    std::int32_t BgColor = 16777215;
    std::int32_t LabelBgColor = 16711680;
    std::int32_t LabelTextColor = 16777215;
    std::int32_t ThumbBgColor = 16777215;
    std::int32_t WebBgColor = 16777215;
    std::int32_t LinkColor = 16777215;
    std::int32_t WebPhotoBgColor = 16777215;
    std::int32_t WebPhotoTextColor = 0;
    std::int32_t WebPhotoBorderColor = 0;
    std::int32_t WebPhotoDescColor = 0;
    std::int32_t WebTextColor = 0; // kept and written back; no other use
    std::int32_t ThumbBorderColor = 0;
    std::int32_t AlbumTitleColor = 16777215;
    bool FadeIn = false;
    bool PhotoBorder = true;
    std::string PhotoBorderWidth = "1"; // number text, 1 to 50
    bool CenterAlbum = false;
    std::int32_t AlbumTitleAlignment = 0;        // 0 centre, 1 left, 2 right
    std::int32_t FrameAlignment = 0;             // 0 vertical frames, 1 horizontal frames
    std::int32_t ListboxAlignment = 0;           // 0 top, 1 bottom, 2 both
    std::int32_t NavigationButtonsAlignment = 0; // 0 top, 1 bottom, 2 both
    std::int32_t WebTitleAlignment = 1;          // 0 top, 1 bottom
    bool DisplayWebTitle = true;
    bool DisplayWebDesc = true;
    bool DisplaySlideShow = false;
    bool DisplayListbox = true;
    bool DisplayNavigationButtons = true;
    bool DisplayNavigationIndex = true;

    // [FTP]
    bool PassiveMode = true;
    std::string UploadDirectory = "MyAlbum";

    // [Generate Options]
    std::string OutputFolder; // defaults() sets <program folder>Projects
    std::string AlbumShortName = "myalbum";
    bool Resample = false;
    bool SneakPeek = false;
    bool CDROM = false;
    bool DeleteFolder = false;
    bool Substitutions = true;
    bool LowercaseFiles = false;
    std::int32_t StyleTheme = 0;       // 0 blue ... 11 light grey, -1 none chosen
    std::int32_t VideoLongSide = 1920; // pixels; a published video's longest side, never upscaled

    // [FTP Appearance]
    std::int32_t ResizeImageType = 0;  // 0 no resizing, 1 to a width and height, 2 by a percentage
    std::string NewPhotoWidth = "600"; // number texts
    std::string NewPhotoHeight = "400";
    std::string ResizePercentage = "100";
    bool CompressJPEG = false;
    std::int32_t CompressionRatio = 90; // JPEG quality, 0 to 100
    bool SoftEdge = false;
    std::int32_t WatermarkType = 0;        // 0 none, 1 text, 2 picture
    std::int32_t WatermarkOrientation = 3; // 0 top left, 1 bottom left, 2 top right, 3 bottom right
    std::string WatermarkText;
    std::string WatermarkImage;

    // Held beside the keys, never written to a file.
    BorderOffsets CatalogOffsets;   // the border offsets as last read from a catalog
    std::string ExternalStyleSheet; // the style-sheet file that generation copies (StyleSheetType 1)
    std::string NextButtonImage;    // navigation-button pictures, set from ButtonType
    std::string PrevButtonImage;
    std::string IndexButtonImage;
    std::string HomeButtonImage;

    // The defaults of every key; OutputFolder is programFolder + "Projects".
    // programFolder ends in "/".
    static AlbumSettings defaults(const std::string& programFolder);

    // The values the program starts with before any catalog is read: the defaults, except the
    // catalog-only fields that start as the preferences dialog shows them: DeleteFolder set,
    // HomeButtonFrame "_self", StyleSheetURL empty, GenerateMetaData clear, StyleTheme -1.
    static AlbumSettings startUpValues(const std::string& programFolder);
};

} // namespace pictaven
