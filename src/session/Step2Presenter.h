#pragma once

#include "session/ChangeNotifier.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

class Workspace;

// What the page of step 2 shows.
struct Step2View {
    std::vector<std::string> templates; // the "Photo Album" box
    std::int32_t chosenTemplate = 0;
    std::string albumTitle;
    std::string shortName;
    std::vector<std::string> styleThemes;
    std::int32_t styleTheme = 0;    // the theme shown; the first while none is chosen
    std::int32_t videoLongSide = 0; // pixels
    std::int32_t videoLongSideLowest = 0;
    std::int32_t videoLongSideHighest = 0;
    bool enabled = true; // false while a job reads the workspace
};

// Step 2: the album template, the album's title and short name, the style sheet theme and the
// size of the album's videos.
// Commands do nothing while a job runs; failures of the core are shown, never thrown.
class Step2Presenter {
public:
    static constexpr const char* helpTopic = "Selecting_A_Photo_Album_Template";
    static constexpr std::size_t shortNameLength = 14;
    static constexpr const char* noPhotosMessage = "You must first select photos for the photo album from Step 1.";

    // `workspace` outlives the presenter.
    explicit Step2Presenter(Workspace& workspace);

    Step2View view() const;
    // Told when something this page shows changed through one of its commands.
    ChangeNotifier& changed() { return m_changed; }

    // Chooses an entry of the template list and reads its settings.
    void chooseTemplate(std::int32_t entry);
    void setAlbumTitle(const std::string& title);
    // Whether a key typed into the short name box is taken: digits, lower-case letters and
    // backspace ('\b'); every other key is refused.
    static bool shortNameKeyAccepted(char32_t key);
    // The short name as the box holds it after the accepted keys, cut to shortNameLength.
    void setShortName(const std::string& shortName);
    void setStyleTheme(std::int32_t theme);
    // The longest side of the published videos, brought into the setting's range.
    void setVideoLongSide(std::int32_t pixels);
    // Restores the chosen template's factory settings.
    void restoreTemplate();
    // Whether the catalog editor may open: it needs photos, and says so when there are none.
    bool catalogEditorAllowed();

private:
    bool editable() const;
    void settingsChanged();

    Workspace& m_workspace;
    ChangeNotifier m_changed;
};

} // namespace pictaven
