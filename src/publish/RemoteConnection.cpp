#include "publish/RemoteConnection.h"

#include "app/ProgramFolder.h"
#include "publish/FtpError.h"

namespace pictaven {

RemoteConnection::RemoteConnection() = default;
RemoteConnection::~RemoteConnection() = default;

RemoteSession& RemoteConnection::active()
{
    if (m_active == nullptr)
        throw FtpError("Not connected.");
    return *m_active;
}

void RemoteConnection::connect()
{
    if (connected())
        throw FtpError("Already connected.");
    RemoteSession* chosen = &m_ftp;
    if (m_protocol == RemoteProtocol::Sftp) {
        chosen = &m_sftp;
        m_sftp.setKnownHostsFile(m_knownHostsFile.empty() ? resolveProgramFolder() + "known_hosts" : m_knownHostsFile);
        m_sftp.setKeyFile(m_keyFile);
        // The proxy settings are the program's, made for FTP; a profile that chose SFTP still
        // uploads, as long as the host can be reached directly.
        if (m_proxy.proxyType != FtpProxyType::None && !m_proxy.host.empty() && m_log)
            m_log("The FTP proxy " + m_proxy.host + " is not used for SFTP; connecting directly.");
    } else {
        m_ftp.setProtocol(m_protocol);
        m_ftp.setPassive(m_passive);
        m_ftp.setProxySettings(m_proxy);
    }
    chosen->setHost(m_host);
    chosen->setUsername(m_username);
    chosen->setPassword(m_password);
    chosen->setTrustedKey(m_trustedKey);
    chosen->setTrustQuestion(m_trustQuestion);
    chosen->setTimeouts(m_connectTimeoutMs, m_readTimeoutMs);
    chosen->setLog(m_log);
    m_active = chosen;
    try {
        chosen->connect();
    } catch (...) {
        m_trustedKey = chosen->trustedKey();
        throw;
    }
    m_trustedKey = chosen->trustedKey();
}

void RemoteConnection::disconnect()
{
    if (m_active != nullptr)
        m_active->disconnect();
}

void RemoteConnection::abort()
{
    if (m_active != nullptr)
        m_active->abort();
}

bool RemoteConnection::connected() const
{
    return m_active != nullptr && m_active->connected();
}

void RemoteConnection::selectTransferType(TransferType type)
{
    active().selectTransferType(type);
}

std::string RemoteConnection::currentDirectory()
{
    return active().currentDirectory();
}

void RemoteConnection::changeDirectory(const std::string& name)
{
    active().changeDirectory(name);
}

void RemoteConnection::makeDirectory(const std::string& name)
{
    active().makeDirectory(name);
}

std::vector<std::string> RemoteConnection::listNames(const std::string& pattern)
{
    return active().listNames(pattern);
}

void RemoteConnection::putFile(const std::string& localPath, const std::string& remoteName)
{
    active().putFile(localPath, remoteName);
}

std::vector<RemoteFile> RemoteConnection::listFiles()
{
    return active().listFiles();
}

void RemoteConnection::resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset)
{
    active().resumeFile(localPath, remoteName, offset);
}

void RemoteConnection::renameFile(const std::string& from, const std::string& to)
{
    active().renameFile(from, to);
}

void RemoteConnection::removeFile(const std::string& name)
{
    active().removeFile(name);
}

} // namespace pictaven
