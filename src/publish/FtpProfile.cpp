#include "publish/FtpProfile.h"

#include "app/StoredPassword.h"
#include "ini/BigIniFile.h"

namespace pictaven {

namespace {

const char* const section = "Directories";

} // namespace

FtpProfile FtpProfile::load(const std::string& path)
{
    const BigIniFile file(path);
    const FtpProfile defaults;
    FtpProfile profile;
    profile.ftp = file.readString(section, "FTP", defaults.ftp);
    profile.user = file.readString(section, "User", defaults.user);
    profile.password = unscramblePassword(file.readString(section, "Password", ""));
    profile.ftpHomeDirectory = file.readString(section, "FTPHomeDirectory", defaults.ftpHomeDirectory);
    profile.httpHomeDirectory = file.readString(section, "HTTPHomeDirectory", defaults.httpHomeDirectory);
    profile.www = file.readString(section, "WWW", defaults.www);
    return profile;
}

void FtpProfile::write(const std::string& path) const
{
    BigIniFile file(path, NewFileAccess::OwnerOnly);
    file.writeString(section, "FTP", ftp);
    file.writeString(section, "User", user);
    file.writeString(section, "Password", scramblePassword(password));
    file.writeString(section, "FTPHomeDirectory", ftpHomeDirectory);
    file.writeString(section, "HTTPHomeDirectory", httpHomeDirectory);
    file.writeString(section, "WWW", www);
    file.flushFile();
}

} // namespace pictaven
