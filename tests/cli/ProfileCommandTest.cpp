#include "ini/AsciiCase.h"
#include "publish/FtpProfile.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
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
    std::filesystem::create_directories(dir / "keys");
    test::writeFile(dir / "keys/site", "a key");
    std::filesystem::permissions(dir / "keys/site", std::filesystem::perms(0600));
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

    // The fingerprint a refused upload printed is trusted as given, in lower case; a change of
    // host forgets it, and an empty one too.
    const std::string hex = "97F528B2E255C2E422BE737800FB8F5D69E0643D64DB3E15C58B21607807E5CC";
    ASSERT_EQ(runProfile(dir, "", "site.prf --trust SHA256:" + hex, printed), 0) << printed;
    EXPECT_EQ(FtpProfile::load(path.string()).trustedKey, "SHA256:" + asciiLower(hex));
    EXPECT_NE(printed.find("Trusted  : SHA256:" + asciiLower(hex)), std::string::npos) << printed;
    for (const std::string& bad : {"SHA256:" + hex.substr(1), "MD5:" + hex, "SHA256:" + hex.substr(1) + "g"}) {
        EXPECT_EQ(runProfile(dir, "", "site.prf --trust " + bad, printed), 1) << bad;
        EXPECT_NE(printed.find("--trust takes a fingerprint"), std::string::npos) << printed;
    }
    ASSERT_EQ(runProfile(dir, "", "site.prf --host ftp2.example.com", printed), 0) << printed;
    EXPECT_EQ(FtpProfile::load(path.string()).trustedKey, "");
    ASSERT_EQ(runProfile(dir, "", "site.prf --trust SHA256:" + hex, printed), 0) << printed;
    ASSERT_EQ(runProfile(dir, "", "site.prf --trust ''", printed), 0) << printed;
    EXPECT_EQ(FtpProfile::load(path.string()).trustedKey, "");
}

TEST(ProfileCommand, RefusesWhatCannotBeAHostOrAKeyFileAndKeepsTheProfile)
{
    test::TempDir dir;
    std::string printed;
    ASSERT_EQ(runProfile(dir, "", "site.prf --host ftp.example.com", printed), 0) << printed;
    const auto path = dir / "home/profiles/site.prf";
    const std::string before = test::readFile(path);
    test::writeFile(dir / "open_key", "a key");
    std::filesystem::permissions(dir / "open_key", std::filesystem::perms(0640));
    const struct {
        std::string args;
        std::string said;
    } cases[] = {
        {"--host 'evil host'", "Invalid host name evil host"},
        {"--host 'ftp.example.com:21 x'", "Invalid port in host name"},
        {"--host ftp..example.com", "Invalid host name ftp..example.com"},
        {"--key-file missing_key", "The SSH key file " + (dir / "missing_key").string() + " cannot be read"},
        {"--key-file open_key", "The SSH key file " + (dir / "open_key").string() + " can be read by other users"},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(runProfile(dir, "", "site.prf " + entry.args, printed), 1) << entry.args;
        EXPECT_NE(printed.find(entry.said), std::string::npos) << printed;
        EXPECT_EQ(test::readFile(path), before) << entry.args;
    }
}

} // namespace
} // namespace pictaven
