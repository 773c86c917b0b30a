#include "decoders/ByteReader.h"
#include "decoders/Decoders.h"
#include "decoders/Palette.h"
#include "imaging/DecoderError.h"
#include "imaging/JpegCodec.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include <zlib.h>

namespace pictaven {
namespace {

// Format version 3 is Paint Shop Pro 5, the first one with blocks; older files differ entirely.
constexpr unsigned FirstBlockVersion = 3;

enum BlockId : unsigned {
    ImageBlock = 0,
    ColourBlock = 2,
    LayerBankBlock = 3,
    LayerBlock = 4,
    ChannelBlock = 5,
    CompositeImageBlock = 9,
    CompositeBankBlock = 16,
    CompositeAttributesBlock = 17,
    JpegBlock = 18,
};
enum Compression : unsigned { None = 0, Rle = 1, Lz77 = 2, Jpeg = 3 };
constexpr unsigned ImageBitmap = 0;      // bitmap type of colour data
constexpr unsigned CompositeImage = 0;   // composite type of the full-size image

// How many bytes a coding packs into one at best.
std::uint64_t bestRatio(unsigned compression)
{
    return compression == Lz77 ? DeflateBestRatio : compression == Rle ? PackBitsBestRatio : 1;
}

struct Block {
    unsigned id = 0;
    std::uint64_t start = 0;      // first byte of the block's data
    std::uint64_t end = 0;        // one past its last byte
    std::uint64_t subBlocks = 0;  // where version 3 files put the sub-blocks
};

struct Channel {
    unsigned type = 0; // 0 one channel of an indexed or grey bitmap, 1 to 3 red, green, blue
    std::uint64_t offset = 0;
    std::uint32_t compressedLength = 0;
    std::uint32_t uncompressedLength = 0;
};

struct Raster {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned depth = 0;
    unsigned compression = None;
    std::vector<Channel> channels;
    std::optional<std::uint64_t> jpegOffset;
    std::uint32_t jpegLength = 0;
};

class PspFile {
public:
    PspFile(std::span<const std::uint8_t> data, const std::string& name) : m_in(data, name, "Paint Shop Pro") {}

    // Reads every block's description, without any pixels; the picture's size is then known.
    void readBlocks();
    ImageSize size() const { return {static_cast<int>(m_width), static_cast<int>(m_height)}; }
    // After readBlocks.
    Bitmap decode();

private:
    Block readBlock(std::uint64_t limit);
    // Version 4 and later start each part of a block with its own length.
    std::uint64_t chunkEnd(std::uint64_t start);
    void readAttributes(const Block& block);
    void readPalette(const Block& block);
    void readLayer(const Block& block);
    void readChannels(std::uint64_t from, std::uint64_t end, Raster& raster);
    void readCompositeBank(const Block& block);
    std::vector<std::uint8_t> channelBytes(const Raster& raster, const Channel& channel);
    Bitmap render(const Raster& raster);

