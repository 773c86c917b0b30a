#include "catalog/FolderListing.h"

#include "decoders/PictureFormats.h"
#include "ini/AsciiCase.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

// Both texts already lower-cased. Backtracks to the last "*" only, which keeps the work linear
// in the name for each star.
bool matchesPattern(std::string_view name, std::string_view pattern)
{
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// Letter case ignored first, then byte order, so that names equal but for case keep one order.
bool precedesByName(const std::string& left, const std::string& right)
{
    const std::string lowerLeft = asciiLower(left);
    const std::string lowerRight = asciiLower(right);
    if (lowerLeft != lowerRight)
        return lowerLeft < lowerRight;
    return left < right;
}

// The plain files of `folder` whose names `wanted` takes, hidden files left out, ordered by name.
template <class Wanted>
std::vector<std::string> listFolder(const std::string& folder, Wanted wanted)
{
    std::vector<std::string> names;
    std::error_code error;
    for (auto it = fs::directory_iterator(folder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.front() != '.' && it->is_regular_file(ignored) && wanted(name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), precedesByName);
    return names;
}

} // namespace

bool matchesFileMask(const std::string& name, const std::string& fileMask)
{
    const std::string lowerName = asciiLower(name);
    const std::string lowerMask = asciiLower(fileMask);
    const std::string_view mask(lowerMask);
    std::size_t start = 0;
    while (start <= mask.size()) {
        const std::size_t end = std::min(mask.find(';', start), mask.size());
        const std::string_view pattern = mask.substr(start, end - start);
        if (!pattern.empty() && matchesPattern(lowerName, pattern))
            return true;
        start = end + 1;
    }
    return false;
}

std::vector<std::string> listPhotoFolder(const std::string& folder, const std::string& fileMask)
{
    return listFolder(folder, [&](const std::string& name) { return matchesFileMask(name, fileMask); });
}

std::vector<std::string> listMaskedPictures(const std::string& folder, const std::string& fileMask)
{
    return listFolder(folder, [&](const std::string& name) {
        return !matchesFileMask(name, fileMask) && pictureFormatFor(name) != nullptr;
    });
}

} // namespace pictaven
