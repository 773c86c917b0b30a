#include "publish/SftpSession.h"

#include "publish/ProfileCheck.h"
#include "publish/RemoteProtocol.h"

#include <libssh/callbacks.h>
#include <libssh/libssh.h>
#include <libssh/sftp.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fnmatch.h>
#include <fstream>
#include <sys/socket.h>
#include <unistd.h>

namespace pictaven {

namespace {

// Most entries of one folder listing that are accepted from a server.
constexpr std::size_t maxListingEntries = 1000000;
// Every SFTP server takes writes of this size (the protocol's drafts promise 34000-byte packets).
constexpr std::size_t writeChunkBytes = 32768;

// A key that asks for a passphrase is skipped: nobody may be asked on a terminal, and OpenSSL
// would ask there without this answer.
int refusePassphrase(const char*, char*, std::size_t, int, int, void*)
{
    return -1;
}

std::string fingerprintOf(ssh_key key)
{
    unsigned char* hash = nullptr;
    std::size_t length = 0;
    if (ssh_get_publickey_hash(key, SSH_PUBLICKEY_HASH_SHA256, &hash, &length) != 0)
        return "SHA256:?";
    static const char digits[] = "0123456789abcdef";
    std::string text = "SHA256:";
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(digits[hash[i] >> 4]);
        text.push_back(digits[hash[i] & 15]);
    }
    ssh_clean_pubkey_hash(&hash);
    return text;
}

// Statuses of later drafts of the protocol, which libssh does not name.
constexpr int noSpaceOnFilesystem = 14;
constexpr int quotaExceeded = 15;

ErrorKind sftpKind(int code)
{
    switch (code) {
    case SSH_FX_NO_SUCH_FILE:
    case SSH_FX_NO_SUCH_PATH:
        return ErrorKind::NotFound;
    case noSpaceOnFilesystem:
    case quotaExceeded:
        return ErrorKind::NoSpace;
    default:
        return ErrorKind::Refused;
    }
}

std::string sftpReason(int code)
{
    switch (code) {
    case SSH_FX_NO_SUCH_FILE:
    case SSH_FX_NO_SUCH_PATH:
        return "no such file or folder";
    case SSH_FX_PERMISSION_DENIED:
        return "permission denied";
    case SSH_FX_FILE_ALREADY_EXISTS:
        return "it already exists";
    case SSH_FX_WRITE_PROTECT:
        return "the server's disk is write-protected";
    case SSH_FX_OP_UNSUPPORTED:
        return "the server does not support this";
    case noSpaceOnFilesystem:
        return "the server's disk is full";
    case quotaExceeded:
        return "the quota on the server is used up";
    default:
        return "the server refused (SFTP status " + std::to_string(code) + ")";
    }
}

// Appends a chunk of a page with its line ends as FTP's ASCII type stores them on a Unix server:
// CR LF becomes LF. A CR that ends a chunk waits in `pendingCr` for the next one to decide.
void appendWithUnixLineEnds(const char* data, std::size_t size, bool last, bool& pendingCr, std::string& out)
{
    for (std::size_t i = 0; i < size; ++i) {
        if (pendingCr && data[i] != '\n')
            out.push_back('\r');
        pendingCr = data[i] == '\r';
        if (!pendingCr)
            out.push_back(data[i]);
    }
    if (last && pendingCr)
        out.push_back('\r');
}

// Text from libssh, which may quote the server, as a message may show it: no control
// characters, and not without end.
std::string shown(const char* text)
{
    std::string line = std::string(text).substr(0, 300);
    std::replace_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }, '?');
    return line;
}

// The fingerprints that the known hosts file holds for the host, as libssh names it there:
// "host" on port 22, "[host]:port" on any other.
std::string recordedKeys(const std::string& knownHostsFile, const HostPort& target)
{
    const std::string name =
        target.port == 22 ? target.host : "[" + target.host + "]:" + std::to_string(target.port);
    std::ifstream in(knownHostsFile);
    std::string keys;
    for (std::string line; std::getline(in, line);) {
        ssh_knownhosts_entry* entry = nullptr;
        if (ssh_known_hosts_parse_line(name.c_str(), line.c_str(), &entry) == SSH_OK && entry != nullptr &&
            entry->publickey != nullptr)
            keys += (keys.empty() ? "" : " and ") + fingerprintOf(entry->publickey);
        ssh_knownhosts_entry_free(entry);
    }
    return keys.empty() ? "another key" : keys;
}

} // namespace

struct SftpSession::Callbacks {
    ssh_callbacks_struct callbacks{};
};

