#include "AlbumLayout.h"
#include "UploadRecorder.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "ini/BigIniFile.h"
#include "publish/FtpError.h"
#include "publish/FtpProfile.h"
#include "publish/RemoteConnection.h"
#include "publish/SftpSession.h"
#include "publish/Socket.h"
#include "publish/Uploader.h"
#include "support/CliRun.h"
#include "support/SshTestServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <thread>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::SshTestServer;

struct Failure {
    std::string text;
    ErrorKind failure = ErrorKind::Other;
};

Failure failureOf(RemoteSession& session)
{
    try {
        session.connect();
    } catch (const FtpError& error) {
        return {error.what(), error.kind()};
    }
    return {"connected", ErrorKind::Other};
}

// CR LF as LF, every other byte as it is: a page as a Unix server stores it in FTP's ASCII type.
std::string withUnixLineEnds(const std::string& text)
{
    std::string stored;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n')
            stored.push_back(text[i]);
    }
    return stored;
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Carries connections to `target` on 127.0.0.1 one after another. The first is cut, both ways,
// once the client has sent `cutAfter` bytes through it, as a dropped line would cut it.
class CuttingRelay {
public:
    CuttingRelay(std::uint16_t target, std::size_t cutAfter)
        : m_listener(Socket::listenOn("127.0.0.1"))
        , m_target(target)
        , m_cutAfter(cutAfter)
        , m_thread([this] { carryAll(); })
    {
    }
    ~CuttingRelay()
    {
        m_stop = true;
        m_thread.join();
    }

    std::uint16_t port() const { return m_listener.localAddress().port; }
    int connections() const { return m_connections; }

private:
    void carryAll()
    {
        while (!m_stop) {
            try {
                if (!m_listener.readable(50))
                    continue;
                Socket client = m_listener.accept(5000);
                Socket server = Socket::connectTo("127.0.0.1", m_target, 5000);
                carry(client, server, ++m_connections == 1);
            } catch (const FtpError&) {
                // That connection is over; the next may come.
            }
        }
    }

    void carry(Socket& client, Socket& server, bool cut)
    {
        char buffer[16384];
        std::size_t sent = 0;
        while (!m_stop) {
            client.readable(10, &server);
            if (client.readable(0)) {
                const std::size_t got = client.readSome(buffer, sizeof buffer, 0);
                if (got == 0)
                    return;
                server.writeAll(buffer, got, 5000);
                sent += got;
                if (cut && sent > m_cutAfter)
                    return; // both sockets close as they go out of scope
            }
            if (server.readable(0)) {
                const std::size_t got = server.readSome(buffer, sizeof buffer, 0);
                if (got == 0)
                    return;
                client.writeAll(buffer, got, 5000);
            }
        }
    }

    Socket m_listener;
    std::uint16_t m_target;
    std::size_t m_cutAfter;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    std::thread m_thread;
};

// Carries one connection to `target` on 127.0.0.1 until frozen; from then on it passes nothing
// either way, as a dead route would.
class FreezingRelay {
public:
    explicit FreezingRelay(std::uint16_t target)
        : m_listener(Socket::listenOn("127.0.0.1"))
        , m_target(target)
        , m_thread([this] { carry(); })
    {
    }
    ~FreezingRelay()
    {
        m_stop = true;
        m_thread.join();
    }

    std::uint16_t port() const { return m_listener.localAddress().port; }
    void freeze() { m_frozen = true; }

private:
    void carry()
    {
        try {
            Socket client = m_listener.accept(5000);
            Socket server = Socket::connectTo("127.0.0.1", m_target, 5000);
            char buffer[65536];
            auto pass = [&buffer](Socket& from, Socket& to) {
                if (!from.readable(0))
                    return true;
                const std::size_t got = from.readSome(buffer, sizeof buffer, 0);
                to.writeAll(buffer, got, 5000);
                return got > 0;
            };
            while (!m_stop) {
                if (m_frozen) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                    continue;
                }
                client.readable(10, &server);
                if (!pass(client, server) || !pass(server, client))
                    return;
            }
        } catch (const FtpError&) {
            // The session under test went away.
        }
    }

    Socket m_listener;
    std::uint16_t m_target;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_frozen{false};
    std::thread m_thread;
};

class SftpRealServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Only the tests that want the agent get it.
        ::unsetenv("SSH_AUTH_SOCK");
    }

    // A session to the test server that logs in with `keyFile` and knows nothing yet.
    void prepare(SftpSession& session, const std::string& keyFile) const
    {
        session.setHost(server.address());
        session.setUsername(server.user);
        session.setKeyFile(keyFile);
        session.setKnownHostsFile(knownHosts());
        session.setTimeouts(5000, 10000);
    }

    std::string knownHosts() const { return (local / "known_hosts").string(); }

    // A fresh folder `name` in the account's home.
    fs::path remoteFolder(const std::string& name) const
    {
        const fs::path folder = fs::path(server.home) / name;
        fs::remove_all(folder);
        return folder;
    }

    const SshTestServer server = SshTestServer::load(SSHD_STATE);
    test::TempDir local;
};

TEST_F(SftpRealServer, OperationsChangeTheServersFiles)
{
    const fs::path folder = remoteFolder("operations");
    std::string photo(300000, '\0');
    for (std::size_t i = 0; i < photo.size(); ++i)
        photo[i] = static_cast<char>(i * 7 + i / 251);
    test::writeFile(local / "photo.jpg", photo);
    // CR LF pairs everywhere, one cut by the end of a write, and CRs on their own.
    std::string page = "<html>\r\n\r\n";
    page += std::string(32768 - 1 - page.size(), 'x') + "\r\nlone\rcr\r\n\r";
    test::writeFile(local / "page.htm", page);

    SftpSession session;
    prepare(session, server.userKey);
    session.setTrustedKey(server.hostFingerprint);
    session.connect();
    ASSERT_TRUE(session.connected());
    const std::string home = fs::canonical(server.home).string();
    EXPECT_EQ(session.currentDirectory(), home);
    session.makeDirectory("operations");
    session.changeDirectory("operations");
    EXPECT_EQ(session.currentDirectory(), home + "/operations");
    session.makeDirectory("sub");
    EXPECT_THROW(session.makeDirectory("sub"), FtpError);

    session.putFile((local / "photo.jpg").string(), "photo.jpg");
    EXPECT_TRUE(test::readFile(folder / "photo.jpg") == photo) << "the binary file differs";
    session.selectTransferType(TransferType::Ascii);
    session.putFile((local / "page.htm").string(), "page.htm");
    EXPECT_EQ(test::readFile(folder / "page.htm"), withUnixLineEnds(page));

    // An upload over a longer file leaves exactly the new bytes.
    for (const auto type : {TransferType::Binary, TransferType::Ascii}) {
        test::writeFile(folder / "replaced", std::string(page.size() + 5000, 'z'));
        session.selectTransferType(type);
        session.putFile((local / "page.htm").string(), "replaced");
        const std::string sent = type == TransferType::Ascii ? withUnixLineEnds(page) : page;
        const std::string kept = test::readFile(folder / "replaced");
        EXPECT_EQ(kept.size(), sent.size());
        EXPECT_TRUE(kept == sent) << "the replaced file differs";
    }
    session.removeFile("replaced");

    // Resumed files: the server holds the start, the rest follows.
    for (const auto type : {TransferType::Binary, TransferType::Ascii}) {
        const bool ascii = type == TransferType::Ascii;
        const std::string whole = ascii ? withUnixLineEnds(page) : photo;
        const std::size_t kept = ascii ? 32766 : 100000;
        test::writeFile(folder / "resumed", whole.substr(0, kept));
        session.selectTransferType(type);
        session.resumeFile((local / (ascii ? "page.htm" : "photo.jpg")).string(), "resumed", kept);
        EXPECT_TRUE(test::readFile(folder / "resumed") == whole) << (ascii ? "ascii" : "binary");
    }

    EXPECT_EQ(session.listNames("*.*"), (std::vector<std::string>{"page.htm", "photo.jpg"}));
    EXPECT_EQ(session.listNames(""), (std::vector<std::string>{"page.htm", "photo.jpg", "resumed", "sub"}));
    const auto files = session.listFiles();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].name, "page.htm");
    EXPECT_EQ(files[0].size, withUnixLineEnds(page).size());
    EXPECT_EQ(files[1].name, "photo.jpg");
    EXPECT_EQ(files[1].size, photo.size());

    session.renameFile("photo.jpg", "page.htm");
    EXPECT_TRUE(test::readFile(folder / "page.htm") == photo) << "the rename did not replace the target";
    session.renameFile("page.htm", "renamed.jpg");
    session.removeFile("resumed");
    EXPECT_EQ(session.listNames(""), (std::vector<std::string>{"renamed.jpg", "sub"}));
    EXPECT_THROW(session.removeFile("resumed"), FtpError);

    session.changeDirectory("..");
    EXPECT_EQ(session.currentDirectory(), home);
    session.changeDirectory(home + "/operations/sub");
    EXPECT_EQ(session.currentDirectory(), home + "/operations/sub");
    try {
        session.changeDirectory("missing");
        ADD_FAILURE() << "changed to a missing folder";
    } catch (const FtpError& failure) {
        EXPECT_TRUE(contains(failure.what(), "missing")) << failure.what();
    }
    session.disconnect();
    EXPECT_FALSE(session.connected());
}

