#pragma once

#include "publish/RemoteProtocol.h"

#include <string>

namespace pictaven {

// One FTP destination, kept as a profile file (profiles/<name>.prf, section [Directories]).
// The password is plain text here and scrambled in the file (app/StoredPassword.h).
struct FtpProfile {
    static constexpr const char* placeholderHost = "ftp.your-provider.example";
    static constexpr const char* placeholderWebAddress = "www.your-provider.example";

    FtpProfile() = default;
    // The six fields a profile always had; the others keep their defaults.
    FtpProfile(std::string ftpHost, std::string userName, std::string userPassword, std::string ftpHome,
               std::string httpHome, std::string webAddress)
        : ftp(std::move(ftpHost))
        , user(std::move(userName))
        , password(std::move(userPassword))
        , ftpHomeDirectory(std::move(ftpHome))
        , httpHomeDirectory(std::move(httpHome))
        , www(std::move(webAddress))
    {
    }

    std::string ftp = placeholderHost;     // host, optionally host:port or [v6-address]:port
    std::string user;
    std::string password;
    std::string ftpHomeDirectory = "/";    // below the log-in directory; albums go in here
    std::string httpHomeDirectory;         // the same place as seen from the web
    std::string www = placeholderWebAddress;
    RemoteProtocol protocol = RemoteProtocol::Ftp;
    // "SHA256:" and the lower-case hex digest of the server certificate (DER) or SSH host key
    // blob that the person accepted; empty while the system's trust decides.
    std::string trustedKey;
    // SFTP: a private key file to log in with, before the agent's keys and those in ~/.ssh;
    // empty for none.
    std::string keyFile;

    // Reads a profile file; missing keys (or a missing file) give the defaults above, and an
    // unknown Protocol reads as FTP. Throws IoError when the file exists but cannot be read.
    static FtpProfile load(const std::string& path);
    // Writes the six keys in the order FTP, User, Password, FTPHomeDirectory, HTTPHomeDirectory,
    // WWW, then Protocol, TrustedKey, KeyFile and PasswordHex (the password's second key, see
    // app/StoredPassword.h), which older readers skip as unknown. Those are left out while they
    // hold their defaults (FTP, none, none, none) unless the file already has them, so such a
    // file stays as it always was. A new file is readable by its owner only. Throws IoError.
    void write(const std::string& path) const;
    // The port of the protocol, for a host written without one.
    std::uint16_t port() const { return defaultPort(protocol); }

    bool operator==(const FtpProfile&) const = default;
};

} // namespace pictaven
