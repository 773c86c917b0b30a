#include "publish/FtpError.h"
#include "publish/FtpSession.h"
#include "support/ScriptedFtpServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pictaven {
namespace {

using test::ScriptedFtpConnection;
using test::ScriptedFtpServer;

FtpSession sessionFor(const ScriptedFtpServer& server, bool passive = true)
{
    FtpSession session;
    FtpProxySettings direct;
    direct.proxyType = FtpProxyType::None;
    session.setProxySettings(direct);
    session.setHost(server.hostPort());
    session.setUsername("alice");
    session.setPassword("secret");
    session.setPassive(passive);
    session.setTimeouts(2000, 2000);
    return session;
}

std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const FtpError& failure) {
        return failure.what();
    }
    return "(no failure)";
}

TEST(FtpSession, ReadsWholeMultiLineGreetingAndSendsNoPassAfter230)
{
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.send("220-Welcome to the scripted server\r\n220-second line\r\n  indented third line\r\n220 ready\r\n");
        c.expect("USER alice");
        c.reply("230 No password needed");
        c.expect("TYPE I");
        c.reply("200 ok");
        c.expect("SYST");
        c.reply("500 SYST not understood");
        c.expect("PWD");
        c.reply("257 \"/home/alice\" is the current directory");
    });
    FtpSession session = sessionFor(server);
    session.connect();
    EXPECT_TRUE(session.connected());
    EXPECT_EQ(session.currentDirectory(), "/home/alice");
    EXPECT_EQ(server.finish(), "");
    EXPECT_EQ(server.commands(), (std::vector<std::string>{"USER alice", "TYPE I", "SYST", "PWD"}));
    EXPECT_EQ(failureOf([&] { session.connect(); }), "Already connected.");
}

TEST(FtpSession, RefusedLogInFailsAndClosesTheConnection)
{
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.reply("220 ready");
        c.expect("USER alice");
        c.reply("331 Password required");
        c.expect("PASS secret");
        c.reply("530 Login incorrect.");
        if (!c.clientClosed())
            throw std::runtime_error("the client kept the connection open");
    });
    FtpSession session = sessionFor(server);
    EXPECT_EQ(failureOf([&] { session.connect(); }), "Login incorrect.\r\n");
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(server.finish(), "");
}

struct ProxyCase {
    const char* name;
    FtpProxyType type;
    const char* proxyUser;
    std::vector<std::string> commands;
};

class FtpProxyLogIn : public ::testing::TestWithParam<ProxyCase> { };

TEST_P(FtpProxyLogIn, SendsTheProxyForm)
{
    const ProxyCase& form = GetParam();
    ScriptedFtpServer server([&form](ScriptedFtpConnection& c) {
        c.reply("220 proxy ready");
        for (const auto& expected : form.commands) {
            const std::string line = c.command();
            if (line != expected)
                throw std::runtime_error("expected " + expected + ", got " + line);
            if (line.rfind("USER", 0) == 0)
                c.reply("331 send password");
            else if (line.rfind("PASS", 0) == 0 || line.rfind("TYPE", 0) == 0)
                c.reply(line.rfind("PASS", 0) == 0 ? "230 in" : "200 ok");
            else if (line == "SYST")
                c.reply("215 UNIX");
            else
                c.reply("530 the proxy takes any reply here"); // SITE and OPEN accept every code
        }
    });
    FtpSession session;
    FtpProxySettings proxy;
    proxy.proxyType = form.type;
    proxy.host = "127.0.0.1";
    proxy.port = server.port();
    proxy.userName = form.proxyUser;
    proxy.password = "proxypw";
    session.setProxySettings(proxy);
    session.setHost("ftp.example.com:2121");
    session.setUsername("alice");
    session.setPassword("secret");
    session.setTimeouts(2000, 2000);
    session.connect();
    EXPECT_EQ(server.finish(), "");
    EXPECT_EQ(server.commands(), form.commands);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FtpProxyLogIn,
    ::testing::Values(ProxyCase{"UserSite",
                                FtpProxyType::UserSite,
                                "pu",
                                {"USER pu", "PASS proxypw", "USER alice@ftp.example.com:2121", "PASS secret", "TYPE I",
                                 "SYST"}},
                      ProxyCase{"UserSiteNoProxyUser",
                                FtpProxyType::UserSite,
                                "",
                                {"USER alice@ftp.example.com:2121", "PASS secret", "TYPE I", "SYST"}},
                      ProxyCase{"Site",
                                FtpProxyType::Site,
                                "pu",
                                {"USER pu", "PASS proxypw", "SITE ftp.example.com:2121", "USER alice", "PASS secret",
                                 "TYPE I", "SYST"}},
                      ProxyCase{"Open",
                                FtpProxyType::Open,
                                "",
                                {"OPEN ftp.example.com:2121", "USER alice", "PASS secret", "TYPE I", "SYST"}}),
    [](const ::testing::TestParamInfo<ProxyCase>& info) { return std::string(info.param.name); });

