#include "ini/BigIniFile.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "publish/FtpProfile.h"
#include "support/CliRun.h"
#include "support/FtpTestServers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::FtpTestServers;
using test::readFile;

struct CommandResult {
    int status = -1;
    std::string output; // standard output, then standard error
};

// Runs pictaven-cli with the program folder `home`.
CommandResult runCli(const test::TempDir& dir, const std::string& home, const std::vector<std::string>& args)
{
    const test::CliRun run = test::runCli(dir.path(), home, args);
    return {run.status, run.out + run.err};
}

// A small album project: three photos, its catalog and an FTP profile for the test server.
class UploadCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_home = m_dir.str() + "home/";
        fs::create_directories(m_dir / "photos");
        const char* names[] = {"beach day.jpg", "dune.jpg", "night.jpg"};
        for (int i = 0; i < 3; ++i) {
            Bitmap photo(96 + 16 * i, 64, 24);
            for (int y = 0; y < photo.height(); ++y) {
                for (int x = 0; x < photo.width(); ++x)
                    photo.setPixel(x, y, Colour{static_cast<std::uint8_t>(x * 2), static_cast<std::uint8_t>(y * 3),
                                                static_cast<std::uint8_t>(60 * i)});
            }
            writeJpeg(photo, (m_dir / "photos" / names[i]).string(), 90);
        }
        m_catalog = m_dir / "trip.CAT";
        const CommandResult made = runCli(m_dir, m_home, {"new-catalog", m_catalog.string(), "--photos", (m_dir / "photos").string()});
        ASSERT_EQ(made.status, 0) << made.output;
    }

    // profiles/loopback.prf: the account of the fixture's pyftpdlib server.
    void writeLoopbackProfile(const FtpTestServers& servers) const
    {
        FtpProfile profile;
        profile.ftp = "127.0.0.1:" + std::to_string(servers.ftpPort);
        profile.user = servers.user;
        profile.password = servers.password;
        profile.ftpHomeDirectory = "/";
        fs::create_directories(m_home + "profiles");
        profile.write(m_home + "profiles/loopback.prf");
    }

    test::TempDir m_dir;
    std::string m_home;
    fs::path m_catalog;
};

TEST_F(UploadCommandTest, RefusesWhenNoAlbumWasGenerated)
{
    const CommandResult result = runCli(m_dir, m_home, {"upload", m_catalog.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("no album has been generated"), std::string::npos) << result.output;
}

TEST_F(UploadCommandTest, PublishesTheGeneratedAlbumByteForByte)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    const std::string directory = "cli-upload-" + std::to_string(::getpid());
    const fs::path output = m_dir / "out";
    fs::create_directories(output);
    {
        BigIniFile catalog(m_catalog.string());
        catalog.writeString("FTP", "UploadDirectory", directory);
        catalog.writeString("FTP", "PassiveMode", "1");
        catalog.writeString("Generate Options", "OutputFolder", output.string() + "/");
        catalog.flushFile();
    }
    writeLoopbackProfile(servers);

    const CommandResult generated = runCli(m_dir, m_home, {"generate", m_catalog.string()});
    ASSERT_EQ(generated.status, 0) << generated.output;

    const CommandResult uploaded
        = runCli(m_dir, m_home, {"upload", m_catalog.string(), "--profile", "loopback.prf", "--verbose"});
    ASSERT_EQ(uploaded.status, 0) << uploaded.output;
    EXPECT_NE(uploaded.output.find("FTP finished."), std::string::npos) << uploaded.output;
    EXPECT_EQ(uploaded.output.find(servers.password), std::string::npos) << "the password must never be shown";

    // Every remote file is the local one; pages travel as text, so CR LF arrives as LF.
    const fs::path remote = fs::path(servers.home) / directory;
    std::map<std::string, std::string> sent;
    for (const auto& entry : fs::directory_iterator(remote))
        sent[entry.path().filename().string()] = readFile(entry.path());
    for (const auto& [name, bytes] : sent) {
        std::string local = readFile(output / name);
        if (name.ends_with(".htm")) {
            std::string text;
            for (std::size_t i = 0; i < local.size(); ++i) {
                if (!(local[i] == '\r' && i + 1 < local.size() && local[i + 1] == '\n'))
                    text.push_back(local[i]);
            }
            local = text;
        }
        EXPECT_EQ(bytes, local) << name;
    }
    for (const char* name : {"myalbum.htm", "beach_day.jpg", "dune.jpg", "night.jpg",
                             "jpg_beach_day.htm", "thumb_jpg_night.jpg", "next.gif"})
        EXPECT_TRUE(sent.count(name)) << name << " was not uploaded";
    fs::remove_all(remote);
}

