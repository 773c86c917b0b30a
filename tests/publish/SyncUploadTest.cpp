#include "AlbumLayout.h"
#include "UploadRecorder.h"
#include "publish/RemoteConnection.h"
#include "publish/SyncRecord.h"
#include "publish/Uploader.h"
#include "support/FtpTestServers.h"
#include "support/ScriptedFtpServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace pictaven {
namespace {

using test::AlbumLayout;
using test::FtpTestServers;
using test::UploadRecorder;
namespace fs = std::filesystem;

// tests/support/faulty_ftp_server.py with one fault, on 127.0.0.1, for the life of the object;
// with `tls`, an FTPS server.
class FaultyServer {
public:
    explicit FaultyServer(std::vector<std::string> fault, bool tls = false)
    {
        std::vector<std::string> words = {"/usr/bin/python3", FAULTY_SERVER_SCRIPT};
        if (tls)
            words.push_back("--tls");
        words.push_back(m_dir.path().string());
        words.insert(words.end(), fault.begin(), fault.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        if (::posix_spawn(&m_pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("cannot start the faulty FTP server");
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!fs::exists(m_dir / "ready") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream ready(m_dir / "ready");
        std::string port;
        std::getline(ready, port);
        std::getline(ready, user);
        std::getline(ready, password);
        std::getline(ready, fingerprint);
        if (password.empty()) {
            stop();
            throw std::runtime_error("the faulty FTP server did not start");
        }
        host = "127.0.0.1:" + port;
    }
    ~FaultyServer() { stop(); }
    FaultyServer(const FaultyServer&) = delete;
    FaultyServer& operator=(const FaultyServer&) = delete;

    fs::path home() const { return m_dir / "home"; }

    std::string host;
    std::string user;
    std::string password;
    std::string fingerprint; // of the certificate, with tls

private:
    void stop()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }

    test::TempDir m_dir;
    pid_t m_pid = -1;
};

std::map<std::string, std::string> remoteFiles(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = test::readFile(entry.path());
    return files;
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& log, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : log) {
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line.substr(prefix.size()));
    }
    return found;
}

bool isPage(const std::string& name)
{
    return name.find(".htm") != std::string::npos;
}

struct SyncRun {
    UploadResult result = UploadResult::Failed;
    bool finished = false;
    UploadRecorder recorder;
    std::vector<std::string> sent; // the names of the PUT lines, in order
};

std::unique_ptr<SyncRun> upload(const UploadJob& job)
{
    auto run = std::make_unique<SyncRun>();
    RemoteConnection session;
    session.setTimeouts(5000, 10000);
    Uploader uploader(session, run->recorder.observer());
    using std::chrono::milliseconds;
    uploader.setRetryDelays({milliseconds(10), milliseconds(20), milliseconds(40)});
    run->result = uploader.run(job);
    run->finished = run->result == UploadResult::Finished;
    run->sent = linesStartingWith(run->recorder.log, "PUT ");
    // A failed upload keeps its connection until Cancel, as step 5 does.
    if (!run->finished)
        uploader.cancel();
    EXPECT_FALSE(session.connected());
    return run;
}

SyncRecord recordOf(const AlbumLayout& album, const UploadJob& job, const std::string& folder)
{
    std::string note;
    SyncRecord record = SyncRecord::load(album.outputFolder + SyncRecord::fileName,
                                         job.profile.user + "@" + job.profile.ftp + " /" + folder, note);
    EXPECT_EQ(note, "");
    return record;
}

struct SyncServer {
    const char* name;
    bool pure;
};

class SyncUpload : public ::testing::TestWithParam<SyncServer> {
protected:
    void SetUp() override
    {
        servers = FtpTestServers::load(FTP_SERVERS_STATE);
        folder = std::string("sync-") + GetParam().name;
        remote = fs::path(GetParam().pure ? servers.pureHome : servers.home) / folder;
        fs::remove_all(remote);
        job = album.job;
        job.profile.ftp = "127.0.0.1:" + std::to_string(GetParam().pure ? servers.purePort : servers.ftpPort);
        job.profile.user = servers.user;
        job.profile.password = servers.password;
        job.profile.ftpHomeDirectory = "/";
        job.settings.UploadDirectory = folder;
        job.settings.PassiveMode = true;
        job.syncUpload = true;
    }

