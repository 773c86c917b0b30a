#include "decoders/BmpWriter.h"

#include "ini/SafeFileWriter.h"

#include <cstdint>

namespace pictaven {

namespace {

void put16(std::string& out, std::uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xff));
    out.push_back(static_cast<char>((value >> 8) & 0xff));
}

void put32(std::string& out, std::uint32_t value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

} // namespace

void writeBmp(const Bitmap& bitmap, const std::string& path)
{
    const auto pixelBytes = static_cast<std::uint32_t>(bitmap.bytesPerPixel());
    const std::uint32_t usedBytes = static_cast<std::uint32_t>(bitmap.width()) * pixelBytes;
    const std::uint32_t rowBytes = (usedBytes + 3) / 4 * 4;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(bitmap.height());
    constexpr std::uint32_t HeaderBytes = 14 + 40;
    constexpr std::uint32_t PixelsPerMetre = 3780; // 96 dots per inch

    std::string out;
    out.reserve(HeaderBytes + imageBytes);
    out += "BM";
    put32(out, HeaderBytes + imageBytes);
    put32(out, 0);
    put32(out, HeaderBytes);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(bitmap.width()));
    put32(out, static_cast<std::uint32_t>(bitmap.height()));
    put16(out, 1); // planes
    put16(out, pixelBytes * 8);
    put32(out, 0); // no compression
    put32(out, imageBytes);
    put32(out, PixelsPerMetre);
    put32(out, PixelsPerMetre);
    put32(out, 0);
    put32(out, 0);
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(bitmap.row(y)), usedBytes);
        out.append(rowBytes - usedBytes, '\0');
    }
    SafeFileWriter::writeFile(path, out);
}

} // namespace pictaven
