#include "ini/SafeFileWriter.h"

#include "ini/IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace pictaven {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

std::string resolveLinks(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    // A dangling link resolves as far as it can, so the file is created where it points.
    const auto target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

// The folder part of a path, with its "/" ("" for a bare name).
std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string randomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += letters[device() % (sizeof(letters) - 1)];
    return suffix;
}

} // namespace

SafeFileWriter::SafeFileWriter(const std::string& path, NewFileAccess access)
    : m_path(path)
    , m_target(resolveLinks(path))
{
    const std::string folder = folderOf(m_target);
    // Shortened so that the temporary name stays within the 255-byte limit of a file name.
    const std::string name = m_target.substr(folder.size(), 200);

    struct stat existing {};
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
    const mode_t mode = access == NewFileAccess::OwnerOnly ? 0600 : 0666;

    // A dot name with a random tail: hidden, and matched by no "*.CFG"-style mask.
    for (int attempt = 0; m_fd < 0; ++attempt) {
        m_temp = folder + "." + name + ".tmp-" + randomSuffix();
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd < 0 && (errno != EEXIST || attempt == 100))
            fail(errno);
    }
    if (exists && ::fchmod(m_fd, existing.st_mode & 07777) != 0)
        fail(errno);
}

SafeFileWriter::~SafeFileWriter()
{
    discard();
}

void SafeFileWriter::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temp.c_str());
    }
}

void SafeFileWriter::fail(int error)
{
    discard();
    throw IoError("Unable to write to " + m_path + ": " + std::generic_category().message(error));
}

void SafeFileWriter::write(std::string_view bytes)
{
    if (m_fd < 0)
        throw IoError("Unable to write to " + m_path + ": the file is already closed");
    m_buffer.append(bytes);
    if (m_buffer.size() >= kBufferSize)
        flushBuffer();
}

void SafeFileWriter::flushBuffer()
{
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        const ssize_t written = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        done += static_cast<std::size_t>(written);
    }
    m_buffer.clear();
}

void SafeFileWriter::commit()
{
    if (m_fd < 0)
        throw IoError("Unable to write to " + m_path + ": the file is already closed");
    flushBuffer();
    if (::fsync(m_fd) != 0)
        fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        const int error = errno;
        ::unlink(m_temp.c_str());
        throw IoError("Unable to write to " + m_path + ": " + std::generic_category().message(error));
    }
    // Make the rename itself durable; a folder that cannot be synced is no reason to fail.
    const std::string folderPath = folderOf(m_target);
    const int folder = ::open(folderPath.empty() ? "." : folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void SafeFileWriter::writeFile(const std::string& path, std::string_view bytes, NewFileAccess access)
{
    SafeFileWriter writer(path, access);
    writer.write(bytes);
    writer.commit();
}

} // namespace pictaven
