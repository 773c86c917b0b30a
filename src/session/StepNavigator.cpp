#include "session/StepNavigator.h"

#include "app/Dialogs.h"
#include "session/Workspace.h"

#include <array>

namespace pictaven {

namespace {

constexpr std::array<const char*, 5> kCaptions = {
    "1. Select Photos", "2. Configure", "3. Output Folder", "4. Generate", "5. Upload",
};

constexpr std::array<const char*, 5> kHelpLines = {
    "Select the photos to include in your Photo Album Catalog - Use the Arrow Buttons to select photos",
    "Select a Photo Album template and adjust many configuration settings",
    "Select the destination folder where the photo album is created",
    "Generate the photo album including all HTML documents and thumbnails",
    "Publish your photo album on the Internet",
};

bool isStep(int step)
{
    return step >= StepNavigator::firstStep && step <= StepNavigator::lastStep;
}

} // namespace

StepNavigator::StepNavigator(Workspace& workspace)
    : m_workspace(workspace)
{
}

std::string StepNavigator::caption(int step)
{
    return isStep(step) ? kCaptions[static_cast<std::size_t>(step - 1)] : "";
}

std::string StepNavigator::helpLine(int step)
{
    return isStep(step) ? kHelpLines[static_cast<std::size_t>(step - 1)] : "";
}

bool StepNavigator::refuse(const char* message, bool warning)
{
    Dialogs& dialogs = m_workspace.dialogs();
    dialogs.beep();
    if (warning)
        dialogs.showWarning(message);
    else
        dialogs.showError(message);
    return false;
}

bool StepNavigator::outputFolderChecks(StepClick how)
{
    const StepGuards& guards = m_workspace.guards();
    if (guards.outputFolderValid)
        return true;
    if (!guards.outputIsPhotoFolder)
        return refuse(noOutputFolderMessage, false);
    // Only step 4 passes its clicks here; step 5 words its refusal as from a caption.
    return refuse(how == StepClick::Panel ? outputIsPhotoFolderPanelMessage : outputIsPhotoFolderMessage, false);
}

bool StepNavigator::selectStep(int step, StepClick how)
{
    if (!isStep(step))
        return false;
    if (m_workspace.jobRunning()) {
        if (step == m_current)
            return true;
        m_workspace.dialogs().beep();
        return false;
    }
    StepGuards& guards = m_workspace.guards();
    if (step >= 2 && !guards.photosSelected)
        return refuse(noPhotosMessage, true);
    switch (step) {
    case 2:
        guards.settingsValid = true;
        break;
    case 3:
        if (!guards.settingsValid) {
            // A click on the picture refuses without a sound; the panel and caption beep.
            if (how != StepClick::Picture)
                m_workspace.dialogs().beep();
            return false;
        }
        guards.outputFolderValid = !guards.outputIsPhotoFolder;
        break;
    case 4:
        if (!outputFolderChecks(how))
            return false;
        break;
    case 5:
        if (!outputFolderChecks(StepClick::Caption))
            return false;
        if (!guards.albumGenerated)
            return refuse(notGeneratedMessage, true);
        break;
    default:
        break;
    }
    show(step);
    return true;
}

void StepNavigator::leaveStep3()
{
    StepGuards& guards = m_workspace.guards();
    guards.photosSelected = !m_workspace.catalog().photos.empty();
    guards.settingsValid = layoutNumbersUsable(m_workspace);
    guards.outputFolderValid = !guards.outputIsPhotoFolder;
}

void StepNavigator::returnToGenerateAfterChange()
{
    if (m_current != 5)
        return;
    m_workspace.guards().albumGenerated = false;
    show(4);
}

void StepNavigator::showFirstStepAfterCatalogChange()
{
    if (m_current == firstStep)
        return;
    m_current = firstStep;
    m_changed.notify();
}

void StepNavigator::show(int step)
{
    if (step == m_current)
        return;
    // Another page is shown, so the keyboard focus has left step 3's page, whether or not that
    // page held it (a window without focus, a click that does not take it).
    if (m_current == 3)
        leaveStep3();
    m_current = step;
    m_changed.notify();
}

bool layoutNumbersUsable(const Workspace& workspace)
{
    const AlbumSettings& settings = workspace.albumSettings();
    return settings.SpacingRows >= 0 && settings.SpacingCols >= 0 && settings.LabelFontSize >= 0
        && settings.ThumbnailsPerRow >= 0 && settings.ThumbWidth >= 0 && settings.ThumbHeight >= 0;
}

} // namespace pictaven