TEST_F(UploadCommandTest, SendsAnAlbumGeneratedElsewhereAndSaysWhyItCannotConnect)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    const fs::path output = m_dir / "elsewhere";
    const CommandResult generated = runCli(m_dir, m_home, {"generate", m_catalog.string(), "--output", output.string()});
    ASSERT_EQ(generated.status, 0) << generated.output;

    struct Case {
        std::string host;
        std::string password;
        const char* cause;
    };
    const std::string server = "127.0.0.1:" + std::to_string(servers.ftpPort);
    fs::create_directories(m_home + "profiles");
    for (const Case& c : {Case{server, "not the password", "cause: log-in refused"},
                          Case{"127.0.0.1:1", servers.password, "cause: connection refused"}}) {
        FtpProfile profile;
        profile.ftp = c.host;
        profile.user = servers.user;
        profile.password = c.password;
        profile.write(m_home + "profiles/case.prf");
        const CommandResult result = runCli(
            m_dir, m_home, {"upload", m_catalog.string(), "--profile", "case.prf", "--output", output.string()});
        EXPECT_EQ(result.status, 1);
        // Past the check for a generated album, the upload reached the server.
        EXPECT_NE(result.output.find("Failed to connect"), std::string::npos) << result.output;
        EXPECT_NE(result.output.find(c.cause), std::string::npos) << result.output;
    }
}

// --sync sends only what changed since the last sync upload; --delete-stale needs it.
TEST_F(UploadCommandTest, SyncSendsNothingTheSecondTime)
{
    const FtpTestServers servers = FtpTestServers::load(FTP_SERVERS_STATE);
    const fs::path output = m_dir / "synced";
    const CommandResult generated = runCli(m_dir, m_home, {"generate", m_catalog.string(), "--output", output.string()});
    ASSERT_EQ(generated.status, 0) << generated.output;
    const std::string directory = "cli-sync-" + std::to_string(::getpid());
    {
        BigIniFile catalog(m_catalog.string());
        catalog.writeString("FTP", "UploadDirectory", directory);
        catalog.flushFile();
    }
    writeLoopbackProfile(servers);
    const std::vector<std::string> upload = {"upload", m_catalog.string(), "--profile", "loopback.prf", "--output",
                                             output.string(), "--verbose", "--sync"};

    const CommandResult refused = runCli(m_dir, m_home, {"upload", m_catalog.string(), "--delete-stale"});
    EXPECT_EQ(refused.status, 1) << refused.output;
    EXPECT_NE(refused.output.find("[--sync [--delete-stale]]"), std::string::npos) << refused.output;

    const CommandResult first = runCli(m_dir, m_home, upload);
    ASSERT_EQ(first.status, 0) << first.output;
    EXPECT_NE(first.output.find("  PUT night.jpg\n"), std::string::npos) << first.output;
    const CommandResult second = runCli(m_dir, m_home, upload);
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(second.output.find("  PUT "), std::string::npos) << second.output;
    EXPECT_NE(second.output.find("FTP finished."), std::string::npos) << second.output;
    fs::remove_all(fs::path(servers.home) / directory);
}

} // namespace
} // namespace pictaven
