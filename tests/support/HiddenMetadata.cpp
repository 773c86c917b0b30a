#include "support/HiddenMetadata.h"

#include <cstdint>
#include <stdexcept>

namespace pictaven::test
{
namespace
{

std::string bigEndian(std::uint32_t value, int bytes)
{
    std::string text;
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        text += static_cast<char>((value >> shift) & 0xFF);
    return text;
}

std::string segment(unsigned char marker, const std::string& data)
{
    if (data.size() > 0xFFFD)
        throw std::length_error("a JPEG block holds at most 65533 bytes");
    return std::string("\xFF", 1) + static_cast<char>(marker)
        + bigEndian(static_cast<std::uint32_t>(data.size() + 2), 2) + data;
}

} // namespace

std::string withAppBlock(const std::string& jpeg, unsigned char marker, const std::string& data)
{
    return jpeg.substr(0, 2) + segment(marker, data) + jpeg.substr(2);
}

std::string withAppBlockAtTheEnd(const std::string& jpeg, unsigned char marker, const std::string& data)
{
    if (!jpeg.ends_with("\xFF\xD9"))
        throw std::invalid_argument("not a whole JPEG file");
    return jpeg.substr(0, jpeg.size() - 2) + segment(marker, data) + "\xFF\xD9";
}

std::string withExtendedXmp(const std::string& jpeg, const std::string& packet, const std::string& guid)
{
    // Split in two, as a packet too large for one block is.
    const std::size_t half = packet.size() / 2;
    std::string blocks;
    for (const std::size_t offset : { std::size_t { 0 }, half }) {
        const std::string part = packet.substr(offset, offset == 0 ? half : std::string::npos);
        blocks += segment(0xE1,
            std::string("http://ns.adobe.com/xmp/extension/\0", 35) + guid
                + bigEndian(static_cast<std::uint32_t>(packet.size()), 4)
                + bigEndian(static_cast<std::uint32_t>(offset), 4) + part);
    }
    return jpeg.substr(0, 2) + blocks + jpeg.substr(2);
}

std::string withSecondPicture(const std::string& first, const std::string& second)
{
    // A big-endian TIFF structure: one folder of version, image count and the image list.
    constexpr std::uint32_t listAt = 8 + 2 + 3 * 12 + 4;
    const auto entry
        = [](std::uint32_t tag, std::uint32_t type, std::uint32_t count, const std::string& value) {
              return bigEndian(tag, 2) + bigEndian(type, 2) + bigEndian(count, 4) + value;
          };
    const std::size_t blockSize = 4 + 4 + 4 + listAt + 32;
    const auto firstSize = static_cast<std::uint32_t>(first.size() + blockSize);
    // Offsets count from the TIFF header, just after the block's "MPF\0".
    const auto secondOffset = static_cast<std::uint32_t>(firstSize - (2 + 4 + 4));
    const std::string tiff = std::string("MM\0*\0\0\0\x08", 8) + bigEndian(3, 2) + entry(0xB000, 7, 4, "0100")
        + entry(0xB001, 4, 1, bigEndian(2, 4)) + entry(0xB002, 7, 32, bigEndian(listAt, 4)) + bigEndian(0, 4)
        + bigEndian(0x030000, 4) + bigEndian(firstSize, 4) + bigEndian(0, 4) + bigEndian(0, 4)
        + bigEndian(0x020002, 4) + bigEndian(static_cast<std::uint32_t>(second.size()), 4)
        + bigEndian(secondOffset, 4) + bigEndian(0, 4);
    return withAppBlock(first, 0xE2, std::string("MPF\0", 4) + tiff) + second;
}

std::string xmpPacket(const std::string& properties)
{
    return "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
           "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
           "<rdf:Description rdf:about='' xmlns:exif='http://ns.adobe.com/exif/1.0/' "
           "xmlns:aux='http://ns.adobe.com/exif/1.0/aux/' "
           "xmlns:Iptc4xmpExt='http://iptc.org/std/Iptc4xmpExt/2008-02-29/' "
        + properties + "/></rdf:RDF></x:xmpmeta>";
}

} // namespace pictaven::test
