#include "publish/FtpError.h"
#include "publish/FtpSession.h"
#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pictaven {
namespace {

// One pyftpdlib TLS server for the whole program, with a certificate it makes for "localhost".
class FtpsServer {
public:
    FtpsServer()
    {
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl("/usr/bin/python3", "python3", FTPS_SERVER_SCRIPT, m_dir.path().c_str(), nullptr);
            ::_exit(127);
        }
        // Bounded: the server writes its ready file within seconds or the test fails.
        const auto ready = m_dir / "ready";
        for (int i = 0; i < 300 && !std::filesystem::exists(ready); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::ifstream in(ready);
        std::string port;
        std::getline(in, port);
        std::getline(in, user);
        std::getline(in, password);
        std::getline(in, fingerprint);
        if (port.empty())
            throw std::runtime_error("the FTPS test server did not start");
        this->port = port;
    }
    ~FtpsServer()
    {
        ::kill(m_pid, SIGTERM);
        ::waitpid(m_pid, nullptr, 0);
    }

    std::filesystem::path home() const { return m_dir / "home"; }
    std::filesystem::path certificate() const { return m_dir / "cert.pem"; }

    std::string port;
    std::string user;
    std::string password;
    std::string fingerprint;

private:
    test::TempDir m_dir;
    pid_t m_pid = -1;
};

class FtpsRealServer : public ::testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite() { s_server = new FtpsServer; }
    static void TearDownTestSuite() { delete s_server; }

    FtpSession sessionTo(const std::string& host) const
    {
        FtpSession session;
        session.setHost(host + ":" + s_server->port);
        session.setUsername(s_server->user);
        session.setPassword(s_server->password);
        session.setPassive(GetParam());
        session.setProtocol(RemoteProtocol::Ftps);
        session.setTimeouts(10000, 10000);
        return session;
    }

    static std::string failureOf(FtpSession& session)
    {
        try {
            session.connect();
        } catch (const FtpError& failure) {
            return failure.what();
        }
        return "connected";
    }

    static FtpsServer* s_server;
};

FtpsServer* FtpsRealServer::s_server = nullptr;

TEST_P(FtpsRealServer, SelfSignedCertificateIsRefusedWithItsFingerprint)
{
    FtpSession session = sessionTo("localhost");
    std::string asked;
    session.setTrustQuestion([&asked](const std::string& question) {
        asked = question;
        return false;
    });
    const std::string failure = failureOf(session);
    EXPECT_NE(failure.find("not trusted"), std::string::npos) << failure;
    EXPECT_NE(failure.find(s_server->fingerprint), std::string::npos) << failure;
    EXPECT_NE(asked.find(s_server->fingerprint), std::string::npos) << asked;
    EXPECT_FALSE(session.connected());
}

TEST_P(FtpsRealServer, CertificateAcceptedOnceIsTrustedByItsFingerprintAndCarriesFiles)
{
    test::TempDir local;
    std::string bytes(300000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7 + i / 251);
    test::writeFile(local / "photo.jpg", bytes);

    FtpSession first = sessionTo("localhost");
    first.setTrustQuestion([](const std::string&) { return true; });
    first.connect();
    EXPECT_EQ(first.trustedKey(), s_server->fingerprint);
    const std::string name = GetParam() ? "passive.jpg" : "active.jpg";
    first.putFile((local / "photo.jpg").string(), name);
    const auto names = first.listNames("");
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    first.disconnect();
    EXPECT_TRUE(test::readFile(s_server->home() / name) == bytes) << "the stored file differs";

    // Without a question: the stored fingerprint alone lets the next session in.
    FtpSession later = sessionTo("localhost");
    later.setTrustedKey(first.trustedKey());
    later.connect();
    EXPECT_TRUE(later.connected());
}

TEST_P(FtpsRealServer, ChangedCertificateIsRefusedLoudly)
{
    FtpSession session = sessionTo("localhost");
    session.setTrustedKey("SHA256:" + std::string(64, '0'));
    session.setTrustQuestion([](const std::string&) {
        ADD_FAILURE() << "asked about a changed certificate";
        return true;
    });
    const std::string failure = failureOf(session);
    EXPECT_NE(failure.find("has changed"), std::string::npos) << failure;
    EXPECT_NE(failure.find(s_server->fingerprint), std::string::npos) << failure;
}

TEST_P(FtpsRealServer, TrustedCertificateChecksTheHostName)
{
    // The test certificate stands in for the system's trusted store.
    ::setenv("SSL_CERT_FILE", s_server->certificate().c_str(), 1);
    FtpSession byName = sessionTo("localhost");
    byName.connect();
    EXPECT_TRUE(byName.connected());
    FtpSession byAddress = sessionTo("127.0.0.1");
    const std::string failure = failureOf(byAddress);
    ::unsetenv("SSL_CERT_FILE");
    EXPECT_NE(failure.find("mismatch"), std::string::npos) << failure;
    EXPECT_NE(failure.find(s_server->fingerprint), std::string::npos) << failure;
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpsRealServer, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Passive" : "Active"; });

} // namespace
} // namespace pictaven
