#include "decoders/StrippedMetadata.h"

#include "decoders/JpegSegments.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace pictaven
{
namespace
{

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1A\n", 8);
constexpr std::string_view kPhotoshop("Photoshop 3.0\0", 14);

// The PNG chunks besides the critical ones that change how the picture looks or moves.
constexpr std::array<std::string_view, 14> kShownPngChunks = { "tRNS", "gAMA", "cHRM", "sRGB", "iCCP", "sBIT",
    "pHYs", "bKGD", "acTL", "fcTL", "fdAT", "cICP", "mDCv", "cLLi" };

std::size_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width)
{
    if (at > bytes.size() || bytes.size() - at < width)
        throw std::runtime_error("a damaged block");
    std::size_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The Photoshop block `segment` (marker included) holding only its IPTC resources; empty when
// it has none or its resources cannot be followed.
std::string photoshopIptcOnly(std::string_view segment)
{
    const std::string_view data = segment.substr(4);
    std::string kept;
    try {
        for (std::size_t at = kPhotoshop.size(); at < data.size();) {
            if (data.substr(at, 4) != "8BIM")
                return {};
            const std::size_t id = bigEndian(data, at + 4, 2);
            const std::size_t nameField = (bigEndian(data, at + 6, 1) + 2) & ~std::size_t { 1 };
            const std::size_t size = bigEndian(data, at + 6 + nameField, 4);
            const std::size_t whole = 6 + nameField + 4 + ((size + 1) & ~std::size_t { 1 });
            if (whole > data.size() - at)
                return {};
            if (id == 0x0404)
                kept += data.substr(at, whole);
            at += whole;
        }
    } catch (const std::runtime_error&) {
        return {};
    }
    if (kept.empty())
        return {};
    const std::size_t length = 2 + kPhotoshop.size() + kept.size();
    return std::string("\xFF\xED", 2) + static_cast<char>(length >> 8) + static_cast<char>(length & 0xFF)
        + std::string(kPhotoshop) + kept;
}

// What of the segment `segment` before the image data stays under `cut`.
std::string keptSegment(std::string_view segment, JpegCut cut, bool& exifSeen, bool& xmpSeen)
{
    const auto marker = static_cast<unsigned char>(segment[1]);
    const bool application = marker >= 0xE0 && marker <= 0xEF;
    if (!application && marker != 0xFE)
        return std::string(segment);
    const bool shown = isAppSegment(segment, 0xE0, std::string_view("JFIF\0", 5))
        || isAppSegment(segment, 0xE0, std::string_view("JFXX\0", 5))
        || isAppSegment(segment, 0xE2, std::string_view("ICC_PROFILE\0", 12))
        || isAppSegment(segment, 0xEE, "Adobe");
    if (shown)
        return std::string(segment);
    if (cut == JpegCut::Everything)
        return {};
    if (marker == 0xFE)
        return std::string(segment);
    if (isAppSegment(segment, 0xED, kPhotoshop))
        return photoshopIptcOnly(segment);
    // Only the first of each is what the metadata library reads and filters.
    const auto first = [&](bool& seen) {
        const bool wasSeen = std::exchange(seen, true);
        return wasSeen ? std::string() : std::string(segment);
    };
    if (isAppSegment(segment, 0xE1, std::string_view("Exif\0\0", 6)))
        return first(exifSeen);
    if (isAppSegment(segment, 0xE1, std::string_view("http://ns.adobe.com/xap/1.0/\0", 29)))
        return first(xmpSeen);
    return {};
}

// Follows the GIF sub-blocks starting at `at` up to their terminator; where they end.
std::size_t afterSubBlocks(std::string_view bytes, std::size_t at)
{
    while (true) {
        const std::size_t size = bigEndian(bytes, at, 1);
        at += 1 + size;
        if (size == 0)
            return at;
    }
}

// The size of a colour table that the packed field `packed` announces.
std::size_t colourTableSize(std::size_t packed)
{
    return (packed & 0x80) ? 3 * (std::size_t { 2 } << (packed & 0x07)) : 0;
}

} // namespace

std::string jpegWithoutMetadata(std::string_view bytes, JpegCut cut)
{
    std::string kept(bytes.substr(0, 2));
    bool exifSeen = false;
    bool xmpSeen = false;
    const std::size_t imageData = walkSegments(bytes, [&](unsigned char, std::string_view segment) {
        kept += keptSegment(segment, cut, exifSeen, xmpSeen);
    });
    kept += jpegPictureData(bytes, imageData);
    return kept;
}

std::string pngWithoutMetadata(std::string_view bytes)
{
    if (!isPngFile(bytes))
        throw std::runtime_error("not a PNG file");
    std::string kept(kPngSignature);
    for (std::size_t at = kPngSignature.size(); at < bytes.size();) {
        const std::size_t whole = 12 + bigEndian(bytes, at, 4);
        const std::string_view type = bytes.substr(at + 4, std::min<std::size_t>(4, bytes.size() - at - 4));
        if (type.size() < 4 || whole > bytes.size() - at)
            throw std::runtime_error("a damaged PNG chunk");
        const bool critical = (static_cast<unsigned char>(type[0]) & 0x20) == 0;
        if (critical
            || std::find(kShownPngChunks.begin(), kShownPngChunks.end(), type) != kShownPngChunks.end())
            kept += bytes.substr(at, whole);
        if (type == "IEND")
            break;
        at += whole;
    }
    return kept;
}

std::string gifWithoutMetadata(std::string_view bytes)
{
    if (!isGifFile(bytes))
        throw std::runtime_error("not a GIF file");
    std::size_t at = 13 + colourTableSize(bigEndian(bytes, 10, 1));
    std::string kept(bytes.substr(0, std::min(at, bytes.size())));
    while (true) {
        const std::size_t introducer = bigEndian(bytes, at, 1);
        if (introducer == 0x3B) {
            kept += ';';
            return kept;
        }
        std::size_t end = 0;
        bool keep = true;
        if (introducer == 0x2C) {
            end = afterSubBlocks(bytes, at + 10 + colourTableSize(bigEndian(bytes, at + 9, 1)) + 1);
        } else if (introducer == 0x21) {
            const std::size_t label = bigEndian(bytes, at + 1, 1);
            const std::string_view application = bytes.substr(std::min(at + 3, bytes.size()), 11);
            keep = label == 0xF9
                || (label == 0xFF && bigEndian(bytes, at + 2, 1) == 11
                    && (application == "NETSCAPE2.0" || application == "ANIMEXTS1.0"));
            end = afterSubBlocks(bytes, at + 2);
        } else {
            throw std::runtime_error("a damaged GIF block");
        }
        if (keep)
            kept += bytes.substr(at, end - at);
        at = end;
    }
}

bool isJpegFile(std::string_view bytes)
{
    return bytes.starts_with("\xFF\xD8");
}

bool isPngFile(std::string_view bytes)
{
    return bytes.starts_with(kPngSignature);
}

bool isGifFile(std::string_view bytes)
{
    return bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a");
}

} // namespace pictaven
