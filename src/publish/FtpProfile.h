#pragma once

#include <string>

namespace pictaven {

// One FTP destination, kept as a profile file (profiles/<name>.prf, section [Directories]).
// The password is plain text here and scrambled in the file (app/StoredPassword.h).
struct FtpProfile {
    static constexpr const char* placeholderHost = "ftp.your-provider.example";
    static constexpr const char* placeholderWebAddress = "www.your-provider.example";

    std::string ftp = placeholderHost;     // host, optionally host:port or [v6-address]:port
    std::string user;
    std::string password;
    std::string ftpHomeDirectory = "/";    // below the log-in directory; albums go in here
    std::string httpHomeDirectory;         // the same place as seen from the web
    std::string www = placeholderWebAddress;

    // Reads a profile file; missing keys (or a missing file) give the defaults above. Throws
    // IoError when the file exists but cannot be read.
    static FtpProfile load(const std::string& path);
    // Writes the six keys in the order FTP, User, Password, FTPHomeDirectory, HTTPHomeDirectory,
    // WWW. A new file is readable by its owner only. Throws IoError.
    void write(const std::string& path) const;

    bool operator==(const FtpProfile&) const = default;
};

} // namespace pictaven
