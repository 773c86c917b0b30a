#pragma once

#include "publish/ByteStream.h"
#include "publish/FtpProxySettings.h"
#include "publish/FtpReply.h"
#include "publish/RemoteProtocol.h"
#include "publish/Socket.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pictaven {

enum class TransferType { Ascii, Binary };

// The program's FTP client: one control connection to the server or to a proxy, log-in,
// directory commands, a name listing and uploads over a passive or active data connection.
// Every call blocks, waiting at most the connect or read time-out, and either completes or
// throws FtpError carrying the server's reply text (each line followed by CR LF) or the
// socket's reason. One thread at a time.
class TlsContext;
class TlsStream;

class FtpSession {
public:
    FtpSession();
    ~FtpSession();
    FtpSession(FtpSession&&) noexcept;
    FtpSession& operator=(FtpSession&&) noexcept;

    static constexpr int defaultTimeoutMs = 30000;
    // Longest reply line and most lines in one reply that are accepted from a server.
    static constexpr std::size_t maxLineBytes = 4096;
    static constexpr std::size_t maxReplyLines = 1000;
    // Most bytes of a name listing kept in memory.
    static constexpr std::size_t maxListingBytes = 16 * 1024 * 1024;

    // The host may be written host:port or [v6-address]:port; without a port, 21 is used.
    void setHost(const std::string& host) { m_host = host; }
    const std::string& host() const { return m_host; }
    void setUsername(const std::string& name) { m_username = name; }
    void setPassword(const std::string& password) { m_password = password; }
    void setPassive(bool passive) { m_passive = passive; }
    // FTPS secures the control connection with AUTH TLS before the log-in and every data
    // connection with PROT P. SFTP is not spoken here.
    void setProtocol(RemoteProtocol protocol) { m_protocol = protocol; }
    // The fingerprint ("SHA256:<hex>") of a certificate the person trusts although it does not
    // check; another certificate that does not check is then refused as a changed one.
    void setTrustedKey(const std::string& key) { m_trustedKey = key; }
    const std::string& trustedKey() const { return m_trustedKey; }
    // Asked, with the reason and the fingerprint, whether a certificate that does not check may
    // be trusted; true makes its fingerprint the trusted key. Without a question it is refused.
    void setTrustQuestion(std::function<bool(const std::string&)> question) { m_trustQuestion = std::move(question); }
    bool passive() const { return m_passive; }
    void setProxySettings(const FtpProxySettings& settings) { m_proxy = settings; }
    const FtpProxySettings& proxySettings() const { return m_proxy; }
    // Milliseconds; a time-out fails the running command.
    void setTimeouts(int connectMs, int readMs);
    // Notes the session makes on its own (a replaced PASV address) go here, one line each.
    void setLog(std::function<void(const std::string&)> log) { m_log = std::move(log); }

    TransferType transferType() const { return m_transferType; }
    const FtpReply& lastReply() const { return m_reply; }
    bool connected() const { return m_control != nullptr; }

    // Opens the control connection and logs in; on any failure the connection is closed.
    // Throws FtpError "Already connected." when a connection is open.
    void connect();
    // Closes the control connection (and any data connection) without QUIT.
    void disconnect();
    // Writes ABOR without waiting for a reply and closes an open data connection.
    void abort();

    void selectTransferType(TransferType type);
    std::string currentDirectory();
    void changeDirectory(const std::string& name);
    void makeDirectory(const std::string& name);
    // The names the server lists for `pattern`, one per line of the listing.
    std::vector<std::string> listNames(const std::string& pattern);
    // Streams the file from disk; nothing is converted. Throws FtpError when the file cannot be
    // opened or read.
    void putFile(const std::string& localPath, const std::string& remoteName);

private:
    void sendLine(const std::string& line);
    std::string readLine();
    const FtpReply& readReply();
    const FtpReply& expect(std::initializer_list<int> accepted);
    const FtpReply& command(const std::string& line, std::initializer_list<int> accepted);
    void logIn(const std::string& user, const std::string& password);
    void openConnection();
    void logInAll();

    // Passive: sends PASV or EPSV and returns the data address. Active: opens the listener and
    // sends PORT or EPRT.
    void prepareData();
    // Connects to the passive address; a refused connection is retried once with a new PASV.
    void openPassiveData();
    void openDataStream(Socket socket);
    void startTransfer(const std::string& line, std::initializer_list<int> accepted);
    void readClosingReply(bool allowRetryCodes);
    void note(const std::string& text);
    void closeData();
    void secureControl();
    void protectData();
    void checkCertificate(const TlsStream& stream);

    std::string m_host;
    std::string m_username;
    std::string m_password;
    bool m_passive = false;
    RemoteProtocol m_protocol = RemoteProtocol::Ftp;
    std::string m_trustedKey;
    std::function<bool(const std::string&)> m_trustQuestion;
    TransferType m_transferType = TransferType::Binary;
    FtpProxySettings m_proxy;
    int m_connectTimeoutMs = defaultTimeoutMs;
    int m_readTimeoutMs = defaultTimeoutMs;
    std::function<void(const std::string&)> m_log;

    std::unique_ptr<ByteStream> m_control;
    std::unique_ptr<ByteStream> m_data;
    std::unique_ptr<TlsContext> m_tls;  // while the control connection is secured
    const TlsStream* m_controlTls = nullptr; // m_control, when secured
    std::string m_serverKey;            // the control connection's certificate fingerprint
    Socket m_listener;
    SocketAddress m_passiveTarget;
    std::string m_buffer;
    FtpReply m_reply;
};

} // namespace pictaven
