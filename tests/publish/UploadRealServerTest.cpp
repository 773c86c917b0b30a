#include "AlbumLayout.h"
#include "UploadRecorder.h"
#include "publish/RemoteConnection.h"
#include "publish/Uploader.h"
#include "support/FtpTestServers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace pictaven {
namespace {

using test::AlbumLayout;
using test::FtpTestServers;
using test::UploadRecorder;

enum class Route { Ipv4, Ipv6, Proxy, Pure, PureProxy };

struct UploadCase {
    const char* name;
    Route route;
    bool passive;
};

void connectJobTo(UploadJob& job, const FtpTestServers& servers, Route route)
{
    const bool pure = route == Route::Pure || route == Route::PureProxy;
    job.profile.ftp = route == Route::Ipv6 ? "[::1]:" + std::to_string(servers.ftp6Port)
                                           : "127.0.0.1:" + std::to_string(pure ? servers.purePort : servers.ftpPort);
    job.profile.user = servers.user;
    job.profile.password = servers.password;
    job.profile.ftpHomeDirectory = "/";
    if (route == Route::Proxy || route == Route::PureProxy) {
        job.proxy.enableProxy = true;
        job.proxy.proxyName = "127.0.0.1";
        job.proxy.proxyPort = servers.proxyPort;
        job.proxy.firewallType = "User";
    }
}

std::map<std::string, std::string> remoteFiles(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = test::readFile(entry.path());
    return files;
}

// In ASCII type the server stores pages in its own text form: CR LF becomes LF here.
std::map<std::string, std::string> asStored(std::map<std::string, std::string> files)
{
    for (auto& [name, bytes] : files) {
        if (name.find(".htm") == std::string::npos)
            continue;
        std::string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
                text.push_back(bytes[i]);
        }
        bytes = text;
    }
    return files;
}

std::vector<std::string> expectedLog(const UploadJob& job, const std::string& top)
{
    std::vector<std::string> log = {"----------------------------------"};
    log.push_back("(date)");
    if (job.proxy.enableProxy) {
        log.insert(log.end(), {"Setting Proxy Host : 127.0.0.1",
                               "Setting Proxy Port : " + std::to_string(job.proxy.proxyPort),
                               "Setting Proxy User : ", "Setting Proxy Password : ****",
                               "Setting Proxy Type : User Site"});
    }
    log.push_back(job.settings.PassiveMode ? "PASV MODE ON" : "PASV MODE OFF");
    log.insert(log.end(), {"Setting FTP Host: " + job.profile.ftp, "Setting FTP User: pictaven",
                           "Setting FTP Password: *****", "CONNECT", "Initial Directory : /", "DIR"});
    const std::string album = "/" + top + "/album";
    auto enterAlbum = [&] { log.insert(log.end(), {"CD /", "CD /" + top, "CD " + album}); };
    auto put = [&](const std::string& name) {
        log.push_back(name.find(".htm") != std::string::npos ? "ASCII" : "BINARY");
        log.push_back("PUT " + name);
    };
    // The first group creates both directories; later groups find them there.
    log.insert(log.end(), {"CD /", "MKDIR " + top, "CD /" + top, "MKDIR album", "CD " + album});
    put("myalbum_frame.htm");
    enterAlbum();
    for (const char* name : {"album_style.css", "myalbum.htm", "myalbum2.htm"})
        put(name);
    enterAlbum();
    for (const char* name : {"jpg_Beach_Day___Night.htm", "jpg_DSC01.htm", "jpg_scan.htm"})
        put(name);
    enterAlbum();
    for (const char* name : {"thumb_jpg_Beach_Day___Night.jpg", "thumb_jpg_DSC01.jpg", "thumb_jpg_scan.jpg"})
        put(name);
    enterAlbum();
    for (const char* name : {"paper_texture.jpg", "3Index.gif", "3Next.gif", "3Prev.gif", "3Home.gif", "home.gif",
                             "prev.gif", "next.gif", "first.gif", "last.gif", "speaker.gif", "Stone.gif"})
        put(name);
    enterAlbum();
    log.push_back("DIR");
    for (const char* name : {"Beach_Day___Night.JPG", "DSC01.jpg", "scan.jpg"})
        put(name);
    enterAlbum();
    put("song.mid");
    log.push_back("DISCONNECT");
    return log;
}

