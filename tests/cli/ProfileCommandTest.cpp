#include "publish/FtpProfile.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace pictaven {
namespace {

// Runs `pictaven-cli profile` with `input` on its standard input; returns its exit status and
// what it printed.
int runProfile(const test::TempDir& dir, const std::string& input, const std::string& args, std::string& printed)
{
    const std::string out = (dir / "out.txt").string();
    const std::string command = "cd '" + dir.path().string() + "' && printf '%s\\n' '" + input + "' | PICTAVEN_HOME='" +
                                dir.str() + "home/' '" PICTAVEN_CLI "' profile " + args + " >'" + out + "' 2>&1";
    const int status = std::system(command.c_str());
    printed = test::readFile(out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ProfileCommand, WritesAPrivateProfileWithThePasswordFromStandardInput)
{
    test::TempDir dir;
    std::string printed;
    ASSERT_EQ(runProfile(dir, "Up load pw", "site.prf --host ftp.example.com --protocol sftp --user alice --password "
                                            "--ftp-folder /htdocs --web www.example.com --key-file keys/site",
                         printed),
              0)
        << printed;
    EXPECT_EQ(printed.find("Up load pw"), std::string::npos) << "the password must never be shown";
    const auto path = dir / "home/profiles/site.prf";
    EXPECT_EQ(test::permissionsOf(path), 0600u);
    FtpProfile expected("ftp.example.com", "alice", "Up load pw", "/htdocs", "", "www.example.com");
    expected.protocol = RemoteProtocol::Sftp;
    expected.keyFile = (dir / "keys/site").string();
    EXPECT_EQ(FtpProfile::load(path.string()), expected);
    EXPECT_NE(printed.find("Key file : " + expected.keyFile), std::string::npos) << printed;

    // A change keeps the other fields; a port other than the protocol's goes with the host.
    ASSERT_EQ(runProfile(dir, "", "site.prf --protocol ftps --port 2121 --key-file ''", printed), 0) << printed;
    expected.protocol = RemoteProtocol::Ftps;
    expected.keyFile.clear();
    expected.ftp = "ftp.example.com:2121";
    EXPECT_EQ(FtpProfile::load(path.string()), expected);

    EXPECT_EQ(runProfile(dir, "", "site.prf --protocol gopher", printed), 1);
    EXPECT_NE(printed.find("unknown protocol gopher"), std::string::npos) << printed;
}

} // namespace
} // namespace pictaven
