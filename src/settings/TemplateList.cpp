#include "settings/TemplateList.h"

#include "ini/AsciiCase.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

TemplateList::TemplateList()
    : m_entries{basicEntry}
{
}

TemplateList TemplateList::scan(const std::string& albumsFolder)
{
    TemplateList list;
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(albumsFolder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const std::string file = it->path().filename().string();
        const std::size_t dot = file.rfind('.');
        if (dot == std::string::npos || asciiLower(file.substr(dot)) != ".bmp")
            continue;
        // A file called just ".bmp" would give an entry without a name and files without one.
        if (dot > 0)
            names.push_back(file.substr(0, dot));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = asciiLower(a);
        const std::string lowerB = asciiLower(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    list.m_entries.insert(list.m_entries.end(), names.begin(), names.end());
    return list;
}

std::optional<std::int32_t> TemplateList::find(const std::string& name) const
{
    const auto it = std::find(m_entries.begin(), m_entries.end(), name);
    if (it == m_entries.end())
        return std::nullopt;
    return static_cast<std::int32_t>(it - m_entries.begin());
}

std::string TemplateList::templateFile(const std::string& albumsFolder, const std::string& baseName,
                                       const std::string& extension)
{
    const std::string spelled = baseName + extension;
    std::error_code error;
    if (fs::is_regular_file(albumsFolder + spelled, error))
        return albumsFolder + spelled;
    const std::string wanted = asciiLower(spelled);
    for (fs::directory_iterator it(albumsFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().filename().string();
        std::error_code typeError;
        if (asciiLower(file) == wanted && it->is_regular_file(typeError))
            return albumsFolder + file;
    }
    return albumsFolder + spelled;
}

std::string TemplateList::fileNameFor(std::int32_t index, const std::string& entryText)
{
    return index == 0 ? basicFileName : entryText;
}

} // namespace pictaven
