#include "publish/FtpError.h"
#include "publish/FtpSession.h"
#include "support/FtpTestServers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace pictaven {
namespace {

using test::FtpTestServers;

enum class Route { Ipv4, Ipv6, Proxy, Pure, PureProxy };

struct RouteCase {
    const char* name;
    Route route;
    bool passive;
};

FtpSession sessionFor(const FtpTestServers& servers, Route route, bool passive)
{
    FtpSession session;
    FtpProxySettings proxy;
    proxy.proxyType = FtpProxyType::None;
    const bool pure = route == Route::Pure || route == Route::PureProxy;
    const std::string v4 = "127.0.0.1:" + std::to_string(pure ? servers.purePort : servers.ftpPort);
    session.setHost(route == Route::Ipv6 ? "[::1]:" + std::to_string(servers.ftp6Port) : v4);
    if (route == Route::Proxy || route == Route::PureProxy) {
        proxy.proxyType = FtpProxyType::UserSite;
        proxy.host = "127.0.0.1";
        proxy.port = servers.proxyPort;
    }
    session.setProxySettings(proxy);
    session.setUsername(servers.user);
    session.setPassword(servers.password);
    session.setPassive(passive);
    session.setTimeouts(5000, 10000);
    return session;
}

class FtpRealServer : public ::testing::TestWithParam<RouteCase> { };

TEST_P(FtpRealServer, CreatesDirectoriesListsAndStoresFilesUnchanged)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    test::TempDir local;
    std::string photo;
    for (unsigned i = 0; i < 700000; ++i)
        photo.push_back(static_cast<char>((i * 2654435761u) >> 24));
    const std::string page = "<html>\r\nmixed\nline ends\r\r\n</html>";
    test::writeFile(local / "photo.jpg", photo);
    test::writeFile(local / "page.htm", page);

    const std::string dir = std::string("session-") + GetParam().name;
    std::filesystem::remove_all(servers.home + "/" + dir); // left by an earlier run on the same servers
    FtpSession session = sessionFor(servers, GetParam().route, GetParam().passive);
    session.connect();
    EXPECT_EQ(session.currentDirectory(), "/");
    session.makeDirectory(dir);
    EXPECT_THROW(session.makeDirectory(dir), FtpError);
    session.changeDirectory(dir);
    EXPECT_EQ(session.currentDirectory(), "/" + dir);
    session.putFile((local / "photo.jpg").string(), "photo.jpg");
    session.selectTransferType(TransferType::Ascii);
    session.putFile((local / "page.htm").string(), "page.htm");
    for (const char* pattern : {"*.*", ""}) {
        auto names = session.listNames(pattern);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"page.htm", "photo.jpg"})) << pattern;
    }
    session.disconnect();

    EXPECT_TRUE(test::readFile(servers.home + "/" + dir + "/photo.jpg") == photo);
    // In ASCII type the server stores text in its own form: CR LF becomes LF on this system.
    EXPECT_EQ(test::readFile(servers.home + "/" + dir + "/page.htm"), "<html>\nmixed\nline ends\r\n</html>");
}

INSTANTIATE_TEST_SUITE_P(Routes, FtpRealServer,
                         ::testing::Values(RouteCase{"Ipv4Passive", Route::Ipv4, true},
                                           RouteCase{"Ipv4Active", Route::Ipv4, false},
                                           RouteCase{"Ipv6Passive", Route::Ipv6, true},
                                           RouteCase{"Ipv6Active", Route::Ipv6, false},
                                           RouteCase{"ProxyPassive", Route::Proxy, true},
                                           RouteCase{"ProxyActive", Route::Proxy, false}),
                         [](const ::testing::TestParamInfo<RouteCase>& info) { return std::string(info.param.name); });

class FtpPatternRefusingServer : public ::testing::TestWithParam<RouteCase> { };

// Pure-FTPd answers NLST with a pattern by 550 and a bare NLST with every name. Right after such a
// refusal ftp-proxy may close the passive port it announces next, depending on timing, so the pair
// of a refused listing and an upload is repeated.
TEST_P(FtpPatternRefusingServer, RefusedListingLeavesTheNextTransfersWorking)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    test::TempDir local;
    test::writeFile(local / "photo.jpg", std::string(100000, 'p'));
    const std::string dir = std::string("refused-") + GetParam().name;
    std::filesystem::remove_all(servers.pureHome + "/" + dir);
    FtpSession session = sessionFor(servers, GetParam().route, GetParam().passive);
    session.connect();
    session.makeDirectory(dir);
    session.changeDirectory(dir);
    std::vector<std::string> sent = {".", ".."};
    for (int i = 0; i < 8; ++i) {
        try {
            session.listNames("*.*");
            FAIL() << "the server listed a pattern";
        } catch (const FtpError& failure) {
            EXPECT_EQ(std::string(failure.what()), "Can't check for file existence\r\n");
            EXPECT_EQ(session.lastReply().code, 550);
        }
        sent.push_back("photo" + std::to_string(i) + ".jpg");
        ASSERT_NO_THROW(session.putFile((local / "photo.jpg").string(), sent.back())) << "transfer " << i;
    }
    auto names = session.listNames("");
    session.disconnect();
    std::sort(names.begin(), names.end());
    std::sort(sent.begin(), sent.end());
    EXPECT_EQ(names, sent);
    EXPECT_EQ(test::readFile(servers.pureHome + "/" + dir + "/photo7.jpg"), std::string(100000, 'p'));
}