    ByteReader m_in;
    unsigned m_version = 0;
    std::int64_t m_width = 0;
    std::int64_t m_height = 0;
    unsigned m_depth = 0;
    unsigned m_compression = None;
    bool m_greyscale = false;
    bool m_haveAttributes = false;
    std::optional<Palette> m_palette;
    std::vector<Raster> m_layers;
    std::optional<Raster> m_composite;
};

Block PspFile::readBlock(std::uint64_t limit)
{
    const auto magic = m_in.bytes(4);
    if (std::memcmp(magic.data(), "~BK\0", 4) != 0)
        m_in.fail("damaged Paint Shop Pro block");
    Block block;
    block.id = m_in.u16le();
    std::uint64_t initialLength = 0;
    if (m_version == FirstBlockVersion)
        initialLength = m_in.u32le();
    const std::uint64_t totalLength = m_in.u32le();
    block.start = m_in.position();
    block.end = block.start + totalLength;
    if (block.end > limit)
        m_in.truncated();
    block.subBlocks = block.start + std::min(initialLength, totalLength);
    return block;
}

std::uint64_t PspFile::chunkEnd(std::uint64_t start)
{
    m_in.seek(start);
    const std::uint32_t length = m_in.u32le();
    if (length < 4)
        m_in.fail("damaged Paint Shop Pro chunk");
    return start + length;
}

void PspFile::readAttributes(const Block& block)
{
    m_in.seek(m_version == FirstBlockVersion ? block.start : block.start + 4);
    m_width = m_in.i32le();
    m_height = m_in.i32le();
    m_in.skip(9); // resolution and its unit
    m_compression = m_in.u16le();
    m_depth = m_in.u16le();
    m_in.skip(6); // planes and colour count
    m_greyscale = m_in.u8() != 0;
    m_haveAttributes = true;
}

void PspFile::readPalette(const Block& block)
{
    m_in.seek(m_version == FirstBlockVersion ? block.start : block.start + 4);
    const std::uint32_t count = m_in.u32le();
    if (count > 256)
        m_in.fail("palette of " + std::to_string(count) + " colours");
    Palette palette(count, m_in.name());
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto entry = m_in.bytes(4);
        palette.set(i, entry[2], entry[1], entry[0]);
    }
    m_palette = std::move(palette);
}

void PspFile::readChannels(std::uint64_t from, std::uint64_t end, Raster& raster)
{
    for (std::uint64_t position = from; position < end;) {
        m_in.seek(position);
        const Block block = readBlock(end);
        position = block.end;
        if (block.id != ChannelBlock)
            continue;
        m_in.seek(block.start);
        const std::uint64_t dataStart = m_version == FirstBlockVersion ? block.subBlocks : chunkEnd(block.start);
        if (m_version > FirstBlockVersion)
            m_in.seek(block.start + 4);
        Channel channel;
        channel.compressedLength = m_in.u32le();
        channel.uncompressedLength = m_in.u32le();
        const unsigned bitmapType = m_in.u16le();
        channel.type = m_in.u16le();
        channel.offset = dataStart;
        if (dataStart + channel.compressedLength > block.end)
            m_in.truncated();
        if (bitmapType == ImageBitmap)
            raster.channels.push_back(channel);
    }
}

void PspFile::readLayer(const Block& block)
{
    Raster layer;
    layer.depth = m_depth;
    layer.compression = m_compression;
    std::uint64_t infoEnd = 0;
    if (m_version == FirstBlockVersion) {
        m_in.seek(block.start + 256 + 1); // fixed-size name, layer type
    } else {
        infoEnd = chunkEnd(block.start);
        m_in.skip(m_in.u16le()); // name
        m_in.skip(1);            // layer type
    }
    const std::int64_t imageLeft = m_in.i32le();
    const std::int64_t imageTop = m_in.i32le();
    m_in.skip(8);
    const std::int64_t savedLeft = m_in.i32le();
    const std::int64_t savedTop = m_in.i32le();
    const std::int64_t savedRight = m_in.i32le();
    const std::int64_t savedBottom = m_in.i32le();
    // Version 4 and later follow the layer's information with a chunk of bitmap counts.
    const std::uint64_t channelsStart = m_version == FirstBlockVersion ? block.subBlocks : chunkEnd(infoEnd);
    layer.left = imageLeft + savedLeft;
    layer.top = imageTop + savedTop;
    layer.width = savedRight - savedLeft;
    layer.height = savedBottom - savedTop;
    readChannels(channelsStart, block.end, layer);
    if (!layer.channels.empty())
        m_layers.push_back(std::move(layer));
}

void PspFile::readCompositeBank(const Block& bank)
{
    std::optional<Raster> pending;
    for (std::uint64_t position = chunkEnd(bank.start); position < bank.end;) {
        m_in.seek(position);
        const Block block = readBlock(bank.end);
        position = block.end;
        if (block.id == CompositeAttributesBlock) {
            m_in.seek(block.start + 4);
            Raster raster;
            raster.width = m_in.i32le();
            raster.height = m_in.i32le();
            raster.depth = m_in.u16le();
            raster.compression = m_in.u16le();
            m_in.skip(6);
            if (m_in.u16le() == CompositeImage)
                pending = raster;
            else
                pending.reset();
        } else if (block.id == JpegBlock && pending) {
            const std::uint64_t dataStart = chunkEnd(block.start);
            m_in.seek(block.start + 4);
            pending->jpegLength = m_in.u32le();
            pending->jpegOffset = dataStart;
            if (dataStart + pending->jpegLength > block.end)
                m_in.truncated();
            m_composite = std::move(pending);
            pending.reset();
        } else if (block.id == CompositeImageBlock && pending) {
            const std::uint64_t channelsStart = chunkEnd(block.start);
            for (std::uint64_t sub = channelsStart; sub < block.end;) {
                m_in.seek(sub);
                const Block inner = readBlock(block.end);
                if (inner.id == ColourBlock)
                    readPalette(inner);
                sub = inner.end;
            }
            readChannels(channelsStart, block.end, *pending);
            m_composite = std::move(pending);
            pending.reset();
        }
    }
}

std::vector<std::uint8_t> PspFile::channelBytes(const Raster& raster, const Channel& channel)
{
    // A 24-bit picture keeps each colour in a channel of its own, 8 bits a pixel.
    const unsigned channelBits = raster.depth == 24 ? 8 : raster.depth;
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(raster.width) * channelBits + 7) / 8;
    const std::uint64_t paddedRowBytes = (rowBytes + 3) / 4 * 4;
    const std::uint64_t height = static_cast<std::uint64_t>(raster.height);
    // Rows are padded to four bytes in some files and not in others; the length says which.
    const std::uint64_t storedRowBytes = channel.uncompressedLength == paddedRowBytes * height ? paddedRowBytes : rowBytes;
    if (channel.uncompressedLength != storedRowBytes * height)
        m_in.fail("Paint Shop Pro channel of unexpected size");

