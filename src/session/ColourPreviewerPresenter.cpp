#include "session/ColourPreviewerPresenter.h"

#include "app/Dialogs.h"
#include "decoders/PictureLoader.h"
#include "imaging/BitmapDrawing.h"
#include "ini/FilePaths.h"
#include "session/TemplateCommands.h"
#include "session/Workspace.h"
#include "settings/ConfigFile.h"

#include <exception>

namespace pictaven {

namespace {

using Field = std::int32_t AlbumSettings::*;

// The settings field of each swatch, in the order of the swatches.
constexpr std::array<Field, colourSwatchCount> fields = {
    &AlbumSettings::WebBgColor,        &AlbumSettings::LinkColor,          &AlbumSettings::AlbumTitleColor,
    &AlbumSettings::LabelBgColor,      &AlbumSettings::LabelTextColor,     &AlbumSettings::ThumbBgColor,
    &AlbumSettings::ThumbBorderColor,  &AlbumSettings::BgColor,            &AlbumSettings::WebPhotoBgColor,
    &AlbumSettings::WebPhotoTextColor, &AlbumSettings::WebPhotoDescColor,  &AlbumSettings::WebPhotoBorderColor,
};

// Where the regions of the shipped sample lie (tools/make-data draws it to these points).
constexpr int sampleWidth = 223;
constexpr int sampleHeight = 273;
constexpr Rect thumbnailFrame{65, 101, 157, 192};

Colour colourOf(std::int32_t value)
{
    return Colour::fromSettings(static_cast<std::uint32_t>(value));
}

} // namespace

ColourPreviewerPresenter::ColourPreviewerPresenter(Workspace& workspace)
    : m_workspace(workspace)
{
    m_view.swatches = {{
        {pages[0], "Background Color"},
        {pages[0], "Custom Links Color"},
        {pages[0], "Album Title Color"},
        {pages[1], "Label Background Color"},
        {pages[1], "Label Font Color"},
        {pages[1], "Background Color"},
        {pages[1], "Border Color"},
        {pages[2], "Template Background Color"},
        {pages[3], "Background Color"},
        {pages[3], "Photo Title Color"},
        {pages[3], "Long Photo Description"},
        {pages[3], "Photo Border Color"},
    }};
    try {
        m_view.sample = loadPicture(workspace.programFolder() + "resource/preview.bmp");
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
        m_view.sample = Bitmap(sampleWidth, sampleHeight);
        fillRect(m_view.sample, {0, 0, sampleWidth, sampleHeight}, {255, 255, 255});
    }
}

void ColourPreviewerPresenter::open()
{
    const AlbumSettings& settings = m_workspace.albumSettings();
    for (std::size_t i = 0; i < colourSwatchCount; ++i) {
        m_view.swatches[i].colour = settings.*fields[i];
        applyEffect(i);
    }
}

void ColourPreviewerPresenter::chooseColour(std::size_t swatch, std::optional<std::int32_t> chosen)
{
    if (swatch >= colourSwatchCount)
        return;
    if (swatch == photoBackgroundSwatch)
        m_workspace.generationFlags().rerenderPhotos = true;
    if (!chosen)
        return;
    m_view.swatches[swatch].colour = *chosen;
    applyEffect(swatch);
}

void ColourPreviewerPresenter::accept()
{
    AlbumSettings& settings = m_workspace.albumSettings();
    for (std::size_t i = 0; i < colourSwatchCount; ++i)
        settings.*fields[i] = m_view.swatches[i].colour;
    m_workspace.changes().notify();
}

void ColourPreviewerPresenter::saveAlbumPreferences()
{
    accept();
    const Catalog& catalog = m_workspace.catalog();
    try {
        if (!catalog.name.empty())
            writeConfigFile(withTrailingSlash(catalog.folder) + catalog.name, m_workspace.albumSettings());
        else
            saveTemplate(m_workspace);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
}

void ColourPreviewerPresenter::fill(int x, int y, std::int32_t colour)
{
    Bitmap& sample = m_view.sample;
    if (x < sample.width() && y < sample.height())
        floodFill(sample, x, y, sample.pixel(x, y), colourOf(colour));
}

void ColourPreviewerPresenter::applyEffect(std::size_t swatch)
{
    const std::int32_t colour = m_view.swatches[swatch].colour;
    switch (swatch) {
    case 0:
        fill(1, 1, colour);
        m_view.albumTitleBackground = colour;
        break;
    case 1:
        m_view.linksText = colour;
        break;
    case 2:
        m_view.albumTitleText = colour;
        break;
    case 3:
        fill(67, 87, colour);
        fill(69, 92, colour);
        break;
    case 4:
        m_view.thumbnailText = colour;
        break;
    case 5:
        fill(73, 119, colour);
        // A frame of the background's old colour was filled with it; it keeps its own colour.
        frameRect(m_view.sample, thumbnailFrame, colourOf(m_view.swatches[6].colour));
        break;
    case 6:
        frameRect(m_view.sample, thumbnailFrame, colourOf(colour));
        break;
    case 7:
        fill(48, 48, colour);
        break;
    default:
        break; // the photo page is not previewed
    }
}

} // namespace pictaven
