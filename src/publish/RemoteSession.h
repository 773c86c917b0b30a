#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pictaven {

enum class TransferType { Ascii, Binary };

// One file of a remote directory.
struct RemoteFile {
    std::string name;
    std::uint64_t size = 0;
};

// A connection to the web server as an upload uses it, whatever protocol carries it. Every call
// blocks, waiting at most the connect or read time-out, and either completes or throws FtpError
// carrying the server's or the connection's reason and the kind of failure, which each session
// names in its protocol's terms. One thread at a time.
class RemoteSession {
public:
    virtual ~RemoteSession() = default;

    static constexpr int defaultTimeoutMs = 30000;

    // The host may be written host:port or [v6-address]:port; without a port, the protocol's
    // default is used.
    void setHost(const std::string& host) { m_host = host; }
    const std::string& host() const { return m_host; }
    void setUsername(const std::string& name) { m_username = name; }
    void setPassword(const std::string& password) { m_password = password; }
    // The fingerprint ("SHA256:<hex>") of a certificate or host key the person trusts although it
    // does not check; another one that does not check is then refused as a changed one.
    void setTrustedKey(const std::string& key) { m_trustedKey = key; }
    const std::string& trustedKey() const { return m_trustedKey; }
    // Asked, with the reason and the fingerprint, whether a certificate or host key that does not
    // check may be trusted; true makes its fingerprint the trusted key. Without a question it is
    // refused.
    void setTrustQuestion(std::function<bool(const std::string&)> question) { m_trustQuestion = std::move(question); }
    // Milliseconds; a time-out fails the running command.
    void setTimeouts(int connectMs, int readMs)
    {
        m_connectTimeoutMs = connectMs;
        m_readTimeoutMs = readMs;
    }
    // Notes the session makes on its own go here, one line each.
    void setLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

    // Opens the connection and logs in; on any failure the connection is closed. Throws FtpError
    // "Already connected." when a connection is open.
    virtual void connect() = 0;
    // Closes the connection without saying goodbye.
    virtual void disconnect() = 0;
    // Stops a running transfer without waiting for the server.
    virtual void abort() = 0;
    virtual bool connected() const = 0;

    virtual void selectTransferType(TransferType type) = 0;
    virtual std::string currentDirectory() = 0;
    virtual void changeDirectory(const std::string& name) = 0;
    virtual void makeDirectory(const std::string& name) = 0;
    // The names the server lists for `pattern` ("*.*" or empty for all), one per entry.
    virtual std::vector<std::string> listNames(const std::string& pattern) = 0;
    // Sends the local file under `remoteName`, replacing what is there, in the selected transfer
    // type. Throws FtpError when the file cannot be opened or read.
    virtual void putFile(const std::string& localPath, const std::string& remoteName) = 0;

    // The files of the current directory with their sizes; folders are left out.
    virtual std::vector<RemoteFile> listFiles() = 0;
    // Sends the local file from byte `offset` on, after the first `offset` bytes that the remote
    // file already holds.
    virtual void resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset) = 0;
    // Replaces `to` when it exists.
    virtual void renameFile(const std::string& from, const std::string& to) = 0;
    virtual void removeFile(const std::string& name) = 0;

protected:
    void note(const std::string& text) const
    {
        if (m_log)
            m_log(text);
    }

    std::string m_host;
    std::string m_username;
    std::string m_password;
    std::string m_trustedKey;
    std::function<bool(const std::string&)> m_trustQuestion;
    int m_connectTimeoutMs = defaultTimeoutMs;
    int m_readTimeoutMs = defaultTimeoutMs;
    std::function<void(const std::string&)> m_log;
};

} // namespace pictaven
