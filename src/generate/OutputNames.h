#pragma once

#include <string>
#include <vector>

namespace pictaven {

struct AlbumSettings;
struct FileStorage;

// The names that generation gives the files of the output folder and that the pages and the
// upload refer to. Results are plain file names unless a rule says otherwise; paths use "/".
class OutputNames {
public:
    OutputNames(bool substitutions, bool lowercaseFiles)
        : m_substitutions(substitutions)
        , m_lowercaseFiles(lowercaseFiles)
    {
    }
    // The rules set by the generate options `Substitutions` and `LowercaseFiles`.
    explicit OutputNames(const AlbumSettings& settings);

    // Keeps the folder part of a path; in the file-name part (after the last "/"), with
    // Substitutions on, every blank and "&" becomes "_", and with LowercaseFiles on the file
    // name is lower-cased. The folder part is never changed, because folder names are
    // case-sensitive here.
    std::string webFileName(const std::string& path) const;
    // The photo page of a photo file name F: ext3 + "_" + webFileName(base) + ".htm", where base
    // is F up to its last "." and ext3 the first three characters after it, lower-cased.
    std::string photoPageFileName(const std::string& photoFileName) const;
    // "thumb_" + ext3 + "_" + webFileName(base) + ".jpg".
    std::string thumbnailFileName(const std::string& photoFileName) const;
    // A JPEG made from a photo and named after it, like its thumbnail: prefix + ext3 + "_" +
    // webFileName(base) + ".jpg".
    std::string derivedPictureName(const std::string& prefix, const std::string& photoFileName) const;
    // The playable copy of a video in the album, named like its page with ".mp4" for ".htm":
    // ext3 + "_" + webFileName(base) + ".mp4". The extension part keeps IMG_0001.MOV apart
    // from an IMG_0001.HEIC beside it, and no photo file ends in ".mp4".
    std::string videoFileName(const std::string& videoName) const;
    // The picture that stands for a video before it plays: derivedPictureName("poster_", name).
    std::string videoPosterFileName(const std::string& videoName) const;

    // The names that each photo's files derive from, in album order (the photo file is
    // webFileName of it, its page and thumbnail photoPageFileName and thumbnailFileName of it):
    // each photo's own file name from `fileNames`, except that a photo whose photo file, page or
    // thumbnail (and, for a video, its playable copy and poster) would be named like a file of
    // an earlier photo or like one of the navigation images, without regard to case, gets "_2", "_3", ... before its
    // extension, the first number that is free. Case does not count because a web server may ignore it, and because the
    // same list must give the same names on every run and on upload.
    std::vector<std::string> distinctPhotoNames(const std::vector<std::string>& fileNames) const;
    // distinctPhotoNames of the photos' ownPhotoName.
    std::vector<std::string> distinctPhotoNames(const std::vector<FileStorage>& photos) const;
    // The file name a photo's files derive from unless another photo has it: a video's own
    // file name, the converted copy's name (convertedFileName of SourcePath) for another source
    // that is not a web format, else the file name of WorkingPath.
    static std::string ownPhotoName(const FileStorage& photo);

    // The name with its extension replaced by ".jpg" unless it is a web format already.
    static std::string jpegFileName(const std::string& name);
    // Index page k (1-based) of the short album name S: S + ".htm", then S + k + ".htm".
    static std::string indexPageFileName(const std::string& shortName, int page);
    // S + "_frame.htm".
    static std::string framePageFileName(const std::string& shortName);
    // The album picture of page k: S + "_thumb.jpg", then S + "_thumb" + k + ".jpg".
    static std::string albumPictureFileName(const std::string& shortName, int page);
    bool substitutions() const { return m_substitutions; }
    bool lowercaseFiles() const { return m_lowercaseFiles; }

    // The text after the last "/" (the whole text when it has none).
    static std::string fileNamePart(const std::string& path);

private:
    std::string derivedName(const std::string& prefix, const std::string& photoFileName, const char* extension) const;

    bool m_substitutions;
    bool m_lowercaseFiles;
};

} // namespace pictaven