TEST(FtpSession, DirectoryCommandsCarryTheReplyText)
{
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        c.expect("MKD album");
        c.reply("257 \"/album\" created");
        c.expect("CWD album");
        c.reply("250 ok");
        c.expect("CWD nowhere");
        c.send("550-No such directory\r\n550 really none\r\n");
        c.expect("MKD album");
        c.reply("550 exists");
    });
    FtpSession session = sessionFor(server);
    session.connect();
    session.makeDirectory("album");
    session.changeDirectory("album");
    EXPECT_EQ(failureOf([&] { session.changeDirectory("nowhere"); }), "No such directory\r\nreally none\r\n");
    EXPECT_EQ(failureOf([&] { session.makeDirectory("album"); }), "exists\r\n");
    EXPECT_TRUE(session.connected());
    EXPECT_EQ(server.finish(), "");
}

TEST(FtpSession, PasvWithoutParenthesesNamingAnotherHostIsRedirectedToTheServer)
{
    std::vector<std::string> log;
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        c.expect("PASV");
        const std::uint16_t port = c.listenData();
        c.reply("227 Entering Passive Mode 10,0,0,5," + std::to_string(port / 256) + "," + std::to_string(port % 256));
        c.acceptData();
        c.expect("NLST *.*");
        c.reply("150 Here comes the listing");
        c.sendData("a.jpg\r\nb.htm\nc d.gif\r\n");
        c.closeData();
        c.reply("226 done");
    });
    FtpSession session = sessionFor(server);
    session.setLog([&log](const std::string& line) { log.push_back(line); });
    session.connect();
    EXPECT_EQ(session.listNames("*.*  "), (std::vector<std::string>{"a.jpg", "b.htm", "c d.gif"}));
    EXPECT_EQ(server.finish(), "");
    EXPECT_EQ(log, (std::vector<std::string>{
                       "PASV reply names 10.0.0.5; connecting to the server's address 127.0.0.1 instead"}));
}

TEST(FtpSession, NlstRefusedWith550FailsWithTheReplyText)
{
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        c.expect("PASV");
        c.reply(c.pasvReply());
        c.acceptData();
        c.expect("NLST *.*");
        c.reply("550 No files found");
        c.expect("PWD");
        c.reply("257 \"/\"");
    });
    FtpSession session = sessionFor(server);
    session.connect();
    EXPECT_EQ(failureOf([&] { session.listNames("*.*"); }), "No files found\r\n");
    EXPECT_EQ(session.currentDirectory(), "/");
    EXPECT_EQ(server.finish(), "");
}

struct ClosingCase {
    const char* name;
    const char* command; // "NLST *.*" or "STOR a.jpg"
    std::vector<std::string> replies;
    const char* failure; // nullptr when the transfer succeeds
};

class FtpTransferClose : public ::testing::TestWithParam<ClosingCase> { };

