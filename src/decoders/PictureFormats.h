#pragma once

#include "decoders/Decoders.h"
#include "decoders/VideoFile.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace pictaven {

// One picture format: what the formats dialog offers, how the step 1 folder pane finds its
// files and which reader reads them. A new format is one row here and one reader.
struct PictureFormat {
    const char* flagName; // the settings.ini value that switches it on: "JPG", "GIF", ...
    const char* caption;  // its box in the formats dialog
    const char* mask;     // its fragment of the folder pane's file mask
    // The extensions its reader takes, lower case, without the dot; unused places are nullptr.
    std::array<const char*, 5> extensions;
    // Its name as `pictaven-cli info` prints it; nullptr names a file by its extension in upper
    // case, as Netpbm's three kinds are told apart.
    const char* name;
    bool web; // browsers show it: listed first and switched on until settings.ini says otherwise
    Bitmap (*decode)(std::span<const std::uint8_t> data, const std::string& path);
    // The size decoding would give, from the header alone.
    ImageSize (*readSize)(std::span<const std::uint8_t> data, const std::string& path);
    // Videos are too large to hold in memory: they are read from their file, their picture being
    // the poster frame and their size its size, and `decode` and `readSize` are nullptr.
    Bitmap (*decodeFile)(const std::string& path) = nullptr;
    ImageSize (*readFileSize)(const std::string& path) = nullptr;
};

// In file-mask order; the web formats come first. "EMF" offers only *.emf in the mask,
// although its box names WMF as well and the reader takes both.
// clang-format off
inline constexpr auto PictureFormats = std::to_array<PictureFormat>({
    {"JPG", "Jpeg - JPEG, JPG", "*.jpg;*.jpeg;", {"jpg", "jpeg"}, "JPEG", true, decodeJpegFile, readJpegFileSize},
    {"GIF", "Compuserve - GIF", "*.gif;", {"gif"}, "GIF", true, decodeGif, readGifSize},
    {"PNG", "Portable Network Image - PNG", "*.png;", {"png"}, "PNG", true, decodePng, readPngSize},
    {"BMP", "Bitmap - BMP, DIB, RLE*", "*.bmp;*.dib;*.rle;", {"bmp", "dib", "rle"}, "BMP", false,
        decodeBmp, readBmpSize},
    {"PCX", "ZSoft - PCX*", "*.pcx;", {"pcx"}, "PCX", false, decodePcx, readPcxSize},
    {"TIF", "Tagged Image File Format - TIF*", "*.tif;", {"tif", "tiff"}, "TIFF", false, decodeTiff, readTiffSize},
    {"PSP", "Paint Shop Pro - PSP*", "*.psp;", {"psp"}, "Paint Shop Pro", false, decodePsp, readPspSize},
    {"TGA", "Truevision Targa - TGA*", "*.tga;", {"tga"}, "Targa", false, decodeTga, readTgaSize},
    {"EMF", "Windows Metafiles - EMF, WMF*", "*.emf;", {"emf", "wmf"}, "Windows metafile", false,
        decodeMetafile, readMetafileSize},
    {"PSD", "PhotoShop - PDD, PSD*", "*.psd;*.pdd;", {"psd", "pdd"}, "Photoshop", false, decodePsd, readPsdSize},
    {"PBM", "Portable Map Image - PBM*", "*.pbm;*.pgm;*.ppm;", {"pbm", "pgm", "ppm", "pnm"}, nullptr, false,
        decodePnm, readPnmSize},
    {"PIC", "Autodesk - CEL, PIC*", "*.pic;*.cel;", {"pic", "cel"}, "Autodesk Animator", false,
        decodeAnimatorPic, readAnimatorPicSize},
    {"CUT", "Dr. Halo - CUT*", "*.cut;", {"cut"}, "Dr. Halo CUT", false, decodeCutBesidePalette, readCutSize},
    {"HEIC", "Phone photos - HEIC, HEIF*", "*.heic;*.heif;", {"heic", "heif"}, "HEIF", false, decodeHeif, readHeifSize},
    {"AVIF", "AV1 Image - AVIF*", "*.avif;", {"avif"}, "AVIF", false, decodeHeif, readHeifSize},
    {"WEBP", "Google WebP - WEBP*", "*.webp;", {"webp"}, "WebP", false, decodeWebp, readWebpSize},
    {"VIDEO", "Videos - MP4, MOV, WEBM, MKV", "*.mp4;*.m4v;*.mov;*.webm;*.mkv;", {"mp4", "m4v", "mov", "webm", "mkv"},
        "Video", false, nullptr, nullptr, decodeVideoPoster, readVideoSize},
});
// clang-format on

inline constexpr std::size_t PictureFormatCount = PictureFormats.size();

// Whether the format's files are videos: album items shown by their poster frame.
constexpr bool isVideoFormat(const PictureFormat& format)
{
    return format.decodeFile != nullptr;
}

// The format whose reader takes the path's extension (the exact extension, in any letter case);
// nullptr when none does.
const PictureFormat* pictureFormatFor(const std::string& path);

// The format's name for the path, as `pictaven-cli info` prints it; empty when no reader takes it.
std::string pictureFormatName(const std::string& path);

// The position of the format whose flag is `flagName`. Throws std::out_of_range for an unknown one.
std::size_t pictureFormatPosition(std::string_view flagName);

} // namespace pictaven
