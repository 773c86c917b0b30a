#include "UploadRecorder.h"
#include "publish/RemoteConnection.h"
#include "publish/Uploader.h"
#include "support/ScriptedFtpServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pictaven {
namespace {

using test::ScriptedFtpConnection;
using test::ScriptedFtpServer;
using test::UploadRecorder;

// A small basic album without photos: one index page, text buttons, no style sheet file.
UploadJob emptyAlbum(const test::TempDir& dir)
{
    UploadJob job;
    job.outputFolder = dir.str();
    job.settings.ButtonType = 0;
    job.settings.UploadDirectory = "a/b";
    job.indexPages = {dir.str() + "myalbum.htm"};
    job.framePage = dir.str() + "myalbum_frame.htm";
    for (const char* name : {"myalbum.htm", "myalbum_frame.htm", "home.gif", "first.gif", "prev.gif", "next.gif",
                             "last.gif", "speaker.gif"})
        test::writeFile(dir / name, name);
    job.profile.user = "alice";
    job.profile.password = "secret";
    return job;
}

bool has(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Uploads the job to a plain scripted server, which must see the session through; returns the
// files it stored under their remote paths.
std::map<std::string, std::string> uploadToPlainServer(UploadJob& job, UploadRecorder& recorder,
                                                       std::vector<std::string>* commands = nullptr)
{
    std::map<std::string, std::string> stored;
    ScriptedFtpServer server([&stored](ScriptedFtpConnection& c) {
        c.reply("220 ready");
        c.serve();
        stored = c.stored;
    });
    job.profile.ftp = server.hostPort();
    RemoteConnection session;
    session.setTimeouts(2000, 2000);
    EXPECT_EQ(Uploader(session, recorder.observer()).run(job), UploadResult::Finished);
    EXPECT_EQ(server.finish(), "");
    if (commands)
        *commands = server.commands();
    return stored;
}

struct ListingCase {
    const char* name;
    const char* patternReply;
    const char* bareReply; // nullptr: the bare NLST lists the directory
    std::vector<std::string> warnings;
    int bareListings;
};

class UploadListing : public ::testing::TestWithParam<ListingCase> { };

TEST_P(UploadListing, EmptyDirectoryRepliesAreQuietRefusedPatternsFallBackOthersWarnAndTheUploadGoesOn)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    job.settings.UploadDirectory = "album";
    job.overwritePhotos = false;
    job.photos = {{dir.str() + "kept.jpg", ""}};
    for (const char* name : {"kept.jpg", "jpg_kept.htm", "thumb_jpg_kept.jpg"})
        test::writeFile(dir / name, name);
    std::map<std::string, std::string> stored;
    ScriptedFtpServer server([&stored](ScriptedFtpConnection& c) {
        c.reply("220 ready");
        // A listing with the photo in it, among names that "*.*" would not match.
        c.listing = {".", "..", "kept.jpg", "kept", "sub"};
        c.serve([&c](const std::string& command) {
            if (command == "NLST *.*")
                c.reply(GetParam().patternReply);
            else if (command == "NLST" && GetParam().bareReply)
                c.reply(GetParam().bareReply);
            else
                return false;
            return true;
        });
        stored = c.stored;
    });
    job.profile.ftp = server.hostPort();
    RemoteConnection session;
    session.setTimeouts(2000, 2000);
    UploadRecorder recorder;
    EXPECT_EQ(Uploader(session, recorder.observer()).run(job), UploadResult::Finished);
    EXPECT_EQ(server.finish(), "");
    EXPECT_EQ(recorder.warnings, GetParam().warnings);
    const auto commands = server.commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "NLST"), GetParam().bareListings);
    // Overwriting is off: a photo is skipped exactly when a listing named it.
    const bool listed = GetParam().bareReply == nullptr && GetParam().bareListings > 0;
    EXPECT_EQ(has(recorder.statuses, "File [kept.jpg] already exists"), listed);
    EXPECT_EQ(stored.count("/album/kept.jpg"), listed ? 0u : 1u);
    EXPECT_EQ(stored.count("/album/jpg_kept.htm"), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, UploadListing,
    ::testing::Values(ListingCase{"NoFilesFound", "550 No files found", nullptr, {}, 0},
                      ListingCase{"NoFilesFoundDot", "450 No files found.", nullptr, {}, 0},
                      ListingCase{"PathDoesNotExist", "550 Path '*.*' does not exist.", nullptr, {}, 0},
                      ListingCase{"PatternRefused", "550 Can't check for file existence", nullptr, {}, 2},
                      ListingCase{"PatternRefusedEmpty", "550 Can't check for file existence", "550 No files found",
                                  {}, 2},
                      ListingCase{"Refused",
                                  "550 Permission denied",
                                  "550 Permission denied",
                                  {"Permission denied\r\n", "Permission denied\r\n"},
                                  2}),
    [](const ::testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.name); });

