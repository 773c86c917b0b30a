#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

// The colour table of an indexed picture. Entries are stored blue, green, red, the bitmap's
// byte order, so that a pixel is a three-byte copy.
class Palette {
public:
    using Entry = std::array<std::uint8_t, 3>;

    // `count` black entries; `name` is the file named by the out-of-range message.
    Palette(std::size_t count, const std::string& name);

    std::size_t size() const { return m_entries.size(); }
    void set(std::size_t index, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        m_entries.at(index) = {blue, green, red};
    }
    // A ramp from black to white over every entry.
    void setGreyRamp();

    // Throws DecoderError "<name>: palette index N out of range" for an index the table lacks.
    const Entry& at(unsigned index) const
    {
        if (index >= m_entries.size())
            outOfRange(index);
        return m_entries[index];
    }
    void put(std::uint8_t* bgr, unsigned index) const
    {
        const Entry& entry = at(index);
        bgr[0] = entry[0];
        bgr[1] = entry[1];
        bgr[2] = entry[2];
    }

private:
    [[noreturn]] void outOfRange(unsigned index) const;

    std::vector<Entry> m_entries;
    std::string m_name;
};

} // namespace pictaven