const std::vector<std::string> expectedStatuses = {
    "Connected...",
    "Getting remote directory...",
    "Uploading HTML doc [myalbum_frame.htm]",
    "Uploading Style Sheet",
    "Uploading HTML doc [myalbum.htm]",
    "Uploading HTML doc [myalbum2.htm]",
    "Uploading HTML doc 1 of 3 [jpg_Beach_Day___Night.htm]",
    "Uploading HTML doc 2 of 3 [jpg_DSC01.htm]",
    "Uploading HTML doc 3 of 3 [jpg_scan.htm]",
    "Uploading Thumbnail 1 of 3 : [thumb_jpg_Beach_Day___Night.jpg]",
    "Uploading Thumbnail 2 of 3 : [thumb_jpg_DSC01.jpg]",
    "Uploading Thumbnail 3 of 3 : [thumb_jpg_scan.jpg]",
    "Uploading texture : paper_texture.jpg",
    "Uploading Button : 3Index.gif",
    "Uploading Button : 3Next.gif",
    "Uploading Button : 3Prev.gif",
    "Uploading Button : 3Home.gif",
    "Uploading Navigation Buttons",
    "Uploading Texture : Stone.gif",
    "Uploading Photo 1 of 3 : [Beach_Day___Night.JPG]",
    "Uploading Photo 2 of 3 : [DSC01.jpg]",
    "Uploading Photo 3 of 3 : [scan.jpg]",
    "Uploading Audio File : [song.mid]",
    "FTP finished.",
};

class UploadToRealServer : public ::testing::TestWithParam<UploadCase> { };

TEST_P(UploadToRealServer, SendsTheWholeAlbumInOrderByteForByte)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    test::TempDir local;
    AlbumLayout album(local.path());
    UploadJob job = album.job;
    connectJobTo(job, servers, GetParam().route);
    const std::string top = std::string("upload-") + GetParam().name;
    std::filesystem::remove_all(servers.home + "/" + top); // left by an earlier run on the same servers
    job.settings.UploadDirectory = top + "/album";
    job.settings.PassiveMode = GetParam().passive;

    RemoteConnection session;
    session.setTimeouts(5000, 10000);
    UploadRecorder recorder;
    Uploader uploader(session, recorder.observer());
    EXPECT_EQ(uploader.run(job), UploadResult::Finished);

    EXPECT_EQ(recorder.errors, std::vector<std::string>{});
    EXPECT_EQ(recorder.logMessages, std::vector<std::string>{});
    EXPECT_EQ(recorder.warnings, std::vector<std::string>{});
    ASSERT_GT(recorder.log.size(), 2u);
    recorder.log[1] = "(date)";
    EXPECT_EQ(recorder.log, expectedLog(job, top));
    std::vector<std::string> statuses = expectedStatuses;
    statuses.insert(statuses.begin(), job.proxy.enableProxy ? "Please wait...connecting via proxy 127.0.0.1"
                                                            : "Please wait...connecting to " + job.profile.ftp);
    EXPECT_EQ(recorder.statuses, statuses);
    EXPECT_TRUE(remoteFiles(servers.home + "/" + top + "/album") == asStored(album.remote));
    EXPECT_TRUE(uploader.uploadEnabled());
    EXPECT_FALSE(uploader.cancelEnabled());
    EXPECT_FALSE(session.connected());
}