TEST_P(FtpTransferClose, AcceptsTheClosingRepliesOfAWholeTransferOnly)
{
    const ClosingCase& closing = GetParam();
    test::TempDir dir;
    test::writeFile(dir / "a.jpg", "JPEG bytes");
    std::string received;
    ScriptedFtpServer server([&closing, &received](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        const std::string portLine = c.command();
        c.reply("200 PORT ok");
        c.expect(closing.command);
        c.reply("125 Data connection open");
        c.connectData(portLine);
        if (closing.command[0] == 'S')
            received = c.readAllData();
        else
            c.sendData("one\r\ntwo\r\n");
        c.closeData();
        for (const auto& line : closing.replies)
            c.reply(line);
        // The connection stays open: a failed transfer must not read on into a success.
        c.expect("PWD");
        c.reply("257 \"/x\"");
    });
    FtpSession session = sessionFor(server, false);
    session.connect();
    if (closing.command[0] == 'S') {
        const std::string result = failureOf([&] { session.putFile((dir / "a.jpg").string(), "a.jpg"); });
        EXPECT_EQ(result, closing.failure ? closing.failure : "(no failure)");
    } else {
        EXPECT_EQ(session.listNames("*.*"), (std::vector<std::string>{"one", "two"}));
    }
    if (closing.failure) {
        session.disconnect();
        EXPECT_EQ(server.finish(), "client closed the connection");
    } else {
        // The next command reads its own reply, so the closing replies were consumed exactly.
        EXPECT_EQ(session.currentDirectory(), "/x");
        EXPECT_EQ(server.finish(), "");
    }
    ASSERT_GE(server.commands().size(), 5u);
    EXPECT_EQ(server.commands()[4].rfind("PORT 127,0,0,1,", 0), 0u);
    EXPECT_EQ(received, closing.command[0] == 'S' ? "JPEG bytes" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FtpTransferClose,
    ::testing::Values(ClosingCase{"ListCode226", "NLST *.*", {"226 done"}, nullptr},
                      ClosingCase{"ListCode250", "NLST *.*", {"250 done"}, nullptr},
                      ClosingCase{"ListCode225", "NLST *.*", {"225 done"}, nullptr},
                      ClosingCase{"ListCode426Then226", "NLST *.*", {"426 aborted", "226 closed"}, nullptr},
                      ClosingCase{"ListCode450Then225", "NLST *.*", {"450 none", "225 closed"}, nullptr},
                      ClosingCase{"StoreCode226", "STOR a.jpg", {"226 done"}, nullptr},
                      // The file may not have arrived whole, whatever the server says next.
                      ClosingCase{"StoreCode426Then226", "STOR a.jpg", {"426 aborted", "226 closed"},
                                  "aborted\r\n"},
                      ClosingCase{"StoreCode451", "STOR a.jpg", {"451 local error"}, "local error\r\n"}),
    [](const ::testing::TestParamInfo<ClosingCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    bool passive;
    const char* command;
    std::vector<std::string> replies; // the last one refuses the transfer
};

class FtpRefusedTransfer : public ::testing::TestWithParam<RefusalCase> { };

// A refused transfer command leaves no data connection behind: the client closes its end
// (passive) or its listener (active) before it sends anything more. An active server may also
// give up after its preliminary reply, before it has connected.
TEST_P(FtpRefusedTransfer, ClosesTheDataConnectionAtOnce)
{
    const RefusalCase& refusal = GetParam();
    test::TempDir dir;
    test::writeFile(dir / "a.jpg", "JPEG bytes");
    ScriptedFtpServer server([&refusal](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        const std::string portLine = c.prepareData(refusal.passive);
        c.expect(refusal.command);
        for (const auto& line : refusal.replies)
            c.reply(line);
        // The client's next command shows that it has taken the refusal in.
        c.expect("PWD");
        if (refusal.passive) {
            // Ends with the client's close; a connection left open runs into the time-out.
            if (!c.readAllData().empty())
                throw std::runtime_error("data on a refused transfer");
        } else {
            bool listening = true;
            try {
                c.connectData(portLine);
            } catch (const std::exception&) {
                listening = false;
            }
            if (listening)
                throw std::runtime_error("the client still listens for the refused transfer");
        }
        c.reply("257 \"/\"");
    });
    FtpSession session = sessionFor(server, refusal.passive);
    session.connect();
    const std::string failure = refusal.command[0] == 'S'
                                    ? failureOf([&] { session.putFile((dir / "a.jpg").string(), "a.jpg"); })
                                    : failureOf([&] { session.listNames("*.*"); });
    EXPECT_EQ(failure, "Refused\r\n");
    EXPECT_EQ(session.currentDirectory(), "/");
    EXPECT_EQ(server.finish(), "");
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpRefusedTransfer,
                         ::testing::Values(RefusalCase{"PassiveList", true, "NLST *.*", {"550 Refused"}},
                                           RefusalCase{"PassiveStore", true, "STOR a.jpg", {"550 Refused"}},
                                           RefusalCase{"ActiveList", false, "NLST *.*", {"550 Refused"}},
                                           RefusalCase{"ActiveStore", false, "STOR a.jpg", {"550 Refused"}},
                                           RefusalCase{"ActiveStoreNeverConnected",
                                                       false,
                                                       "STOR a.jpg",
                                                       {"150 Opening data connection", "425 Refused"}}),
                         [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(FtpSession, RefusedPassivePortIsAskedForAgainOnce)
{
    std::vector<std::string> log;
    auto closedPort = [](ScriptedFtpConnection& c) {
        std::string reply = c.pasvReply();
        c.closeListener();
        return reply;
    };
    ScriptedFtpServer server([&closedPort](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        // The first transfer gets a good port the second time; the second transfer never does.
        c.expect("PASV");
        c.reply(closedPort(c));
        c.expect("PASV");
        c.reply(c.pasvReply());
        c.acceptData();
        c.expect("NLST *.*");
        c.reply("150 listing");
        c.sendData("a.jpg\r\n");
        c.closeData();
        c.reply("226 done");
        for (int i = 0; i < 2; ++i) {
            c.expect("PASV");
            c.reply(closedPort(c));
        }
        c.expect("PWD");
        c.reply("257 \"/\"");
    });
    FtpSession session = sessionFor(server);
    session.setLog([&log](const std::string& line) { log.push_back(line); });
    session.connect();
    EXPECT_EQ(session.listNames("*.*"), std::vector<std::string>{"a.jpg"});
    EXPECT_EQ(failureOf([&] { session.listNames("*.*"); }), "Connection refused");
    EXPECT_EQ(session.currentDirectory(), "/");
    EXPECT_EQ(server.finish(), "");
    // One retry for each transfer.
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].rfind("Data port ", 0), 0u);
}

std::string sampleBytes()
{
    std::string bytes = "line one\r\nline two\nline three\r\r\n";
    for (unsigned i = 0; i < 300000; ++i)
        bytes.push_back(static_cast<char>((i * 7919u) % 256u));
    return bytes;
}

class FtpPut : public ::testing::TestWithParam<bool> { };

TEST_P(FtpPut, SendsTheFileUnchangedInEitherType)
{
    const bool passive = GetParam();
    test::TempDir dir;
    const std::string bytes = sampleBytes();
    test::writeFile(dir / "page.htm", bytes);
    std::string received[2];
    ScriptedFtpServer server([&received, passive](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        c.expect("TYPE A");
        c.reply("200 ascii");
        for (std::string& copy : received) {
            const std::string portLine = c.prepareData(passive);
            c.expect("STOR page.htm");
            c.reply("150 Opening data connection");
            if (!passive)
                c.connectData(portLine);
            copy = c.readAllData();
            c.closeData();
            c.reply("226 Transfer complete");
        }
    });
    FtpSession session = sessionFor(server, passive);
    session.connect();
    session.selectTransferType(TransferType::Ascii);
    session.selectTransferType(TransferType::Ascii); // no second TYPE for an unchanged type
    session.putFile((dir / "page.htm").string(), "page.htm");
    session.putFile((dir / "page.htm").string(), "page.htm");
    EXPECT_EQ(server.finish(), "");
    EXPECT_TRUE(received[0] == bytes);
    EXPECT_TRUE(received[1] == bytes);
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpPut, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Passive" : "Active");
                         });

TEST(FtpSession, StorFailuresAreErrors)
{
    test::TempDir dir;
    test::writeFile(dir / "big.jpg", std::string(8 * 1024 * 1024, 'x'));
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        c.expect("PASV");
        c.reply(c.pasvReply());
        c.acceptData();
        c.expect("STOR denied.jpg");
        c.reply("553 Permission denied");
        c.expect("PASV");
        c.reply(c.pasvReply());
        c.acceptData();
        c.expect("STOR big.jpg");
        c.reply("150 go");
        // The server gives up mid-transfer.
        c.closeData();
        c.reply("426 Connection closed; transfer aborted");
        c.closeControl();
    });
    FtpSession session = sessionFor(server);
    session.connect();
    EXPECT_EQ(failureOf([&] { session.putFile((dir / "missing.jpg").string(), "missing.jpg"); }).rfind(
                  "Cannot open file " + (dir / "missing.jpg").string(), 0),
              0u);
    EXPECT_EQ(failureOf([&] { session.putFile((dir / "big.jpg").string(), "denied.jpg"); }), "Permission denied\r\n");
    const std::string midTransfer = failureOf([&] { session.putFile((dir / "big.jpg").string(), "big.jpg"); });
    EXPECT_NE(midTransfer, "(no failure)");
    EXPECT_EQ(server.finish(), "");
}