    m_in.seek(channel.offset);
    const auto packed = m_in.bytes(channel.compressedLength);
    // Refused before the channel is allocated: packed bytes too few for the length it claims.
    checkDataHolds(packed.size(), channel.uncompressedLength, bestRatio(raster.compression), m_in.name(),
                   "Paint Shop Pro");
    std::vector<std::uint8_t> stored(channel.uncompressedLength);
    if (raster.compression == None) {
        if (packed.size() < stored.size())
            m_in.truncated();
        std::copy_n(packed.begin(), stored.size(), stored.begin());
    } else if (raster.compression == Rle) {
        std::size_t out = 0;
        for (std::size_t i = 0; i < packed.size() && out < stored.size();) {
            const unsigned code = packed[i++];
            const std::size_t count = code > 128 ? code - 128 : code;
            if (out + count > stored.size())
                m_in.fail("RLE run past the end of the picture");
            if (code > 128) {
                if (i >= packed.size())
                    m_in.truncated();
                std::fill_n(stored.begin() + static_cast<std::ptrdiff_t>(out), count, packed[i++]);
            } else {
                if (count > packed.size() - i)
                    m_in.truncated();
                std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(i), count,
                            stored.begin() + static_cast<std::ptrdiff_t>(out));
                i += count;
            }
            out += count;
        }
        if (out < stored.size())
            m_in.truncated();
    } else if (raster.compression == Lz77) {
        uLongf length = static_cast<uLongf>(stored.size());
        if (uncompress(stored.data(), &length, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
            length != stored.size())
            m_in.fail("damaged LZ77 data");
    } else {
        m_in.fail("unknown Paint Shop Pro compression " + std::to_string(raster.compression));
    }
    if (storedRowBytes == rowBytes)
        return stored;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes * height));
    for (std::uint64_t y = 0; y < height; ++y)
        std::copy_n(stored.begin() + static_cast<std::ptrdiff_t>(y * paddedRowBytes), rowBytes,
                    rows.begin() + static_cast<std::ptrdiff_t>(y * rowBytes));
    return rows;
}

