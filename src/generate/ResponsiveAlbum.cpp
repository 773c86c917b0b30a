#include "generate/ResponsiveAlbum.h"

#include "catalog/FileStorage.h"
#include "generate/AlbumJob.h"
#include "imaging/GraphicFormats.h"
#include "ini/AsciiCase.h"

namespace pictaven {

bool ResponsiveAlbum::chosen(const AlbumJob& job)
{
    return !job.basicAlbum() && asciiLower(job.templateName) == asciiLower(templateName);
}

std::string ResponsiveAlbum::shippedFolder(const std::string& programFolder)
{
    return programFolder + "ALBUMS/" + templateName + "/";
}

bool ResponsiveAlbum::hasSizeLadder(const FileStorage& photo)
{
    // The renderer's own test: a source whose name holds ".jp" is a JPEG, and every other
    // format that browsers cannot show is converted to one.
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

} // namespace pictaven