INSTANTIATE_TEST_SUITE_P(Routes, FtpPatternRefusingServer,
                         ::testing::Values(RouteCase{"Passive", Route::Pure, true},
                                           RouteCase{"Active", Route::Pure, false},
                                           RouteCase{"ProxyPassive", Route::PureProxy, true},
                                           RouteCase{"ProxyActive", Route::PureProxy, false}),
                         [](const ::testing::TestParamInfo<RouteCase>& info) { return std::string(info.param.name); });

// What sync uploads need: sizes of the files (MLSD on both servers), a transfer taken up where it
// stopped, renames over an existing file and deletions.
class FtpFileCommands : public ::testing::TestWithParam<RouteCase> { };

TEST_P(FtpFileCommands, ListSizesResumeRenameAndRemove)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    const bool pure = GetParam().route == Route::Pure;
    const std::string home = pure ? servers.pureHome : servers.home;
    test::TempDir local;
    std::string photo;
    for (unsigned i = 0; i < 300000; ++i)
        photo.push_back(static_cast<char>((i * 2654435761u) >> 24));
    test::writeFile(local / "photo.jpg", photo);
    test::writeFile(local / "head.jpg", photo.substr(0, 123457));
    const std::string dir = std::string("files-") + GetParam().name;
    std::filesystem::remove_all(home + "/" + dir);

    FtpSession session = sessionFor(servers, GetParam().route, GetParam().passive);
    session.connect();
    session.makeDirectory(dir);
    session.changeDirectory(dir);
    session.makeDirectory("folder");
    session.putFile((local / "head.jpg").string(), "part.tmp");
    session.putFile((local / "head.jpg").string(), "photo.jpg");
    session.resumeFile((local / "photo.jpg").string(), "part.tmp", 123457);
    std::vector<std::pair<std::string, std::uint64_t>> listed;
    for (const RemoteFile& file : session.listFiles())
        listed.emplace_back(file.name, file.size);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, std::uint64_t>>{{"part.tmp", 300000}, {"photo.jpg", 123457}}));
    session.renameFile("part.tmp", "photo.jpg");
    session.putFile((local / "head.jpg").string(), "gone.jpg");
    session.removeFile("gone.jpg");
    EXPECT_THROW(session.removeFile("gone.jpg"), FtpError);
    auto names = session.listNames("");
    session.disconnect();

    // Pure-FTPd lists "." and ".." as well.
    std::erase_if(names, [](const std::string& name) { return name == "." || name == ".."; });
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"folder", "photo.jpg"}));
    EXPECT_TRUE(test::readFile(home + "/" + dir + "/photo.jpg") == photo);
}

INSTANTIATE_TEST_SUITE_P(Routes, FtpFileCommands,
                         ::testing::Values(RouteCase{"Passive", Route::Ipv4, true},
                                           RouteCase{"Active", Route::Ipv4, false},
                                           RouteCase{"PurePassive", Route::Pure, true},
                                           RouteCase{"ProxyPassive", Route::Proxy, true}),
                         [](const ::testing::TestParamInfo<RouteCase>& info) { return std::string(info.param.name); });

// Neither the FTP proxy nor the plain server here speaks TLS: FTPS is refused with the reason,
// before any password is sent.
TEST(FtpRealServer, FtpsWithoutTlsOnTheOtherSideIsRefusedClearly)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    for (const Route route : {Route::Ipv4, Route::Proxy}) {
        FtpSession session = sessionFor(servers, route, true);
        session.setProtocol(RemoteProtocol::Ftps);
        try {
            session.connect();
            ADD_FAILURE() << "connected";
        } catch (const FtpError& failure) {
            const std::string text = failure.what();
            const std::string expected = route == Route::Proxy ? "The proxy does not pass FTPS" : "The server does not offer FTPS";
            EXPECT_EQ(text.rfind(expected, 0), 0u) << text;
        }
        EXPECT_FALSE(session.connected());
    }
}

TEST(FtpRealServer, WrongPasswordFailsTheConnect)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    FtpSession session = sessionFor(servers, Route::Ipv4, true);
    session.setPassword("not the password");
    try {
        session.connect();
        FAIL() << "connected with a wrong password";
    } catch (const FtpError& failure) {
        EXPECT_EQ(std::string(failure.what()), "Authentication failed.\r\n");
    }
    EXPECT_FALSE(session.connected());
}

} // namespace
} // namespace pictaven
