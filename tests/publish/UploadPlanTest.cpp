#include "publish/UploadPlan.h"
#include "AlbumLayout.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

// The plan as lines: "[enter]" or "[enter, list]" where a group starts, then one line per file:
// its remote name, the status line shown before it ("〃" when the line before stands) and
// "checked" for a file left alone when the server has it.
std::vector<std::string> linesOf(const UploadPlan& plan)
{
    std::vector<std::string> lines;
    for (const UploadGroup& group : plan.groups) {
        lines.push_back(group.listsAgain ? "[enter, list]" : "[enter]");
        for (const UploadStep& step : group.steps)
            lines.push_back(step.remoteName + " | " + (step.showsStatus ? step.status : "〃") +
                            (step.checkExisting ? " | checked" : ""));
    }
    return lines;
}

TEST(UploadPlan, AWholeAlbumGoesGroupByGroupWithItsStatusLines)
{
    test::TempDir dir;
    test::AlbumLayout album(dir.path());
    const UploadPlan plan = planUpload(album.job);
    EXPECT_EQ(linesOf(plan), (std::vector<std::string>{
                                 "[enter]",
                                 "myalbum_frame.htm | Uploading HTML doc [myalbum_frame.htm]",
                                 "[enter]",
                                 "album_style.css | Uploading Style Sheet",
                                 "myalbum.htm | Uploading HTML doc [myalbum.htm]",
                                 "myalbum2.htm | Uploading HTML doc [myalbum2.htm]",
                                 "[enter]",
                                 "jpg_Beach_Day___Night.htm | Uploading HTML doc 1 of 3 [jpg_Beach_Day___Night.htm]",
                                 "jpg_DSC01.htm | Uploading HTML doc 2 of 3 [jpg_DSC01.htm]",
                                 "jpg_scan.htm | Uploading HTML doc 3 of 3 [jpg_scan.htm]",
                                 "[enter]",
                                 "thumb_jpg_Beach_Day___Night.jpg | Uploading Thumbnail 1 of 3 : "
                                 "[thumb_jpg_Beach_Day___Night.jpg]",
                                 "thumb_jpg_DSC01.jpg | Uploading Thumbnail 2 of 3 : [thumb_jpg_DSC01.jpg]",
                                 "thumb_jpg_scan.jpg | Uploading Thumbnail 3 of 3 : [thumb_jpg_scan.jpg]",
                                 "[enter]",
                                 "paper_texture.jpg | Uploading texture : paper_texture.jpg",
                                 "3Index.gif | Uploading Button : 3Index.gif",
                                 "3Next.gif | Uploading Button : 3Next.gif",
                                 "3Prev.gif | Uploading Button : 3Prev.gif",
                                 "3Home.gif | Uploading Button : 3Home.gif",
                                 "home.gif | Uploading Navigation Buttons",
                                 "prev.gif | 〃",
                                 "next.gif | 〃",
                                 "first.gif | 〃",
                                 "last.gif | 〃",
                                 "speaker.gif | 〃",
                                 "Stone.gif | Uploading Texture : Stone.gif",
                                 "[enter, list]",
                                 "Beach_Day___Night.JPG | Uploading Photo 1 of 3 : [Beach_Day___Night.JPG] | checked",
                                 "DSC01.jpg | Uploading Photo 2 of 3 : [DSC01.jpg] | checked",
                                 "scan.jpg | Uploading Photo 3 of 3 : [scan.jpg] | checked",
                                 "[enter]",
                                 "song.mid | Uploading Audio File : [song.mid]",
                             }));
    // Every file goes from the output folder, the audio file from generation's copy.
    for (const UploadStep& step : plan.files())
        EXPECT_EQ(step.localPath, album.outputFolder + step.remoteName);
}