INSTANTIATE_TEST_SUITE_P(Routes, UploadToRealServer,
                         ::testing::Values(UploadCase{"Ipv4Passive", Route::Ipv4, true},
                                           UploadCase{"Ipv4Active", Route::Ipv4, false},
                                           UploadCase{"Ipv6Passive", Route::Ipv6, true},
                                           UploadCase{"ProxyPassive", Route::Proxy, true},
                                           UploadCase{"ProxyActive", Route::Proxy, false}),
                         [](const ::testing::TestParamInfo<UploadCase>& info) { return std::string(info.param.name); });

class UploadToPatternRefusingServer : public ::testing::TestWithParam<UploadCase> { };

// Pure-FTPd refuses "NLST *.*", so the upload lists the directory bare instead; behind ftp-proxy
// the next data connection must work all the same, which failed now and then, so the proxy
// routes take several rounds. Each round uploads twice: the second run meets the first one's
// files and, with overwriting off, keeps the photos that its listing names.
TEST_P(UploadToPatternRefusingServer, UploadsTwiceWithoutWarningsAndKeepsListedPhotos)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    test::TempDir local;
    AlbumLayout album(local.path());
    UploadJob job = album.job;
    connectJobTo(job, servers, GetParam().route);
    const std::string top = std::string("refusing-") + GetParam().name;
    job.settings.UploadDirectory = top + "/album";
    job.settings.PassiveMode = GetParam().passive;
    const int rounds = GetParam().route == Route::PureProxy ? 3 : 1;
    for (int round = 0; round < rounds; ++round) {
        std::filesystem::remove_all(servers.pureHome + "/" + top);
        RemoteConnection session;
        session.setTimeouts(5000, 10000);
        for (const bool overwrite : {true, false}) {
            job.overwritePhotos = overwrite;
            UploadRecorder recorder;
            EXPECT_EQ(Uploader(session, recorder.observer()).run(job), UploadResult::Finished) << "round " << round;
            EXPECT_EQ(recorder.logMessages, std::vector<std::string>{}) << "round " << round;
            EXPECT_EQ(recorder.warnings, std::vector<std::string>{}) << "round " << round;
            for (const char* photo : {"Beach_Day___Night.JPG", "DSC01.jpg", "scan.jpg"}) {
                const std::string kept = std::string("File [") + photo + "] already exists";
                EXPECT_EQ(std::find(recorder.statuses.begin(), recorder.statuses.end(), kept) !=
                              recorder.statuses.end(),
                          !overwrite)
                    << photo << ", round " << round;
            }
        }
        EXPECT_TRUE(remoteFiles(servers.pureHome + "/" + top + "/album") == asStored(album.remote));
    }
}

INSTANTIATE_TEST_SUITE_P(Routes, UploadToPatternRefusingServer,
                         ::testing::Values(UploadCase{"Passive", Route::Pure, true},
                                           UploadCase{"Active", Route::Pure, false},
                                           UploadCase{"ProxyPassive", Route::PureProxy, true},
                                           UploadCase{"ProxyActive", Route::PureProxy, false}),
                         [](const ::testing::TestParamInfo<UploadCase>& info) { return std::string(info.param.name); });

TEST(UploadToRealServer, OverwriteOffSkipsExistingPhotosOnly)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    test::TempDir local;
    AlbumLayout album(local.path());
    UploadJob job = album.job;
    connectJobTo(job, servers, Route::Ipv4);
    job.settings.UploadDirectory = "overwrite-off";
    std::filesystem::remove_all(servers.home + "/overwrite-off");
    RemoteConnection session;
    session.setTimeouts(5000, 10000);
    UploadRecorder first;
    ASSERT_EQ(Uploader(session, first.observer()).run(job), UploadResult::Finished);

    // Everything changes locally; only the photos may stay as they were on the server.
    for (auto& [name, bytes] : album.remote) {
        bytes += "changed";
        test::writeFile(album.outputFolder + name, bytes);
    }
    job.overwritePhotos = false;
    UploadRecorder second;
    EXPECT_EQ(Uploader(session, second.observer()).run(job), UploadResult::Finished);
    const auto stored = remoteFiles(servers.home + "/overwrite-off");
    auto expected = asStored(album.remote);
    for (const char* photo : {"Beach_Day___Night.JPG", "DSC01.jpg", "scan.jpg"}) {
        expected[photo].resize(expected[photo].size() - std::string("changed").size());
        EXPECT_NE(std::find(second.statuses.begin(), second.statuses.end(),
                            std::string("File [") + photo + "] already exists"),
                  second.statuses.end())
            << photo;
    }
    EXPECT_TRUE(stored == expected);
}