TEST_F(SftpRealServer, UnknownHostKeyIsAskedOnceThenKnown)
{
    SftpSession first;
    prepare(first, server.userKey);
    std::string asked;
    first.setTrustQuestion([&asked](const std::string& question) {
        asked = question;
        return true;
    });
    first.connect();
    EXPECT_TRUE(contains(asked, server.hostFingerprint)) << asked;
    EXPECT_EQ(first.trustedKey(), server.hostFingerprint);
    EXPECT_TRUE(contains(test::readFile(knownHosts()), "[127.0.0.1]:" + std::to_string(server.port)));
    first.disconnect();

    // The known hosts file alone lets the next session in, without a question.
    SftpSession later;
    prepare(later, server.userKey);
    later.setTrustQuestion([](const std::string&) {
        ADD_FAILURE() << "asked about a known host key";
        return false;
    });
    later.connect();
    EXPECT_TRUE(later.connected());
}

struct HostKeyCase {
    const char* name;
    bool otherKeyKnown;         // the known hosts file holds another key for the server
    bool otherKeyTrusted;       // the profile trusts another key
    std::optional<bool> answer; // the trust question's answer; none: no question
    const char* says;
};

class SftpHostKeyRefused : public SftpRealServer, public ::testing::WithParamInterface<HostKeyCase> { };

TEST_P(SftpHostKeyRefused, WithTheFingerprintsSeenAndKnown)
{
    const HostKeyCase& c = GetParam();
    if (c.otherKeyKnown)
        test::writeFile(knownHosts(), "[127.0.0.1]:" + std::to_string(server.port) + " " + server.otherHostKey + "\n");
    SftpSession session;
    prepare(session, server.userKey);
    if (c.otherKeyTrusted)
        session.setTrustedKey(server.otherHostFingerprint);
    bool asked = false;
    if (c.answer)
        session.setTrustQuestion([&asked, &c](const std::string&) {
            asked = true;
            return *c.answer;
        });
    const Failure failure = failureOf(session);
    EXPECT_EQ(failure.failure, ErrorKind::NotTrusted) << failure.text;
    EXPECT_TRUE(contains(failure.text, c.says)) << failure.text;
    EXPECT_TRUE(contains(failure.text, server.hostFingerprint)) << failure.text;
    const bool changed = c.otherKeyKnown || c.otherKeyTrusted;
    EXPECT_EQ(contains(failure.text, server.otherHostFingerprint), changed) << failure.text;
    // Nobody may wave a changed key through.
    EXPECT_EQ(asked, c.answer.has_value() && !changed);
    EXPECT_FALSE(session.connected());
    EXPECT_EQ(session.trustedKey(), c.otherKeyTrusted ? server.otherHostFingerprint : "");
}

