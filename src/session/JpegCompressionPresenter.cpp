#include "session/JpegCompressionPresenter.h"

#include "app/Dialogs.h"
#include "ini/IntegerText.h"
#include "session/Workspace.h"

#include <algorithm>
#include <exception>

namespace pictaven {

namespace {

std::int32_t quality(std::int32_t value)
{
    return std::clamp<std::int32_t>(value, 0, 100);
}

std::string label(std::int32_t value)
{
    return std::to_string(value) + "%";
}

} // namespace

JpegCompressionPresenter::JpegCompressionPresenter(Workspace& workspace)
    : m_workspace(workspace)
{
}

void JpegCompressionPresenter::open()
{
    std::int32_t albumPictures = 80;
    std::int32_t convertedPhotos = 97;
    try {
        const SettingsStore& store = m_workspace.settingsStore();
        if (const auto stored = store.read("Compression1"))
            albumPictures = decimalToInt(*stored);
        if (const auto stored = store.read("Compression2"))
            convertedPhotos = decimalToInt(*stored);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    setAlbumPictures(albumPictures);
    setConvertedPhotos(convertedPhotos);
}

void JpegCompressionPresenter::setAlbumPictures(std::int32_t value)
{
    m_view.albumPictures = quality(value);
    m_view.albumPicturesLabel = label(m_view.albumPictures);
}

void JpegCompressionPresenter::setConvertedPhotos(std::int32_t value)
{
    m_view.convertedPhotos = quality(value);
    m_view.convertedPhotosLabel = label(m_view.convertedPhotos);
}

void JpegCompressionPresenter::accept()
{
    GlobalSettings& globals = m_workspace.globalSettings();
    globals.compression1 = m_view.albumPictures;
    globals.compression2 = m_view.convertedPhotos;
    try {
        globals.saveCompression(m_workspace.settingsStore());
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
}

} // namespace pictaven
