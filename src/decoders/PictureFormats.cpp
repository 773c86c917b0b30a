#include "decoders/PictureFormats.h"

#include "ini/AsciiCase.h"

#include <filesystem>
#include <stdexcept>

namespace pictaven
{

namespace
{

// The path's extension in lower case, without the dot; empty when it has none.
std::string lowerExtension(const std::string& path)
{
    const std::string dotted = std::filesystem::path(path).extension().string();
    return dotted.empty() ? std::string() : asciiLower(dotted.substr(1));
}

const PictureFormat* formatForExtension(const std::string& extension)
{
    if (extension.empty())
        return nullptr;
    for (const PictureFormat& format : PictureFormats) {
        for (const char* candidate : format.extensions) {
            if (candidate && extension == candidate)
                return &format;
        }
    }
    return nullptr;
}

} // namespace

const PictureFormat* pictureFormatFor(const std::string& path)
{
    return formatForExtension(lowerExtension(path));
}

std::string pictureFormatName(const std::string& path)
{
    const std::string extension = lowerExtension(path);
    const PictureFormat* format = formatForExtension(extension);
    if (!format)
        return {};
    return format->name ? format->name : asciiUpper(extension);
}

std::size_t pictureFormatPosition(std::string_view flagName)
{
    for (std::size_t i = 0; i < PictureFormatCount; ++i) {
        if (flagName == PictureFormats[i].flagName)
            return i;
    }
    throw std::out_of_range("no picture format " + std::string(flagName));
}

} // namespace pictaven
