#pragma once

#include "publish/FtpError.h"
#include "publish/SafeTransfer.h"
#include "publish/SyncDecision.h"
#include "publish/UploadJob.h"
#include "publish/UploadPlan.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace pictaven {

class RemoteConnection;

// What the upload tells the window; what is not set is not told. They are called on the thread
// that runs the upload (or calls cancel()).
struct UploadObserver {
    static void ignore(const std::string&) { }

    std::function<void(const std::string&)> status = ignore;     // the line under "Upload Status:"
    std::function<void()> clearLog = [] {};                       // empties the FTP command log
    std::function<void(const std::string&)> log = ignore;        // one line of the FTP command log
    std::function<void(const std::string&)> logMessage = ignore; // error box and error.log line
    std::function<void(const std::string&)> warning = ignore;    // warning box with an OK button
    std::function<void(const std::string&)> error = ignore;      // error box for a failure that ends the upload
    std::function<void()> buttonsChanged = [] {};                 // uploadEnabled() or cancelEnabled() changed
    // Asks whether a server certificate that does not check may be trusted (the question names
    // its fingerprint); unless set, it is refused.
    std::function<bool(const std::string&)> trustCertificate = [](const std::string&) { return false; };
    // The fingerprint the person just trusted, for the profile to keep.
    std::function<void(const std::string&)> keyTrusted = ignore;
};

// How an upload ended.
enum class UploadResult { Finished, Cancelled, Failed };

// Publishes a generated album into one remote album directory through the program's remote
// session: it connects, plans the files (UploadPlan) and sends them one by one, reporting each
// in the status line and the command log, until all went, Cancel was pressed or one failed.
// Passwords never reach the command log. Nothing local is changed but the sync record of the
// output folder.
//
// A sync upload, and any upload over FTPS or SFTP, sends each file through SafeTransfer. A sync
// upload sends only what SyncDecision finds changed: its pictures, then its pages, each group
// renamed into place only once all of it arrived.
class Uploader {
public:
    // `session` must outlive the uploader; only the uploader uses it while an upload runs.
    Uploader(RemoteConnection& session, UploadObserver observer);

    // The whole upload, blocking (run it off the window's thread); Finished when "FTP finished."
    // was reached. Never throws: failures end it with the messages the observer receives.
    UploadResult run(const UploadJob& job);

    // The Cancel button; safe from any thread. While an upload runs, it takes effect at the
    // upload's next check between files; otherwise it aborts and disconnects at once.
    void cancel();

    // The waits before the attempts to resume a broken transfer, one attempt each.
    void setRetryDelays(std::vector<std::chrono::milliseconds> delays) { m_transfer.setRetryDelays(std::move(delays)); }

    // Why the last run could not connect, and the failure's own text; Other and empty after a
    // connection.
    ErrorKind connectFailure() const { return m_connectFailure; }
    const std::string& connectFailureText() const { return m_connectFailureText; }

    bool uploadEnabled() const { return m_uploadEnabled; }
    bool cancelEnabled() const { return m_cancelEnabled; }

private:
    bool upload(const UploadJob& job);
    void prepareSession(const UploadJob& job);
    bool connect(const UploadJob& job);
    bool sendPlan(const UploadPlan& plan);
    // The sync run, in SyncUpload.cpp.
    bool sendSync(const UploadJob& job, const std::vector<UploadStep>& files);
    bool sendGroup(const std::vector<SyncChange>& changes, SyncRecord& record);
    void removeStale(const std::vector<StaleFile>& stale, SyncRecord& record);
    // False when the file did not go: skipped as existing, or failed, which fail() reported.
    bool sendFile(const UploadStep& step);
    // Fails the upload with the missing file's message unless the step's local file is there.
    bool checkLocalFile(const UploadStep& step);
    bool enterAlbumDirectory();
    // Ends the upload at its next check; `text` goes to the error log unless a failure was
    // reported already or Cancel was pressed.
    void fail(const std::string& text);
    // Whether the upload must end here; performs a Cancel pressed since the last check.
    bool stopped();
    void performCancel();
    void setButtons(bool upload, bool cancel);
    void status(const std::string& text) { m_observer.status(text); }
    void log(const std::string& line) { m_observer.log(line); }

    RemoteConnection& m_session;
    UploadObserver m_observer;
    SafeTransfer m_transfer;
    std::mutex m_mutex;
    bool m_running = false;
    std::atomic<bool> m_cancelRequested = false;
    std::atomic<bool> m_uploadEnabled = true;
    std::atomic<bool> m_cancelEnabled = false;

    // State of the running upload, used by its thread only.
    bool m_stopped = false;   // a failure or a Cancel ended it
    bool m_cancelled = false; // a Cancel ended it
    std::string m_initialDirectory;
    std::string m_albumDirectory;
    std::vector<std::string> m_listing;
    bool m_sync = false;
    bool m_safeTransfers = false;
    bool m_overwritePhotos = true;
    ErrorKind m_connectFailure = ErrorKind::Other;
    std::string m_connectFailureText;
};

} // namespace pictaven