TEST(UploadPlan, LowerCaseNamesFindFilesKeptInCapitalsAndMissingFilesKeepTheirPlace)
{
    test::TempDir dir;
    UploadJob job;
    job.outputFolder = dir.str();
    job.settings.MultiWindow = false;
    job.settings.LowercaseFiles = true;
    job.settings.ButtonType = 7; // small VCR controls: no home, prev or next.gif
    job.settings.NextButtonImage = "/program/NAVBUTS/7Next.gif";
    job.settings.PrevButtonImage = "/program/NAVBUTS/7Prev.gif";
    job.settings.IndexButtonImage = "/program/NAVBUTS/7Index.gif"; // not generated: left out
    job.basicAlbum = false;
    job.uploadAudio = false;
    job.indexPages = {dir.str() + "MyAlbum.htm"};
    job.albumPictures = {dir.str() + "myalbum_thumb.jpg"};
    job.photos = {{"/photos/DSC01.JPG", "/music/song.mid"}};
    for (const char* name : {"MyAlbum.htm", "jpg_dsc01.htm", "dsc01.jpg", "7next.gif", "7prev.gif"})
        test::writeFile(dir / name, name);
    const UploadPlan plan = planUpload(job);
    EXPECT_EQ(linesOf(plan), (std::vector<std::string>{
                                 "[enter]",
                                 "myalbum.htm | Uploading HTML doc [myalbum.htm]",
                                 "[enter]",
                                 "jpg_dsc01.htm | Uploading HTML doc 1 of 1 [jpg_dsc01.htm]",
                                 "[enter]",
                                 "myalbum_thumb.jpg | Uploading thumbnail [myalbum_thumb.jpg]",
                                 "[enter]",
                                 "7next.gif | Uploading Button : 7next.gif",
                                 "7prev.gif | Uploading Button : 7prev.gif",
                                 "first.gif | Uploading Navigation Buttons",
                                 "last.gif | 〃",
                                 "speaker.gif | 〃",
                                 "[enter, list]",
                                 "dsc01.jpg | Uploading Photo 1 of 1 : [dsc01.jpg] | checked",
                             }));
    const std::vector<UploadStep> files = plan.files();
    EXPECT_EQ(files[0].localPath, dir.str() + "MyAlbum.htm");
    EXPECT_EQ(files[1].localPath, dir.str() + "jpg_dsc01.htm");
    // Not there: named as it would be, for the upload to stop at with its message.
    EXPECT_EQ(files[2].localPath, dir.str() + "myalbum_thumb.jpg");
}

TEST(UploadPlan, AnAlbumWithoutPhotosStillEntersEveryGroup)
{
    test::TempDir dir;
    UploadJob job;
    job.outputFolder = dir.str();
    job.settings.MultiWindow = false;
    job.settings.ButtonType = 0;
    job.indexPages = {dir.str() + "myalbum.htm"};
    const UploadPlan plan = planUpload(job);
    EXPECT_EQ(linesOf(plan), (std::vector<std::string>{
                                 "[enter]",
                                 "myalbum.htm | Uploading HTML doc [myalbum.htm]",
                                 "[enter]",
                                 "[enter]",
                                 "[enter]",
                                 "prev.gif | Uploading Navigation Buttons",
                                 "next.gif | 〃",
                                 "first.gif | 〃",
                                 "last.gif | 〃",
                                 "speaker.gif | 〃",
                                 "[enter, list]",
                                 "[enter]",
                             }));
}

TEST(UploadPlan, AResponsiveAlbumSendsEveryPictureBeforeThePagesThatShowIt)
{
    test::TempDir dir;
    UploadJob job;
    job.outputFolder = dir.str();
    job.settings.AlbumShortName = "myalbum";
    job.settings.MultiWindow = false;
    job.settings.LowercaseFiles = false;
    job.settings.ButtonType = 1; // its buttons belong to the classic pages: not sent
    job.basicAlbum = false;
    job.responsiveAlbum = true;
    job.indexPages = {dir.str() + "myalbum.htm"};
    job.photos = {{"/photos/Big.jpg", "/music/song.mid"}, {"/photos/small.png", ""}};
    for (const char* name :
         {"w640_jpg_Big.jpg", "w1280_jpg_Big.jpg", "Big.jpg", "thumb_jpg_Big.jpg", "thumb2x_jpg_Big.jpg", "song.mid",
          "small.png", "thumb_png_small.jpg", "pictaven-album.css", "pictaven-viewer.js", "pictaven-viewer-licence.txt",
          "jpg_Big.htm", "png_small.htm", "myalbum.htm"})
        test::writeFile(dir / name, name);
    EXPECT_EQ(linesOf(planUpload(job)), (std::vector<std::string>{
                                            "[enter, list]",
                                            "w640_jpg_Big.jpg | Uploading [w640_jpg_Big.jpg] | checked",
                                            "w1280_jpg_Big.jpg | Uploading [w1280_jpg_Big.jpg] | checked",
                                            "Big.jpg | Uploading [Big.jpg] | checked",
                                            "thumb_jpg_Big.jpg | Uploading [thumb_jpg_Big.jpg]",
                                            "thumb2x_jpg_Big.jpg | Uploading [thumb2x_jpg_Big.jpg]",
                                            "song.mid | Uploading [song.mid]",
                                            "small.png | Uploading [small.png] | checked",
                                            "thumb_png_small.jpg | Uploading [thumb_png_small.jpg]",
                                            "pictaven-album.css | Uploading [pictaven-album.css]",
                                            "pictaven-viewer.js | Uploading [pictaven-viewer.js]",
                                            "pictaven-viewer-licence.txt | Uploading [pictaven-viewer-licence.txt]",
                                            "jpg_Big.htm | Uploading HTML doc [jpg_Big.htm]",
                                            "png_small.htm | Uploading HTML doc [png_small.htm]",
                                            "myalbum.htm | Uploading HTML doc [myalbum.htm]",
                                        }));
    job.uploadAudio = false;
    for (const UploadStep& step : planUpload(job).files())
        EXPECT_NE(step.remoteName, "song.mid");
}

