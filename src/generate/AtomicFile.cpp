#include "generate/AtomicFile.h"

#include "ini/IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace pictaven {

namespace {

constexpr const char* partMark = ".part-";
constexpr std::size_t suffixLength = 8;
// Keeps the temporary name within the 255-byte limit of a file name.
constexpr std::size_t longestStem = 200;

const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";

std::string randomSuffix()
{
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(letters) - 2);
    std::string suffix;
    for (std::size_t i = 0; i < suffixLength; ++i)
        suffix += letters[pick(generator)];
    return suffix;
}

std::string temporaryPrefix(const std::string& name)
{
    return "." + name.substr(0, longestStem) + partMark;
}

[[noreturn]] void fail(const std::string& path, const std::string& reason)
{
    throw IoError("Unable to write to " + path + ": " + reason, reason);
}

[[noreturn]] void fail(const std::string& path, int error)
{
    fail(path, std::generic_category().message(error));
}

} // namespace

AtomicFile::AtomicFile(std::string path)
    : m_path(std::move(path))
{
    checkReplaceable(m_path);
    const auto slash = m_path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : m_path.substr(0, slash + 1);
    const std::string name = m_path.substr(folder.size());
    for (int attempt = 0;; ++attempt) {
        m_temporary = folder + temporaryPrefix(name) + randomSuffix();
        m_descriptor = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_descriptor >= 0)
            return;
        if (errno != EEXIST || attempt == 100) {
            const int error = errno;
            m_temporary.clear();
            fail(m_path, error);
        }
    }
}

void AtomicFile::checkReplaceable(const std::string& path)
{
    // Only a plain file or a link is replaced; renaming over a folder fails anyway, and a device
    // or pipe in its place is no album file to put aside.
    struct stat existing { };
    if (::lstat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode))
        fail(path, S_ISDIR(existing.st_mode) ? "it is a folder" : "it is not a plain file");
}

AtomicFile::~AtomicFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
}

void AtomicFile::write(std::string_view bytes) const
{
    if (m_descriptor < 0)
        throw IoError("Unable to write to " + m_path + ": the file is already committed");
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_descriptor, bytes.data(), bytes.size());
        if (n > 0)
            bytes.remove_prefix(static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            fail(m_path, n == 0 ? EIO : errno);
    }
}

void AtomicFile::commit()
{
    if (m_temporary.empty())
        throw IoError("Unable to write to " + m_path + ": the file is already committed");
    const std::string temporary = std::exchange(m_temporary, std::string());
    // A full disk may only show when the file is closed.
    const int descriptor = std::exchange(m_descriptor, -1);
    int error = ::close(descriptor) == 0 ? 0 : errno;
    if (error == 0 && ::rename(temporary.c_str(), m_path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail(m_path, error);
    }
}

bool AtomicFile::isTemporaryOf(const std::string& fileName, const std::string& name)
{
    const std::string prefix = temporaryPrefix(name);
    if (fileName.size() != prefix.size() + suffixLength || !fileName.starts_with(prefix))
        return false;
    return fileName.find_first_not_of(letters, prefix.size()) == std::string::npos;
}

} // namespace pictaven