Bitmap PspFile::render(const Raster& raster)
{
    if (raster.jpegOffset) {
        m_in.seek(*raster.jpegOffset);
        const auto jpeg = m_in.bytes(raster.jpegLength);
        return decodeJpeg(jpeg.data(), jpeg.size(), m_in.name());
    }
    const unsigned depth = raster.depth;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        m_in.fail("unsupported Paint Shop Pro bit depth " + std::to_string(depth));
    checkPictureSize(raster.width, raster.height, m_in.name());
    if (raster.left < 0 || raster.top < 0 || raster.left + raster.width > m_width || raster.top + raster.height > m_height)
        m_in.fail("layer outside the picture");

    // Indexed data without a palette is grey, as Paint Shop Pro writes greyscale pictures.
    const std::string& name = m_in.name();
    Palette palette(std::size_t{1} << std::min(depth, 8u), name);
    if (depth <= 8) {
        if (m_palette && !m_greyscale)
            palette = *m_palette;
        else
            palette.setGreyRamp();
    }
    std::vector<std::uint8_t> planes[4];
    for (const Channel& channel : raster.channels) {
        if (channel.type <= 3 && planes[channel.type].empty())
            planes[channel.type] = channelBytes(raster, channel);
    }
    const bool colour = depth == 24;
    if (colour ? (planes[1].empty() || planes[2].empty() || planes[3].empty()) : planes[0].empty())
        m_in.fail("Paint Shop Pro picture without its colour channels");

    // Outside the layer the picture is white; the file must still be able to hold a picture of
    // its size at the layer's depth.
    const std::uint64_t pictureBytes = (static_cast<std::uint64_t>(m_width) * depth + 7) / 8 * m_height;
    checkDataHolds(m_in.size(), pictureBytes, bestRatio(raster.compression), name, "Paint Shop Pro");
    Bitmap bitmap = allocatePicture(m_width, m_height, name, 0xFF);
    const std::size_t rowBytes = static_cast<std::size_t>((raster.width * (colour ? 8 : depth) + 7) / 8);
    for (std::int64_t y = 0; y < raster.height; ++y) {
        std::uint8_t* dst = bitmap.row(static_cast<int>(raster.top + y)) + 3 * raster.left;
        const std::size_t row = static_cast<std::size_t>(y) * rowBytes;
        for (std::int64_t x = 0; x < raster.width; ++x, dst += 3) {
            if (colour) {
                dst[0] = planes[3][row + x];
                dst[1] = planes[2][row + x];
                dst[2] = planes[1][row + x];
                continue;
            }
            const std::size_t bit = static_cast<std::size_t>(x) * depth;
            const unsigned index = (planes[0][row + bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
            palette.put(dst, index);
        }
    }
    return bitmap;
}

void PspFile::readBlocks()
{
    static constexpr char Signature[] = "Paint Shop Pro Image File\n\x1a";
    if (m_in.size() < 36 || std::memcmp(m_in.bytes(27).data(), Signature, 27) != 0)
        m_in.fail("not a Paint Shop Pro file");
    m_in.seek(32);
    m_version = m_in.u16le();
    if (m_version < FirstBlockVersion)
        m_in.fail("Paint Shop Pro files older than version 5 are not supported");
    m_in.skip(2);
    for (std::uint64_t position = m_in.position(); position < m_in.size();) {
        m_in.seek(position);
        const Block block = readBlock(m_in.size());
        position = block.end;
        switch (block.id) {
        case ImageBlock:
            readAttributes(block);
            break;
        case ColourBlock:
            readPalette(block);
            break;
        case LayerBankBlock:
            for (std::uint64_t sub = block.start; sub < block.end;) {
                m_in.seek(sub);
                const Block layer = readBlock(block.end);
                if (layer.id == LayerBlock)
                    readLayer(layer);
                sub = layer.end;
            }
            break;
        case CompositeBankBlock:
            if (m_version > FirstBlockVersion)
                readCompositeBank(block);
            break;
        default:
            break;
        }
    }
    if (!m_haveAttributes)
        m_in.fail("Paint Shop Pro file without its picture attributes");
    checkPictureSize(m_width, m_height, m_in.name());
}

Bitmap PspFile::decode()
{
    if (m_composite && m_composite->width == m_width && m_composite->height == m_height)
        return render(*m_composite);
    if (m_layers.size() == 1)
        return render(m_layers.front());
    if (m_layers.empty())
        m_in.fail("Paint Shop Pro file without a picture");
    m_in.fail("Paint Shop Pro files with several layers and no composite image are not supported");
}

} // namespace

ImageSize readPspSize(std::span<const std::uint8_t> data, const std::string& name)
{
    PspFile file(data, name);
    file.readBlocks();
    return file.size();
}

Bitmap decodePsp(std::span<const std::uint8_t> data, const std::string& name)
{
    PspFile file(data, name);
    file.readBlocks();
    return file.decode();
}

} // namespace pictaven
