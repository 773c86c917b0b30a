#include "generate/RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictaven {

namespace {

struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

RecordFile failed(RecordFile::State state, int error)
{
    RecordFile file;
    file.state = state;
    file.error = error;
    return file;
}

} // namespace

RecordFile RecordFile::read(const std::string& path, std::size_t limit)
{
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return failed(State::Missing, errno);
        // O_NOFOLLOW meets a symbolic link with ELOOP.
        return failed(errno == ELOOP ? State::NotRegular : State::Unreadable, errno);
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        return failed(State::Unreadable, errno);
    if (!S_ISREG(info.st_mode))
        return failed(State::NotRegular, 0);

    const std::size_t wanted = limit + 1;
    RecordFile result;
    result.state = State::Read;
    // The size it has now; one that grows meanwhile is still read only this far.
    result.bytes.reserve(std::min(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)), limit) + 1);
    char buffer[65536];
    while (result.bytes.size() < wanted) {
        const ssize_t count = ::read(file.fd, buffer, std::min(sizeof buffer, wanted - result.bytes.size()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return failed(State::Unreadable, errno);
        if (count == 0)
            break;
        result.bytes.append(buffer, static_cast<std::size_t>(count));
    }
    return result;
}

} // namespace pictaven
