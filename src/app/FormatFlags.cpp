#include "app/FormatFlags.h"

#include "app/SettingsStore.h"

namespace pictaven {

namespace {

constexpr std::array<const char*, graphicFormatCount> valueNames = {
    "JPG", "GIF", "PNG", "BMP", "PCX", "TIF", "PSP", "TGA", "EMF", "PSD", "PBM", "PIC", "CUT"};

} // namespace

const char* FormatFlags::valueName(GraphicFormat format)
{
    return valueNames[index(format)];
}

void FormatFlags::load(const SettingsStore& store)
{
    for (std::size_t i = 0; i < graphicFormatCount; ++i) {
        if (const auto stored = store.read(valueNames[i]))
            m_set[i] = *stored == "1";
    }
}

void FormatFlags::save(SettingsStore& store) const
{
    for (std::size_t i = 0; i < graphicFormatCount; ++i)
        store.write(valueNames[i], m_set[i] ? "1" : "0");
}

} // namespace pictaven
