#include "generate/PageFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictaven {

PageFile::PageFile(const std::string& path)
{
    struct stat info {};
    // A read-only page left by an earlier generation is overwritten, as on the original's
    // file system where generation cleared the read-only attribute first.
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0)
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    do {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (m_fd < 0 && errno == EINTR);
}

PageFile::~PageFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool PageFile::finish(std::string_view text)
{
    if (m_fd < 0)
        return false;
    bool written = true;
    while (!text.empty()) {
        const ssize_t n = ::write(m_fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            written = false;
            break;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    return written && closed;
}

} // namespace pictaven
