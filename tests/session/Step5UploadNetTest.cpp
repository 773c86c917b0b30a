#include "session/Step45Fixture.h"
#include "session/Step5Presenter.h"

#include "support/FtpTestServers.h"

#include <algorithm>
#include <filesystem>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::FtpTestServers;
using test::Step45Presenters;

// Upload from step 5 to Pure-FTPd on loopback, twice clicked: one upload, every file of the
// album on the server, the boxes' values in the job.
TEST_F(Step45Presenters, UploadSendsTheGeneratedAlbumOnce)
{
    generateAlbumWithNavigationPictures();
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    Workspace& ws = workspace();
    ws.ftpProfile().ftp = "127.0.0.1:" + std::to_string(servers.purePort);
    ws.ftpProfile().user = servers.user;
    ws.ftpProfile().password = servers.password;
    ws.ftpProfile().ftpHomeDirectory = "/";
    const fs::path remote = fs::path(servers.pureHome) / "step5-presenter";
    fs::remove_all(remote); // left by an earlier run on the same servers

    Step5Presenter step5(ws, m_runner);
    step5.session().setTimeouts(5000, 10000);
    step5.setUploadDirectory("step5-presenter");
    step5.setUploadAudio(false);
    const int runsBefore = m_runner.runs;
    m_runner.hold = true;
    step5.upload();
    step5.upload();
    EXPECT_EQ(m_runner.runs, runsBefore + 1);
    EXPECT_TRUE(ws.jobRunning());
    EXPECT_FALSE(step5.view().uploadEnabled);
    EXPECT_FALSE(step5.view().settingsEnabled);
    m_runner.release();

    EXPECT_EQ(m_dialogs.texts(test::ScriptedDialogs::Kind::Error), std::vector<std::string>{});
    EXPECT_FALSE(ws.jobRunning());
    const Step5View view = step5.view();
    EXPECT_EQ(view.status, "FTP finished.");
    EXPECT_TRUE(view.uploadEnabled);
    EXPECT_FALSE(view.cancelEnabled);
    EXPECT_NE(std::find(view.log.begin(), view.log.end(), "CONNECT"), view.log.end());
    EXPECT_EQ(view.log.back(), "DISCONNECT");
    for (const char* name : {"myalbum.htm", "jpg_beach.htm", "thumb_jpg_hill.jpg", "lake.jpg",
                             "first.gif"})
        EXPECT_TRUE(fs::exists(remote / name)) << name;
    EXPECT_EQ(test::readFile(remote / "lake.jpg"), test::readFile(m_output / "lake.jpg"));
}

} // namespace
} // namespace pictaven
