#pragma once

namespace pictaven {

struct AlbumSettings;
struct GenerationFlags;

// The check boxes of the step 4 panel. All but SmartRender are stored with the settings.
enum class GenerateOption {
    Substitutions,  // "Automatically substitute spaces with underscores (recommended)?"
    LowercaseFiles, // "Convert files to lowercase "
    SneakPeek,      // "Quick Preview Mode - Used for testing purposes"
    DeleteFolder,   // "Delete output folder prior to album generation"
    CDROM,          // "Build album which can be used to create an auto-run CDROM"
    MultiWindow,    // "Create album with two window frames, otherwise use single frame"
    SmartRender,    // "Smart Render (If disabled then render one time only)"
};

// The state of one option's check box.
bool generateOption(GenerateOption option, const AlbumSettings& settings, const GenerationFlags& flags);

// Whether the option's check box can be clicked: DeleteFolder only while Smart Render is on,
// every other option always.
bool generateOptionEnabled(GenerateOption option, const GenerationFlags& flags);

// A click that leaves the option in state `on`, with the rules between the options: a click on
// Substitutions, LowercaseFiles or SneakPeek sets rerenderPhotos (the photo names or the set of
// photos change); a click on SmartRender sets rerenderPhotos to its new state, and switching it
// off also switches DeleteFolder off, so that the rendered photos survive. A click on a disabled
// option changes nothing.
void clickGenerateOption(GenerateOption option, bool on, AlbumSettings& settings, GenerationFlags& flags);

} // namespace pictaven