SftpSession::SftpSession() : m_callbacks(std::make_unique<Callbacks>())
{
    m_callbacks->callbacks.auth_function = refusePassphrase;
    ssh_callbacks_init(&m_callbacks->callbacks);
}

SftpSession::~SftpSession()
{
    disconnect();
}

void SftpSession::failSsh(const std::string& what, ErrorKind kind) const
{
    if (m_watch.expired())
        throw FtpError(what + ": the server did not answer in time.", ErrorKind::TimedOut);
    const std::string reason = m_ssh != nullptr ? shown(ssh_get_error(m_ssh)) : "";
    // libssh says so only in words: "Timeout connecting to ..." and the like.
    const bool timedOut = reason.find("Timeout") != std::string::npos || reason.find("timeout") != std::string::npos;
    if (timedOut && (kind == ErrorKind::Other || kind == ErrorKind::ConnectionLost))
        kind = ErrorKind::TimedOut;
    throw FtpError(reason.empty() ? what + "." : what + ": " + reason, kind);
}

void SftpSession::failSftp(const std::string& what) const
{
    if (m_watch.expired())
        failSsh(what, ErrorKind::TimedOut);
    const int code = m_sftp != nullptr ? sftp_get_error(m_sftp) : SSH_FX_OK;
    // Without an SFTP status the connection itself failed; libssh says how.
    if (code == SSH_FX_OK || code == SSH_FX_CONNECTION_LOST || code == SSH_FX_NO_CONNECTION ||
        ssh_is_connected(m_ssh) == 0)
        failSsh(what, ErrorKind::ConnectionLost);
    throw FtpError(what + ": " + sftpReason(code) + ".", sftpKind(code));
}

void SftpSession::requireConnection() const
{
    if (!connected())
        throw FtpError("Not connected.");
}

HostPort SftpSession::openSsh()
{
    const HostPort target = parseHostPort(m_host, defaultPort(RemoteProtocol::Sftp));
    m_socket = Socket::connectTo(target.host, target.port, m_connectTimeoutMs);
    m_ssh = ssh_new();
    if (m_ssh == nullptr)
        throw FtpError("Cannot start an SSH session.");
    ssh_set_callbacks(m_ssh, &m_callbacks->callbacks);
    // libssh closes the descriptor it is given; the socket keeps its own for abort().
    socket_t handle = ::dup(m_socket.nativeHandle());
    if (handle < 0)
        throw FtpError(std::string("Cannot start an SSH session: ") + std::strerror(errno), errno);
    if (ssh_options_set(m_ssh, SSH_OPTIONS_FD, &handle) != SSH_OK) {
        ::close(handle);
        failSsh("Cannot start an SSH session", ErrorKind::Other);
    }
    m_abortHandle = m_socket.nativeHandle();
    const unsigned int port = target.port;
    // The person's ~/.ssh/config is not read: the profile alone says where the upload goes.
    const bool processConfig = false;
    const long seconds = m_connectTimeoutMs / 1000;
    const long microseconds = (m_connectTimeoutMs % 1000) * 1000L;
    if (ssh_options_set(m_ssh, SSH_OPTIONS_HOST, target.host.c_str()) != SSH_OK ||
        ssh_options_set(m_ssh, SSH_OPTIONS_PORT, &port) != SSH_OK ||
        ssh_options_set(m_ssh, SSH_OPTIONS_PROCESS_CONFIG, &processConfig) != SSH_OK ||
        ssh_options_set(m_ssh, SSH_OPTIONS_KNOWNHOSTS, m_knownHostsFile.c_str()) != SSH_OK ||
        ssh_options_set(m_ssh, SSH_OPTIONS_TIMEOUT, &seconds) != SSH_OK ||
        ssh_options_set(m_ssh, SSH_OPTIONS_TIMEOUT_USEC, &microseconds) != SSH_OK ||
        (!m_username.empty() && ssh_options_set(m_ssh, SSH_OPTIONS_USER, m_username.c_str()) != SSH_OK))
        failSsh("Cannot set up the SSH session", ErrorKind::Other);
    const DeadlineWatch::Scope handshake(m_watch, m_connectTimeoutMs);
    if (ssh_connect(m_ssh) != SSH_OK)
        failSsh("SSH connection to " + target.host + " failed", ErrorKind::Other);
    return target;
}

