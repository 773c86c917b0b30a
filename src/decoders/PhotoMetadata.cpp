#include "decoders/PhotoMetadata.h"

#include "decoders/JpegSegments.h"
#include "decoders/MetadataLibrary.h"
#include "decoders/PrivateMetadata.h"
#include "decoders/VideoFile.h"
#include "ini/TrimmedText.h"
#include "ini/Utf8Text.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <exiv2/exiv2.hpp>
#include <string_view>

namespace pictaven {

namespace {

// What cameras write into ImageDescription when nobody typed anything.
constexpr std::array<std::string_view, 6> kCameraPlaceholders = {
    "OLYMPUS DIGITAL CAMERA", "SONY DSC", "DIGITAL CAMERA", "KONICA MINOLTA DIGITAL CAMERA", "Default", "DCIM"};

// NUL padding is what fixed-length EXIF fields end with.
std::string withoutPadding(const std::string& text)
{
    return trimmed(std::string_view(text).substr(0, text.find('\0')), " \t\r\n\v\f");
}

std::string langAltText(const Exiv2::XmpData& xmp, const char* key)
{
    const auto found = xmp.findKey(Exiv2::XmpKey(key));
    if (found == xmp.end())
        return {};
    if (const auto* alternatives = dynamic_cast<const Exiv2::LangAltValue*>(&found->value())) {
        const std::string preferred = alternatives->toString("x-default");
        if (!preferred.empty() || alternatives->value_.empty())
            return preferred;
        return alternatives->value_.begin()->second;
    }
    return found->toString();
}

std::string iptcText(const Exiv2::IptcData& iptc, const char* key)
{
    const auto found = iptc.findKey(Exiv2::IptcKey(key));
    return found == iptc.end() ? std::string() : found->toString();
}

std::string exifText(const Exiv2::ExifData& exif, const char* key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end())
        return {};
    // The XP tags hold UCS-2 bytes, which their print form turns into UTF-8.
    return std::string_view(key).starts_with("Exif.Image.XP") ? found->print(&exif) : found->toString();
}

// The first of the texts that says something, as UTF-8.
std::string firstSaid(std::initializer_list<std::string> texts)
{
    for (const std::string& text : texts) {
        std::string kept = withoutPadding(metadataTextAsUtf8(text));
        for (std::string_view placeholder : kCameraPlaceholders) {
            if (kept == placeholder)
                kept.clear();
        }
        if (!kept.empty())
            return kept;
    }
    return {};
}

std::optional<std::int64_t> takenAtOf(const Exiv2::ExifData& exif)
{
    const std::string text = exifText(exif, "Exif.Photo.DateTimeOriginal");
    std::tm parts{};
    if (text.size() < 19 || std::sscanf(text.c_str(), "%4d:%2d:%2d %2d:%2d:%2d", &parts.tm_year, &parts.tm_mon,
                                        &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec) != 6)
        return std::nullopt;
    if (parts.tm_year < 1800 || parts.tm_mon < 1 || parts.tm_mon > 12 || parts.tm_mday < 1 || parts.tm_mday > 31)
        return std::nullopt;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    parts.tm_isdst = -1;
    // Cameras write the local time without a zone, as file dates are shown.
    const std::time_t seconds = std::mktime(&parts);
    if (seconds == static_cast<std::time_t>(-1))
        return std::nullopt;
    return static_cast<std::int64_t>(seconds);
}

int orientationOf(const Exiv2::ExifData& exif)
{
    const auto found = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (found == exif.end() || found->count() == 0)
        return 0;
    const long value = found->toLong();
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 0;
}

template <class Data> bool anySaysWhere(const Data& data)
{
    for (const auto& datum : data) {
        if (saysWhere(datum.key()))
            return true;
    }
    return false;
}

// Whether the extended XMP of the JPEG file at `path`, which exiv2 does not read, says where
// the photo was taken.
bool extendedXmpSaysWhere(const std::string& path)
{
    const std::string segments = readJpegSegments(path);
    if (segments.empty())
        return false;
    for (const std::string& packet : extendedXmpPackets(segments)) {
        Exiv2::XmpData xmp;
        if (Exiv2::XmpParser::decode(xmp, packet) == 0 && anySaysWhere(xmp))
            return true;
    }
    return false;
}

// A video says when and where it was shot in its container's tags.
PhotoMetadata videoMetadata(const std::string& path)
{
    PhotoMetadata metadata;
    try {
        const VideoFacts facts = probeVideo(path);
        if (facts.creationTime != 0)
            metadata.takenAt = facts.creationTime;
        metadata.hasLocation = facts.hasLocation;
    } catch (const std::exception&) {
        // A video that cannot be probed says nothing; reading its poster names the fault.
    }
    return metadata;
}

} // namespace

std::string metadataTextAsUtf8(const std::string& text)
{
    if (isUtf8(text))
        return text;
    std::string utf8;
    utf8.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

PhotoMetadata readPhotoMetadata(const std::string& path)
{
    if (isVideoPath(path))
        return videoMetadata(path);
    prepareMetadataLibrary();
    PhotoMetadata metadata;
    try {
        const auto image = Exiv2::ImageFactory::open(path);
        if (!image.get())
            return metadata;
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const Exiv2::IptcData& iptc = image->iptcData();
        const Exiv2::XmpData& xmp = image->xmpData();
        metadata.title = firstSaid({langAltText(xmp, "Xmp.dc.title"), iptcText(iptc, "Iptc.Application2.ObjectName"),
                                    exifText(exif, "Exif.Image.XPTitle")});
        metadata.description =
            firstSaid({langAltText(xmp, "Xmp.dc.description"), iptcText(iptc, "Iptc.Application2.Caption"),
                       exifText(exif, "Exif.Image.ImageDescription"), exifText(exif, "Exif.Image.XPComment")});
        metadata.takenAt = takenAtOf(exif);
        metadata.orientation = orientationOf(exif);
        metadata.hasLocation =
            anySaysWhere(exif) || anySaysWhere(iptc) || anySaysWhere(xmp) || extendedXmpSaysWhere(path);
    } catch (const std::exception&) {
        // Exiv2 reports damaged blocks, unknown formats and unreadable files alike; a photo is
        // used without what could not be read.
        return PhotoMetadata{};
    }
    return metadata;
}

} // namespace pictaven
