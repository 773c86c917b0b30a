#include "decoders/ByteReader.h"

#include "imaging/DecoderError.h"

namespace pictaven {

ByteReader::ByteReader(std::span<const std::uint8_t> data, const std::string& name, const char* format)
    : m_data(data), m_name(name), m_format(format)
{
}

void ByteReader::seek(std::uint64_t offset)
{
    if (offset > m_data.size())
        truncated();
    m_position = static_cast<std::size_t>(offset);
}

void ByteReader::skip(std::uint64_t count)
{
    need(count);
    m_position += static_cast<std::size_t>(count);
}

std::uint8_t ByteReader::u8()
{
    need(1);
    return m_data[m_position++];
}

std::uint16_t ByteReader::u16le()
{
    need(2);
    const std::uint8_t* p = m_data.data() + m_position;
    m_position += 2;
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint16_t ByteReader::u16be()
{
    need(2);
    const std::uint8_t* p = m_data.data() + m_position;
    m_position += 2;
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

std::uint32_t ByteReader::u32le()
{
    need(4);
    const std::uint8_t* p = m_data.data() + m_position;
    m_position += 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint32_t ByteReader::u32be()
{
    need(4);
    const std::uint8_t* p = m_data.data() + m_position;
    m_position += 4;
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

std::uint64_t ByteReader::u64be()
{
    const std::uint64_t high = u32be();
    return high << 32 | u32be();
}

std::span<const std::uint8_t> ByteReader::bytes(std::uint64_t count)
{
    need(count);
    auto result = m_data.subspan(m_position, static_cast<std::size_t>(count));
    m_position += static_cast<std::size_t>(count);
    return result;
}

void ByteReader::fail(const std::string& reason) const
{
    throw DecoderError(m_name, reason);
}

void ByteReader::truncated() const
{
    fail(std::string("truncated ") + m_format + " file");
}

} // namespace pictaven
