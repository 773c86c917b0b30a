#include "generate/GenerateOptions.h"

#include "generate/GenerationFlags.h"
#include "settings/AlbumSettings.h"

namespace pictaven {

namespace {

// The settings field behind an option; nullptr for SmartRender, which is not stored. Serves
// const and non-const settings alike.
template <class Settings>
auto storedOption(GenerateOption option, Settings& settings) -> decltype(&settings.Substitutions)
{
    switch (option) {
    case GenerateOption::Substitutions:
        return &settings.Substitutions;
    case GenerateOption::LowercaseFiles:
        return &settings.LowercaseFiles;
    case GenerateOption::SneakPeek:
        return &settings.SneakPeek;
    case GenerateOption::DeleteFolder:
        return &settings.DeleteFolder;
    case GenerateOption::CDROM:
        return &settings.CDROM;
    case GenerateOption::MultiWindow:
        return &settings.MultiWindow;
    case GenerateOption::SmartRender:
        break;
    }
    return nullptr;
}

} // namespace

bool generateOption(GenerateOption option, const AlbumSettings& settings, const GenerationFlags& flags)
{
    if (const bool* stored = storedOption(option, settings))
        return *stored;
    return flags.smartRender;
}

bool generateOptionEnabled(GenerateOption option, const GenerationFlags& flags)
{
    return option != GenerateOption::DeleteFolder || flags.smartRender;
}

void clickGenerateOption(GenerateOption option, bool on, AlbumSettings& settings, GenerationFlags& flags)
{
    if (!generateOptionEnabled(option, flags))
        return;
    switch (option) {
    case GenerateOption::Substitutions:
    case GenerateOption::LowercaseFiles:
    case GenerateOption::SneakPeek:
        *storedOption(option, settings) = on;
        flags.rerenderPhotos = true;
        break;
    case GenerateOption::DeleteFolder:
    case GenerateOption::CDROM:
    case GenerateOption::MultiWindow:
        *storedOption(option, settings) = on;
        break;
    case GenerateOption::SmartRender:
        flags.smartRender = on;
        flags.rerenderPhotos = on;
        if (!on)
            settings.DeleteFolder = false;
        break;
    }
}

} // namespace pictaven
