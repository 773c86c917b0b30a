#include "decoders/JpegSegments.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>

namespace pictaven
{
namespace
{

constexpr std::string_view kExtendedXmp("http://ns.adobe.com/xmp/extension/\0", 35);

std::uint32_t bigEndian32(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

} // namespace

bool isAppSegment(std::string_view segment, unsigned char marker, std::string_view signature)
{
    return segment.size() >= 4 && static_cast<unsigned char>(segment[1]) == marker
        && segment.substr(4).starts_with(signature);
}

std::string readJpegSegments(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    for (;;) {
        const std::size_t had = bytes.size();
        const std::size_t more = std::max<std::size_t>(had, 64 * 1024);
        bytes.resize(had + more);
        in.read(bytes.data() + had, static_cast<std::streamsize>(more));
        bytes.resize(had + static_cast<std::size_t>(in.gcount()));
        try {
            bytes.resize(walkSegments(bytes, [](unsigned char, std::string_view) {}) + 2);
            return bytes;
        } catch (const std::runtime_error&) {
            if (!in)
                return {};
        }
    }
}

std::string jpegPictureData(std::string_view bytes, std::size_t imageData)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::string picture;
    std::size_t copied = imageData;
    std::size_t i = imageData;
    while (i + 1 < bytes.size()) {
        if (at(i) != 0xFF) {
            ++i;
            continue;
        }
        const unsigned char marker = at(i + 1);
        // Stuffed zero, restart markers and fill bytes belong to the entropy-coded data.
        if (marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0xFF) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9)
            return picture.append(bytes.substr(copied, i + 2 - copied));
        // A segment between scans (tables, the next scan's header) is skipped whole.
        if (i + 4 > bytes.size())
            break;
        const std::size_t end
            = std::min(bytes.size(), i + 2 + ((std::size_t { at(i + 2) } << 8) | at(i + 3)));
        if ((marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE) {
            picture.append(bytes.substr(copied, i - copied));
            copied = end;
        }
        i = end;
    }
    return picture.append(bytes.substr(copied));
}

std::vector<std::string> extendedXmpPackets(std::string_view bytes)
{
    std::map<std::string, std::string> packets;
    walkSegments(bytes, [&](unsigned char, std::string_view segment) {
        constexpr std::size_t header = 4 + kExtendedXmp.size() + 32 + 4 + 4;
        if (!isAppSegment(segment, 0xE1, kExtendedXmp) || segment.size() < header)
            return;
        const std::string_view guid = segment.substr(4 + kExtendedXmp.size(), 32);
        const std::uint32_t fullLength = bigEndian32(segment.substr(header - 8));
        const std::uint32_t offset = bigEndian32(segment.substr(header - 4));
        const std::string_view part = segment.substr(header);
        std::string& packet = packets[std::string(guid)];
        if (packet.empty() && fullLength <= 64 * 1024 * 1024)
            packet.assign(fullLength, ' ');
        if (offset <= packet.size() && part.size() <= packet.size() - offset)
            packet.replace(offset, part.size(), part);
    });
    std::vector<std::string> whole;
    for (auto& [guid, packet] : packets)
        whole.push_back(std::move(packet));
    return whole;
}

} // namespace pictaven
