#include "publish/FtpError.h"
#include "publish/FtpSession.h"
#include "publish/RemoteConnection.h"
#include "support/FtpsTestServer.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace pictaven {
namespace {

FtpSession ftpsSession(const test::FtpsTestServer& server, const std::string& host, bool passive)
{
    FtpSession session;
    session.setHost(host + ":" + server.port);
    session.setUsername(server.user);
    session.setPassword(server.password);
    session.setPassive(passive);
    session.setProtocol(RemoteProtocol::Ftps);
    session.setTimeouts(10000, 10000);
    return session;
}

std::string failureOf(FtpSession& session)
{
    try {
        session.connect();
    } catch (const FtpError& failure) {
        return failure.what();
    }
    return "connected";
}

class FtpsRealServer : public ::testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite() { s_server = new test::FtpsTestServer; }
    static void TearDownTestSuite() { delete s_server; }

    FtpSession sessionTo(const std::string& host) const { return ftpsSession(*s_server, host, GetParam()); }

    static test::FtpsTestServer* s_server;
};

test::FtpsTestServer* FtpsRealServer::s_server = nullptr;

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

// A certificate the system trusts, but for another host than the one named.
TEST(FtpsCertificate, ForAnotherHostIsRefusedByName)
{
    const test::FtpsTestServer elsewhere("photos.example");
    ::setenv("SSL_CERT_FILE", elsewhere.certificate().c_str(), 1);
    FtpSession session = ftpsSession(elsewhere, "localhost", true);
    const std::string failure = failureOf(session);
    ::unsetenv("SSL_CERT_FILE");
    EXPECT_NE(failure.find("mismatch"), std::string::npos) << failure;
    EXPECT_NE(failure.find(elsewhere.fingerprint), std::string::npos) << failure;
    EXPECT_FALSE(session.connected());
}

// An empty listing ends its TLS data connection at once; the control connection must not
// take that ending for its own.
TEST_P(FtpsRealServer, EmptyListingLeavesTheSessionWorking)
{
    FtpSession session = sessionTo("localhost");
    session.setTrustedKey(s_server->fingerprint);
    session.connect();
    const std::string folder = GetParam() ? "empty-passive" : "empty-active";
    session.makeDirectory(folder);
    session.changeDirectory(folder);
    EXPECT_EQ(session.listNames("*.*"), std::vector<std::string>{});
    EXPECT_EQ(session.currentDirectory(), "/" + folder);
}

TEST(FtpSessionProtocol, SftpGoesThroughSsh)
{
    RemoteConnection session;
    session.setHost("127.0.0.1:1");
    session.setProtocol(RemoteProtocol::Sftp);
    session.setTimeouts(5000, 5000);
    try {
        session.connect();
        ADD_FAILURE() << "connected";
    } catch (const FtpError& failure) {
        EXPECT_EQ(failure.kind(), ErrorKind::ConnectionRefused) << failure.what();
    }
    EXPECT_FALSE(session.connected());
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpsRealServer, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Passive" : "Active"; });

} // namespace
} // namespace pictaven
