#include "generate/OutputNames.h"
#include "catalog/FileStorage.h"
#include "settings/AlbumSettings.h"

#include <gtest/gtest.h>

#include <vector>

namespace pictaven {
namespace {

struct PhotoNamesCase {
    const char* photo;
    bool substitutions;
    bool lowercase;
    const char* web;
    const char* page;
    const char* thumbnail;
};

class PhotoNames : public ::testing::TestWithParam<PhotoNamesCase> { };

TEST_P(PhotoNames, FollowTheGenerateOptions)
{
    const PhotoNamesCase& c = GetParam();
    const OutputNames names(c.substitutions, c.lowercase);
    EXPECT_EQ(names.webFileName(c.photo), c.web);
    EXPECT_EQ(names.photoPageFileName(c.photo), c.page);
    EXPECT_EQ(names.thumbnailFileName(c.photo), c.thumbnail);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhotoNames,
    ::testing::Values(PhotoNamesCase{"a.jpeg", true, false, "a.jpeg", "jpe_a.htm", "thumb_jpe_a.jpg"},
                      PhotoNamesCase{"Beach Day & Night.JPG", true, false, "Beach_Day___Night.JPG",
                                     "jpg_Beach_Day___Night.htm", "thumb_jpg_Beach_Day___Night.jpg"},
                      PhotoNamesCase{"Beach Day & Night.JPG", true, true, "beach_day___night.jpg",
                                     "jpg_beach_day___night.htm", "thumb_jpg_beach_day___night.jpg"},
                      PhotoNamesCase{"Beach Day & Night.JPG", false, false, "Beach Day & Night.JPG",
                                     "jpg_Beach Day & Night.htm", "thumb_jpg_Beach Day & Night.jpg"},
                      PhotoNamesCase{"scan.jpg", true, false, "scan.jpg", "jpg_scan.htm", "thumb_jpg_scan.jpg"},
                      PhotoNamesCase{"DSC01.JPG", true, true, "dsc01.jpg", "jpg_dsc01.htm", "thumb_jpg_dsc01.jpg"}));

struct DistinctCase {
    const char* name;
    bool substitutions;
    bool lowercase;
    std::vector<std::string> photos;
    std::vector<std::string> expected;
};

class DistinctNames : public ::testing::TestWithParam<DistinctCase> { };

TEST_P(DistinctNames, NoTwoPhotosShareAFile)
{
    const DistinctCase& c = GetParam();
    EXPECT_EQ(OutputNames(c.substitutions, c.lowercase).distinctPhotoNames(c.photos), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DistinctNames,
    ::testing::Values(
        DistinctCase{"allDifferent", true, false, {"a.jpg", "b.jpg", "a.png"}, {"a.jpg", "b.jpg", "a.png"}},
        DistinctCase{
            "sameName", true, false, {"x.jpg", "y.jpg", "x.jpg", "x.jpg"}, {"x.jpg", "y.jpg", "x_2.jpg", "x_3.jpg"}},
        DistinctCase{
            "numberTakenByAPhoto", true, false, {"x.jpg", "x_2.jpg", "x.jpg"}, {"x.jpg", "x_2.jpg", "x_3.jpg"}},
        DistinctCase{"sameAfterSubstitution",
                     true,
                     false,
                     {"a b.jpg", "a_b.jpg", "a&b.jpg"},
                     {"a b.jpg", "a_b_2.jpg", "a&b_3.jpg"}},
        DistinctCase{"differentWithoutSubstitution", false, false, {"a b.jpg", "a_b.jpg"}, {"a b.jpg", "a_b.jpg"}},
        DistinctCase{"sameInLowerCase", false, true, {"A.jpg", "a.jpg"}, {"A.jpg", "a_2.jpg"}},
        DistinctCase{"caseAloneIsNotADifference", false, false, {"A.jpg", "a.jpg"}, {"A.jpg", "a_2.jpg"}},
        DistinctCase{
            "samePageFromAnotherExtension", true, false, {"x.JPG", "x.jpg", "x.jpeg"}, {"x.JPG", "x_2.jpg", "x.jpeg"}},
        DistinctCase{
            "photoNamedLikeAThumbnail", true, false, {"thumb_jpg_x.jpg", "x.jpg"}, {"thumb_jpg_x.jpg", "x_2.jpg"}},
        DistinctCase{"navigationImages",
                     true,
                     false,
                     {"next.gif", "Speaker.GIF", "nextone.gif"},
                     {"next_2.gif", "Speaker_2.GIF", "nextone.gif"}},
        DistinctCase{"noExtension", true, false, {"raw", "raw"}, {"raw", "raw_2"}},
        DistinctCase{"videoBesideItsPhoto",
                     true,
                     false,
                     {"IMG_0001.jpg", "IMG_0001.MOV", "IMG_0001.mp4"},
                     {"IMG_0001.jpg", "IMG_0001.MOV", "IMG_0001.mp4"}},
        DistinctCase{"videoSameName", true, true, {"clip.MOV", "clip.mov"}, {"clip.MOV", "clip_2.mov"}},
        DistinctCase{"videoAfterAPhotoNamedLikeItsPoster",
                     true,
                     false,
                     {"poster_mov_x.jpg", "x.mov"},
                     {"poster_mov_x.jpg", "x_2.mov"}},
        DistinctCase{"photoNamedLikeAnEarlierVideosPoster",
                     true,
                     false,
                     {"x.mov", "poster_mov_x.jpg"},
                     {"x.mov", "poster_mov_x_2.jpg"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutputNames, DistinctNamesOfConvertedPhotosFollowTheirCopies)
{
    auto photo = [](const std::string& path) {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath = path;
        return storage;
    };
    std::vector<FileStorage> photos = {photo("/a/x.tif"), photo("/b/x.tif"), photo("/c/x.jpg"), photo("/a/y.jpg")};
    // After a generation a converted photo's WorkingPath is its copy; the names stay the same.
    const std::vector<std::string> expected = {"x.jpg", "x_2.jpg", "x_3.jpg", "y.jpg"};
    const OutputNames names(true, false);
    EXPECT_EQ(names.distinctPhotoNames(photos), expected);
    photos[1].WorkingPath = "/out/x_2.jpg";
    EXPECT_EQ(names.distinctPhotoNames(photos), expected);
}

TEST(OutputNames, VideoFilesKeepTheExtensionOfTheirSource)
{
    const OutputNames names(true, true);
    EXPECT_EQ(names.videoFileName("IMG 0001.MOV"), "mov_img_0001.mp4");
    EXPECT_EQ(names.videoPosterFileName("IMG 0001.MOV"), "poster_mov_img_0001.jpg");
    EXPECT_EQ(names.photoPageFileName("IMG 0001.MOV"), "mov_img_0001.htm");
    EXPECT_EQ(names.thumbnailFileName("IMG 0001.MOV"), "thumb_mov_img_0001.jpg");
    EXPECT_EQ(names.videoFileName("clip.mp4"), "mp4_clip.mp4");

    // Phones keep a photo and a video of one base name side by side.
    FileStorage heic;
    heic.SourcePath = heic.WorkingPath = "/phone/IMG_0001.HEIC";
    FileStorage video;
    video.SourcePath = video.WorkingPath = "/phone/IMG_0001.MOV";
    const std::vector<std::string> distinct = names.distinctPhotoNames({heic, video});
    ASSERT_EQ(distinct.size(), 2U);
    EXPECT_EQ(distinct[1], "IMG_0001.MOV");
    EXPECT_NE(names.photoPageFileName(distinct[0]), names.photoPageFileName(distinct[1]));
    EXPECT_NE(names.thumbnailFileName(distinct[0]), names.thumbnailFileName(distinct[1]));
    EXPECT_NE(names.webFileName(distinct[0]), names.videoPosterFileName(distinct[1]));
}

TEST(OutputNames, WebFileNameChangesOnlyTheFileNameOfAPath)
{
    const OutputNames names(true, true);
    EXPECT_EQ(names.webFileName("/home/Bob/My Album/Sea & Sun.JPG"), "/home/Bob/My Album/sea___sun.jpg");
    EXPECT_EQ(names.webFileName("/out/"), "/out/");
    AlbumSettings settings;
    settings.Substitutions = false;
    settings.LowercaseFiles = true;
    EXPECT_EQ(OutputNames(settings).webFileName("/A B/C D.GIF"), "/A B/c d.gif");
}

TEST(OutputNames, JpegFileNameReplacesOnlyNonWebExtensions)
{
    EXPECT_EQ(OutputNames::jpegFileName("scan.tif"), "scan.jpg");
    EXPECT_EQ(OutputNames::jpegFileName("Scan.BMP"), "Scan.jpg");
    EXPECT_EQ(OutputNames::jpegFileName("photo.JPEG"), "photo.JPEG");
    EXPECT_EQ(OutputNames::jpegFileName("logo.gif"), "logo.gif");
    EXPECT_EQ(OutputNames::jpegFileName("/my.dir/raw"), "/my.dir/raw.jpg");
}

TEST(OutputNames, AlbumFilesFromTheShortName)
{
    EXPECT_EQ(OutputNames::indexPageFileName("myalbum", 1), "myalbum.htm");
    EXPECT_EQ(OutputNames::indexPageFileName("myalbum", 2), "myalbum2.htm");
    EXPECT_EQ(OutputNames::indexPageFileName("myalbum", 13), "myalbum13.htm");
    EXPECT_EQ(OutputNames::framePageFileName("myalbum"), "myalbum_frame.htm");
    EXPECT_EQ(OutputNames::albumPictureFileName("myalbum", 1), "myalbum_thumb.jpg");
    EXPECT_EQ(OutputNames::albumPictureFileName("myalbum", 3), "myalbum_thumb3.jpg");
    EXPECT_EQ(OutputNames::fileNamePart("/out/page.htm"), "page.htm");
    EXPECT_EQ(OutputNames::fileNamePart("page.htm"), "page.htm");
}

} // namespace
} // namespace pictaven