TEST(Upload, AnAlbumWithoutPhotosSendsPagesAndNavigationImagesOnlyGroupByGroup)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    UploadRecorder recorder;
    std::vector<std::string> commands;
    const auto stored = uploadToPlainServer(job, recorder, &commands);
    std::vector<std::string> names;
    for (const auto& [path, bytes] : stored)
        names.push_back(path);
    EXPECT_EQ(names, (std::vector<std::string>{"/a/b/first.gif", "/a/b/last.gif", "/a/b/myalbum.htm",
                                               "/a/b/next.gif", "/a/b/prev.gif", "/a/b/speaker.gif"}));
    // Each group walks down from the initial directory again.
    std::vector<std::string> walk;
    for (const auto& command : commands) {
        if (command.rfind("CWD", 0) == 0 || command.rfind("MKD", 0) == 0)
            walk.push_back(command);
    }
    ASSERT_GE(walk.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(walk.begin(), walk.begin() + 10),
              (std::vector<std::string>{"CWD /", "MKD a", "CWD a", "MKD b", "CWD b", "CWD /", "MKD a", "CWD a",
                                        "MKD b", "CWD b"}));
}

TEST(Upload, InitialDirectoryIsNamedInTheLogAndEveryGroupStartsThere)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    job.settings.UploadDirectory = "MyAlbum";
    job.settings.PassiveMode = false;
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.cwd = "/home/alice";
        c.reply("220 ready");
        c.serve();
    });
    job.profile.ftp = server.hostPort();
    RemoteConnection session;
    session.setTimeouts(2000, 2000);
    UploadRecorder recorder;
    EXPECT_EQ(Uploader(session, recorder.observer()).run(job), UploadResult::Finished);
    EXPECT_EQ(server.finish(), "");
    const std::vector<std::string> start(recorder.log.begin() + 2, recorder.log.begin() + 14);
    EXPECT_EQ(start, (std::vector<std::string>{"PASV MODE OFF", "Setting FTP Host: " + server.hostPort(),
                                               "Setting FTP User: alice", "Setting FTP Password: *****", "CONNECT",
                                               "Initial Directory : /home/alice",
                                               "Don't include the above directory in your",
                                               "FTP profile.  It is used implicitly.", "DIR", "CD /home/alice",
                                               "MKDIR MyAlbum", "CD /home/alice/MyAlbum"}));
    const auto commands = server.commands();
    // Groups: index pages, photo pages, thumbnails, buttons, the second listing, audio files.
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "CWD /home/alice"), 6);
}

TEST(Upload, RefusedSubdirectoryStopsTheUpload)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.reply("220 ready");
        c.serve([&c](const std::string& command) {
            if (command != "CWD b")
                return false;
            c.reply("550 No permission");
            return true;
        });
    });
    job.profile.ftp = server.hostPort();
    RemoteConnection session;
    session.setTimeouts(2000, 2000);
    UploadRecorder recorder;
    Uploader uploader(session, recorder.observer());
    EXPECT_EQ(uploader.run(job), UploadResult::Failed);
    EXPECT_EQ(recorder.logMessages, std::vector<std::string>{"Error accessing subdirectory b"});
    EXPECT_FALSE(has(recorder.log, "PUT myalbum.htm"));
    EXPECT_FALSE(uploader.uploadEnabled());
    uploader.cancel();
    EXPECT_EQ(recorder.statuses.back(), "Aborted FTP");
    EXPECT_TRUE(uploader.uploadEnabled());
    EXPECT_EQ(std::vector<std::string>(recorder.log.end() - 2, recorder.log.end()),
              (std::vector<std::string>{"ABORT", "DISCONNECT"}));
    EXPECT_EQ(server.finish(), "");
    EXPECT_EQ(server.commands().back(), "ABOR");
}

TEST(Upload, ServerClosingMidTransferEndsTheUploadWithTheReason)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    test::writeFile(dir / "myalbum.htm", std::string(4 * 1024 * 1024, 'x'));
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.reply("220 ready");
        c.serve([&c](const std::string& command) {
            if (command != "STOR myalbum.htm")
                return false;
            c.reply("150 go");
            c.acceptData();
            c.closeData();
            c.closeControl();
            throw std::runtime_error("closed on purpose");
        });
    });
    job.profile.ftp = server.hostPort();
    RemoteConnection session;
    session.setTimeouts(2000, 2000);
    UploadRecorder recorder;
    Uploader uploader(session, recorder.observer());
    EXPECT_EQ(uploader.run(job), UploadResult::Failed);
    ASSERT_EQ(recorder.logMessages.size(), 1u);
    EXPECT_EQ(recorder.logMessages[0].rfind("Error uploading file myalbum.htm\r\n", 0), 0u);
    EXPECT_GT(recorder.logMessages[0].size(), std::string("Error uploading file myalbum.htm\r\n").size());
    EXPECT_FALSE(has(recorder.log, "PUT first.gif"));
    uploader.cancel();
    EXPECT_TRUE(uploader.uploadEnabled());
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(server.finish(), "closed on purpose");
}

