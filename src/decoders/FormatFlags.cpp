#include "decoders/FormatFlags.h"

#include "app/SettingsStore.h"

namespace pictaven
{

FormatFlags::FormatFlags()
{
    for (std::size_t i = 0; i < PictureFormatCount; ++i)
        m_set[i] = PictureFormats[i].web;
}

std::string FormatFlags::fileMask() const
{
    std::string mask;
    for (std::size_t i = 0; i < PictureFormatCount; ++i) {
        if (m_set[i])
            mask += PictureFormats[i].mask;
    }
    return mask;
}

void FormatFlags::load(const SettingsStore& store)
{
    for (std::size_t i = 0; i < PictureFormatCount; ++i) {
        if (const auto stored = store.read(PictureFormats[i].flagName))
            m_set[i] = *stored == "1";
    }
}

void FormatFlags::save(SettingsStore& store) const
{
    for (std::size_t i = 0; i < PictureFormatCount; ++i)
        store.write(PictureFormats[i].flagName, m_set[i] ? "1" : "0");
}

} // namespace pictaven
