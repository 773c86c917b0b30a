#include "generate/ResponsivePhoto.h"

#include "catalog/FileStorage.h"
#include "decoders/PictureLoader.h"
#include "generate/AlbumJob.h"
#include "generate/OutputNames.h"
#include "generate/ResponsiveAlbum.h"

#include <array>
#include <exception>
#include <filesystem>
#include <utility>

namespace pictaven {

namespace {

std::optional<ResponsivePicture> pictureIn(const std::string& folder, const std::string& file)
{
    std::error_code missing;
    if (!std::filesystem::is_regular_file(folder + file, missing))
        return std::nullopt;
    try {
        const ImageSize size = readPictureSize(folder + file);
        if (size.width <= 0 || size.height <= 0)
            return std::nullopt;
        return ResponsivePicture{file, size.width, size.height};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string withoutExtension(const std::string& fileName)
{
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

} // namespace

const ResponsivePicture& ResponsivePhoto::fallback() const
{
    const ResponsivePicture* chosen = &sizes.front();
    for (const ResponsivePicture& size : sizes) {
        if (size.width <= 1280)
            chosen = &size;
    }
    return *chosen;
}

std::string ResponsivePhoto::titleOf(const FileStorage& photo)
{
    return photo.WebTitle.empty() ? photo.Caption : photo.WebTitle;
}

std::string ResponsivePhoto::plainText(const std::vector<std::string>& htmlLines)
{
    static const std::array<std::pair<const char*, const char*>, 7> references{{
        {"&amp;", "&"},
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&quot;", "\""},
        {"&#39;", "'"},
        {"&apos;", "'"},
        {"&nbsp;", " "},
    }};
    std::string text;
    bool inTag = false;
    bool blank = true; // no blank at the start, none twice
    for (const std::string& line : htmlLines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (inTag) {
                inTag = c != '>';
                continue;
            }
            if (c == '<') {
                inTag = true;
                continue;
            }
            std::string piece(1, c);
            if (c == '&') {
                for (const auto& [reference, character] : references) {
                    if (line.compare(i, std::char_traits<char>::length(reference), reference) == 0) {
                        piece = character;
                        i += std::char_traits<char>::length(reference) - 1;
                        break;
                    }
                }
            }
            const bool space = piece == " " || piece == "\t" || piece == "\r" || piece == "\n";
            if (space) {
                if (!blank)
                    text += ' ';
                blank = true;
            } else {
                text += piece;
                blank = false;
            }
        }
        if (!blank) {
            text += ' ';
            blank = true;
        }
    }
    if (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::optional<ResponsivePhoto> ResponsivePhoto::read(const AlbumJob& job, const OutputNames& names,
                                                     const FileStorage& photo, const std::string& photoName,
                                                     const PublishedVideo* video)
{
    const std::string& folder = job.outputFolder;
    const ResponsiveAlbum album(names);
    ResponsivePhoto result;
    result.id = names.webFileName(photoName);
    result.page = names.photoPageFileName(photoName);

    const std::optional<ResponsivePicture> published = pictureIn(folder, video ? video->poster : result.id);
    const std::optional<ResponsivePicture> thumbnail = pictureIn(folder, names.thumbnailFileName(photoName));
    if (!published || !thumbnail)
        return std::nullopt;
    if (ResponsiveAlbum::hasSizeLadder(photo)) {
        for (const int width : ResponsiveAlbum::ladderBelow(published->width)) {
            if (std::optional<ResponsivePicture> size = pictureIn(folder, album.sizeFileName(photoName, width)))
                result.sizes.push_back(std::move(*size));
        }
    }
    result.sizes.push_back(*published);
    result.thumbnail = *thumbnail;
    if (video)
        result.video = *video;
    result.largeThumbnail = pictureIn(folder, album.largeThumbnailFileName(photoName));

    const std::string title = titleOf(photo);
    const std::string fileName = withoutExtension(OutputNames::fileNamePart(photo.SourcePath));
    result.heading = title.empty() ? fileName : title;
    result.description = photo.Description;
    const std::string described = plainText(photo.Description);
    result.altText = !title.empty() ? title : !described.empty() ? described : fileName;
    if (!photo.AudioFile.empty())
        result.audio = names.webFileName(OutputNames::fileNamePart(photo.AudioFile));
    return result;
}

} // namespace pictaven
