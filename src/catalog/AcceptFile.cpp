#include "catalog/AcceptFile.h"

#include "app/Dialogs.h"
#include "app/GlobalSettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictaven {

FileAcceptance acceptFile(const std::string& path, const GlobalSettings& settings, bool beepOnReject,
                          Dialogs& dialogs)
{
    // Non-blocking, so that a named pipe among the photos cannot stall the command; size and date
    // come from the opened file itself.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat info {};
    const bool isPlainFile = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    if (!isPlainFile)
        return {};

    FileAcceptance result{true, static_cast<std::int64_t>(info.st_mtim.tv_sec)};
    const std::int64_t size = info.st_size;
    const std::int64_t kilobyte = 1024;
    if ((settings.skipSmallFiles && size < settings.smallFileSize * kilobyte) ||
        (settings.skipLargeFiles && size > settings.largeFileSize * kilobyte)) {
        result.accepted = false;
        if (beepOnReject)
            dialogs.beep();
    }
    return result;
}

} // namespace pictaven
