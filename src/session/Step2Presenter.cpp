#include "session/Step2Presenter.h"

#include "app/Dialogs.h"
#include "session/TemplateCommands.h"
#include "session/Workspace.h"
#include "settings/AlbumSettingsField.h"

#include <array>
#include <exception>

namespace pictaven {

namespace {

constexpr std::array<const char*, 12> kStyleThemes = {
    "Blue Theme",   "Red Theme",  "Yellow Theme", "Green Theme", "Black Theme",  "Gray Theme",
    "Orange Theme", "Pink Theme", "Cyan Theme",   "White Theme", "Purple Theme", "Light Gray Theme",
};

bool isTheme(std::int32_t theme)
{
    return theme >= 0 && static_cast<std::size_t>(theme) < kStyleThemes.size();
}

} // namespace

Step2Presenter::Step2Presenter(Workspace& workspace)
    : m_workspace(workspace)
{
}

Step2View Step2Presenter::view() const
{
    const Catalog& catalog = m_workspace.catalog();
    const AlbumSettings& settings = m_workspace.albumSettings();
    Step2View view;
    view.templates = m_workspace.templateList().entries();
    view.chosenTemplate = catalog.templateIndex;
    view.albumTitle = catalog.albumTitle;
    view.shortName = settings.AlbumShortName;
    view.styleThemes.assign(kStyleThemes.begin(), kStyleThemes.end());
    view.styleTheme = isTheme(settings.StyleTheme) ? settings.StyleTheme : 0;
    const NumberRange videoSides = AlbumSettingsField::byName("VideoLongSide").range;
    view.videoLongSide = settings.VideoLongSide;
    view.videoLongSideLowest = videoSides.lowest;
    view.videoLongSideHighest = videoSides.highest;
    view.enabled = editable();
    return view;
}

bool Step2Presenter::editable() const
{
    return !m_workspace.jobRunning();
}

void Step2Presenter::settingsChanged()
{
    m_workspace.catalog().modified = true;
    m_changed.notify();
}

void Step2Presenter::chooseTemplate(std::int32_t entry)
{
    if (!editable())
        return;
    try {
        changeTemplate(m_workspace, entry);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    // The template's settings reach the other pages and dialogs, and a failed read may have
    // applied part of the file.
    m_workspace.changes().notify();
}

void Step2Presenter::setAlbumTitle(const std::string& title)
{
    if (!editable() || title == m_workspace.catalog().albumTitle)
        return;
    m_workspace.catalog().albumTitle = title;
    settingsChanged();
}

bool Step2Presenter::shortNameKeyAccepted(char32_t key)
{
    return (key >= U'0' && key <= U'9') || (key >= U'a' && key <= U'z') || key == U'\b';
}

void Step2Presenter::setShortName(const std::string& shortName)
{
    const std::string cut = shortName.substr(0, shortNameLength);
    std::string& held = m_workspace.albumSettings().AlbumShortName;
    if (!editable() || cut == held)
        return;
    held = cut;
    settingsChanged();
}

void Step2Presenter::setStyleTheme(std::int32_t theme)
{
    std::int32_t& held = m_workspace.albumSettings().StyleTheme;
    if (!editable() || !isTheme(theme) || theme == held)
        return;
    held = theme;
    settingsChanged();
}

void Step2Presenter::setVideoLongSide(std::int32_t pixels)
{
    const std::int32_t bounded = AlbumSettingsField::byName("VideoLongSide").bounded(pixels);
    std::int32_t& held = m_workspace.albumSettings().VideoLongSide;
    if (!editable() || bounded == held)
        return;
    held = bounded;
    settingsChanged();
}

void Step2Presenter::restoreTemplate()
{
    if (!editable())
        return;
    try {
        restoreFactorySettings(m_workspace);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    m_workspace.changes().notify();
}

bool Step2Presenter::catalogEditorAllowed()
{
    if (m_workspace.catalog().photos.empty()) {
        m_workspace.dialogs().showInformation(noPhotosMessage);
        return false;
    }
    return true;
}

} // namespace pictaven
