#pragma once

#include "session/ChangeNotifier.h"

#include <string>

namespace pictaven {

class Workspace;

// Where the person clicked to select a step. Step 3 refuses a click on its picture without the
// beep, and step 4 words one refusal differently for its panel.
enum class StepClick { Panel, Caption, Picture };

// The five steps of the main window: which one is shown, and whether another may be entered,
// from the workspace's step guards. Refusals beep and show their message through the
// workspace's dialogs; nothing else changes then.
class StepNavigator {
public:
    static constexpr int firstStep = 1;
    static constexpr int lastStep = 5;

    static constexpr const char* noPhotosMessage =
        "You did not add any photographs to your photo album in Step 1.\r\n\r\n"
        "Use the four arrow buttons to move photos to/from the photo album.";
    static constexpr const char* outputIsPhotoFolderMessage =
        "The Output Folder must be different from the Photo Directory.\r\n\r\n"
        "Please select a different Output Folder in Step 3.";
    static constexpr const char* outputIsPhotoFolderPanelMessage =
        "The Output Directory must be different from the Photo Directory.";
    static constexpr const char* noOutputFolderMessage = "You must first select an Output Folder from Step 3.";
    static constexpr const char* notGeneratedMessage = "You must first generate a photo album in Step 4.\r\n";

    // `workspace` outlives the navigator.
    explicit StepNavigator(Workspace& workspace);

    // The step whose page is shown, 1 to 5; step 1 at first.
    int currentStep() const { return m_current; }

    // Shows `step` when its checks pass, in the order: photos selected (steps 2 to 5), settings
    // valid (step 3), output folder valid (steps 4 and 5), album generated (step 5). Entering
    // step 2 makes the settings valid; entering step 3 makes the output folder valid unless it
    // is a photo's folder. While a job runs every selection but the current one is refused with
    // a beep. Returns whether `step` is shown now. A step outside 1 to 5 is ignored.
    bool selectStep(int step, StepClick how);

    // The keyboard focus left step 3's page: the photos-selected guard follows the list, the
    // settings are checked again and the output folder is valid unless it is a photo's folder.
    // Showing another step does this too.
    void leaveStep3();

    // Shows step 4 again without checks: what follows a change that makes the album outdated
    // while step 5 is shown (the JPEG compression dialog). Does nothing on other steps.
    void returnToGenerateAfterChange();

    // Shows step 1 and leaves the guards as they are: what follows a catalog command, which sets
    // the guards itself for the catalog it leaves behind.
    void showFirstStepAfterCatalogChange();

    // The caption of a step's panel ("1. Select Photos") and the help line shown while the mouse
    // is over its picture.
    static std::string caption(int step);
    static std::string helpLine(int step);

    // Told when the current step changes.
    ChangeNotifier& changed() { return m_changed; }

private:
    bool refuse(const char* message, bool warning);
    bool outputFolderChecks(StepClick how);
    void show(int step);

    Workspace& m_workspace;
    int m_current = firstStep;
    ChangeNotifier m_changed;
};

// Whether the layout numbers (spacing, label font size, thumbnails per row, thumbnail size) of
// the workspace's album settings can be used: all of them at least 0.
bool layoutNumbersUsable(const Workspace& workspace);

} // namespace pictaven