TEST(FtpSession, AbortWritesAborAndDisconnectSendsNoQuit)
{
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        c.greetAndLogIn();
        c.expect("ABOR");
        if (!c.clientClosed())
            throw std::runtime_error("expected the connection to close without QUIT");
    });
    FtpSession session = sessionFor(server);
    session.connect();
    session.abort();
    EXPECT_TRUE(session.connected());
    session.disconnect();
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(server.finish(), "");
    EXPECT_EQ(server.commands().back(), "ABOR");
}

struct BadServerCase {
    const char* name;
    std::function<void(ScriptedFtpConnection&)> greeting;
    const char* failure;
};

class FtpBadServer : public ::testing::TestWithParam<BadServerCase> { };

TEST_P(FtpBadServer, FailsConnectWithAClearText)
{
    ScriptedFtpServer server([](ScriptedFtpConnection& c) {
        GetParam().greeting(c);
        c.clientClosed();
    });
    FtpSession session = sessionFor(server);
    session.setTimeouts(2000, 300);
    EXPECT_EQ(failureOf([&] { session.connect(); }), GetParam().failure);
    EXPECT_FALSE(session.connected());
    server.finish();
}

INSTANTIATE_TEST_SUITE_P(
    Replies, FtpBadServer,
    ::testing::Values(
        BadServerCase{"Garbage", [](ScriptedFtpConnection& c) { c.send("HELLO\x01 there\r\n"); },
                      "Invalid reply from the server: HELLO? there"},
        BadServerCase{"EndlessLine", [](ScriptedFtpConnection& c) { c.send("220 " + std::string(20000, 'a')); },
                      "Reply line from the server is too long."},
        BadServerCase{"EndlessReply",
                      [](ScriptedFtpConnection& c) {
                          std::string lines = "220-start\r\n";
                          for (int i = 0; i < 1100; ++i)
                              lines += "220-more\r\n";
                          c.send(lines);
                      },
                      "Reply from the server is too long."},
        BadServerCase{"Silent", [](ScriptedFtpConnection&) {}, "Read timed out."},
        BadServerCase{"Closes", [](ScriptedFtpConnection& c) { c.closeControl(); }, "Connection closed by the server."},
        BadServerCase{"WrongGreeting", [](ScriptedFtpConnection& c) { c.reply("421 Too many users"); },
                      "Too many users\r\n"}),
    [](const ::testing::TestParamInfo<BadServerCase>& info) { return std::string(info.param.name); });