TEST(Upload, SilentServerTimesOutAsAFailedConnection)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.reply("220 ready");
        c.clientClosed(); // never answers USER
    });
    job.profile.ftp = server.hostPort();
    RemoteConnection session;
    session.setTimeouts(2000, 300);
    UploadRecorder recorder;
    EXPECT_EQ(Uploader(session, recorder.observer()).run(job), UploadResult::Failed);
    EXPECT_EQ(recorder.statuses.back(), "Failed to connect - check user/password in FTP Settings menu");
    EXPECT_FALSE(session.connected());
    server.finish();
}

TEST(Upload, LowercaseNamesGraphicalAlbumAndSmallVcrButtons)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    job.settings.UploadDirectory = "MyAlbum";
    job.settings.LowercaseFiles = true;
    job.settings.ButtonType = 7;
    job.settings.NextButtonImage = "/program/NAVBUTS/7Next.gif";
    job.settings.PrevButtonImage = "/program/NAVBUTS/7Prev.gif";
    job.settings.IndexButtonImage = "/program/NAVBUTS/7Index.gif";
    job.settings.HomeButtonImage = "/program/NAVBUTS/7Home.gif";
    job.basicAlbum = false;
    job.albumPictures = {dir.str() + "myalbum_thumb.jpg"};
    std::filesystem::create_directory(dir / "music");
    job.photos = {{"/photos/DSC01.JPG", (dir / "music" / "Song.MID").string()}};
    // Generation wrote the lower-cased names; the button images and fixed images as named. The
    // audio file goes from generation's copy, not from where the catalog names it.
    for (const char* name : {"myalbum_thumb.jpg", "dsc01.jpg", "jpg_dsc01.htm", "7next.gif", "7prev.gif",
                             "song.mid", "music/Song.MID"})
        test::writeFile(dir / name, name);
    UploadRecorder recorder;
    const std::map<std::string, std::string> stored = uploadToPlainServer(job, recorder);
    std::vector<std::string> puts;
    for (const auto& line : recorder.log) {
        if (line.rfind("PUT ", 0) == 0)
            puts.push_back(line);
    }
    // No 7index.gif here, so no index button; small VCR controls need no home, prev or next.gif.
    EXPECT_EQ(puts, (std::vector<std::string>{"PUT myalbum.htm", "PUT jpg_dsc01.htm", "PUT myalbum_thumb.jpg",
                                              "PUT 7next.gif", "PUT 7prev.gif", "PUT first.gif", "PUT last.gif",
                                              "PUT speaker.gif", "PUT dsc01.jpg", "PUT song.mid"}));
    EXPECT_TRUE(has(recorder.statuses, "Uploading HTML doc 1 of 1 [jpg_dsc01.htm]"));
    EXPECT_TRUE(has(recorder.statuses, "Uploading thumbnail [myalbum_thumb.jpg]"));
    EXPECT_TRUE(has(recorder.statuses, "Uploading Audio File : [song.mid]"));
    EXPECT_EQ(stored.at("/MyAlbum/song.mid"), "song.mid");
}

TEST(Upload, SendsWhatGenerationWroteUnderTheNamesItGave)
{
    test::TempDir dir;
    UploadJob job = emptyAlbum(dir);
    job.settings.UploadDirectory = "MyAlbum";
    std::filesystem::create_directory(dir / "elsewhere");
    test::writeFile(dir / "elsewhere" / "secret.mp3", "not audio");
    // Two photos of one name; the second one's audio file was not copied by generation.
    job.photos = {{"/a/x.jpg", ""}, {"/b/x.jpg", (dir / "elsewhere" / "secret.mp3").string()}};
    for (const char* name : {"x.jpg", "x_2.jpg", "jpg_x.htm", "jpg_x_2.htm", "thumb_jpg_x.jpg", "thumb_jpg_x_2.jpg"})
        test::writeFile(dir / name, name);
    UploadRecorder recorder;
    const std::map<std::string, std::string> stored = uploadToPlainServer(job, recorder);
    for (const char* name : {"x.jpg", "x_2.jpg", "jpg_x.htm", "jpg_x_2.htm", "thumb_jpg_x.jpg", "thumb_jpg_x_2.jpg"})
        EXPECT_EQ(stored.at("/MyAlbum/" + std::string(name)), name);
    for (const auto& [path, bytes] : stored)
        EXPECT_EQ(bytes.find("not audio"), std::string::npos) << path;
    EXPECT_TRUE(recorder.logMessages.empty());
}

} // namespace
} // namespace pictaven
