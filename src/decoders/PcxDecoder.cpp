#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "imaging/DecoderError.h"

#include <vector>

namespace pictaven {
namespace {

// The RLE byte stream of a PCX file. Runs may cross from one scan line into the next, as
// several writers do; a run reaching beyond the last line is an error.
class PcxStream {
public:
    PcxStream(ByteReader& in, bool encoded, std::uint64_t total) : m_in(in), m_encoded(encoded), m_left(total) {}

    void readLine(std::vector<std::uint8_t>& line)
    {
        for (auto& byte : line) {
            // A zero-length run gives no byte; the loop reads on, always consuming input.
            while (m_run == 0) {
                const std::uint8_t code = m_in.u8();
                if (m_encoded && (code & 0xC0u) == 0xC0u) {
                    m_run = code & 0x3Fu;
                    m_value = m_in.u8();
                    if (m_run > m_left)
                        m_in.fail("RLE run past the end of the picture");
                } else {
                    m_run = 1;
                    m_value = code;
                }
            }
            byte = m_value;
            --m_run;
            --m_left;
        }
    }

private:
    ByteReader& m_in;
    bool m_encoded;
    std::uint64_t m_left;
    unsigned m_run = 0;
    std::uint8_t m_value = 0;
};

struct PcxHeader {
    unsigned bits = 0;
    unsigned planes = 0;
    unsigned bytesPerLine = 0;
    bool encoded = false;
    bool planar = false;
    bool packed = false;
    bool trueColour = false;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

PcxHeader readHeader(ByteReader& in)
{
    const auto data = in.data();
    if (data.size() < 128 || data[0] != 0x0A || data[2] > 1)
        in.fail("not a PCX file");
    PcxHeader h;
    in.seek(3);
    h.bits = in.u8();
    const int xMin = in.u16le();
    const int yMin = in.u16le();
    const int xMax = in.u16le();
    const int yMax = in.u16le();
    in.seek(65);
    h.planes = in.u8();
    h.bytesPerLine = in.u16le();
    h.encoded = data[2] == 1;

    h.planar = h.bits == 1 && h.planes >= 1 && h.planes <= 4;
    h.packed = (h.bits == 2 || h.bits == 4 || h.bits == 8) && h.planes == 1;
    h.trueColour = h.bits == 8 && (h.planes == 3 || h.planes == 4);
    if (!h.planar && !h.packed && !h.trueColour)
        in.fail("unsupported PCX layout: " + std::to_string(h.planes) + " planes of " + std::to_string(h.bits) +
                " bits");
    h.width = static_cast<std::int64_t>(xMax) - xMin + 1;
    h.height = static_cast<std::int64_t>(yMax) - yMin + 1;
    checkPictureSize(h.width, h.height, in.name());
    if (static_cast<std::uint64_t>(h.bytesPerLine) * 8 < static_cast<std::uint64_t>(h.width) * h.bits)
        in.fail("scan lines shorter than the picture width");
    return h;
}

} // namespace

ImageSize readPcxSize(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "PCX");
    const PcxHeader header = readHeader(in);
    return {static_cast<int>(header.width), static_cast<int>(header.height)};
}

Bitmap decodePcx(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in(data, name, "PCX");
    const PcxHeader header = readHeader(in);
    const unsigned bits = header.bits;
    const unsigned planes = header.planes;
    const unsigned bytesPerLine = header.bytesPerLine;
    const bool encoded = header.encoded;
    const bool planar = header.planar;
    const bool trueColour = header.trueColour;
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    in.seek(16);
    const auto headerPalette = in.bytes(48);

    const unsigned colours = trueColour ? 0 : 1u << (bits * planes);
    Palette palette(colours, name);
    if (colours == 256) {
        // The 256-colour table follows the pixels, after the byte 12; without it, grey.
        if (data.size() >= 128 + 769 && data[data.size() - 769] == 0x0C) {
            const std::uint8_t* table = data.data() + data.size() - 768;
            for (unsigned i = 0; i < 256; ++i)
                palette.set(i, table[3 * i], table[3 * i + 1], table[3 * i + 2]);
        } else {
            palette.setGreyRamp();
        }
    } else if (colours > 0) {
        for (unsigned i = 0; i < colours; ++i)
            palette.set(i, headerPalette[3 * i], headerPalette[3 * i + 1], headerPalette[3 * i + 2]);
        // Two equal entries in a one-bit file mean the writer left the table empty.
        if (colours == 2 && palette.at(0) == palette.at(1)) {
            palette.set(0, 0, 0, 0);
            palette.set(1, 255, 255, 255);
        }
    }

    const std::uint64_t lineBytes = static_cast<std::uint64_t>(bytesPerLine) * planes;
    const std::uint64_t total = lineBytes * static_cast<std::uint64_t>(height);
    in.seek(128);
    if ((encoded ? (total + 62) / 63 : total) > in.remaining())
        in.truncated();
    Bitmap bitmap = allocatePicture(width, height, name);
    PcxStream stream(in, encoded, total);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
    for (int y = 0; y < bitmap.height(); ++y) {
        stream.readLine(line);
        std::uint8_t* dst = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x, dst += 3) {
            if (trueColour) {
                dst[2] = line[x];
                dst[1] = line[bytesPerLine + x];
                dst[0] = line[2 * bytesPerLine + x];
            } else if (planar) {
                unsigned index = 0;
                for (unsigned p = 0; p < planes; ++p)
                    index |= ((line[p * bytesPerLine + (x >> 3)] >> (7 - (x & 7))) & 1u) << p;
                palette.put(dst, index);
            } else {
                const unsigned perByte = 8 / bits;
                const unsigned shift = 8 - bits * (1 + x % perByte);
                palette.put(dst, (line[x / perByte] >> shift) & ((1u << bits) - 1));
            }
        }
    }
    return bitmap;
}

} // namespace pictaven
