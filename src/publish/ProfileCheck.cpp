#include "publish/ProfileCheck.h"

#include "publish/FtpError.h"
#include "publish/HostPort.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictaven {

std::string privateKeyFault(const std::string& path)
{
    const std::string named = "The SSH key file " + path;
    // Without O_NONBLOCK a named pipe there would stall the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return named + " cannot be read: " + std::strerror(errno) + ".";
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    const int error = errno;
    ::close(fd);
    if (!known)
        return named + " cannot be read: " + std::strerror(error) + ".";
    if (!S_ISREG(info.st_mode))
        return named + " is not a file.";
    if (info.st_uid == ::getuid() && (info.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
        return named + " can be read by other users (permissions " + mode +
               "), so SSH does not use it: make it readable by its owner only (chmod 600).";
    }
    return {};
}

std::string profileFault(const FtpProfile& profile)
{
    if (profile.ftp.find_first_not_of(" \t") != std::string::npos) {
        try {
            parseHostPort(profile.ftp, profile.port());
        } catch (const FtpError& refusal) {
            return refusal.what();
        }
    }
    return profile.keyFile.empty() ? std::string() : privateKeyFault(profile.keyFile);
}

} // namespace pictaven
