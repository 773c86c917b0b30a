#pragma once

#include "publish/DeadlineWatch.h"
#include "publish/FtpError.h"
#include "publish/HostPort.h"
#include "publish/RemoteSession.h"
#include "publish/Socket.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ssh_session_struct;
struct sftp_session_struct;

namespace pictaven {

// The program's SFTP client over libssh. The TCP connection is made by the program's own
// socket, so the host lookup and the connect wait at most the connect time-out; the SSH
// handshake waits at most the connect time-out too, and every later step at most the read
// time-out (libssh's own time-out does not end SFTP calls, so a watch shuts a silent connection
// down). The server's host key must be in the known hosts
// file, be the profile's trusted key, or be accepted through the trust question, which records
// it in the known hosts file. The log-in tries public keys (the agent, the user's own keys in
// ~/.ssh and the key file when one is set), then the password. Failures throw FtpError naming
// what failed; the password is never part of a message or a note.
class SftpSession : public RemoteSession {
public:
    SftpSession();
    ~SftpSession() override;
    SftpSession(const SftpSession&) = delete;
    SftpSession& operator=(const SftpSession&) = delete;

    // Where known host keys are read and accepted ones written, in OpenSSH's format.
    void setKnownHostsFile(const std::string& path) { m_knownHostsFile = path; }
    // A private key file (OpenSSH or PEM format, without a passphrase) to offer before the
    // others; empty for none. connect() fails, naming the file, when it is missing, cannot be
    // read or can be read by others (ProfileCheck.h), before it reaches the server.
    void setKeyFile(const std::string& path) { m_keyFile = path; }

    void connect() override;
    void disconnect() override;
    // Shuts the connection down, so that a call blocked on it in another thread ends with an
    // error; the session is unusable afterwards until disconnect() and connect().
    void abort() override;
    bool connected() const override { return m_sftp != nullptr; }

    // Ascii: pages are written with a Unix server's line ends, CR LF becoming LF, as FTP's
    // ASCII type stores them there.
    void selectTransferType(TransferType type) override { m_transferType = type; }
    std::string currentDirectory() override;
    void changeDirectory(const std::string& name) override;
    void makeDirectory(const std::string& name) override;
    // "*.*" and other patterns match as shell patterns; "" gives every name but "." and "..".
    std::vector<std::string> listNames(const std::string& pattern) override;
    void putFile(const std::string& localPath, const std::string& remoteName) override;
    std::vector<RemoteFile> listFiles() override;
    // In Ascii type, `offset` counts the bytes as they are stored, after the line end change.
    void resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset) override;
    void renameFile(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& name) override;

private:
    struct Callbacks;
    struct Entry {
        std::string name;
        std::uint8_t type = 0; // SSH_FILEXFER_TYPE_*
        std::uint64_t size = 0;
    };

    // Connects and shakes hands with the host named by the host setting, which it returns.
    HostPort openSsh();
    void checkHostKey(const HostPort& target);
    void logIn();
    // The remote path of `name`: as given when absolute, else below the current directory.
    std::string pathOf(const std::string& name) const;
    std::string canonical(const std::string& path);
    void requireConnection() const;
    [[noreturn]] void failSftp(const std::string& what) const;
    [[noreturn]] void failSsh(const std::string& what, ErrorKind kind) const;
    void sendFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset);
    std::vector<Entry> readDirectory();

    std::string m_knownHostsFile;
    std::string m_keyFile;
    TransferType m_transferType = TransferType::Binary;
    Socket m_socket;
    std::atomic<int> m_abortHandle{-1}; // m_socket's descriptor while connected, for abort()
    DeadlineWatch m_watch{[this] { abort(); }};
    ssh_session_struct* m_ssh = nullptr;
    sftp_session_struct* m_sftp = nullptr;
    std::unique_ptr<Callbacks> m_callbacks;
    std::string m_directory; // the current directory, absolute
};

} // namespace pictaven