TEST(FtpSession, RefusedConnectionFails)
{
    Socket listener = Socket::listenOn("127.0.0.1");
    const std::uint16_t port = listener.localAddress().port;
    listener.close();
    FtpSession session;
    session.setHost("127.0.0.1:" + std::to_string(port));
    session.setTimeouts(2000, 2000);
    EXPECT_EQ(failureOf([&] { session.connect(); }), "Connection refused");
}

TEST(FtpSession, ConnectTimesOutWhenTheServerNeverAccepts)
{
    // A listener with a full backlog that never accepts: further handshakes go unanswered.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    std::vector<int> waiting;
    for (int i = 0; i < 3; ++i) {
        waiting.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(waiting.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    FtpSession session;
    session.setHost("127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
    session.setTimeouts(300, 300);
    EXPECT_EQ(failureOf([&] { session.connect(); }), "Connect timed out.");
    EXPECT_FALSE(session.connected());
    for (int fd : waiting)
        ::close(fd);
    ::close(listener);
}

class FtpIpv6 : public ::testing::TestWithParam<bool> { };

TEST_P(FtpIpv6, UsesExtendedDataCommands)
{
    const bool passive = GetParam();
    test::TempDir dir;
    test::writeFile(dir / "a.jpg", "JPEG bytes");
    std::string received;
    ScriptedFtpServer server(
        [&received, passive](ScriptedFtpConnection& c) {
            c.greetAndLogIn();
            if (passive) {
                c.expect("EPSV");
                c.reply("229 Entering Extended Passive Mode (|||" + std::to_string(c.listenData()) + "|)");
                c.acceptData();
                c.expect("STOR a.jpg");
                c.reply("150 go");
            } else {
                const std::string portLine = c.command();
                if (portLine.rfind("EPRT |2|::1|", 0) != 0)
                    throw std::runtime_error("unexpected " + portLine);
                c.reply("200 ok");
                c.expect("STOR a.jpg");
                c.reply("150 go");
                c.connectData(portLine);
            }
            received = c.readAllData();
            c.closeData();
            c.reply("226 done");
        },
        "::1");
    FtpSession session = sessionFor(server, passive);
    session.connect();
    session.putFile((dir / "a.jpg").string(), "a.jpg");
    EXPECT_EQ(server.finish(), "");
    EXPECT_EQ(received, "JPEG bytes");
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpIpv6, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Passive" : "Active");
                         });

} // namespace
} // namespace pictaven
