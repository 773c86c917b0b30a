#include "generate/GeneratedFile.h"

#include "generate/AtomicFile.h"
#include "generate/OutputFolderRecord.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace pictaven {

namespace fs = std::filesystem;

namespace {

// Whether `path` is a plain file of its own that holds exactly `bytes`. A link or a file of
// several names is never taken for the file a generation writes, which is neither. A pipe put
// in its place meanwhile does not hold up the opening.
bool holdsAlready(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info { };
    bool same = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
                static_cast<std::uint64_t>(info.st_size) == bytes.size();
    std::string held(same ? bytes.size() : 0, '\0');
    for (std::size_t done = 0; same && done < held.size();) {
        const ssize_t n = ::read(fd, held.data() + done, held.size() - done);
        if (n <= 0)
            same = n < 0 && errno == EINTR;
        else
            done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return same && held == bytes;
}

} // namespace

void GeneratedFile::list(const std::string& path)
{
    // Listed before anything is created, so that clearing finds whatever a killed run left.
    AtomicFile::checkReplaceable(path);
    OutputFolderRecord::add(path);
}

void GeneratedFile::replace(const std::string& path, std::string_view bytes)
{
    if (holdsAlready(path, bytes))
        return;
    AtomicFile file(path);
    file.write(bytes);
    file.commit();
}

void GeneratedFile::write(const std::string& path, const std::function<void(const std::string& writePath)>& fill)
{
    list(path);
    AtomicFile file(path);
    fill(file.temporaryPath());
    file.commit();
}

void GeneratedFile::writeBytes(const std::string& path, std::string_view bytes)
{
    list(path);
    replace(path, bytes);
}

void GeneratedFile::copy(const std::string& from, const std::string& path)
{
    write(path,
          [&](const std::string& writePath) { fs::copy_file(from, writePath, fs::copy_options::overwrite_existing); });
}

} // namespace pictaven
