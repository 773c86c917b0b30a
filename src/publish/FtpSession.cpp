#include "publish/FtpSession.h"

#include "ini/AsciiCase.h"
#include "publish/FtpError.h"
#include "publish/HostPort.h"
#include "publish/SocketStream.h"
#include "publish/TlsStream.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <sys/socket.h>

namespace pictaven {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A line from the server as it may be shown in a message: control characters become "?" and
// the text is cut, so garbage cannot flood a message box.
std::string printable(const std::string& line)
{
    std::string shown = line.substr(0, 100);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = '?';
    }
    return shown;
}

std::string trimRight(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

int parseByte(const std::string& field)
{
    if (field.empty() || field.size() > 3 || !std::all_of(field.begin(), field.end(), isDigit))
        return -1;
    const int value = std::stoi(field);
    return value <= 255 ? value : -1;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// The address and port of a 227 reply: the text between "(" and ")", or without them the text
// after the last blank, as h1,h2,h3,h4,p1,p2.
SocketAddress parsePasvReply(const std::string& line)
{
    std::string fields;
    const auto open = line.find('(');
    const auto close = open == std::string::npos ? std::string::npos : line.find(')', open);
    if (close != std::string::npos) {
        fields = line.substr(open + 1, close - open - 1);
    } else {
        const std::string trimmed = trimRight(line);
        const auto blank = trimmed.rfind(' ');
        fields = blank == std::string::npos ? trimmed : trimmed.substr(blank + 1);
        if (!fields.empty() && fields.back() == '.')
            fields.pop_back();
    }
    const auto parts = split(fields, ',');
    std::array<int, 6> numbers{};
    bool valid = parts.size() == numbers.size();
    for (std::size_t i = 0; valid && i < numbers.size(); ++i) {
        std::string part = parts[i];
        part.erase(std::remove(part.begin(), part.end(), ' '), part.end());
        numbers[i] = parseByte(part);
        valid = numbers[i] >= 0;
    }
    const int port = numbers[4] * 256 + numbers[5];
    if (!valid || port == 0)
        throw FtpError("Invalid PASV reply: " + printable(line));
    SocketAddress address;
    address.family = AF_INET;
    address.address = std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." +
                      std::to_string(numbers[2]) + "." + std::to_string(numbers[3]);
    address.port = static_cast<std::uint16_t>(port);
    return address;
}

// The port of a 229 reply: "(|||port|)" with any delimiter character.
std::uint16_t parseEpsvReply(const std::string& line)
{
    const auto open = line.find('(');
    const auto close = open == std::string::npos ? std::string::npos : line.find(')', open);
    if (close != std::string::npos && close > open + 1) {
        const std::string inner = line.substr(open + 1, close - open - 1);
        const auto parts = split(inner, inner.front());
        if (parts.size() == 5 && !parts[3].empty() && parts[3].size() <= 5 &&
            std::all_of(parts[3].begin(), parts[3].end(), isDigit)) {
            const int port = std::stoi(parts[3]);
            if (port >= 1 && port <= 65535)
                return static_cast<std::uint16_t>(port);
        }
    }
    throw FtpError("Invalid EPSV reply: " + printable(line));
}

// The lines of a listing, without their line ends.
std::vector<std::string> listingLines(const std::string& listing)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < listing.size()) {
        auto end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        std::string line = listing.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<std::uint64_t> parseSize(const std::string& digits)
{
    const std::string trimmed = trimRight(digits);
    if (trimmed.empty() || trimmed.size() > 19 || !std::all_of(trimmed.begin(), trimmed.end(), isDigit))
        return std::nullopt;
    return std::stoull(trimmed);
}

// A file's line of an MLSD listing: "fact=value;fact=value; name". Folders, links and lines
// without a size give nothing.
std::optional<RemoteFile> parseMlsdLine(const std::string& line)
{
    const auto blank = line.find(' ');
    if (blank == std::string::npos || blank + 1 >= line.size())
        return std::nullopt;
    bool isFile = false;
    std::optional<std::uint64_t> size;
    for (const std::string& fact : split(line.substr(0, blank), ';')) {
        const auto equals = fact.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = asciiLower(fact.substr(0, equals));
        const std::string value = fact.substr(equals + 1);
        if (name == "type")
            isFile = asciiLower(value) == "file";
        else if (name == "size")
            size = parseSize(value);
    }
    if (!isFile || !size)
        return std::nullopt;
    return RemoteFile{line.substr(blank + 1), *size};
}

} // namespace

FtpSession::FtpSession() = default;
FtpSession::~FtpSession() = default;
FtpSession::FtpSession(FtpSession&&) noexcept = default;
FtpSession& FtpSession::operator=(FtpSession&&) noexcept = default;

void FtpSession::sendLine(const std::string& line)
{
    m_control->writeAll(line + "\r\n", m_readTimeoutMs);
}

std::string FtpSession::readLine()
{
    for (;;) {
        const auto end = m_buffer.find('\n');
        if (end != std::string::npos) {
            if (end > maxLineBytes)
                throw FtpError("Reply line from the server is too long.");
            std::string line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        if (m_buffer.size() > maxLineBytes)
            throw FtpError("Reply line from the server is too long.");
        char chunk[4096];
        const std::size_t got = m_control->readSome(chunk, sizeof chunk, m_readTimeoutMs);
        if (got == 0)
            throw FtpError("Connection closed by the server.");
        m_buffer.append(chunk, got);
    }
}

const FtpReply& FtpSession::readReply()
{
    const std::string first = readLine();
    if (first.size() < 3 || !isDigit(first[0]) || !isDigit(first[1]) || !isDigit(first[2]))
        throw FtpError("Invalid reply from the server: " + printable(first));
    const std::string code = first.substr(0, 3);
    auto textOf = [&code](const std::string& line) {
        if (line.compare(0, 3, code) == 0 && (line.size() == 3 || line[3] == ' ' || line[3] == '-'))
            return line.size() > 4 ? line.substr(4) : std::string();
        return line;
    };
    FtpReply reply;
    reply.code = std::stoi(code);
    reply.lines.push_back(textOf(first));
    if (first.size() >= 4 && first[3] == '-') {
        for (;;) {
            if (reply.lines.size() >= maxReplyLines)
                throw FtpError("Reply from the server is too long.");
            const std::string line = readLine();
            reply.lines.push_back(textOf(line));
            if (line.size() < 4 || (line.compare(0, 3, code) == 0 && line[3] == ' '))
                break;
        }
    }
    m_reply = std::move(reply);
    return m_reply;
}

const FtpReply& FtpSession::expect(std::initializer_list<int> accepted)
{
    const FtpReply& reply = readReply();
    if (accepted.size() != 0 && std::find(accepted.begin(), accepted.end(), reply.code) == accepted.end())
        throw reply.error();
    return reply;
}

const FtpReply& FtpSession::command(const std::string& line, std::initializer_list<int> accepted)
{
    if (!connected())
        throw FtpError("Not connected.");
    sendLine(line);
    return expect(accepted);
}

bool FtpSession::viaProxy() const
{
    return m_proxy.proxyType != FtpProxyType::None && !m_proxy.host.empty();
}

void FtpSession::openConnection()
{
    HostPort target;
    if (viaProxy()) {
        if (m_proxy.port < 1 || m_proxy.port > 65535)
            throw FtpError("Invalid proxy port " + std::to_string(m_proxy.port));
        target = parseHostPort(m_proxy.host, static_cast<std::uint16_t>(m_proxy.port));
    } else {
        target = parseHostPort(m_host, defaultPort(m_protocol));
    }
    m_control = std::make_unique<SocketStream>(Socket::connectTo(target.host, target.port, m_connectTimeoutMs));
    m_buffer.clear();
}

void FtpSession::logIn(const std::string& user, const std::string& password)
{
    const FtpReply* reply = &command("USER " + user, {});
    if (reply->code == 331)
        reply = &command("PASS " + password, {});
    if (reply->code == 230)
        return;
    // An error reply refuses the log-in, whatever its code; another answer makes no sense here.
    if (reply->code >= 400)
        throw FtpError(reply->text(), ErrorKind::LogInRefused);
    throw reply->error();
}

void FtpSession::logInAll()
{
    const bool proxyLogIn = m_proxy.proxyType == FtpProxyType::UserSite || m_proxy.proxyType == FtpProxyType::Site ||
                            m_proxy.proxyType == FtpProxyType::Open;
    if (proxyLogIn && !m_proxy.userName.empty())
        logIn(m_proxy.userName, m_proxy.password);
    switch (m_proxy.proxyType) {
    case FtpProxyType::UserSite:
        logIn(m_username + "@" + m_host, m_password);
        return;
    case FtpProxyType::Site:
        command("SITE " + m_host, {});
        break;
    case FtpProxyType::Open:
        command("OPEN " + m_host, {});
        break;
    default:
        break;
    }
    logIn(m_username, m_password);
}

void FtpSession::connect()
{
    if (connected())
        throw FtpError("Already connected.");
    if (m_protocol == RemoteProtocol::Sftp)
        throw FtpError("The FTP client does not speak SFTP.");
    openConnection();
    try {
        expect({220});
        if (m_protocol == RemoteProtocol::Ftps)
            secureControl();
        logInAll();
        if (m_tls) {
            command("PBSZ 0", {200});
            command("PROT P", {200});
        }
        command(std::string("TYPE ") + (m_transferType == TransferType::Ascii ? "A" : "I"), {200});
        command("SYST", {200, 215, 500});
    } catch (...) {
        disconnect();
        throw;
    }
}

void FtpSession::closeData()
{
    m_data.reset();
    m_listener.close();
}

void FtpSession::disconnect()
{
    closeData();
    m_controlTls = nullptr;
    m_control.reset();
    m_tls.reset();
    m_serverKey.clear();
    m_buffer.clear();
}

void FtpSession::checkCertificate(const TlsStream& stream)
{
    const std::string problem = stream.verifyProblem();
    const std::string seen = stream.fingerprint();
    if (problem.empty() || seen == m_trustedKey)
        return;
    if (!m_trustedKey.empty())
        throw FtpError("The server's certificate has changed: the profile trusts " + m_trustedKey +
                           " but the server now shows " + seen + " (" + problem + "). Refused.",
                       ErrorKind::NotTrusted);
    const std::string reason = "The server's certificate is not trusted (" + problem + "). Its fingerprint is " + seen + ".";
    if (m_trustQuestion && m_trustQuestion(reason + "\n\nTrust this certificate for this profile?")) {
        m_trustedKey = seen;
        return;
    }
    throw FtpError(reason + " Refused.", ErrorKind::NotTrusted);
}

void FtpSession::secureControl()
{
    try {
        command("AUTH TLS", {234});
    } catch (const FtpError& refused) {
        if (m_reply.code < 400)
            throw;
        // Without TLS the password would go out in clear text, which FTPS was chosen to avoid.
        throw FtpError(std::string(viaProxy() ? "The proxy does not pass FTPS; turn the proxy off for this server or choose FTP. "
                                              : "The server does not offer FTPS; choose FTP if it offers nothing else. ") +
                       "It answered AUTH TLS with: " + refused.what());
    }
    // Anything the server sent before the handshake would be taken for TLS bytes.
    if (!m_buffer.empty())
        throw FtpError("The server sent more after accepting AUTH TLS.");
    m_tls = std::make_unique<TlsContext>();
    const std::string host = parseHostPort(m_host, defaultPort(m_protocol)).host;
    Socket plain = static_cast<SocketStream&>(*m_control).release();
    auto secured = std::make_unique<TlsStream>(std::move(plain), *m_tls, host, m_connectTimeoutMs);
    checkCertificate(*secured);
    m_serverKey = secured->fingerprint();
    m_controlTls = secured.get();
    m_control = std::move(secured);
}

void FtpSession::protectData()
{
    const std::string host = parseHostPort(m_host, defaultPort(m_protocol)).host;
    Socket plain = static_cast<SocketStream&>(*m_data).release();
    auto secured = std::make_unique<TlsStream>(std::move(plain), *m_tls, host, m_connectTimeoutMs, m_controlTls);
    // The data connection must come from the server the person trusted, not from whoever
    // reached the data port first.
    if (secured->fingerprint() != m_serverKey)
        throw FtpError("The data connection showed another certificate than the server. Refused.",
                       ErrorKind::NotTrusted);
    m_data = std::move(secured);
}

void FtpSession::abort()
{
    if (!connected())
        return;
    try {
        sendLine("ABOR");
    } catch (...) {
        closeData();
        throw;
    }
    closeData();
}

void FtpSession::selectTransferType(TransferType type)
{
    if (type != m_transferType && connected())
        command(std::string("TYPE ") + (type == TransferType::Ascii ? "A" : "I"), {200});
    m_transferType = type;
}

std::string FtpSession::currentDirectory()
{
    const FtpReply& reply = command("PWD", {257});
    const std::string& line = reply.lines.front();
    const auto open = line.find('"');
    const auto close = open == std::string::npos ? std::string::npos : line.find('"', open + 1);
    if (close == std::string::npos)
        throw FtpError(reply.text());
    return line.substr(open + 1, close - open - 1);
}

void FtpSession::changeDirectory(const std::string& name)
{
    command("CWD " + name, {200, 250});
}

void FtpSession::makeDirectory(const std::string& name)
{
    command("MKD " + name, {257});
}

void FtpSession::prepareData()
{
    closeData();
    if (m_passive) {
        const SocketAddress peer = m_control->socket().peerAddress();
        if (peer.family == AF_INET6) {
            m_passiveTarget = peer;
            m_passiveTarget.port = parseEpsvReply(command("EPSV", {229}).lines.front());
            return;
        }
        m_passiveTarget = parsePasvReply(command("PASV", {227}).lines.front());
        // A reply naming another host would make us connect wherever the server says (the
        // bounce attack); the data connection always goes to the host we are talking to.
        if (m_passiveTarget.address != peer.address) {
            note("PASV reply names " + m_passiveTarget.address + "; connecting to the server's address " +
                 peer.address + " instead");
            m_passiveTarget.address = peer.address;
        }
        return;
    }
    const SocketAddress local = m_control->socket().localAddress();
    m_listener = Socket::listenOn(local.address);
    const std::uint16_t port = m_listener.localAddress().port;
    if (local.family == AF_INET6) {
        command("EPRT |2|" + local.address + "|" + std::to_string(port) + "|", {200});
    } else {
        std::string hostFields = local.address;
        std::replace(hostFields.begin(), hostFields.end(), '.', ',');
        command("PORT " + hostFields + "," + std::to_string(port / 256) + "," + std::to_string(port % 256), {200});
    }
}

void FtpSession::openPassiveData()
{
    try {
        openDataStream(Socket::connectTo(m_passiveTarget.address, m_passiveTarget.port, m_connectTimeoutMs));
        return;
    } catch (const FtpError& failure) {
        if (failure.systemError() != ECONNREFUSED)
            throw;
    }
    // Right after a refused transfer command, ftp-proxy may close the port it has just announced
    // while it clears away that command's data connection to the server. Once it has, a second
    // PASV gets a port that stays open.
    note("Data port " + std::to_string(m_passiveTarget.port) + " refused the connection; asking for another");
    prepareData();
    openDataStream(Socket::connectTo(m_passiveTarget.address, m_passiveTarget.port, m_connectTimeoutMs));
}

void FtpSession::openDataStream(Socket socket)
{
    m_data = std::make_unique<SocketStream>(std::move(socket));
}

void FtpSession::startTransfer(const std::string& line, std::initializer_list<int> accepted)
{
    try {
        if (m_passive) {
            openPassiveData();
            command(line, accepted);
        } else {
            command(line, accepted);
            // A server that gives up before it connects says so on the control connection
            // instead; what it sends after a connection is read once the transfer is done.
            const bool replyWaiting = !m_buffer.empty() || m_control->hasBuffered();
            const bool connecting = m_listener.readable(0) ||
                                    (!replyWaiting && m_listener.readable(m_connectTimeoutMs, &m_control->socket()));
            if (!connecting && (replyWaiting || m_control->socket().readable(0))) {
                const FtpReply& refusal = readReply();
                throw refusal.error();
            }
            openDataStream(m_listener.accept(0));
            m_listener.close();
        }
        if (m_tls)
            protectData();
    } catch (...) {
        closeData();
        throw;
    }
}

void FtpSession::readClosingReply(bool allowRetryCodes)
{
    const FtpReply& reply = readReply();
    if (reply.code == 225 || reply.code == 226 || reply.code == 250)
        return;
    if (allowRetryCodes && (reply.code == 426 || reply.code == 450)) {
        expect({226, 225});
        return;
    }
    throw reply.error();
}

std::string FtpSession::readListing(const std::string& line)
{
    prepareData();
    startTransfer(line, {125, 150, 154});
    std::string listing;
    try {
        char chunk[16384];
        for (;;) {
            const std::size_t got = m_data->readSome(chunk, sizeof chunk, m_readTimeoutMs);
            if (got == 0)
                break;
            if (listing.size() + got > maxListingBytes)
                throw FtpError("Listing from the server is too long.");
            listing.append(chunk, got);
        }
    } catch (...) {
        m_data.reset();
        throw;
    }
    m_data->close();
    m_data.reset();
    readClosingReply(true);
    return listing;
}

std::vector<std::string> FtpSession::listNames(const std::string& pattern)
{
    const std::string trimmed = trimRight(pattern);
    return listingLines(readListing(trimmed.empty() ? "NLST" : "NLST " + trimmed));
}

std::vector<RemoteFile> FtpSession::listFiles()
{
    std::vector<RemoteFile> files;
    std::string facts;
    try {
        facts = readListing("MLSD");
    } catch (const FtpError& refused) {
        // Only a server that does not know the command gets the slow way; anything else is a
        // real failure.
        if (m_reply.code != 500 && m_reply.code != 501 && m_reply.code != 502 && m_reply.code != 504)
            throw;
        const TransferType before = m_transferType;
        selectTransferType(TransferType::Binary);
        for (const std::string& name : listingLines(readListing("NLST"))) {
            const FtpReply& reply = command("SIZE " + name, {});
            // Folders and vanished names have no size.
            if (reply.code == 213) {
                if (const auto size = parseSize(reply.lines.front()))
                    files.push_back({name, *size});
            }
        }
        selectTransferType(before);
        return files;
    }
    for (const std::string& line : listingLines(facts)) {
        if (const auto file = parseMlsdLine(line))
            files.push_back(*file);
    }
    return files;
}

void FtpSession::putFile(const std::string& localPath, const std::string& remoteName)
{
    sendFile(localPath, remoteName, 0);
}

void FtpSession::resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset)
{
    sendFile(localPath, remoteName, offset);
}

void FtpSession::sendFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(localPath.c_str(), "rb"), &std::fclose);
    if (!file)
        throw FtpError("Cannot open file " + localPath + ": " + std::strerror(errno));
    if (offset > 0 && fseeko(file.get(), static_cast<off_t>(offset), SEEK_SET) != 0)
        throw FtpError("Cannot read file " + localPath + ": " + std::strerror(errno));
    prepareData();
    if (offset > 0)
        command("REST " + std::to_string(offset), {350});
    startTransfer("STOR " + remoteName, {110, 125, 150});
    try {
        std::vector<char> chunk(65536);
        for (;;) {
            const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
            if (got > 0)
                m_data->writeAll(chunk.data(), got, m_readTimeoutMs);
            if (got < chunk.size()) {
                if (std::ferror(file.get()))
                    throw FtpError("Cannot read file " + localPath);
                break;
            }
        }
    } catch (...) {
        m_data.reset();
        throw;
    }
    m_data->close();
    m_data.reset();
    // A 426 or 450 here means the file did not arrive whole, so it fails the upload.
    readClosingReply(false);
}

void FtpSession::renameFile(const std::string& from, const std::string& to)
{
    command("RNFR " + from, {350});
    command("RNTO " + to, {250});
}

void FtpSession::removeFile(const std::string& name)
{
    command("DELE " + name, {250});
}

} // namespace pictaven
