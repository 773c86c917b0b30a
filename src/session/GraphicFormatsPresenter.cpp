#include "session/GraphicFormatsPresenter.h"

#include "app/Dialogs.h"
#include "ini/IntegerText.h"
#include "session/Workspace.h"

#include <cstdint>
#include <exception>
#include <string>

namespace pictaven {

namespace {

void readBox(const SettingsStore& store, const char* name, bool& box)
{
    if (const auto stored = store.read(name))
        box = *stored == "1";
}

void readBox(const SettingsStore& store, const char* name, std::string& box)
{
    if (const auto stored = store.read(name))
        box = *stored;
}

// The box's number, or its default put back into the box when it holds no integer.
std::int32_t sizeFromBox(std::string& box, std::int32_t fallback)
{
    if (const auto number = parseInteger(box))
        return *number;
    box = std::to_string(fallback);
    return fallback;
}

} // namespace

GraphicFormatsPresenter::GraphicFormatsPresenter(Workspace& workspace)
    : m_workspace(workspace)
{
}

void GraphicFormatsPresenter::open()
{
    try {
        const SettingsStore& store = m_workspace.settingsStore();
        m_view.formats.load(store);
        readBox(store, "SkipSmallFiles", m_view.skipSmallFiles);
        readBox(store, "SkipLargeFiles", m_view.skipLargeFiles);
        readBox(store, "SmallFileSize", m_view.smallFileSize);
        readBox(store, "LargeFileSize", m_view.largeFileSize);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
}

void GraphicFormatsPresenter::accept()
{
    GlobalSettings& globals = m_workspace.globalSettings();
    globals.fileMask = m_view.formats.fileMask();
    globals.skipSmallFiles = m_view.skipSmallFiles;
    globals.skipLargeFiles = m_view.skipLargeFiles;
    globals.smallFileSize = sizeFromBox(m_view.smallFileSize, 10);
    globals.largeFileSize = sizeFromBox(m_view.largeFileSize, 200);
    try {
        SettingsStore& store = m_workspace.settingsStore();
        m_view.formats.save(store);
        globals.saveFileMask(store);
        globals.saveFileLimits(store);
    } catch (const std::exception& error) {
        m_workspace.dialogs().showError(error.what());
    }
    // The step 1 folder pane lists its folder again with the new mask.
    m_workspace.changes().notify();
}

} // namespace pictaven
