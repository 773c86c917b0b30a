#include "imaging/InputFile.h"

#include "imaging/DecoderError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pictaven {
namespace {

// What a path that is not a regular file turned out to be.
std::string notAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return "is a folder, not a picture file";
    if (S_ISFIFO(mode))
        return "is a named pipe, not a file";
    if (S_ISSOCK(mode))
        return "is a socket, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device, not a file";
    return "is not a regular file";
}

std::string tooLarge(std::int64_t maxBytes)
{
    return "larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB, the most this program reads";
}

} // namespace

InputFile::InputFile(const std::string& path, std::int64_t maxBytes)
    : m_path(path)
    , m_maxBytes(maxBytes)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        throw DecoderError(path, std::strerror(errno));
    struct stat status {};
    if (::fstat(m_fd, &status) != 0) {
        const int error = errno;
        ::close(m_fd);
        throw DecoderError(path, std::strerror(error));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(m_fd);
        throw DecoderError(path, notAFile(status.st_mode));
    }
    if (status.st_size > maxBytes) {
        ::close(m_fd);
        throw DecoderError(path, tooLarge(maxBytes));
    }
    m_size = status.st_size;
}

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::vector<std::uint8_t> InputFile::readAll()
{
    // The spare byte lets the read that meets the end of the file need no second buffer.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(m_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        // One byte more than the limit tells a file that has grown past it.
        if (filled == bytes.size()) {
            if (static_cast<std::int64_t>(filled) > m_maxBytes)
                throw DecoderError(m_path, tooLarge(m_maxBytes));
            bytes.resize(std::min<std::size_t>(std::max<std::size_t>(filled * 2, 65536),
                                               static_cast<std::size_t>(m_maxBytes) + 1));
        }
        const ssize_t count = ::read(m_fd, bytes.data() + filled, bytes.size() - filled);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw DecoderError(m_path, std::strerror(errno));
        }
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return bytes;
}

std::FILE* InputFile::releaseStream()
{
    std::FILE* stream = ::fdopen(m_fd, "rb");
    if (!stream)
        throw DecoderError(m_path, std::strerror(errno));
    m_fd = -1;
    return stream;
}

} // namespace pictaven
