#pragma once

#include "publish/RemoteSession.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace pictaven::test {

// A remote session that keeps the server's files in memory: what an upload decides can be
// tested without a server. Paths are absolute, separated by "/"; the initial directory is "/".
class MemorySession : public RemoteSession {
public:
    std::map<std::string, std::string> files; // the bytes of each file, by path
    std::set<std::string> folders{"/"};
    // Called before every command with its name ("put", "resume", "rename", "remove", "list",
    // "cd", "mkdir" or "connect") and its first argument; throwing FtpError fails the command.
    std::function<void(const std::string& command, const std::string& argument)> fault;
    // Each transfer takes the first cut: its file breaks off at that many bytes and the
    // connection is lost.
    std::deque<std::uint64_t> cuts;
    int connections = 0;

    void connect() override;
    void disconnect() override { m_connected = false; }
    void abort() override { }
    bool connected() const override { return m_connected; }

    void selectTransferType(TransferType) override { }
    std::string currentDirectory() override;
    void changeDirectory(const std::string& name) override;
    void makeDirectory(const std::string& name) override;
    std::vector<std::string> listNames(const std::string& pattern) override;
    void putFile(const std::string& localPath, const std::string& remoteName) override;
    std::vector<RemoteFile> listFiles() override;
    void resumeFile(const std::string& localPath, const std::string& remoteName, std::uint64_t offset) override;
    void renameFile(const std::string& from, const std::string& to) override;
    void removeFile(const std::string& name) override;

private:
    void begin(const std::string& command, const std::string& argument);
    std::string pathOf(const std::string& name) const;

    bool m_connected = false;
    std::string m_directory = "/";
};

} // namespace pictaven::test
