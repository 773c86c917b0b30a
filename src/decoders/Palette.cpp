#include "decoders/Palette.h"

#include "imaging/DecoderError.h"

namespace pictaven {

Palette::Palette(std::size_t count, const std::string& name) : m_entries(count, Entry{0, 0, 0}), m_name(name) {}

void Palette::setGreyRamp()
{
    const std::size_t last = m_entries.size() > 1 ? m_entries.size() - 1 : 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const auto grey = static_cast<std::uint8_t>((i * 255 + last / 2) / last);
        m_entries[i] = {grey, grey, grey};
    }
}

void Palette::outOfRange(unsigned index) const
{
    throw DecoderError(m_name, "palette index " + std::to_string(index) + " out of range");
}

} // namespace pictaven
