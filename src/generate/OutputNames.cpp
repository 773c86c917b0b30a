#include "generate/OutputNames.h"

#include "catalog/FileStorage.h"
#include "decoders/GraphicToJpeg.h"
#include "decoders/VideoFile.h"
#include "imaging/GraphicFormats.h"
#include "ini/AsciiCase.h"
#include "settings/AlbumSettings.h"

#include <algorithm>
#include <set>

namespace pictaven {

namespace {

struct PhotoNameParts {
    std::string base;
    std::string ext3;
};

PhotoNameParts splitPhotoName(const std::string& name)
{
    const auto dot = name.rfind('.');
    if (dot == std::string::npos)
        return {name, ""};
    return {name.substr(0, dot), asciiLower(name.substr(dot + 1, 3))};
}

// The name with "_" + number put before its extension.
std::string numberedName(const std::string& name, int number)
{
    const auto dot = name.rfind('.');
    const std::string suffix = "_" + std::to_string(number);
    return dot == std::string::npos ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
}

} // namespace

OutputNames::OutputNames(const AlbumSettings& settings)
    : OutputNames(settings.Substitutions, settings.LowercaseFiles)
{
}

std::string OutputNames::fileNamePart(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string OutputNames::webFileName(const std::string& path) const
{
    const auto slash = path.rfind('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    std::string name = path.substr(start);
    if (m_substitutions)
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == ' ' || c == '&'; }, '_');
    if (m_lowercaseFiles)
        name = asciiLower(name);
    return path.substr(0, start) + name;
}

std::string OutputNames::photoPageFileName(const std::string& photoFileName) const
{
    const PhotoNameParts parts = splitPhotoName(photoFileName);
    return parts.ext3 + "_" + webFileName(parts.base) + ".htm";
}

std::string OutputNames::thumbnailFileName(const std::string& photoFileName) const
{
    return derivedPictureName("thumb_", photoFileName);
}

std::string OutputNames::derivedPictureName(const std::string& prefix, const std::string& photoFileName) const
{
    return derivedName(prefix, photoFileName, ".jpg");
}

std::string OutputNames::videoFileName(const std::string& videoName) const
{
    return derivedName("", videoName, ".mp4");
}

std::string OutputNames::videoPosterFileName(const std::string& videoName) const
{
    return derivedPictureName("poster_", videoName);
}

std::string OutputNames::derivedName(const std::string& prefix, const std::string& photoFileName,
                                     const char* extension) const
{
    const PhotoNameParts parts = splitPhotoName(photoFileName);
    return prefix + parts.ext3 + "_" + webFileName(parts.base) + extension;
}

std::vector<std::string> OutputNames::distinctPhotoNames(const std::vector<std::string>& fileNames) const
{
    // Generation copies these into the output folder after the photos.
    std::set<std::string> taken = {"home.gif", "first.gif",   "prev.gif", "next.gif",
                                   "last.gif", "speaker.gif", "index.gif"};
    auto filesOf = [this](const std::string& name) {
        std::vector<std::string> files = {asciiLower(webFileName(name)), asciiLower(photoPageFileName(name)),
                                          asciiLower(thumbnailFileName(name))};
        if (isVideoPath(name)) {
            files.push_back(asciiLower(videoFileName(name)));
            files.push_back(asciiLower(videoPosterFileName(name)));
        }
        return files;
    };
    auto isFree = [&](const std::string& name) {
        const auto files = filesOf(name);
        return std::none_of(files.begin(), files.end(), [&](const std::string& file) { return taken.contains(file); });
    };
    std::vector<std::string> names;
    names.reserve(fileNames.size());
    for (const std::string& fileName : fileNames) {
        std::string name = fileName;
        for (int number = 2; !isFree(name); ++number)
            name = numberedName(fileName, number);
        for (const std::string& file : filesOf(name))
            taken.insert(file);
        names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> OutputNames::distinctPhotoNames(const std::vector<FileStorage>& photos) const
{
    std::vector<std::string> fileNames;
    fileNames.reserve(photos.size());
    for (const FileStorage& photo : photos)
        fileNames.push_back(ownPhotoName(photo));
    return distinctPhotoNames(fileNames);
}

std::string OutputNames::ownPhotoName(const FileStorage& photo)
{
    // A video is published under names of its own (videoFileName), never converted to JPEG.
    if (isVideoPath(photo.SourcePath))
        return fileNamePart(photo.SourcePath);
    if (!photo.SourcePath.empty() && !isWebFormat(photo.SourcePath))
        return convertedFileName(photo.SourcePath);
    return fileNamePart(photo.WorkingPath);
}

std::string OutputNames::jpegFileName(const std::string& name)
{
    if (isWebFormat(name))
        return name;
    const auto dot = name.rfind('.');
    const auto slash = name.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? name.substr(0, dot) : name) + ".jpg";
}

std::string OutputNames::indexPageFileName(const std::string& shortName, int page)
{
    return page <= 1 ? shortName + ".htm" : shortName + std::to_string(page) + ".htm";
}

std::string OutputNames::framePageFileName(const std::string& shortName)
{
    return shortName + "_frame.htm";
}

std::string OutputNames::albumPictureFileName(const std::string& shortName, int page)
{
    return page <= 1 ? shortName + "_thumb.jpg" : shortName + "_thumb" + std::to_string(page) + ".jpg";
}

} // namespace pictaven