TEST(UploadToRealServer, CancelDuringAPhotoLetsItCompleteThenEnds)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    test::TempDir local;
    AlbumLayout album(local.path());
    UploadJob job = album.job;
    connectJobTo(job, servers, Route::Ipv4);
    job.settings.UploadDirectory = "cancelled";
    std::filesystem::remove_all(servers.home + "/cancelled");
    RemoteConnection session;
    session.setTimeouts(5000, 10000);
    UploadRecorder recorder;
    Uploader uploader(session, recorder.observer());
    recorder.onLog = [&uploader](const std::string& line) {
        if (line == "PUT Beach_Day___Night.JPG")
            uploader.cancel();
    };
    EXPECT_EQ(uploader.run(job), UploadResult::Cancelled);

    ASSERT_GE(recorder.log.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(recorder.log.end() - 3, recorder.log.end()),
              (std::vector<std::string>{"PUT Beach_Day___Night.JPG", "ABORT", "DISCONNECT"}));
    EXPECT_EQ(recorder.statuses.back(), "Aborted FTP");
    const auto stored = remoteFiles(servers.home + "/cancelled");
    EXPECT_TRUE(stored.at("Beach_Day___Night.JPG") == album.remote.at("Beach_Day___Night.JPG"));
    EXPECT_EQ(stored.count("DSC01.jpg"), 0u);
    EXPECT_EQ(stored.count("song.mid"), 0u);
    EXPECT_TRUE(uploader.uploadEnabled());
    EXPECT_FALSE(session.connected());
}

TEST(UploadToRealServer, RefusedLogInAndMissingFilesEndTheUploadWithTheirMessages)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    test::TempDir local;
    AlbumLayout album(local.path());
    UploadJob job = album.job;
    connectJobTo(job, servers, Route::Ipv4);
    job.settings.UploadDirectory = "failures";
    std::filesystem::remove_all(servers.home + "/failures");
    job.profile.password = "wrong";
    RemoteConnection session;
    session.setTimeouts(5000, 10000);
    UploadRecorder refused;
    Uploader uploader(session, refused.observer());
    EXPECT_EQ(uploader.run(job), UploadResult::Failed);
    EXPECT_EQ(refused.statuses.back(), "Failed to connect - check user/password in FTP Settings menu");
    EXPECT_FALSE(uploader.uploadEnabled());
    for (const auto& line : refused.log)
        EXPECT_EQ(line.find("wrong"), std::string::npos) << line;
    uploader.cancel();
    EXPECT_TRUE(uploader.uploadEnabled());
    EXPECT_EQ(refused.statuses.back(), "Aborted FTP");

    // A style sheet whose underscored copy is gone stops the upload before the index pages.
    job.profile.password = servers.password;
    std::filesystem::remove(album.outputFolder + "album_style.css");
    UploadRecorder missing;
    Uploader second(session, missing.observer());
    EXPECT_EQ(second.run(job), UploadResult::Failed);
    EXPECT_EQ(missing.logMessages, std::vector<std::string>{"Error uploading file " + album.outputFolder +
                                                            "album_style.css\r\nFile No Longer Exists Locally?"});
    const auto stored = remoteFiles(servers.home + "/failures");
    EXPECT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored.count("myalbum_frame.htm"), 1u);
    EXPECT_FALSE(second.uploadEnabled());
    second.cancel();
    EXPECT_FALSE(session.connected());
}

} // namespace
} // namespace pictaven
