#include "publish/AlbumDirectory.h"

#include "publish/FtpError.h"

namespace pictaven {

namespace {

// Servers say in these words that a directory is empty.
bool saysEmpty(const FtpError& failure)
{
    const std::string text = failure.what();
    return text == "No files found\r\n" || text == "No files found.\r\n" || text == "Path '*.*' does not exist.\r\n";
}

} // namespace

std::optional<std::string> enterAlbumDirectory(RemoteSession& session, const std::string& initialDirectory,
                                               const std::string& albumDirectory,
                                               const std::function<void(const std::string&)>& log)
{
    session.changeDirectory(initialDirectory);
    log("CD " + session.currentDirectory());
    std::string segment;
    for (std::size_t i = 0; i < albumDirectory.size(); ++i) {
        const char c = albumDirectory[i];
        const bool separator = c == '/' || c == '\\';
        const bool last = i + 1 == albumDirectory.size();
        if (!separator || last)
            segment += c;
        if (!((separator && i > 0) || last))
            continue;
        // A segment of separators alone ("/" of an album in the initial directory, or "//")
        // names no directory: entering it would leave the initial directory for the root.
        if (segment.find_first_not_of("/\\") != std::string::npos) {
            try {
                session.makeDirectory(segment);
                log("MKDIR " + segment);
            } catch (const FtpError&) {
                // The directory usually exists already.
            }
            try {
                session.changeDirectory(segment);
                log("CD " + session.currentDirectory());
            } catch (const FtpError&) {
                return segment;
            }
        }
        segment.clear();
    }
    return std::nullopt;
}

std::vector<std::string> listAlbumNames(RemoteSession& session, const std::function<void(const std::string&)>& warn)
{
    try {
        return session.listNames("*.*");
    } catch (const FtpError& failure) {
        if (saysEmpty(failure))
            return {};
    }
    // Some servers (Pure-FTPd) refuse any pattern but list the whole directory: keep what "*.*"
    // would have matched.
    std::vector<std::string> names;
    try {
        for (std::string& name : session.listNames("")) {
            if (name.find('.') != std::string::npos && name != "." && name != "..")
                names.push_back(std::move(name));
        }
    } catch (const FtpError& failure) {
        if (!saysEmpty(failure))
            warn(failure.what());
    }
    return names;
}

std::map<std::string, std::uint64_t> listFileSizes(RemoteSession& session)
{
    std::map<std::string, std::uint64_t> sizes;
    try {
        for (const RemoteFile& file : session.listFiles())
            sizes[file.name] = file.size;
    } catch (const FtpError& failure) {
        if (!saysEmpty(failure))
            throw;
    }
    return sizes;
}

} // namespace pictaven
