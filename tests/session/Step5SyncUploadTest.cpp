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

std::size_t putLines(const Step5View& view)
{
    return static_cast<std::size_t>(std::count_if(view.log.begin(), view.log.end(),
                                                  [](const std::string& line) { return line.rfind("PUT ", 0) == 0; }));
}

// The sync box of step 5, with a generated album and the loopback pyftpdlib server: the first
// upload sends every file, the second none; the box that deletes stale files goes with it.
TEST_F(Step45Presenters, SyncBoxSendsOnlyWhatChanged)
{
    generateAlbumWithNavigationPictures();
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    Workspace& ws = workspace();
    ws.ftpProfile().ftp = "127.0.0.1:" + std::to_string(servers.ftpPort);
    ws.ftpProfile().user = servers.user;
    ws.ftpProfile().password = servers.password;
    ws.ftpProfile().ftpHomeDirectory = "/";
    const fs::path remote = fs::path(servers.home) / "step5-sync";
    fs::remove_all(remote);

    Step5Presenter step5(ws, m_runner);
    step5.session().setTimeouts(5000, 10000);
    step5.setUploadDirectory("step5-sync");
    EXPECT_FALSE(step5.view().syncUpload);
    EXPECT_FALSE(step5.view().deleteStaleEnabled);
    step5.setSyncUpload(true);
    EXPECT_TRUE(ws.syncUpload());
    EXPECT_TRUE(step5.view().deleteStaleEnabled);
    step5.setDeleteStale(true);
    EXPECT_TRUE(step5.view().deleteStale);

    step5.upload();
    const Step5View first = step5.view();
    EXPECT_EQ(m_dialogs.texts(test::ScriptedDialogs::Kind::Error), std::vector<std::string>{});
    EXPECT_EQ(first.status, "FTP finished.");
    EXPECT_GT(putLines(first), 5u);
    EXPECT_EQ(test::readFile(remote / "lake.jpg"), test::readFile(m_output / "lake.jpg"));
    // Pages are sent in binary under a sync upload: they arrive byte for byte.
    EXPECT_EQ(test::readFile(remote / "myalbum.htm"), test::readFile(m_output / "myalbum.htm"));

    step5.upload();
    const Step5View second = step5.view();
    EXPECT_EQ(second.status, "FTP finished.");
    EXPECT_EQ(putLines(second), 0u);
    EXPECT_EQ(std::count_if(second.log.begin(), second.log.end(),
                            [](const std::string& line) { return line.rfind("DELETE ", 0) == 0; }),
              0);

    step5.setSyncUpload(false);
    EXPECT_FALSE(step5.view().deleteStaleEnabled);
}

} // namespace
} // namespace pictaven
