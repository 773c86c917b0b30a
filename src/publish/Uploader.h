#pragma once

#include "generate/OutputNames.h"
#include "publish/FtpError.h"
#include "publish/UploadJob.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace pictaven {

class RemoteConnection;

// What the upload tells the window. Every member may be empty. They are called on the thread
// that runs the upload (or calls cancel()).
struct UploadObserver {
    std::function<void(const std::string&)> status;     // the line under "Upload Status:"
    std::function<void()> clearLog;                     // empties the FTP command log
    std::function<void(const std::string&)> log;        // one line of the FTP command log
    std::function<void(const std::string&)> logMessage; // error box and error.log line
    std::function<void(const std::string&)> warning;    // warning box with an OK button
    std::function<void(const std::string&)> error;      // error box for a failure that ends the upload
    std::function<void()> buttonsChanged;               // uploadEnabled() or cancelEnabled() changed
    // Asks whether a server certificate that does not check may be trusted (the question names
    // its fingerprint); empty: refused.
    std::function<bool(const std::string&)> trustCertificate;
    // The fingerprint the person just trusted, for the profile to keep.
    std::function<void(const std::string&)> keyTrusted;
};

// Publishes a generated album into one remote album directory through the program's FTP
// session: the frame-set page, style sheet, index pages, photo pages, thumbnails or album
// pictures, textures, buttons, photos and audio files, in that order. Passwords never reach the
// command log. Nothing local is changed but the sync record of the output folder.
//
// A sync upload, and any upload over FTPS or SFTP, sends each file under a temporary name
// ("<name>.part"; with a leading dot some servers would leave it out of their listings), checks
// the size the server then reports and renames it; a transfer broken by a lost connection is
// resumed after a reconnection, once per retry delay. A sync upload sends its pictures, then its
// pages, each group renamed into place only once all of it arrived.
class Uploader {
public:
    // `session` must outlive the uploader; only the uploader uses it while an upload runs.
    Uploader(RemoteConnection& session, UploadObserver observer);

    // The whole upload, blocking (run it off the window's thread). True when "FTP finished."
    // was reached. Never throws: failures end it with the messages the observer receives.
    bool run(const UploadJob& job);

    // The Cancel button; safe from any thread. While an upload runs, it takes effect at the
    // upload's next check between files; otherwise it aborts and disconnects at once.
    void cancel();

    // The waits before the attempts to resume a broken transfer, one attempt each; 1, 2 and 4
    // seconds unless set.
    void setRetryDelays(std::vector<std::chrono::milliseconds> delays) { m_retryDelays = std::move(delays); }

    // Why the last run could not connect, and the failure's own text; Other and empty after a
    // connection.
    ErrorKind connectFailure() const { return m_connectFailure; }
    const std::string& connectFailureText() const { return m_connectFailureText; }

    bool uploadEnabled() const { return m_uploadEnabled; }
    bool cancelEnabled() const { return m_cancelEnabled; }

private:
    bool doUpload(const UploadJob& job);
    void performCancel();
    bool cancelled();
    void setButtons(bool upload, bool cancel);
    void status(const std::string& text);
    void log(const std::string& line);
    void readListing();
    void changeDir(const std::string& path);
    void sendFile(const std::string& localPath, bool checkExisting = false);
    bool putRemote(const std::string& path, const std::string& remoteName, bool checkExisting);
    void fail(const std::string& remoteName, const std::exception& failure);
    static std::string temporaryName(const std::string& remoteName);
    void sendTemporary(const std::string& path, const std::string& remoteName);
    // Throws FtpError unless the remote listing `files` shows the temporary file of `remoteName`
    // with `size` bytes.
    static void checkArrived(const std::map<std::string, std::uint64_t>& files, const std::string& remoteName,
                             std::uint64_t size);
    void reconnect();
    bool waitBeforeRetry(std::chrono::milliseconds delay);
    void removeQuietly(const std::string& remoteName);
    std::map<std::string, std::uint64_t> remoteFiles();
    bool syncFiles(const UploadJob& job);
    std::string localFile(const std::string& path) const;
    // The name the server gets for a local file, which the status lines show.
    std::string remoteNameOf(const std::string& localPath) const;

    RemoteConnection& m_session;
    UploadObserver m_observer;
    std::mutex m_mutex;
    bool m_running = false;
    std::atomic<bool> m_cancelRequested = false;
    std::atomic<bool> m_uploadEnabled = true;
    std::atomic<bool> m_cancelEnabled = false;

    // State of the running upload, used by its thread only.
    bool m_cancelUpload = false;
    std::string m_initialDirectory;
    std::vector<std::string> m_listing;
    std::string m_albumDirectory;
    bool m_sync = false;
    bool m_safeTransfers = false;
    // A sync upload first only notes the files the procedure would send, with their statuses.
    struct PlannedFile {
        std::string status;
        std::string path;
        std::string remoteName;
        bool checkExisting = false;
    };
    bool m_planning = false;
    std::string m_plannedStatus;
    std::vector<PlannedFile> m_planned;
    std::vector<std::chrono::milliseconds> m_retryDelays{std::chrono::seconds(1), std::chrono::seconds(2),
                                                         std::chrono::seconds(4)};
    OutputNames m_names{true, false};
    bool m_overwritePhotos = true;
    ErrorKind m_connectFailure = ErrorKind::Other;
    std::string m_connectFailureText;
};

} // namespace pictaven
