#include "publish/SafeTransfer.h"

#include "publish/AlbumDirectory.h"
#include "publish/FtpError.h"

#include <algorithm>
#include <filesystem>
#include <thread>

namespace pictaven {

namespace {

// What the server refused it refuses again; a connection that broke, or a failure that cannot
// tell, may pass on a new connection.
bool worthAnotherAttempt(ErrorKind kind)
{
    return kind != ErrorKind::Refused && kind != ErrorKind::NotFound && kind != ErrorKind::NoSpace &&
           kind != ErrorKind::Cancelled;
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

// Throws FtpError unless the listing `files` shows the temporary file of `file` at its size.
void checkArrived(const std::map<std::string, std::uint64_t>& files, const SentFile& file)
{
    const std::string temporary = SafeTransfer::temporaryName(file.remoteName);
    const auto arrived = files.find(temporary);
    if (arrived == files.end() || arrived->second != file.size)
        throw FtpError("The server reports " +
                       (arrived == files.end() ? "no file" : std::to_string(arrived->second) + " bytes") + " for " +
                       temporary + " after the transfer of " + std::to_string(file.size) +
                       " bytes; the file was not put in place.");
}

} // namespace

SafeTransfer::SafeTransfer(RemoteSession& session, Hooks hooks) : m_session(session), m_hooks(std::move(hooks)) { }

std::string SafeTransfer::temporaryName(const std::string& remoteName)
{
    return remoteName + ".part";
}

void SafeTransfer::send(const std::string& localPath, const std::string& remoteName)
{
    const std::string temporary = temporaryName(remoteName);
    const std::uint64_t size = std::filesystem::file_size(localPath);
    for (std::size_t attempt = 0;; ++attempt) {
        try {
            std::uint64_t offset = 0;
            if (attempt > 0) {
                reconnect();
                offset = resumeOffset(temporary, size);
                m_hooks.log("RESUME " + remoteName + " FROM " + std::to_string(offset));
            }
            if (offset == 0)
                m_session.putFile(localPath, temporary);
            else
                m_session.resumeFile(localPath, temporary, offset);
            return;
        } catch (const FtpError& failure) {
            const bool retry = worthAnotherAttempt(failure.kind()) && attempt < m_retryDelays.size();
            if (retry)
                m_hooks.log("CONNECTION LOST: " + firstLine(failure.what()));
            if (retry && waitBeforeRetry(m_retryDelays[attempt]))
                continue;
            removeQuietly(temporary);
            if (retry)
                throw FtpError("Cancelled while waiting to resume " + remoteName + ".", ErrorKind::Cancelled);
            if (failure.kind() == ErrorKind::NoSpace)
                throw FtpError("The web server has no room for the file (disk full or quota reached): " +
                                   std::string(failure.what()),
                               ErrorKind::NoSpace);
            if (worthAnotherAttempt(failure.kind()) && attempt > 0)
                throw FtpError("The connection broke " + std::to_string(attempt + 1) + " times: " + failure.what(),
                               ErrorKind::ConnectionLost);
            throw;
        }
    }
}

void SafeTransfer::reconnect()
{
    try {
        m_session.disconnect();
    } catch (const std::exception&) {
        // What is left of the broken connection is of no use.
    }
    m_session.connect();
    m_hooks.log("CONNECT");
    m_hooks.enterAlbumDirectory();
    m_session.selectTransferType(TransferType::Binary);
}

std::uint64_t SafeTransfer::resumeOffset(const std::string& temporary, std::uint64_t size)
{
    const auto files = listFileSizes(m_session);
    const auto part = files.find(temporary);
    return part == files.end() || part->second > size ? 0 : part->second;
}

bool SafeTransfer::waitBeforeRetry(std::chrono::milliseconds delay)
{
    const auto until = std::chrono::steady_clock::now() + delay;
    while (std::chrono::steady_clock::now() < until) {
        if (m_hooks.cancelRequested())
            return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(50), until - std::chrono::steady_clock::now()));
    }
    return !m_hooks.cancelRequested();
}

SafeTransfer::Placement SafeTransfer::putInPlace(const std::vector<SentFile>& files)
{
    Placement placement;
    if (files.empty())
        return placement;
    std::size_t current = 0;
    try {
        const auto listed = listFileSizes(m_session);
        for (; current < files.size(); ++current)
            checkArrived(listed, files[current]);
        for (current = 0; current < files.size(); ++current) {
            m_session.renameFile(temporaryName(files[current].remoteName), files[current].remoteName);
            ++placement.placed;
        }
    } catch (const std::exception& failure) {
        placement.failedFile = files[current].remoteName;
        placement.failure = failure.what();
    }
    discard(std::vector<SentFile>(files.begin() + static_cast<std::ptrdiff_t>(placement.placed), files.end()));
    return placement;
}

void SafeTransfer::discard(const std::vector<SentFile>& files)
{
    for (const SentFile& file : files)
        removeQuietly(temporaryName(file.remoteName));
}

void SafeTransfer::removeQuietly(const std::string& remoteName)
{
    // Best effort: the connection may be the very thing that failed.
    try {
        if (m_session.connected())
            m_session.removeFile(remoteName);
    } catch (const std::exception&) {
    }
}

} // namespace pictaven
