#include "publish/FtpProfile.h"

#include "app/StoredPassword.h"
#include "ini/BigIniFile.h"

namespace pictaven {

namespace {

const char* const section = "Directories";
// A value no profile key holds: a line break cannot be written into an INI value.
const char* const absentMark = "\n";

} // namespace

FtpProfile FtpProfile::load(const std::string& path)
{
    const BigIniFile file(path);
    const FtpProfile defaults;
    FtpProfile profile;
    profile.ftp = file.readString(section, "FTP", defaults.ftp);
    profile.user = file.readString(section, "User", defaults.user);
    profile.password =
        readStoredPassword({file.readString(section, "Password", ""), file.readString(section, "PasswordHex", "")});
    profile.ftpHomeDirectory = file.readString(section, "FTPHomeDirectory", defaults.ftpHomeDirectory);
    profile.httpHomeDirectory = file.readString(section, "HTTPHomeDirectory", defaults.httpHomeDirectory);
    profile.www = file.readString(section, "WWW", defaults.www);
    profile.protocol = parseProtocol(file.readString(section, "Protocol", "")).value_or(RemoteProtocol::Ftp);
    profile.trustedKey = file.readString(section, "TrustedKey", "");
    profile.keyFile = file.readString(section, "KeyFile", "");
    return profile;
}

void FtpProfile::write(const std::string& path) const
{
    BigIniFile file(path, NewFileAccess::OwnerOnly);
    file.writeString(section, "FTP", ftp);
    file.writeString(section, "User", user);
    const StoredPassword stored = storePassword(password);
    file.writeString(section, "Password", stored.scrambled);
    file.writeString(section, "FTPHomeDirectory", ftpHomeDirectory);
    file.writeString(section, "HTTPHomeDirectory", httpHomeDirectory);
    file.writeString(section, "WWW", www);
    // An absent key reads as its default, so a key the file lacks is only written when it
    // differs; one the file has is always brought up to date.
    auto writeNewKey = [&file](const char* key, const std::string& value, bool isDefault) {
        if (!isDefault || file.readString(section, key, absentMark) != absentMark)
            file.writeString(section, key, value);
    };
    writeNewKey("Protocol", protocolName(protocol), protocol == RemoteProtocol::Ftp);
    writeNewKey("TrustedKey", trustedKey, trustedKey.empty());
    writeNewKey("KeyFile", keyFile, keyFile.empty());
    writeNewKey("PasswordHex", stored.hex, stored.hex.empty());
    file.flushFile();
}

} // namespace pictaven
