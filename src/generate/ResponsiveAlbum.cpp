#include "generate/ResponsiveAlbum.h"

#include "catalog/FileStorage.h"
#include "decoders/VideoFile.h"
#include "generate/AlbumJob.h"
#include "imaging/GraphicFormats.h"
#include "ini/AsciiCase.h"

#include <filesystem>
#include <set>

namespace pictaven {

bool ResponsiveAlbum::chosen(const AlbumJob& job)
{
    return !job.basicAlbum() && isNamed(job.templateName);
}

bool ResponsiveAlbum::isNamed(const std::string& name)
{
    return asciiLower(name) == asciiLower(templateName);
}

std::string ResponsiveAlbum::shippedFolder(const std::string& programFolder)
{
    return programFolder + "ALBUMS/" + templateName + "/";
}

bool ResponsiveAlbum::hasSizeLadder(const FileStorage& photo)
{
    // A video's pictures are its poster and thumbnails (VideoPublisher). The renderer's own
    // test: a source whose name holds ".jp" is a JPEG, and every other format that browsers
    // cannot show is converted to one.
    if (isVideoPath(photo.SourcePath))
        return false;
    return !isWebFormat(photo.SourcePath) || asciiLower(photo.SourcePath).find(".jp") != std::string::npos;
}

std::vector<int> ResponsiveAlbum::ladderBelow(int width)
{
    std::vector<int> widths;
    for (const int ladderWidth : ladderWidths) {
        if (ladderWidth < width)
            widths.push_back(ladderWidth);
    }
    return widths;
}

std::string ResponsiveAlbum::sizeFileName(const std::string& photoName, int width) const
{
    return m_names.derivedPictureName("w" + std::to_string(width) + "_", photoName);
}

std::string ResponsiveAlbum::largeThumbnailFileName(const std::string& photoName) const
{
    return m_names.derivedPictureName("thumb2x_", photoName);
}

std::vector<std::string> ResponsiveAlbum::uploadOrder(const std::string& outputFolder, const std::string& indexPage,
                                                      const std::vector<std::string>& photoNames,
                                                      const std::vector<std::string>& audioFiles) const
{
    std::vector<std::string> files;
    std::set<std::string> listed;
    auto add = [&](const std::string& name) {
        if (listed.insert(name).second)
            files.push_back(name);
    };
    auto addWhenThere = [&](const std::string& name) {
        std::error_code missing;
        if (std::filesystem::is_regular_file(outputFolder + name, missing))
            add(name);
    };
    for (std::size_t i = 0; i < photoNames.size(); ++i) {
        for (const int width : ladderWidths)
            addWhenThere(sizeFileName(photoNames[i], width));
        if (isVideoPath(photoNames[i])) {
            add(m_names.videoFileName(photoNames[i]));
            add(m_names.videoPosterFileName(photoNames[i]));
        } else {
            add(m_names.webFileName(photoNames[i]));
        }
        add(m_names.thumbnailFileName(photoNames[i]));
        addWhenThere(largeThumbnailFileName(photoNames[i]));
        if (i < audioFiles.size() && !audioFiles[i].empty())
            addWhenThere(m_names.webFileName(OutputNames::fileNamePart(audioFiles[i])));
    }
    for (const char* shared : {styleSheetFileName, scriptFileName, licenceFileName})
        add(shared);
    for (const std::string& photoName : photoNames)
        add(m_names.photoPageFileName(photoName));
    add(indexPage);
    return files;
}

} // namespace pictaven