TEST(UploadPlan, VideosAndTheirPostersGoBeforeThePagesThatShowThem)
{
    test::TempDir dir;
    UploadJob job;
    job.outputFolder = dir.str();
    job.settings.AlbumShortName = "myalbum";
    job.settings.MultiWindow = false;
    job.settings.ButtonType = 7;
    job.settings.HomeButtonEnable = false;
    job.indexPages = {dir.str() + "myalbum.htm"};
    job.photos = {{"/phone/IMG_0001.jpg", ""}, {"/phone/IMG_0001.MOV", ""}};
    const std::vector<std::string> lines = linesOf(planUpload(job));
    const std::vector<std::string> start(lines.begin(), lines.begin() + 3);
    EXPECT_EQ(start, (std::vector<std::string>{
                         "[enter, list]",
                         "poster_mov_IMG_0001.jpg | Uploading Poster 2 of 2 : [poster_mov_IMG_0001.jpg]",
                         "mov_IMG_0001.mp4 | Uploading Video 2 of 2 : [mov_IMG_0001.mp4] | checked",
                     }));
    const std::vector<std::string> end(lines.end() - 3, lines.end());
    EXPECT_EQ(end, (std::vector<std::string>{
                       "[enter, list]", "IMG_0001.jpg | Uploading Photo 1 of 2 : [IMG_0001.jpg] | checked", "[enter]"}))
        << "the video's source never goes";
    EXPECT_NE(std::find(lines.begin(), lines.end(), "mov_IMG_0001.htm | Uploading HTML doc 2 of 2 [mov_IMG_0001.htm]"),
              lines.end());

    job.basicAlbum = false;
    job.responsiveAlbum = true;
    EXPECT_EQ(linesOf(planUpload(job)), (std::vector<std::string>{
                                            "[enter, list]",
                                            "IMG_0001.jpg | Uploading [IMG_0001.jpg] | checked",
                                            "thumb_jpg_IMG_0001.jpg | Uploading [thumb_jpg_IMG_0001.jpg]",
                                            "mov_IMG_0001.mp4 | Uploading [mov_IMG_0001.mp4] | checked",
                                            "poster_mov_IMG_0001.jpg | Uploading [poster_mov_IMG_0001.jpg]",
                                            "thumb_mov_IMG_0001.jpg | Uploading [thumb_mov_IMG_0001.jpg]",
                                            "pictaven-album.css | Uploading [pictaven-album.css]",
                                            "pictaven-viewer.js | Uploading [pictaven-viewer.js]",
                                            "pictaven-viewer-licence.txt | Uploading [pictaven-viewer-licence.txt]",
                                            "jpg_IMG_0001.htm | Uploading HTML doc [jpg_IMG_0001.htm]",
                                            "mov_IMG_0001.htm | Uploading HTML doc [mov_IMG_0001.htm]",
                                            "myalbum.htm | Uploading HTML doc [myalbum.htm]",
                                        }));
}

} // namespace
} // namespace pictaven
