#pragma once

#include "publish/ByteStream.h"
#include "publish/FtpProxySettings.h"
#include "publish/FtpReply.h"
#include "publish/RemoteProtocol.h"
#include "publish/RemoteSession.h"
#include "publish/Socket.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pictaven {

// The program's FTP client: one control connection to the server or to a proxy, log-in,
// directory commands, a name listing and uploads over a passive or active data connection.
// Every call blocks, waiting at most the connect or read time-out, and either completes or
// throws FtpError carrying the server's reply text (each line followed by CR LF) or the
// socket's reason. One thread at a time.
class TlsContext;
class TlsStream;

class FtpSession : public RemoteSession {
public:
    FtpSession();
    ~FtpSession() override;
    FtpSession(FtpSession&&) noexcept;
    FtpSession& operator=(FtpSession&&) noexcept;

    // Longest reply line and most lines in one reply that are accepted from a server.
    static constexpr std::size_t maxLineBytes = 4096;
    static constexpr std::size_t maxReplyLines = 1000;
    // Most bytes of a name listing kept in memory.
    static constexpr std::size_t maxListingBytes = 16 * 1024 * 1024;

    void setPassive(bool passive) { m_passive = passive; }
    // FTPS secures the control connection with AUTH TLS before the log-in and every data
    // connection with PROT P. SFTP is not spoken here.
    void setProtocol(RemoteProtocol protocol) { m_protocol = protocol; }
    bool passive() const { return m_passive; }
    void setProxySettings(const FtpProxySettings& settings) { m_proxy = settings; }
    const FtpProxySettings& proxySettings() const { return m_proxy; }

    TransferType transferType() const { return m_transferType; }
    const FtpReply& lastReply() const { return m_reply; }
    bool connected() const override { return m_control != nullptr; }

    // Opens the control connection and logs in. A PASV reply naming another host is noted in the
    // log and replaced by the server's address.
    void connect() override;
    // Closes the control connection (and any data connection) without QUIT.
    void disconnect() override;
    // Writes ABOR without waiting for a reply and closes an open data connection.
    void abort() override;

    void selectTransferType(TransferType type) override;
    std::string currentDirectory() override;
    void changeDirectory(const std::string& name) override;
    void makeDirectory(const std::string& name) override;
    std::vector<std::string> listNames(const std::string& pattern) override;
    // Streams the file from disk; nothing is converted.
    void putFile(const std::string& localPath, const std::string& remoteName) override;

    // MLSD where the server knows it; otherwise the name listing and SIZE of each name.
    std::vector<RemoteFile> listFiles() override;
    // REST and STOR.
    void resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset) override;
    void renameFile(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& name) override;

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
    // Everything the data connection brings for a listing command.
    std::string readListing(const std::string& line);
    void sendFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset);
    void closeData();
    void secureControl();
    bool viaProxy() const;
    void protectData();
    void checkCertificate(const TlsStream& stream);

    bool m_passive = false;
    RemoteProtocol m_protocol = RemoteProtocol::Ftp;
    TransferType m_transferType = TransferType::Binary;
    FtpProxySettings m_proxy;

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