void SftpSession::checkHostKey(const HostPort& target)
{
    ssh_key key = nullptr;
    if (ssh_get_server_publickey(m_ssh, &key) != SSH_OK)
        failSsh("The server showed no host key", ErrorKind::NotTrusted);
    const std::string seen = fingerprintOf(key);
    const std::string type = ssh_key_type_to_char(ssh_key_type(key));
    ssh_key_free(key);

    const ssh_known_hosts_e known = ssh_session_is_known_server(m_ssh);
    if (known == SSH_KNOWN_HOSTS_OK)
        return;
    if (known == SSH_KNOWN_HOSTS_ERROR)
        failSsh("Cannot check the server's host key against " + m_knownHostsFile, ErrorKind::NotTrusted);
    const bool inFile = known == SSH_KNOWN_HOSTS_CHANGED || known == SSH_KNOWN_HOSTS_OTHER;
    if (seen == m_trustedKey) {
        if (!inFile && ssh_session_update_known_hosts(m_ssh) != SSH_OK)
            note("Cannot record the host key in " + m_knownHostsFile + ": " + shown(ssh_get_error(m_ssh)));
        return;
    }
    if (inFile) {
        const std::string recorded = recordedKeys(m_knownHostsFile, target);
        throw FtpError("The server's host key has changed: " + m_knownHostsFile + " holds " + recorded +
                           " but the server now shows " + seen + " (" + type + "). Refused.",
                       ErrorKind::NotTrusted);
    }
    if (!m_trustedKey.empty())
        throw FtpError("The server's host key has changed: the profile trusts " + m_trustedKey +
                           " but the server now shows " + seen + " (" + type + "). Refused.",
                       ErrorKind::NotTrusted);
    const std::string reason = "The server's host key is not known (" + type + "). Its fingerprint is " + seen + ".";
    if (!m_trustQuestion || !m_trustQuestion(reason + "\n\nTrust this host key for this profile?"))
        throw FtpError(reason + " Refused.", ErrorKind::NotTrusted);
    m_trustedKey = seen;
    if (ssh_session_update_known_hosts(m_ssh) != SSH_OK)
        note("Cannot record the host key in " + m_knownHostsFile + ": " + shown(ssh_get_error(m_ssh)));
}

void SftpSession::logIn()
{
    int result = ssh_userauth_none(m_ssh, nullptr);
    if (result == SSH_AUTH_SUCCESS)
        return;
    if (result == SSH_AUTH_ERROR)
        failSsh("Log-in failed", ErrorKind::Other);
    const int methods = ssh_userauth_list(m_ssh, nullptr);
    std::string tried;
    auto outcome = [this, &tried, &result](const char* method) {
        if (result == SSH_AUTH_ERROR)
            failSsh(std::string("Log-in by ") + method + " failed", ErrorKind::Other);
        if (tried.find(method) == std::string::npos)
            tried += tried.empty() ? method : std::string(", ") + method;
        return result == SSH_AUTH_SUCCESS;
    };
    if ((methods & SSH_AUTH_METHOD_PUBLICKEY) != 0) {
        if (!m_keyFile.empty()) {
            ssh_key key = nullptr;
            if (ssh_pki_import_privkey_file(m_keyFile.c_str(), nullptr, refusePassphrase, nullptr, &key) != SSH_OK)
                throw FtpError("Cannot read the private key file " + m_keyFile +
                               " (it must be a key without a passphrase).");
            result = ssh_userauth_publickey(m_ssh, nullptr, key);
            ssh_key_free(key);
            if (outcome("public key"))
                return;
        }
        result = ssh_userauth_publickey_auto(m_ssh, nullptr, nullptr);
        if (outcome("public key"))
            return;
    }
    if (!m_password.empty() && (methods & SSH_AUTH_METHOD_PASSWORD) != 0) {
        result = ssh_userauth_password(m_ssh, nullptr, m_password.c_str());
        if (outcome("password"))
            return;
    }
    if (!m_password.empty() && (methods & SSH_AUTH_METHOD_INTERACTIVE) != 0) {
        // Servers that ask through PAM take the password as the answer to the hidden prompt.
        result = ssh_userauth_kbdint(m_ssh, nullptr, nullptr);
        for (int round = 0; result == SSH_AUTH_INFO && round < 4; ++round) {
            for (int i = 0; i < ssh_userauth_kbdint_getnprompts(m_ssh); ++i) {
                char echo = 1;
                ssh_userauth_kbdint_getprompt(m_ssh, static_cast<unsigned int>(i), &echo);
                ssh_userauth_kbdint_setanswer(m_ssh, static_cast<unsigned int>(i), echo ? "" : m_password.c_str());
            }
            result = ssh_userauth_kbdint(m_ssh, nullptr, nullptr);
        }
        if (result == SSH_AUTH_INFO)
            result = SSH_AUTH_DENIED;
        if (outcome("password"))
            return;
    }
    throw FtpError("The server refused the log-in of user " + m_username + " (tried: " +
                       (tried.empty() ? std::string("nothing the server accepts") : tried) + ").",
                   ErrorKind::LogInRefused);
}

