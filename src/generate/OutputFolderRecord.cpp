#include "generate/OutputFolderRecord.h"

#include "generate/AtomicFile.h"
#include "generate/RecordField.h"
#include "generate/RecordFile.h"
#include "ini/IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace pictaven {

namespace {

namespace fs = std::filesystem;

// Far more than the names of any album; a larger record is read only this far.
constexpr std::size_t longestRecord = std::size_t{64} << 20;

bool isPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos && name != OutputFolderRecord::fileName;
}

bool isPlainFile(const fs::path& path)
{
    std::error_code ignored;
    return fs::symlink_status(path, ignored).type() == fs::file_type::regular;
}

} // namespace

OutputFolderRecord::OutputFolderRecord(std::string folder)
    : m_folder(std::move(folder))
{
    const std::string bytes = RecordFile::read(m_folder + fileName, longestRecord).bytes;
    std::size_t start = 0;
    // A line without its end was cut by a killed run and may name another file; it does not count.
    for (std::size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::optional<std::string> name = unescapedField(std::string_view(bytes).substr(start, end - start));
        if (name && isPlainName(*name))
            m_names.insert(*name);
    }
}

void OutputFolderRecord::removeLeftovers() const
{
    if (m_names.empty())
        return;
    std::error_code error;
    fs::directory_iterator entries(m_folder, error);
    if (error)
        return;
    std::vector<fs::path> leftovers;
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with('.') || !isPlainFile(entry.path()))
            continue;
        // Hidden files are few in an album folder, so each is compared with every name.
        for (const std::string& listed : m_names) {
            if (AtomicFile::isTemporaryOf(name, listed)) {
                leftovers.push_back(entry.path());
                break;
            }
        }
    }
    for (const fs::path& leftover : leftovers) {
        std::error_code ignored;
        fs::remove(leftover, ignored);
    }
}

void OutputFolderRecord::clear(const std::function<bool(const std::string& name)>& keep)
{
    for (auto it = m_names.begin(); it != m_names.end();) {
        const fs::path file = fs::path(m_folder) / *it;
        if (!isPlainFile(file) || keep(*it)) {
            ++it;
            continue;
        }
        // A read-only file goes too: deleting asks only for the folder's permission, and changing
        // the file's own could reach through a link put in its place meanwhile.
        std::error_code error;
        if (fs::remove(file, error))
            it = m_names.erase(it);
        else
            ++it;
    }
}

void OutputFolderRecord::save()
{
    std::string text;
    for (auto it = m_names.begin(); it != m_names.end();) {
        if (isPlainFile(fs::path(m_folder) / *it)) {
            text += escapedField(*it) + "\n";
            ++it;
        } else {
            it = m_names.erase(it);
        }
    }
    const std::string path = m_folder + fileName;
    if (text.empty()) {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            throw IoError("Unable to delete " + path + ": " + std::generic_category().message(errno));
        return;
    }
    AtomicFile file(path);
    file.write(text);
    file.commit();
}

void OutputFolderRecord::add(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string record = folder + fileName;
    const int fd = ::open(record.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    const auto fail = [&record](int error) {
        const std::string reason = std::generic_category().message(error);
        return IoError("Unable to write to " + record + ": " + reason, reason);
    };
    if (fd < 0)
        throw fail(errno);
    // One write per line: appends of other threads and processes never land inside it. A line
    // cut short (a full disk) has no end and does not count.
    const std::string line = escapedField(path.substr(folder.size())) + "\n";
    const ssize_t written = ::write(fd, line.data(), line.size());
    const int error = written < 0 ? errno : ENOSPC;
    const bool closed = ::close(fd) == 0;
    if (written != static_cast<ssize_t>(line.size()) || !closed)
        throw fail(closed ? error : errno);
}

} // namespace pictaven
