#pragma once

#include "imaging/Bitmap.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pictaven {

class Workspace;

// One colour of the previewer, in the settings form B * 65536 + G * 256 + R.
struct ColourSwatch {
    const char* page;
    const char* caption;
    std::int32_t colour = 0;
};

inline constexpr std::size_t colourSwatchCount = 12;

// What the colour previewer shows: the swatches, page by page, and the sample index page with
// the colours of its three labels.
struct ColourPreviewerView {
    std::array<ColourSwatch, colourSwatchCount> swatches;
    Bitmap sample;
    std::int32_t albumTitleBackground = 0;
    std::int32_t albumTitleText = 0;
    std::int32_t thumbnailText = 0;
    std::int32_t linksText = 0;
};

// The colour previewer: twelve colours of the album settings, tried on a sample of an index
// page before they reach the settings through OK or "&Save Album Preferences". Made once and
// reused; the sample is recoloured in place. Commands never throw.
class ColourPreviewerPresenter {
public:
    // The four pages, in order; the dialog opens on "Thumbnails" the first time.
    static constexpr std::array<const char*, 4> pages = {"Index Page", "Thumbnails", "Album Templates", "Photo Page"};
    static constexpr const char* firstPage = "Thumbnails";
    static constexpr const char* photoPageNote = "No preview available for Photo Page";
    // Swatches are numbered in the order of `view().swatches`; the photo page's background:
    static constexpr std::size_t photoBackgroundSwatch = 8;

    // Reads the sample picture, programFolder + "resource/preview.bmp"; one that cannot be read
    // is shown as an error and a white sample is used.
    explicit ColourPreviewerPresenter(Workspace& workspace);

    const ColourPreviewerView& view() const { return m_view; }

    // The dialog is shown: the swatches take the settings' colours and the sample follows them.
    void open();
    // A swatch was clicked and the colour chooser closed with `chosen` (nullopt: cancelled).
    // The photo page's background asks for the photos to be rendered again either way.
    void chooseColour(std::size_t swatch, std::optional<std::int32_t> chosen);
    // OK: the swatches' colours go into the album settings.
    void accept();
    // As OK, then writes the settings into the open catalog's file, or, with no catalog open,
    // saves them into the chosen template after asking.
    void saveAlbumPreferences();

private:
    void applyEffect(std::size_t swatch);
    void fill(int x, int y, std::int32_t colour);

    Workspace& m_workspace;
    ColourPreviewerView m_view;
};

} // namespace pictaven