void SftpSession::connect()
{
    if (connected() || m_ssh != nullptr)
        throw FtpError("Already connected.");
    // A key file that is set but cannot be used is the person's to fix: logging in without it,
    // by another key or the password, would hide that.
    if (!m_keyFile.empty()) {
        if (const std::string fault = privateKeyFault(m_keyFile); !fault.empty())
            throw FtpError(fault, ErrorKind::LogInRefused);
    }
    try {
        checkHostKey(openSsh());
        const long seconds = m_readTimeoutMs / 1000;
        const long microseconds = (m_readTimeoutMs % 1000) * 1000L;
        ssh_options_set(m_ssh, SSH_OPTIONS_TIMEOUT, &seconds);
        ssh_options_set(m_ssh, SSH_OPTIONS_TIMEOUT_USEC, &microseconds);
        // Not while the trust question waits for the person.
        const DeadlineWatch::Scope waiting(m_watch, m_readTimeoutMs);
        logIn();
        m_sftp = sftp_new(m_ssh);
        if (m_sftp == nullptr)
            failSsh("The server offers no SFTP service", ErrorKind::Other);
        if (sftp_init(m_sftp) != SSH_OK)
            failSftp("The server's SFTP service did not start");
        m_directory = canonical(".");
    } catch (...) {
        disconnect();
        throw;
    }
}

void SftpSession::disconnect()
{
    m_abortHandle = -1;
    if (m_sftp != nullptr)
        sftp_free(m_sftp);
    m_sftp = nullptr;
    if (m_ssh != nullptr) {
        ssh_disconnect(m_ssh);
        ssh_free(m_ssh);
    }
    m_ssh = nullptr;
    m_socket.close();
    m_directory.clear();
}

void SftpSession::abort()
{
    const int handle = m_abortHandle.load();
    if (handle >= 0)
        ::shutdown(handle, SHUT_RDWR);
}

std::string SftpSession::pathOf(const std::string& name) const
{
    if (name.empty())
        return m_directory;
    if (name.front() == '/')
        return name;
    return m_directory == "/" ? "/" + name : m_directory + "/" + name;
}

std::string SftpSession::canonical(const std::string& path)
{
    char* resolved = sftp_canonicalize_path(m_sftp, path.c_str());
    if (resolved == nullptr)
        failSftp("Cannot find folder " + path);
    std::string text = resolved;
    ssh_string_free_char(resolved);
    return text;
}

std::string SftpSession::currentDirectory()
{
    requireConnection();
    return m_directory;
}

void SftpSession::changeDirectory(const std::string& name)
{
    requireConnection();
    const DeadlineWatch::Scope waiting(m_watch, m_readTimeoutMs);
    const std::string path = canonical(pathOf(name));
    sftp_attributes attributes = sftp_stat(m_sftp, path.c_str());
    if (attributes == nullptr)
        failSftp("Cannot change to folder " + name);
    const bool folder = attributes->type == SSH_FILEXFER_TYPE_DIRECTORY;
    sftp_attributes_free(attributes);
    if (!folder)
        throw FtpError("Cannot change to folder " + name + ": it is not a folder.");
    m_directory = path;
}

void SftpSession::makeDirectory(const std::string& name)
{
    requireConnection();
    const DeadlineWatch::Scope waiting(m_watch, m_readTimeoutMs);
    if (sftp_mkdir(m_sftp, pathOf(name).c_str(), 0755) != 0)
        failSftp("Cannot create folder " + name);
}

std::vector<SftpSession::Entry> SftpSession::readDirectory()
{
    requireConnection();
    const DeadlineWatch::Scope waiting(m_watch, m_readTimeoutMs);
    std::unique_ptr<sftp_dir_struct, int (*)(sftp_dir)> folder(sftp_opendir(m_sftp, m_directory.c_str()),
                                                              &sftp_closedir);
    if (!folder)
        failSftp("Cannot list folder " + m_directory);
    std::vector<Entry> entries;
    while (sftp_attributes attributes = sftp_readdir(m_sftp, folder.get())) {
        m_watch.arm(m_readTimeoutMs);
        Entry entry{attributes->name != nullptr ? attributes->name : "", attributes->type, attributes->size};
        sftp_attributes_free(attributes);
        if (entries.size() >= maxListingEntries)
            throw FtpError("Listing from the server is too long.");
        if (entry.name != "." && entry.name != ".." && !entry.name.empty())
            entries.push_back(std::move(entry));
    }
    if (!sftp_dir_eof(folder.get()))
        failSftp("Cannot list folder " + m_directory);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return entries;
}

