#include "decoders/FormatFlags.h"

#include "app/SettingsStore.h"
#include "ini/AsciiCase.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace pictaven {

namespace {

// What phones and cameras write today: taken in by a new program folder besides the web formats,
// so that such photos do not go missing from step 1.
constexpr std::array<std::string_view, 3> kCurrentCameraFormats{"HEIC", "AVIF", "WEBP"};

// Whether the file mask holds the format's first pattern, as a mask written from these flags
// does for every format switched on.
bool maskHolds(const std::string& fileMask, const PictureFormat& format)
{
    const std::string mask = ";" + asciiLower(fileMask) + ";";
    const std::string_view fragment(format.mask);
    return mask.find(";" + std::string(fragment.substr(0, fragment.find(';'))) + ";") != std::string::npos;
}

bool currentCameraFormat(const PictureFormat& format)
{
    return std::find(kCurrentCameraFormats.begin(), kCurrentCameraFormats.end(), format.flagName) !=
           kCurrentCameraFormats.end();
}

} // namespace

FormatFlags::FormatFlags()
{
    for (std::size_t i = 0; i < PictureFormatCount; ++i)
        m_set[i] = PictureFormats[i].web || currentCameraFormat(PictureFormats[i]) || isVideoFormat(PictureFormats[i]);
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
    const std::optional<std::string> fileMask = store.read("FileMask");
    for (std::size_t i = 0; i < PictureFormatCount; ++i) {
        if (const auto stored = store.read(PictureFormats[i].flagName))
            m_set[i] = *stored == "1";
        else if (fileMask && currentCameraFormat(PictureFormats[i]))
            m_set[i] = maskHolds(*fileMask, PictureFormats[i]);
    }
}

std::string maskWithVideosNeverChosen(const std::string& fileMask, const SettingsStore& store)
{
    std::string mask = fileMask;
    for (const PictureFormat& format : PictureFormats) {
        if (isVideoFormat(format) && !store.read(format.flagName) && !maskHolds(mask, format)) {
            if (!mask.empty() && mask.back() != ';')
                mask += ';';
            mask += format.mask;
        }
    }
    return mask;
}

void FormatFlags::save(SettingsStore& store) const
{
    for (std::size_t i = 0; i < PictureFormatCount; ++i)
        store.write(PictureFormats[i].flagName, m_set[i] ? "1" : "0");
}

} // namespace pictaven
