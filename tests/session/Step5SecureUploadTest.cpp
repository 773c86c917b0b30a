#include "session/Step45Fixture.h"
#include "session/Step5Presenter.h"

#include "support/FtpsTestServer.h"

#include <filesystem>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using Kind = test::ScriptedDialogs::Kind;
using test::Step45Presenters;

// Step 5 over FTPS to a server whose certificate no system trusts: the person is asked once,
// with the fingerprint, and the profile keeps what was accepted.
TEST_F(Step45Presenters, CertificateAcceptedOnceIsKeptInTheProfile)
{
    generateAlbumWithNavigationPictures();
    const test::FtpsTestServer server;
    Workspace& ws = workspace();
    FtpProfile profile("localhost:" + server.port, server.user, server.password, "/", "", "www.example.com");
    profile.protocol = RemoteProtocol::Ftps;
    fs::create_directories(m_home / "profiles");
    profile.write(ws.ftpProfilePath());
    ws.ftpProfile() = profile;

    Step5Presenter step5(ws, m_runner);
    step5.session().setTimeouts(5000, 10000);
    step5.setUploadDirectory("secure");
    step5.setUploadAudio(false);
    m_dialogs.yesNoAnswers = {false};
    step5.upload();
    EXPECT_EQ(step5.view().status, "Failed to connect - check user/password in FTP Settings menu");
    EXPECT_EQ(ws.ftpProfile().trustedKey, "");
    // As after any failed connection, Cancel gives the Upload button back.
    step5.cancel();

    m_dialogs.yesNoAnswers = {true};
    step5.upload();
    EXPECT_EQ(step5.view().status, "FTP finished.");
    EXPECT_EQ(m_dialogs.texts(Kind::Error), std::vector<std::string>{});
    const auto questions = m_dialogs.texts(Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_NE(questions.back().find(server.fingerprint), std::string::npos) << questions.back();
    EXPECT_EQ(ws.ftpProfile().trustedKey, server.fingerprint);
    EXPECT_EQ(FtpProfile::load(ws.ftpProfilePath()).trustedKey, server.fingerprint);
    EXPECT_EQ(test::readFile(server.home() / "secure" / "lake.jpg"), test::readFile(m_output / "lake.jpg"));

    // The next upload goes without a question.
    step5.upload();
    EXPECT_EQ(step5.view().status, "FTP finished.");
    EXPECT_EQ(m_dialogs.texts(Kind::Question).size(), 2u);

    // Another certificate than the accepted one is refused without a question, and said so.
    ws.ftpProfile().trustedKey = "SHA256:" + std::string(64, 'a');
    step5.upload();
    EXPECT_EQ(step5.view().status, "Failed to connect - check user/password in FTP Settings menu");
    EXPECT_EQ(m_dialogs.texts(Kind::Question).size(), 2u);
    const auto errors = m_dialogs.texts(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors.front().find("has changed"), std::string::npos) << errors.front();
    EXPECT_NE(errors.front().find(server.fingerprint), std::string::npos) << errors.front();
}

} // namespace
} // namespace pictaven
