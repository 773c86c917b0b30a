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

} // namespace
} // namespace pictaven
