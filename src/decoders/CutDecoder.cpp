#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "decoders/FileBytes.h"
#include "decoders/Palette.h"
#include "imaging/DecoderError.h"
#include "ini/AsciiCase.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace pictaven {
namespace {

constexpr std::size_t PaletteHeaderSize = 40;
constexpr std::size_t PaletteBlockSize = 512;

// A Dr. Halo palette: a 40-byte header, then 16-bit red, green, blue triples in 512-byte
// blocks that no triple crosses.
Palette readHaloPalette(std::span<const std::uint8_t> file, const std::string& paletteName)
{
    ByteReader in(file, paletteName, "Dr. Halo palette");
    if (file.size() < 2 || file[0] != 'A' || file[1] != 'H')
        in.fail("not a Dr. Halo palette file");
    in.seek(12);
    const unsigned count = in.u16le() + 1u;
    const unsigned maxima[3] = {in.u16le(), in.u16le(), in.u16le()};
    if (count > 256)
        in.fail("palette of " + std::to_string(count) + " colours");
    if (maxima[0] == 0 || maxima[1] == 0 || maxima[2] == 0)
        in.fail("palette with a zero colour range");
    Palette palette(count, paletteName);
    std::size_t offset = PaletteHeaderSize;
    for (unsigned i = 0; i < count; ++i) {
        if (offset % PaletteBlockSize + 6 > PaletteBlockSize)
            offset += PaletteBlockSize - offset % PaletteBlockSize;
        in.seek(offset);
        std::uint8_t rgb[3];
        for (unsigned c = 0; c < 3; ++c)
            rgb[c] = static_cast<std::uint8_t>((std::min(unsigned{in.u16le()}, maxima[c]) * 255 + maxima[c] / 2) /
                                               maxima[c]);
        palette.set(i, rgb[0], rgb[1], rgb[2]);
        offset += 6;
    }
    return palette;
}

std::optional<std::filesystem::path> findPaletteBeside(const std::string& path)
{
    namespace fs = std::filesystem;
    const fs::path picture(path);
    const fs::path folder = picture.has_parent_path() ? picture.parent_path() : fs::path(".");
    const std::string wanted = picture.stem().string() + ".pal";
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (asciiLower(it->path().filename().string()) == asciiLower(wanted) && it->is_regular_file(error))
            return it->path();
    }
    return std::nullopt;
}

} // namespace

ImageSize readCutSize(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "Dr. Halo CUT");
    const unsigned width = in.u16le();
    const unsigned height = in.u16le();
    checkPictureSize(width, height, name);
    return {static_cast<int>(width), static_cast<int>(height)};
}

Bitmap decodeCut(std::span<const std::uint8_t> data, const std::string& name,
                 std::span<const std::uint8_t> paletteFile, const std::string& paletteName)
{
    ByteReader in(data, name, "Dr. Halo CUT");
    const unsigned width = in.u16le();
    const unsigned height = in.u16le();
    in.skip(2);
    Palette palette(256, name);
    if (paletteFile.empty())
        palette.setGreyRamp();
    else
        palette = readHaloPalette(paletteFile, paletteName);

    checkPictureSize(width, height, name);
    // Each line is a record of at least its two-byte length, and its runs give at most 127
    // pixels for two bytes.
    if (static_cast<std::uint64_t>(height) * 2 > in.remaining())
        in.truncated();
    checkDataHolds(in.remaining(), std::uint64_t{width} * height, PackBitsBestRatio, name, "Dr. Halo CUT");
    Bitmap bitmap = allocatePicture(width, height, name);
    for (int y = 0; y < bitmap.height(); ++y) {
        const auto record = in.bytes(in.u16le());
        std::uint8_t* dst = bitmap.row(y);
        unsigned x = 0;
        std::size_t i = 0;
        auto put = [&](unsigned index) {
            if (x >= width)
                in.fail("RLE run past the end of a row");
            palette.put(dst + 3 * x++, index);
        };
        while (i < record.size()) {
            const unsigned code = record[i++];
            const unsigned count = code & 0x7Fu;
            if (count == 0)
                break;
            if (code & 0x80u) {
                if (i >= record.size())
                    in.truncated();
                const unsigned value = record[i++];
                for (unsigned k = 0; k < count; ++k)
                    put(value);
            } else {
                if (count > record.size() - i)
                    in.truncated();
                for (unsigned k = 0; k < count; ++k)
                    put(record[i++]);
            }
        }
    }
    return bitmap;
}

Bitmap decodeCutBesidePalette(std::span<const std::uint8_t> data, const std::string& path)
{
    const auto palettePath = findPaletteBeside(path);
    if (!palettePath)
        return decodeCut(data, path, {}, {});
    const std::vector<std::uint8_t> paletteFile = readFileBytes(palettePath->string());
    return decodeCut(data, path, paletteFile, palettePath->string());
}

} // namespace pictaven
