#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "imaging/DecoderError.h"

namespace pictaven {
namespace {

bool isSpace(std::uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The text parts of a Netpbm file: numbers separated by white space and '#' comments.
class PnmText {
public:
    explicit PnmText(ByteReader& in) : m_in(in) {}

    // Skips white space and comments; false at the end of the data.
    bool skipSeparators()
    {
        while (!m_in.atEnd()) {
            const std::uint8_t c = peek();
            if (c == '#') {
                while (!m_in.atEnd() && peek() != '\n' && peek() != '\r')
                    m_in.skip(1);
            } else if (isSpace(c)) {
                m_in.skip(1);
            } else {
                return true;
            }
        }
        return false;
    }

    std::uint32_t number()
    {
        if (!skipSeparators())
            m_in.truncated();
        if (peek() < '0' || peek() > '9')
            m_in.fail("unexpected character in a number");
        std::uint32_t value = 0;
        while (!m_in.atEnd() && peek() >= '0' && peek() <= '9') {
            value = value * 10 + (m_in.u8() - '0');
            if (value > 1'000'000'000)
                m_in.fail("number too large");
        }
        return value;
    }

    // One P1 pixel: a single '0' or '1', with or without separators around it.
    unsigned bit()
    {
        if (!skipSeparators())
            m_in.truncated();
        const std::uint8_t c = m_in.u8();
        if (c != '0' && c != '1')
            m_in.fail("unexpected character in the pixels");
        return c - '0';
    }

private:
    std::uint8_t peek() const { return m_in.peek(); }
    ByteReader& m_in;
};

struct PnmHeader {
    int kind = 0; // the digit after 'P'
    bool binary = false;
    int channels = 1;
    bool bilevel = false;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t maxval = 1;
};

// The reader's format name follows the file's first two bytes, which are checked first.
ByteReader pnmReader(std::span<const std::uint8_t> data, const std::string& name)
{
    static constexpr const char* formats[] = {"PBM", "PGM", "PPM", "PBM", "PGM", "PPM"};
    if (data.size() < 2 || data[0] != 'P' || data[1] < '1' || data[1] > '6')
        throw DecoderError(name, "not a PBM, PGM or PPM file");
    return ByteReader(data, name, formats[data[1] - '1']);
}

PnmHeader readHeader(ByteReader& in)
{
    PnmHeader h;
    h.kind = in.data()[1] - '0';
    h.binary = h.kind >= 4;
    h.channels = (h.kind == 3 || h.kind == 6) ? 3 : 1;
    h.bilevel = h.kind == 1 || h.kind == 4;
    in.skip(2);
    PnmText text(in);
    h.width = text.number();
    h.height = text.number();
    h.maxval = h.bilevel ? 1 : text.number();
    if (h.maxval == 0 || h.maxval > 65535)
        in.fail("maximum value " + std::to_string(h.maxval) + " out of range");
    checkPictureSize(h.width, h.height, in.name());
    return h;
}

} // namespace

ImageSize readPnmSize(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in = pnmReader(data, name);
    const PnmHeader header = readHeader(in);
    return {static_cast<int>(header.width), static_cast<int>(header.height)};
}

Bitmap decodePnm(std::span<const std::uint8_t> data, const std::string& name)
{
    ByteReader in = pnmReader(data, name);
    const PnmHeader header = readHeader(in);
    const bool binary = header.binary;
    const int channels = header.channels;
    const bool bilevel = header.bilevel;
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    const std::uint32_t maxval = header.maxval;
    PnmText text(in);
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    const unsigned sampleBytes = maxval > 255 ? 2 : 1;
    if (binary) {
        if (in.atEnd() || !isSpace(in.u8()))
            in.fail("no white space after the header");
        const std::uint64_t needed = bilevel ? (static_cast<std::uint64_t>(width) + 7) / 8 * height
                                             : pixels * channels * sampleBytes;
        if (needed > in.remaining())
            in.truncated();
    } else if (pixels > in.remaining()) {
        in.truncated(); // every ASCII sample takes at least one byte
    }

    Bitmap bitmap = allocatePicture(width, height, name);
    auto sample = [&]() -> std::uint8_t {
        std::uint32_t value;
        if (!binary)
            value = text.number();
        else if (sampleBytes == 2)
            value = in.u16be();
        else
            value = in.u8();
        if (value > maxval)
            in.fail("sample value " + std::to_string(value) + " above the maximum " + std::to_string(maxval));
        return static_cast<std::uint8_t>((static_cast<std::uint64_t>(value) * 255 + maxval / 2) / maxval);
    };
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* dst = bitmap.row(y);
        const std::uint8_t* packed = bilevel && binary ? in.bytes((bitmap.width() + 7) / 8).data() : nullptr;
        for (int x = 0; x < bitmap.width(); ++x, dst += 3) {
            if (bilevel) {
                const unsigned black = packed ? (packed[x >> 3] >> (7 - (x & 7))) & 1u : text.bit();
                dst[0] = dst[1] = dst[2] = black ? 0 : 255;
            } else if (channels == 1) {
                dst[0] = dst[1] = dst[2] = sample();
            } else {
                dst[2] = sample();
                dst[1] = sample();
                dst[0] = sample();
            }
        }
    }
    return bitmap;
}

} // namespace pictaven
