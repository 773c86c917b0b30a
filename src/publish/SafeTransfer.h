#pragma once

#include "publish/RemoteSession.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pictaven {

// A file that went to the server under its temporary name.
struct SentFile {
    std::string remoteName;
    std::uint64_t size = 0;
};

// Sends files so that their final names never show half a file: a web server shows the old
// version until the rename. Each file goes under a temporary name ("<name>.part"; with a leading
// dot some servers would leave it out of their listings); a transfer broken by a lost connection
// is resumed after a reconnection, once per retry delay; the files are renamed into place once
// the server reports them at their full size.
class SafeTransfer {
public:
    struct Hooks {
        std::function<void(const std::string&)> log; // a line of the command log
        // After a reconnection: back into the album directory, or throw FtpError.
        std::function<void()> enterAlbumDirectory;
        std::function<bool()> cancelRequested;
    };

    // `session` must outlive the transfer.
    SafeTransfer(RemoteSession& session, Hooks hooks);

    // The waits before the attempts to resume a broken transfer, one attempt each; 1, 2 and 4
    // seconds unless set.
    void setRetryDelays(std::vector<std::chrono::milliseconds> delays) { m_retryDelays = std::move(delays); }

    static std::string temporaryName(const std::string& remoteName);

    // Sends the local file under the temporary name of `remoteName`. On failure the temporary
    // file is removed and FtpError thrown: NoSpace for a full disk, ConnectionLost when the
    // connection broke more often than there are retry delays, Cancelled when Cancel was pressed
    // during a wait, and the failure's own kind when the server refused.
    void send(const std::string& localPath, const std::string& remoteName);

    // How far putInPlace came: the first `placed` files are in place. Otherwise `failedFile`
    // and `failure` say which file stopped it and why.
    struct Placement {
        std::size_t placed = 0;
        std::string failedFile;
        std::string failure;
    };
    // Renames the files that `send` delivered into place, in order, once the server lists every
    // one of them at its full size; none when one is missing or has another size. The temporary
    // files not put in place are removed.
    Placement putInPlace(const std::vector<SentFile>& files);
    // Removes the temporary files of files that will not be put in place.
    void discard(const std::vector<SentFile>& files);
    // Removes a remote file if it can; failures are of no interest.
    void removeQuietly(const std::string& remoteName);

private:
    void reconnect();
    // Where a transfer broken before may go on: the bytes of the temporary file on the server.
    std::uint64_t resumeOffset(const std::string& temporary, std::uint64_t size);
    bool waitBeforeRetry(std::chrono::milliseconds delay);

    RemoteSession& m_session;
    Hooks m_hooks;
    std::vector<std::chrono::milliseconds> m_retryDelays{std::chrono::seconds(1), std::chrono::seconds(2),
                                                         std::chrono::seconds(4)};
};

} // namespace pictaven
