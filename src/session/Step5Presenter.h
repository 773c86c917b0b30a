#pragma once

#include "publish/RemoteConnection.h"
#include "publish/Uploader.h"
#include "session/ChangeNotifier.h"

#include <optional>
#include <string>
#include <vector>

namespace pictaven {

class JobRunner;
class Workspace;

struct Step5View {
    std::string uploadDirectory;
    std::string location; // beside "Upload Location:"
    bool passiveMode = true;
    bool overwritePhotos = true;
    bool uploadAudio = true;
    bool syncUpload = false;
    bool deleteStale = false;
    bool settingsEnabled = true; // the edit and the boxes; off while a job runs
    bool deleteStaleEnabled = false; // only with syncUpload
    bool uploadEnabled = true;
    bool cancelEnabled = false;
    std::string status; // under "Upload Status:"
    std::vector<std::string> log; // the FTP command log
    bool logShown = false;
    std::string logButtonCaption; // the action of the next press
};

// Step 5: the upload of the generated album through the program's one FTP session. The upload
// runs on a worker through the runner; its status, log lines and boxes come back on the
// thread that owns the workspace.
class Step5Presenter {
public:
    static constexpr const char* helpTopic = "Uploading_Files";
    static constexpr const char* showLogCaption = "Show FTP Window";
    static constexpr const char* hideLogCaption = "Hide FTP Window";
    static constexpr const char* syncCaption = "Send only &new or changed files (sync)";
    static constexpr const char* deleteStaleCaption = "Delete files the album no longer has from the &web server";

    // The arguments outlive the presenter.
    Step5Presenter(Workspace& workspace, JobRunner& runner);

    Step5View view() const;
    ChangeNotifier& changed() { return m_changed; }

    // The page came on the screen: the location is written as step 5 writes it.
    void pageShown();
    // What the edit keeps of a typed text (no blanks, no backslashes) becomes the upload
    // directory; the location follows.
    void setUploadDirectory(const std::string& text);
    void setPassiveMode(bool on);
    void setOverwritePhotos(bool on);
    void setUploadAudio(bool on);
    void setSyncUpload(bool on);
    void setDeleteStale(bool on);
    void toggleLog();

    // Starts an upload unless a job runs or Upload is disabled: the job is copied out here with
    // the boxes' values and runs through the runner.
    void upload();
    // Ends a running upload after its current file; after a failed one, aborts and disconnects
    // so that Upload can be pressed again.
    void cancel();
    // "View Remotely": the web address of the uploaded album, for the browser; nothing when the
    // profile has no web address, which a warning says.
    std::optional<std::string> viewRemotely();

    // The session, so that its time-outs can be set.
    RemoteConnection& session() { return m_session; }

private:
    void keepTrustedKey(const std::string& key);
    // A box of the page; nothing while a job runs.
    void setBox(bool& box, bool on);
    void show(const std::function<void()>& change);
    void finish();
    UploadObserver observer();

    Workspace& m_workspace;
    JobRunner& m_runner;
    RemoteConnection m_session;
    Uploader m_uploader;
    bool m_logShown = false;
    std::string m_status;
    std::vector<std::string> m_log;
    ChangeNotifier m_changed;
    bool m_trustAsked = false; // during the running upload
};

} // namespace pictaven
