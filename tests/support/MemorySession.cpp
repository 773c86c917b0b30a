#include "support/MemorySession.h"

#include "publish/FtpError.h"
#include "support/TempDir.h"

#include <algorithm>

namespace pictaven::test {

void MemorySession::begin(const std::string& command, const std::string& argument)
{
    if (command != "connect" && !m_connected)
        throw FtpError("Not connected.", ErrorKind::ConnectionLost);
    if (fault)
        fault(command, argument);
}

std::string MemorySession::pathOf(const std::string& name) const
{
    if (!name.empty() && name.front() == '/')
        return name;
    return m_directory == "/" ? "/" + name : m_directory + "/" + name;
}

void MemorySession::connect()
{
    begin("connect", m_host);
    if (m_connected)
        throw FtpError("Already connected.");
    m_connected = true;
    m_directory = "/";
    ++connections;
}

std::string MemorySession::currentDirectory()
{
    begin("pwd", "");
    return m_directory;
}

void MemorySession::changeDirectory(const std::string& name)
{
    begin("cd", name);
    const std::string path = pathOf(name);
    if (!folders.contains(path))
        throw FtpError("No such folder " + path, ErrorKind::NotFound);
    m_directory = path;
}

void MemorySession::makeDirectory(const std::string& name)
{
    begin("mkdir", name);
    if (!folders.insert(pathOf(name)).second)
        throw FtpError("Folder exists", ErrorKind::Refused);
}

std::vector<std::string> MemorySession::listNames(const std::string&)
{
    std::vector<std::string> names;
    for (const RemoteFile& file : listFiles())
        names.push_back(file.name);
    return names;
}

std::vector<RemoteFile> MemorySession::listFiles()
{
    begin("list", m_directory);
    const std::string prefix = pathOf("");
    std::vector<RemoteFile> found;
    for (const auto& [path, bytes] : files) {
        if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos)
            found.push_back({path.substr(prefix.size()), bytes.size()});
    }
    return found;
}

void MemorySession::putFile(const std::string& localPath, const std::string& remoteName)
{
    begin("put", remoteName);
    files[pathOf(remoteName)].clear();
    resumeFile(localPath, remoteName, 0);
}

void MemorySession::resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset)
{
    if (offset > 0)
        begin("resume", remoteName);
    std::string& stored = files[pathOf(remoteName)];
    stored = stored.substr(0, offset) + readFile(localPath).substr(offset);
    if (cuts.empty())
        return;
    stored.resize(std::min<std::uint64_t>(stored.size(), cuts.front()));
    cuts.pop_front();
    m_connected = false;
    throw FtpError("Connection reset by peer", ErrorKind::ConnectionLost);
}

void MemorySession::renameFile(const std::string& from, const std::string& to)
{
    begin("rename", from);
    const auto file = files.find(pathOf(from));
    if (file == files.end())
        throw FtpError("No such file " + from, ErrorKind::NotFound);
    files[pathOf(to)] = file->second;
    files.erase(pathOf(from));
}

void MemorySession::removeFile(const std::string& name)
{
    begin("remove", name);
    if (files.erase(pathOf(name)) == 0)
        throw FtpError("No such file " + name, ErrorKind::NotFound);
}

} // namespace pictaven::test
