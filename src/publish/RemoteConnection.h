#pragma once

#include "publish/FtpProxySettings.h"
#include "publish/FtpSession.h"
#include "publish/RemoteProtocol.h"
#include "publish/RemoteSession.h"
#include "publish/SftpSession.h"

#include <memory>
#include <string>
#include <vector>

namespace pictaven {

// The program's connection to the web server in the protocol of the profile: FTP and FTPS
// through the FTP client, SFTP through SSH. The settings given here reach the chosen session at
// connect(); the passive mode and the proxy concern FTP only: an SFTP connection goes straight to
// the host, with a note in the log when a proxy is set.
class RemoteConnection : public RemoteSession {
public:
    RemoteConnection();
    ~RemoteConnection() override;

    void setProtocol(RemoteProtocol protocol) { m_protocol = protocol; }
    RemoteProtocol protocol() const { return m_protocol; }
    void setPassive(bool passive) { m_passive = passive; }
    void setProxySettings(const FtpProxySettings& settings) { m_proxy = settings; }
    // SFTP's known hosts file; by default known_hosts in the program folder.
    void setKnownHostsFile(const std::string& path) { m_knownHostsFile = path; }
    // SFTP's private key file, tried before the agent's and the user's keys; empty for none.
    void setKeyFile(const std::string& path) { m_keyFile = path; }

    // After a connection, the trusted key is the one the person may just have accepted.
    void connect() override;
    void disconnect() override;
    void abort() override;
    bool connected() const override;

    void selectTransferType(TransferType type) override;
    std::string currentDirectory() override;
    void changeDirectory(const std::string& name) override;
    void makeDirectory(const std::string& name) override;
    std::vector<std::string> listNames(const std::string& pattern) override;
    void putFile(const std::string& localPath, const std::string& remoteName) override;
    std::vector<RemoteFile> listFiles() override;
    void resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset) override;
    void renameFile(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& name) override;

private:
    RemoteSession& active();

    RemoteProtocol m_protocol = RemoteProtocol::Ftp;
    bool m_passive = false;
    FtpProxySettings m_proxy;
    std::string m_knownHostsFile;
    std::string m_keyFile;
    FtpSession m_ftp;
    SftpSession m_sftp;
    RemoteSession* m_active = nullptr; // the session of the last connect()
};

} // namespace pictaven