std::vector<std::string> SftpSession::listNames(const std::string& pattern)
{
    std::vector<std::string> names;
    for (const Entry& entry : readDirectory()) {
        if (pattern.empty() || ::fnmatch(pattern.c_str(), entry.name.c_str(), 0) == 0)
            names.push_back(entry.name);
    }
    return names;
}

std::vector<RemoteFile> SftpSession::listFiles()
{
    std::vector<RemoteFile> files;
    for (const Entry& entry : readDirectory()) {
        if (entry.type == SSH_FILEXFER_TYPE_REGULAR)
            files.push_back({entry.name, entry.size});
    }
    return files;
}

void SftpSession::putFile(const std::string& localPath, const std::string& remoteName)
{
    sendFile(localPath, remoteName, 0);
}

void SftpSession::resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset)
{
    sendFile(localPath, remoteName, offset);
}

void SftpSession::sendFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset)
{
    requireConnection();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(localPath.c_str(), "rb"), &std::fclose);
    if (!file)
        throw FtpError("Cannot open file " + localPath + ": " + std::strerror(errno));
    const bool ascii = m_transferType == TransferType::Ascii;
    // Stored bytes of a page differ from the local ones, so its offset is found by converting.
    std::uint64_t skip = ascii ? offset : 0;
    if (!ascii && offset > 0 && fseeko(file.get(), static_cast<off_t>(offset), SEEK_SET) != 0)
        throw FtpError("Cannot read file " + localPath + ": " + std::strerror(errno));

    const DeadlineWatch::Scope waiting(m_watch, m_readTimeoutMs);
    const int flags = O_WRONLY | O_CREAT | (offset == 0 ? O_TRUNC : 0);
    std::unique_ptr<sftp_file_struct, int (*)(sftp_file)> remote(
        sftp_open(m_sftp, pathOf(remoteName).c_str(), flags, 0644), &sftp_close);
    if (!remote)
        failSftp("Cannot write " + remoteName);
    if (offset > 0 && sftp_seek64(remote.get(), offset) != 0)
        failSftp("Cannot resume " + remoteName);

    bool pendingCr = false;
    std::vector<char> chunk(writeChunkBytes);
    std::string converted;
    for (bool more = true; more;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        more = got == chunk.size();
        if (!more && std::ferror(file.get()))
            throw FtpError("Cannot read file " + localPath);
        const char* data = chunk.data();
        std::size_t size = got;
        if (ascii) {
            converted.clear();
            appendWithUnixLineEnds(chunk.data(), got, !more, pendingCr, converted);
            const std::size_t skipped = static_cast<std::size_t>(std::min<std::uint64_t>(skip, converted.size()));
            skip -= skipped;
            data = converted.data() + skipped;
            size = converted.size() - skipped;
        }
        while (size > 0) {
            m_watch.arm(m_readTimeoutMs);
            const ssize_t written = sftp_write(remote.get(), data, size);
            if (written <= 0)
                failSftp("Cannot write " + remoteName);
            data += written;
            size -= static_cast<std::size_t>(written);
        }
    }
    if (sftp_close(remote.release()) != 0)
        failSftp("Cannot finish " + remoteName);
}

void SftpSession::renameFile(const std::string& from, const std::string& to)
{
    requireConnection();
    const DeadlineWatch::Scope waiting(m_watch, m_readTimeoutMs);
    const std::string source = pathOf(from);
    const std::string target = pathOf(to);
    if (sftp_rename(m_sftp, source.c_str(), target.c_str()) == 0)
        return;
    // Version 3 of the protocol, which OpenSSH speaks, never renames over an existing file.
    sftp_attributes existing = sftp_lstat(m_sftp, target.c_str());
    if (existing == nullptr)
        failSftp("Cannot rename " + from + " to " + to);
    sftp_attributes_free(existing);
    if (sftp_unlink(m_sftp, target.c_str()) != 0 || sftp_rename(m_sftp, source.c_str(), target.c_str()) != 0)
        failSftp("Cannot rename " + from + " to " + to);
}

void SftpSession::removeFile(const std::string& name)
{
    requireConnection();
    const DeadlineWatch::Scope waiting(m_watch, m_readTimeoutMs);
    if (sftp_unlink(m_sftp, pathOf(name).c_str()) != 0)
        failSftp("Cannot delete " + name);
}

} // namespace pictaven