    FtpTestServers servers;
    test::TempDir local;
    AlbumLayout album{local.path()};
    UploadJob job;
    std::string folder;
    fs::path remote;
};

TEST_P(SyncUpload, SendsPicturesBeforePagesThenOnlyWhatChanged)
{
    const auto first = upload(job);
    ASSERT_TRUE(first->finished);
    EXPECT_EQ(first->recorder.logMessages, std::vector<std::string>{});
    EXPECT_EQ(first->recorder.warnings, std::vector<std::string>{});
    // Sent in binary, every file arrives byte for byte, pages too, and no temporary file stays.
    EXPECT_TRUE(remoteFiles(remote) == album.remote);
    ASSERT_EQ(first->sent.size(), album.remote.size());
    const auto firstPage = std::find_if(first->sent.begin(), first->sent.end(), isPage);
    EXPECT_TRUE(std::all_of(firstPage, first->sent.end(), isPage));
    EXPECT_EQ(recordOf(album, job, folder).files().size(), album.remote.size());

    const auto long_ago = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    for (const auto& entry : fs::directory_iterator(remote))
        fs::last_write_time(entry.path(), long_ago);
    const auto second = upload(job);
    EXPECT_TRUE(second->finished);
    EXPECT_EQ(second->sent, std::vector<std::string>{});
    EXPECT_EQ(linesStartingWith(second->recorder.log, "SYNC "),
              std::vector<std::string>{"0 OF " + std::to_string(album.remote.size()) + " FILES CHANGED"});
    for (const auto& entry : fs::directory_iterator(remote))
        EXPECT_EQ(fs::last_write_time(entry.path()), long_ago) << entry.path();

    // One photo made again: the photo, its thumbnail, its page and the index page that shows it.
    for (const char* name : {"DSC01.jpg", "thumb_jpg_DSC01.jpg", "jpg_DSC01.htm", "myalbum.htm"}) {
        album.remote[name] += "retouched";
        test::writeFile(album.outputFolder + name, album.remote[name]);
    }
    // A run cut off for good left the temporary file of a file that has not changed since.
    const std::string leftover = std::prev(album.remote.end())->first + ".part";
    test::writeFile(remote / leftover, "cut off");
    const auto third = upload(job);
    EXPECT_TRUE(third->finished);
    EXPECT_EQ(third->sent,
              (std::vector<std::string>{"thumb_jpg_DSC01.jpg", "DSC01.jpg", "myalbum.htm", "jpg_DSC01.htm"}));
    EXPECT_EQ(linesStartingWith(third->recorder.log, "DELETE "), std::vector<std::string>{leftover});
    EXPECT_TRUE(remoteFiles(remote) == album.remote);
}

TEST_P(SyncUpload, SendsAgainWhatTheServerNoLongerHasAsSent)
{
    ASSERT_TRUE(upload(job)->finished);
    // The record says both were sent; one is gone from the server, the other was cut short there.
    fs::remove(remote / "DSC01.jpg");
    test::writeFile(remote / "jpg_scan.htm", album.remote["jpg_scan.htm"].substr(0, 10));
    const auto again = upload(job);
    EXPECT_TRUE(again->finished);
    EXPECT_EQ(again->sent, (std::vector<std::string>{"DSC01.jpg", "jpg_scan.htm"}));
    EXPECT_TRUE(remoteFiles(remote) == album.remote);
}

TEST_P(SyncUpload, DeletesFilesTheAlbumDroppedOnlyWhenAskedAndNeverOthers)
{
    ASSERT_TRUE(upload(job)->finished);
    test::writeFile(remote / "guestbook.txt", "someone else's file");
    job.photos.pop_back(); // scan.jpg leaves the album

    const auto kept = upload(job);
    EXPECT_TRUE(kept->finished);
    EXPECT_EQ(linesStartingWith(kept->recorder.log, "DELETE "), std::vector<std::string>{});
    EXPECT_EQ(remoteFiles(remote).size(), album.remote.size() + 1);

    job.deleteStale = true;
    const auto cleaned = upload(job);
    EXPECT_TRUE(cleaned->finished);
    EXPECT_EQ(cleaned->sent, std::vector<std::string>{});
    EXPECT_EQ(linesStartingWith(cleaned->recorder.log, "DELETE "),
              (std::vector<std::string>{"jpg_scan.htm", "scan.jpg", "thumb_jpg_scan.jpg"}));
    auto expected = album.remote;
    for (const char* name : {"jpg_scan.htm", "scan.jpg", "thumb_jpg_scan.jpg"})
        expected.erase(name);
    expected["guestbook.txt"] = "someone else's file";
    EXPECT_TRUE(remoteFiles(remote) == expected);
    EXPECT_EQ(recordOf(album, job, folder).find("scan.jpg"), nullptr);
}

TEST_P(SyncUpload, DamagedOrForeignRecordSendsEverythingAndSaysSo)
{
    struct Case {
        std::string record;
        const char* note;
    };
    const std::string header =
        "Pictaven sync record 1\nplace " + job.profile.user + "@" + job.profile.ftp + " /" + folder;
    const Case cases[] = {
        {header + "\n12 zz DSC01.jpg\n", "is damaged (line 3)"},
        {header, "is damaged (cut short)"},
        {"\x89PNG\r\n", "is damaged (unknown first line)"},
        {"Pictaven sync record 1\nplace pictaven@elsewhere:21 /album\n", "is of another place"},
    };
    ASSERT_TRUE(upload(job)->finished);
    for (const Case& c : cases) {
        test::writeFile(album.outputFolder + SyncRecord::fileName, c.record);
        const auto full = upload(job);
        EXPECT_TRUE(full->finished);
        EXPECT_EQ(full->sent.size(), album.remote.size()) << c.note;
        EXPECT_EQ(std::count_if(full->recorder.log.begin(), full->recorder.log.end(),
                                [&](const std::string& line) { return line.find(c.note) != std::string::npos; }),
                  1)
            << c.note;
        EXPECT_EQ(upload(job)->sent, std::vector<std::string>{}) << c.note;
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, SyncUpload,
                         ::testing::Values(SyncServer{"pyftpdlib", false}, SyncServer{"PureFtpd", true}),
                         [](const ::testing::TestParamInfo<SyncServer>& info) { return std::string(info.param.name); });

// A server without MLSD: the upload lists the album directory with NLST and one SIZE per name, an
// empty one refused as empty.
TEST(SyncUploadWithoutMlsd, ListsByNameAndSizeAndSendsNothingTheSecondTime)
{
    test::TempDir local;
    AlbumLayout album(local.path());
    std::map<std::string, std::string> stored; // what the server holds, by full path
    std::string lastHost;
    for (int round = 0; round < 2; ++round) {
        test::ScriptedFtpServer server([&stored](test::ScriptedFtpConnection& c) {
            c.reply("220 ready");
            c.stored = stored;
            std::string renaming;
            auto inCwd = [&c](const std::string& name) { return (c.cwd == "/" ? "/" : c.cwd + "/") + name; };
            c.serve([&](const std::string& command) {
                const std::string argument = command.substr(command.find(' ') + 1);
                if (command == "NLST") {
                    c.listing.clear();
                    for (const auto& entry : c.stored) {
                        if (entry.first.rfind(inCwd(""), 0) == 0)
                            c.listing.push_back(entry.first.substr(inCwd("").size()));
                    }
                    // As some servers answer for an empty directory.
                    if (!c.listing.empty())
                        return false;
                    c.reply("550 No files found");
                } else if (command.rfind("SIZE ", 0) == 0) {
                    const auto file = c.stored.find(inCwd(argument));
                    c.reply(file == c.stored.end() ? "550 No such file" : "213 " + std::to_string(file->second.size()));
                } else if (command.rfind("RNFR ", 0) == 0) {
                    renaming = inCwd(argument);
                    c.reply("350 Ready for RNTO");
                } else if (command.rfind("RNTO ", 0) == 0) {
                    c.stored[inCwd(argument)] = c.stored[renaming];
                    c.stored.erase(renaming);
                    c.reply("250 Renamed");
                } else {
                    return false;
                }
                return true;
            });
            stored = c.stored;
        });
        UploadJob job = album.job;
        job.profile.ftp = server.hostPort();
        job.profile.user = "alice";
        job.profile.password = "secret";
        job.profile.ftpHomeDirectory = "/";
        job.settings.UploadDirectory = "album";
        job.settings.PassiveMode = true;
        job.syncUpload = true;
        // Each scripted server listens on a port of its own: the record is moved along, as
        // for the same server.
        const std::string record = album.outputFolder + SyncRecord::fileName;
        if (round > 0) {
            std::string text = test::readFile(record);
            text.replace(text.find(lastHost), lastHost.size(), job.profile.ftp);
            test::writeFile(record, text);
        }
        lastHost = job.profile.ftp;
        const auto run = upload(job);
        EXPECT_EQ(server.finish(), "");
        EXPECT_TRUE(run->finished) << round;
        EXPECT_EQ(run->sent.size(), round == 0 ? album.remote.size() : 0u);
        const auto commands = server.commands();
        EXPECT_NE(std::find(commands.begin(), commands.end(), "MLSD"), commands.end());
        EXPECT_NE(std::find(commands.begin(), commands.end(), "SIZE DSC01.jpg"), commands.end()) << round;
    }
    std::map<std::string, std::string> expected;
    for (const auto& [name, bytes] : album.remote)
        expected["/album/" + name] = bytes;
    EXPECT_TRUE(stored == expected);
}

class FaultyServerUpload : public ::testing::Test {
protected:
    UploadJob jobFor(const FaultyServer& server)
    {
        UploadJob job = album.job;
        job.profile.ftp = server.host;
        job.profile.user = server.user;
        job.profile.password = server.password;
        job.profile.ftpHomeDirectory = "/";
        job.settings.UploadDirectory = "album";
        job.settings.PassiveMode = true;
        job.syncUpload = true;
        return job;
    }

    // A photo big enough to be cut in the middle.
    void makeBigPhoto()
    {
        std::string bytes;
        for (unsigned i = 0; bytes.size() < 3'000'000; ++i)
            bytes.push_back(static_cast<char>((i * 2654435761u) >> 24));
        album.remote["DSC01.jpg"] = bytes;
        test::writeFile(album.outputFolder + "DSC01.jpg", bytes);
    }

    test::TempDir local;
    AlbumLayout album{local.path()};
};

TEST_F(FaultyServerUpload, ACutTransferIsResumedWhereItStopped)
{
    makeBigPhoto();
    FaultyServer server({"drop", "DSC01.jpg", "1000000", "2"});
    const auto run = upload(jobFor(server));
    EXPECT_TRUE(run->finished);
    EXPECT_EQ(run->recorder.logMessages, std::vector<std::string>{});
    EXPECT_EQ(linesStartingWith(run->recorder.log, "CONNECTION LOST: ").size(), 2u);
    const auto resumed = linesStartingWith(run->recorder.log, "RESUME DSC01.jpg FROM ");
    ASSERT_EQ(resumed.size(), 2u);
    for (const std::string& offset : resumed) {
        EXPECT_GE(std::stoul(offset), 1'000'000u);
        EXPECT_LT(std::stoul(offset), 3'000'000u);
    }
    EXPECT_TRUE(remoteFiles(server.home() / "album") == album.remote);
}

// Over FTPS an upload without sync goes file by file under temporary names, and resumes too.
TEST_F(FaultyServerUpload, AnFtpsUploadResumesACutTransferToo)
{
    makeBigPhoto();
    FaultyServer server({"drop", "DSC01.jpg", "1000000", "1"}, true);
    UploadJob job = jobFor(server);
    job.syncUpload = false;
    job.profile.protocol = RemoteProtocol::Ftps;
    job.profile.trustedKey = server.fingerprint;
    const auto run = upload(job);
    EXPECT_TRUE(run->finished);
    EXPECT_EQ(run->recorder.logMessages, std::vector<std::string>{});
    const auto resumed = linesStartingWith(run->recorder.log, "RESUME DSC01.jpg FROM ");
    ASSERT_EQ(resumed.size(), 1u);
    EXPECT_GE(std::stoul(resumed[0]), 1'000'000u);
    EXPECT_LT(std::stoul(resumed[0]), 3'000'000u);
    EXPECT_TRUE(remoteFiles(server.home() / "album") == album.remote);
}

// A video, the album's biggest file, is resumed where a cut stopped it, as a photo is: in a sync
// upload, and in an FTPS upload of the classic kind; it reaches the server before its pages.
TEST_F(FaultyServerUpload, ACutVideoIsResumedAndArrivesBeforeItsPages)
{
    std::string video;
    for (unsigned i = 0; video.size() < 3'000'000; ++i)
        video.push_back(static_cast<char>((i * 2246822519u) >> 24));
    album.remote["mov_IMG_0001.mp4"] = video;
    for (const char* name : {"poster_mov_IMG_0001.jpg", "thumb_mov_IMG_0001.jpg", "mov_IMG_0001.htm"})
        album.remote[name] = std::string("made for ") + name;
    for (const auto& [name, bytes] : album.remote)
        test::writeFile(album.outputFolder + name, bytes);
    album.job.photos.push_back({"/phone/IMG_0001.MOV", ""});
    for (const bool sync : {true, false}) {
        FaultyServer server({"drop", "mov_IMG_0001.mp4", "1000000", "1"}, !sync);
        UploadJob job = jobFor(server);
        job.syncUpload = sync;
        if (!sync) {
            job.profile.protocol = RemoteProtocol::Ftps;
            job.profile.trustedKey = server.fingerprint;
        }
        const auto run = upload(job);
        EXPECT_TRUE(run->finished) << sync;
        EXPECT_EQ(run->recorder.logMessages, std::vector<std::string>{}) << sync;
        const auto resumed = linesStartingWith(run->recorder.log, "RESUME mov_IMG_0001.mp4 FROM ");
        ASSERT_EQ(resumed.size(), 1u) << sync;
        EXPECT_GE(std::stoul(resumed[0]), 1'000'000u);
        EXPECT_TRUE(remoteFiles(server.home() / "album") == album.remote) << sync;
        const auto first = [&](const std::string& part) {
            return std::find_if(run->recorder.log.begin(), run->recorder.log.end(),
                                [&](const std::string& line) { return line.find(part) != std::string::npos; });
        };
        EXPECT_LT(first("mov_IMG_0001.mp4"), first("mov_IMG_0001.htm")) << sync;
        EXPECT_LT(first("mov_IMG_0001.mp4"), first("myalbum.htm")) << sync;
    }
}

TEST_F(FaultyServerUpload, TooManyCutsFailTheFileAndLeaveNoPageBehindIt)
{
    makeBigPhoto();
    FaultyServer server({"drop", "DSC01.jpg", "500000", "9"});
    const auto run = upload(jobFor(server));
    EXPECT_EQ(run->result, UploadResult::Failed);
    ASSERT_EQ(run->recorder.logMessages.size(), 1u);
    EXPECT_EQ(run->recorder.logMessages[0].rfind("Error uploading file DSC01.jpg\r\nThe connection broke 4 times: ", 0),
              0u)
        << run->recorder.logMessages[0];
    const auto stored = remoteFiles(server.home() / "album");
    EXPECT_EQ(stored.count("DSC01.jpg"), 0u);
    EXPECT_TRUE(std::none_of(stored.begin(), stored.end(), [](const auto& file) { return isPage(file.first); }));
}

TEST_F(FaultyServerUpload, LyingSizesAndAFullDiskFailThatFileAndLeaveTheAlbumAsItWas)
{
    struct Case {
        const char* fault;
        std::string message;
    };
    const std::string lie = "Error uploading file DSC01.jpg\r\nThe server reports " +
                            std::to_string(album.remote["DSC01.jpg"].size() + 1) + " bytes for DSC01.jpg.part";
    for (const Case& c :
         {Case{"lie", lie}, Case{"full", "Error uploading file DSC01.jpg\r\nThe web server has no room for the file "
                                         "(disk full or quota reached): Disk full, no room for this file."}}) {
        FaultyServer server({c.fault, "DSC01.jpg"});
        const UploadJob job = jobFor(server);
        const auto run = upload(job);
        EXPECT_EQ(run->result, UploadResult::Failed) << c.fault;
        ASSERT_EQ(run->recorder.logMessages.size(), 1u) << c.fault;
        EXPECT_EQ(run->recorder.logMessages[0].substr(0, c.message.size()), c.message);
        // The pictures go in place together or not at all, and the pages wait for them: the
        // album directory stays as it was, empty, and so does the record.
        EXPECT_EQ(remoteFiles(server.home() / "album").size(), 0u) << c.fault;
        EXPECT_EQ(recordOf(album, job, "album").files().size(), 0u) << c.fault;
    }
}

} // namespace
} // namespace pictaven
