#include "publish/FtpProfile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

using test::permissionsOf;

FtpProfile sampleProfile()
{
    return {"ftp.host.example:2121", "alice", "abc", "/public_html", "~alice", "www.host.example"};
}

TEST(FtpProfile, WritesTheKeysInOrderWithTheStoredPasswordForm)
{
    test::TempDir dir;
    const auto path = dir / "site.prf";
    sampleProfile().write(path.string());
    EXPECT_EQ(test::readFile(path), "[Directories]\r\nFTP=ftp.host.example:2121\r\nUser=alice\r\nPassword=bdf\r\n"
                                    "FTPHomeDirectory=/public_html\r\nHTTPHomeDirectory=~alice\r\n"
                                    "WWW=www.host.example\r\n\r\n");
    EXPECT_EQ(permissionsOf(path), 0600u);
    EXPECT_EQ(FtpProfile::load(path.string()), sampleProfile());
}

TEST(FtpProfile, MissingFileOrKeysGiveTheDefaults)
{
    test::TempDir dir;
    const FtpProfile missing = FtpProfile::load((dir / "none.prf").string());
    EXPECT_EQ(missing, FtpProfile{});
    EXPECT_EQ(missing.ftpHomeDirectory, "/");
    EXPECT_EQ(missing.user, "");
    test::writeFile(dir / "part.prf", "[Directories]\r\nUser=bob\r\nPassword=\r\n");
    FtpProfile expected;
    expected.user = "bob";
    EXPECT_EQ(FtpProfile::load((dir / "part.prf").string()), expected);
}

TEST(FtpProfile, ProtocolAndTrustedKeyFollowTheOldKeys)
{
    test::TempDir dir;
    const auto path = dir / "secure.prf";
    FtpProfile secure = sampleProfile();
    secure.protocol = RemoteProtocol::Ftps;
    secure.trustedKey = "SHA256:00ff";
    secure.keyFile = "/home/alice/.ssh/site_ed25519";
    secure.write(path.string());
    EXPECT_EQ(test::readFile(path), "[Directories]\r\nFTP=ftp.host.example:2121\r\nUser=alice\r\nPassword=bdf\r\n"
                                    "FTPHomeDirectory=/public_html\r\nHTTPHomeDirectory=~alice\r\n"
                                    "WWW=www.host.example\r\nProtocol=FTPS\r\nTrustedKey=SHA256:00ff\r\n"
                                    "KeyFile=/home/alice/.ssh/site_ed25519\r\n\r\n");
    EXPECT_EQ(FtpProfile::load(path.string()), secure);

    // Back to plain FTP: the keys the file has are kept up to date rather than left stale.
    FtpProfile plain = sampleProfile();
    plain.write(path.string());
    EXPECT_EQ(FtpProfile::load(path.string()), plain);
}

TEST(FtpProfile, APasswordTheOldFormCannotHoldGoesUnderASecondKeyAtTheEnd)
{
    test::TempDir dir;
    const auto path = dir / "euro.prf";
    // The euro sign's first byte at position 40 would be stored as a line feed.
    FtpProfile euro = sampleProfile();
    euro.password = std::string(39, 'p') + "\xE2\x82\xAC";
    euro.write(path.string());
    const std::string head = "[Directories]\r\nFTP=ftp.host.example:2121\r\nUser=alice\r\nPassword=";
    const std::string middle = "\r\nFTPHomeDirectory=/public_html\r\nHTTPHomeDirectory=~alice\r\n"
                               "WWW=www.host.example\r\n";
    const std::string text = test::readFile(path);
    EXPECT_TRUE(text.starts_with(head + middle + "PasswordHex=71727374")) << text;
    EXPECT_EQ(FtpProfile::load(path.string()), euro);

    // A password the old form holds again empties the second key.
    sampleProfile().write(path.string());
    EXPECT_EQ(test::readFile(path), head + "bdf" + middle + "PasswordHex=\r\n\r\n");
    EXPECT_EQ(FtpProfile::load(path.string()), sampleProfile());
}

TEST(FtpProfile, ProtocolNamesReadWithoutRegardToCaseAndAnythingElseIsFtp)
{
    struct Case {
        const char* written;
        RemoteProtocol read;
    };
    test::TempDir dir;
    for (const Case& c : {Case{"sftp", RemoteProtocol::Sftp}, Case{"FTPS", RemoteProtocol::Ftps},
                          Case{"FTP", RemoteProtocol::Ftp}, Case{"gopher", RemoteProtocol::Ftp}}) {
        test::writeFile(dir / "p.prf", std::string("[Directories]\r\nProtocol=") + c.written + "\r\n");
        EXPECT_EQ(FtpProfile::load((dir / "p.prf").string()).protocol, c.read) << c.written;
    }
}

TEST(FtpProfile, PortFollowsTheProtocol)
{
    FtpProfile profile;
    EXPECT_EQ(profile.port(), 21);
    profile.protocol = RemoteProtocol::Ftps;
    EXPECT_EQ(profile.port(), 21);
    profile.protocol = RemoteProtocol::Sftp;
    EXPECT_EQ(profile.port(), 22);
}

} // namespace
} // namespace pictaven
