#pragma once

#include <array>
#include <cstddef>

namespace pictaven {

class SettingsStore;

// The graphic formats the Step 1 folder pane may offer, in file-mask order.
enum class GraphicFormat { Jpg, Gif, Png, Bmp, Pcx, Tif, Psp, Tga, Emf, Psd, Pbm, Pic, Cut };

inline constexpr std::size_t graphicFormatCount = 13;

// Which graphic formats are switched on. Starts with JPG, GIF and PNG set, the others clear.
class FormatFlags {
public:
    bool isSet(GraphicFormat format) const { return m_set[index(format)]; }
    void set(GraphicFormat format, bool on) { m_set[index(format)] = on; }
    // Every flag, in file-mask order.
    const std::array<bool, graphicFormatCount>& all() const { return m_set; }

    // The stored value's name: "JPG", "GIF", ...
    static const char* valueName(GraphicFormat format);

    // Takes over every stored value: set exactly when its text is "1". A value never stored
    // leaves its flag as it was.
    void load(const SettingsStore& store);
    // Stores all thirteen values as "1" or "0". Throws IoError when the store cannot be written.
    void save(SettingsStore& store) const;

private:
    static std::size_t index(GraphicFormat format) { return static_cast<std::size_t>(format); }

    std::array<bool, graphicFormatCount> m_set = {true, true, true};
};

} // namespace pictaven
