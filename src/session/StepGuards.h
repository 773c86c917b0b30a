#pragma once

namespace pictaven {

// The four flags that decide which of the five steps may be entered, in their first-show states.
struct StepGuards {
    bool photosSelected = false;    // the photo list is not empty
    bool settingsValid = true;      // the layout numbers can be used
    bool outputFolderValid = false; // the output folder is usable
    bool albumGenerated = false;    // an album exists for the current settings
    bool outputIsPhotoFolder = false; // the output folder is the folder of one of the photos
};

} // namespace pictaven
