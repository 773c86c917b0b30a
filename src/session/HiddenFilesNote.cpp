#include "session/HiddenFilesNote.h"

#include "decoders/PictureFormats.h"
#include "ini/AsciiCase.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace pictaven {

namespace {

std::string kindOf(const std::string& name)
{
    const std::string extension = asciiUpper(std::filesystem::path(name).extension().string().substr(1));
    const std::string format = pictureFormatName(name);
    return asciiUpper(format) == extension ? format : extension;
}

} // namespace

std::string hiddenFilesNote(const std::vector<std::string>& hiddenNames)
{
    if (hiddenNames.empty())
        return {};
    std::vector<std::pair<const PictureFormat*, std::string>> kinds;
    for (const std::string& name : hiddenNames) {
        if (const PictureFormat* format = pictureFormatFor(name))
            kinds.emplace_back(format, kindOf(name));
    }
    std::sort(kinds.begin(), kinds.end());
    kinds.erase(std::unique(kinds.begin(), kinds.end()), kinds.end());
    std::string note = std::to_string(hiddenNames.size()) + (hiddenNames.size() == 1 ? " file" : " files") + " hidden: ";
    for (std::size_t i = 0; i < kinds.size(); ++i)
        note += (i == 0 ? "" : ", ") + kinds[i].second;
    return note + " \u2014 Settings \u203a Select Graphic Formats";
}

} // namespace pictaven