INSTANTIATE_TEST_SUITE_P(Cases, SftpHostKeyRefused,
                         ::testing::Values(HostKeyCase{"UnknownWithoutQuestion", false, false, std::nullopt,
                                                       "is not known"},
                                           HostKeyCase{"UnknownDeclined", false, false, false, "is not known"},
                                           HostKeyCase{"ChangedInKnownHosts", true, false, true, "has changed"},
                                           HostKeyCase{"ChangedFromProfile", false, true, true, "has changed"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SftpRealServer, WrongKeyOrPasswordIsALogInRefusal)
{
    const std::string password = "not-the-pass word";
    for (const bool withPassword : {false, true}) {
        SftpSession session;
        prepare(session, server.strangerKey);
        session.setTrustedKey(server.hostFingerprint);
        if (withPassword)
            session.setPassword(password);
        const Failure failure = failureOf(session);
        EXPECT_EQ(failure.failure, ErrorKind::LogInRefused) << failure.text;
        EXPECT_TRUE(contains(failure.text, "public key")) << failure.text;
        EXPECT_EQ(contains(failure.text, "password"), withPassword) << failure.text;
        EXPECT_FALSE(contains(failure.text, password)) << failure.text;
        EXPECT_FALSE(session.connected());
    }
}

// A key file OpenSSH would not use is an error naming it, even where the agent's key or the
// password would let the log-in go on without it.
TEST_F(SftpRealServer, UnusableKeyFileIsAnErrorNamingIt)
{
    ::setenv("SSH_AUTH_SOCK", server.agentSocket.c_str(), 1);
    const fs::path key = local / "copied_key";
    fs::copy_file(server.userKey, key);
    fs::permissions(key, fs::perms(0600));
    {
        SftpSession session;
        prepare(session, key.string());
        session.setTrustedKey(server.hostFingerprint);
        ASSERT_EQ(failureOf(session).text, "connected");
    }
    fs::create_directory(local / "folder");
    const struct {
        unsigned mode;
        fs::path file;
        std::string said;
    } cases[] = {
        {0644, key, " can be read by other users (permissions 0644)"},
        {0640, key, " can be read by other users (permissions 0640)"},
        {0600, local / "no_such_key", " cannot be read: No such file or directory."},
        {0600, local / "folder", " is not a file."},
    };
    for (const auto& entry : cases) {
        fs::permissions(key, fs::perms(entry.mode));
        SftpSession session;
        prepare(session, entry.file.string());
        session.setTrustedKey(server.hostFingerprint);
        session.setPassword("any password");
        const Failure failure = failureOf(session);
        EXPECT_TRUE(contains(failure.text, "The SSH key file " + entry.file.string() + entry.said)) << failure.text;
        EXPECT_FALSE(session.connected());
    }
}

// A connection cut in the middle of a photo: the upload connects again, finds how much of the
// temporary file arrived and sends the rest, and the photo on the server is whole.
TEST_F(SftpRealServer, UploadSurvivesAConnectionCutMidFile)
{
    const fs::path folder = remoteFolder("sftp-cut");
    test::AlbumLayout album(local.path());
    std::string big;
    for (unsigned i = 0; i < 3000000; ++i)
        big.push_back(static_cast<char>((i * 2654435761u) >> 24));
    const auto photo = std::find_if(album.remote.begin(), album.remote.end(), [](const auto& file) {
        return contains(file.first, ".jpg") && !contains(file.first, "thumb");
    });
    ASSERT_NE(photo, album.remote.end());
    test::writeFile(album.outputFolder + photo->first, big);
    photo->second = big;

    CuttingRelay relay(server.port, 1500000);
    UploadJob job = album.job;
    job.profile.ftp = "127.0.0.1:" + std::to_string(relay.port());
    job.profile.protocol = RemoteProtocol::Sftp;
    job.profile.user = server.user;
    job.profile.keyFile = server.userKey;
    job.profile.trustedKey = server.hostFingerprint;
    job.profile.ftpHomeDirectory = "/";
    job.settings.UploadDirectory = "sftp-cut/album";
    RemoteConnection session;
    session.setKnownHostsFile(knownHosts());
    session.setTimeouts(5000, 5000);
    test::UploadRecorder recorder;
    Uploader uploader(session, recorder.observer());
    uploader.setRetryDelays({std::chrono::milliseconds(10), std::chrono::milliseconds(10)});
    EXPECT_EQ(uploader.run(job), UploadResult::Finished);

    EXPECT_EQ(recorder.errors, std::vector<std::string>{});
    EXPECT_EQ(relay.connections(), 2);
    EXPECT_TRUE(std::any_of(recorder.log.begin(), recorder.log.end(), [&](const std::string& line) {
        return line.starts_with("RESUME " + photo->first + " FROM ") && line != "RESUME " + photo->first + " FROM 0";
    })) << "the photo was not resumed";
    for (const auto& [name, bytes] : album.remote)
        EXPECT_TRUE(test::readFile(folder / "album" / name) == bytes) << name << " differs";
}

TEST_F(SftpRealServer, SilentServerTimesOut)
{
    // The connection is accepted by the system but nothing ever answers.
    Socket listener = Socket::listenOn("127.0.0.1");
    SftpSession session;
    prepare(session, server.userKey);
    session.setHost("127.0.0.1:" + std::to_string(listener.localAddress().port));
    session.setTimeouts(500, 500);
    const Failure failure = failureOf(session);
    EXPECT_EQ(failure.failure, ErrorKind::TimedOut) << failure.text;
}

TEST_F(SftpRealServer, DeadConnectionTimesOutOrIsAborted)
{
    for (const bool aborted : {false, true}) {
        FreezingRelay relay(server.port);
        SftpSession session;
        prepare(session, server.userKey);
        session.setHost("127.0.0.1:" + std::to_string(relay.port()));
        session.setTrustedKey(server.hostFingerprint);
        // Logging in on a loaded machine may take longer than the short read time-out that the
        // frozen call is to meet; it is set once the session stands. Aborted, the call must end
        // long before its read time-out.
        session.setTimeouts(5000, 30000);
        session.connect();
        session.setTimeouts(5000, aborted ? 600000 : 500);
        relay.freeze();
        std::thread canceller;
        if (aborted)
            canceller = std::thread([&session] {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                session.abort();
            });
        try {
            session.makeDirectory("never");
            ADD_FAILURE() << "the call went through a frozen connection";
        } catch (const FtpError& failure) {
            if (!aborted) {
                EXPECT_EQ(failure.kind(), ErrorKind::TimedOut) << failure.what();
            }
        }
        if (canceller.joinable())
            canceller.join();
        session.disconnect();
    }
}

TEST_F(SftpRealServer, UploaderSendsTheWholeAlbumThroughTheAgentsKey)
{
    ::setenv("SSH_AUTH_SOCK", server.agentSocket.c_str(), 1);
    const fs::path folder = remoteFolder("sftp-upload");
    test::AlbumLayout album(local.path());
    UploadJob job = album.job;
    job.profile.ftp = server.address();
    job.profile.protocol = RemoteProtocol::Sftp;
    job.profile.user = server.user;
    job.profile.ftpHomeDirectory = "/";
    job.settings.UploadDirectory = "sftp-upload/album";
    // The program's FTP proxy is passed by.
    job.proxy.enableProxy = true;
    job.proxy.proxyName = "127.0.0.1";
    job.proxy.proxyPort = 1;
    job.proxy.firewallType = "User";

    RemoteConnection session;
    session.setKnownHostsFile(knownHosts());
    session.setTimeouts(5000, 10000);
    std::vector<std::string> notes;
    session.setLog([&notes](const std::string& line) { notes.push_back(line); });
    test::UploadRecorder recorder;
    UploadObserver observer = recorder.observer();
    observer.trustCertificate = [](const std::string&) { return true; };
    std::string kept;
    observer.keyTrusted = [&kept](const std::string& key) { kept = key; };
    Uploader uploader(session, observer);
    EXPECT_EQ(uploader.run(job), UploadResult::Finished);

    EXPECT_EQ(recorder.errors, std::vector<std::string>{});
    EXPECT_EQ(recorder.logMessages, std::vector<std::string>{});
    EXPECT_EQ(recorder.warnings, std::vector<std::string>{});
    EXPECT_EQ(kept, server.hostFingerprint);
    EXPECT_EQ(notes, std::vector<std::string>{"The FTP proxy 127.0.0.1 is not used for SFTP; connecting directly."});
    std::set<std::string> stored;
    for (const auto& entry : fs::directory_iterator(folder / "album"))
        stored.insert(entry.path().filename().string());
    std::set<std::string> expected;
    for (const auto& [name, bytes] : album.remote) {
        expected.insert(name);
        const std::string remote = test::readFile(folder / "album" / name);
        // Resumable transfers send pages byte for byte too.
        EXPECT_TRUE(remote == bytes) << name << " differs";
    }
    EXPECT_EQ(stored, expected);
    EXPECT_FALSE(session.connected());

    // Sync over SFTP: the first run has no record and sends all again, the second sends nothing.
    job.syncUpload = true;
    EXPECT_EQ(uploader.run(job), UploadResult::Finished);
    EXPECT_EQ(uploader.run(job), UploadResult::Finished);
    EXPECT_EQ(std::count_if(recorder.log.begin(), recorder.log.end(),
                            [](const std::string& line) { return line.starts_with("PUT "); }),
              0);
    EXPECT_EQ(recorder.errors, std::vector<std::string>{});
    for (const auto& [name, bytes] : album.remote)
        EXPECT_TRUE(test::readFile(folder / "album" / name) == bytes) << name << " differs";
}

// The command line never accepts a host key on its own: it names the key it saw, and uploads
// once the profile trusts that key, logging in with the profile's key file.
TEST_F(SftpRealServer, CommandLineUploadWaitsForTheProfileToTrustTheKey)
{
    const std::string programFolder = local.str() + "home/";
    const fs::path photos = local / "photos";
    fs::create_directories(photos);
    Bitmap picture(120, 80, 24);
    for (int x = 0; x < picture.width(); ++x)
        picture.setPixel(x, x % picture.height(), Colour{200, 40, static_cast<std::uint8_t>(x)});
    writeJpeg(picture, (photos / "dune.jpg").string(), 90);
    const fs::path catalog = local / "dunes.CAT";
    const fs::path output = local / "out";
    auto cli = [&](const std::vector<std::string>& args) { return test::runCli(local.path(), programFolder, args); };
    test::CliRun run = cli({"new-catalog", catalog.string(), "--photos", photos.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    {
        BigIniFile settings(catalog.string());
        settings.writeString("FTP", "UploadDirectory", "cli-upload");
        settings.flushFile();
    }
    run = cli({"generate", catalog.string(), "--output", output.string()});
    ASSERT_EQ(run.status, 0) << run.err;

    const fs::path remote = remoteFolder("cli-upload");
    FtpProfile profile;
    profile.ftp = server.address();
    profile.protocol = RemoteProtocol::Sftp;
    profile.user = server.user;
    profile.keyFile = server.userKey;
    fs::create_directories(programFolder + "profiles");
    profile.write(programFolder + "profiles/ssh.prf");
    const std::vector<std::string> upload = {"upload",  catalog.string(), "--profile",
                                             "ssh.prf", "--output",       output.string()};
    run = cli(upload);
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(contains(run.err, "cause: certificate or host key refused")) << run.err;
    EXPECT_TRUE(contains(run.err, server.hostFingerprint)) << run.err;
    EXPECT_FALSE(fs::exists(remote));

    profile.trustedKey = server.hostFingerprint;
    profile.write(programFolder + "profiles/ssh.prf");
    run = cli(upload);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(contains(test::readFile(programFolder + "known_hosts"), "[127.0.0.1]:" + std::to_string(server.port)));
    std::set<std::string> sent;
    for (const auto& entry : fs::directory_iterator(remote)) {
        const std::string name = entry.path().filename().string();
        sent.insert(name);
        const std::string bytes = test::readFile(output / name);
        EXPECT_TRUE(test::readFile(entry.path()) == bytes) << name << " differs";
    }
    for (const char* name : {"myalbum.htm", "dune.jpg", "jpg_dune.htm", "thumb_jpg_dune.jpg"})
        EXPECT_TRUE(sent.contains(name)) << name << " was not uploaded";
}

} // namespace
} // namespace pictaven
