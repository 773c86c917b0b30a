#pragma once

#include "decoders/PictureFormats.h"

#include <array>
#include <cstddef>
#include <string>

namespace pictaven {

class SettingsStore;

// Which graphic formats the step 1 folder pane offers, by position in PictureFormats. Starts with
// the web formats, those of today's phones (HEIC/HEIF, AVIF, WebP) and videos set and the others
// clear.
class FormatFlags {
public:
    FormatFlags();

    bool isSet(std::size_t position) const { return m_set.at(position); }
    void set(std::size_t position, bool on) { m_set.at(position) = on; }

    // The folder pane's file mask: the fragments of the formats set, in table order, e.g.
    // "*.jpg;*.jpeg;*.bmp;*.dib;*.rle;". Empty when none is set; otherwise it ends with ";".
    std::string fileMask() const;

    // Takes over every stored value: set exactly when its text is "1". A value never stored
    // leaves its flag as it was, except for the phone formats, which follow a stored FileMask: set
    // when the mask holds the format's first pattern ("*.heic"), so that a settings file written
    // before they were known keeps the choice its mask made. Videos, like the web formats, stay
    // on until their box is stored (see maskWithVideosNeverChosen).
    void load(const SettingsStore& store);
    // Stores every format's value as "1" or "0". Throws IoError when the store cannot be written.
    void save(SettingsStore& store) const;

private:
    std::array<bool, PictureFormatCount> m_set{};
};

// The folder pane's file mask for settings.ini's FileMask: that mask, followed by the patterns of
// the video formats whose box was never stored (none is in a settings file written before videos
// were known, or by a new program folder), unless it holds them already. Videos are so listed
// until the graphic formats dialog stores a choice.
std::string maskWithVideosNeverChosen(const std::string& fileMask, const SettingsStore& store);

} // namespace pictaven
