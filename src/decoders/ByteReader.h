#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace pictaven {

// A bounds-checked cursor over a file's bytes, for the decoders. Reading past the end throws
// DecoderError "<name>: truncated <format> file". The bytes are borrowed: they must outlive
// the reader.
class ByteReader {
public:
    ByteReader(std::span<const std::uint8_t> data, const std::string& name, const char* format);

    std::span<const std::uint8_t> data() const { return m_data; }
    std::size_t size() const { return m_data.size(); }
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_data.size() - m_position; }
    bool atEnd() const { return m_position == m_data.size(); }
    const std::string& name() const { return m_name; }

    // Moves to an absolute offset or forward; both throw when that lies beyond the end.
    void seek(std::uint64_t offset);
    void skip(std::uint64_t count);

    std::uint8_t u8();
    // The next byte, without passing it.
    std::uint8_t peek() const
    {
        need(1);
        return m_data[m_position];
    }
    std::uint16_t u16le();
    std::uint16_t u16be();
    std::uint32_t u32le();
    std::uint32_t u32be();
    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }
    std::uint64_t u64be();
    // `count` bytes from here, which the cursor passes.
    std::span<const std::uint8_t> bytes(std::uint64_t count);

    // Throws DecoderError naming the file with `reason`.
    [[noreturn]] void fail(const std::string& reason) const;
    [[noreturn]] void truncated() const;

private:
    void need(std::uint64_t count) const
    {
        if (count > remaining())
            truncated();
    }

    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
    std::string m_name;
    const char* m_format;
};

} // namespace pictaven
