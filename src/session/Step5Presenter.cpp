#include "session/Step5Presenter.h"

#include "app/Dialogs.h"
#include "generate/OutputNames.h"
#include "generate/ShortAlbumName.h"
#include "publish/RemotePaths.h"
#include "session/JobRunner.h"
#include "session/Workspace.h"
#include "session/WorkspaceUpload.h"

#include <exception>

namespace pictaven
{

Step5Presenter::Step5Presenter(Workspace& workspace, JobRunner& runner)
    : m_workspace(workspace)
    , m_runner(runner)
    , m_uploader(m_session, observer())
{
}

UploadObserver Step5Presenter::observer()
{
    // The upload reports on its worker (and a Cancel after it on this thread); the view changes
    // on this thread, and boxes hold the worker until they are closed.
    UploadObserver observer;
    observer.status = [this](const std::string& text) {
        m_runner.post([this, text] { show([&] { m_status = text; }); });
    };
    observer.clearLog = [this] { m_runner.post([this] { show([&] { m_log.clear(); }); }); };
    observer.log = [this](const std::string& line) {
        m_runner.post([this, line] { show([&] { m_log.push_back(line); }); });
    };
    observer.logMessage
        = [this](const std::string& text) { m_runner.call([this, &text] { m_workspace.logMessage(text); }); };
    observer.warning = [this](const std::string& text) {
        m_runner.call([this, &text] { m_workspace.dialogs().showWarning(text); });
    };
    observer.error = [this](const std::string& text) {
        m_runner.call([this, &text] { m_workspace.dialogs().showError(text); });
    };
    observer.buttonsChanged = [this] { m_runner.post([this] { m_changed.notify(); }); };
    observer.trustCertificate = [this](const std::string& question) {
        bool trusted = false;
        m_runner.call([this, &question, &trusted] {
            m_trustAsked = true;
            trusted = m_workspace.dialogs().askYesNo(question);
        });
        return trusted;
    };
    observer.keyTrusted = [this](const std::string& key) { m_runner.call([this, &key] { keepTrustedKey(key); }); };
    return observer;
}

void Step5Presenter::keepTrustedKey(const std::string& key)
{
    FtpProfile& current = m_workspace.ftpProfile();
    current.trustedKey = key;
    // The profile file gets the key when it describes the same server; edits not saved to it
    // stay unsaved.
    try {
        const std::string path = m_workspace.ftpProfilePath();
        FtpProfile stored = FtpProfile::load(path);
        if (stored.ftp == current.ftp && stored.protocol == current.protocol) {
            stored.trustedKey = key;
            stored.write(path);
        }
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
    }
}

Step5View Step5Presenter::view() const
{
    const AlbumSettings& settings = m_workspace.albumSettings();
    const FtpProfile& profile = m_workspace.ftpProfile();
    Step5View view;
    view.uploadDirectory = settings.UploadDirectory;
    view.location = m_workspace.remoteSettingsJustAccepted()
        ? uploadLocationLabel(profile.ftp, profile.ftpHomeDirectory, settings.UploadDirectory, ".../")
        : uploadLocationLabel(profile.ftp, profile.ftpHomeDirectory, settings.UploadDirectory);
    view.passiveMode = settings.PassiveMode;
    view.overwritePhotos = m_workspace.overwritePhotos();
    view.uploadAudio = m_workspace.uploadAudio();
    view.syncUpload = m_workspace.syncUpload();
    view.deleteStale = m_workspace.deleteStale();
    view.settingsEnabled = !m_workspace.jobRunning();
    view.deleteStaleEnabled = view.settingsEnabled && view.syncUpload;
    view.uploadEnabled = !m_workspace.jobRunning() && m_uploader.uploadEnabled();
    view.cancelEnabled = m_uploader.cancelEnabled();
    view.status = m_status;
    view.log = m_log;
    view.logShown = m_logShown;
    view.logButtonCaption = m_logShown ? hideLogCaption : showLogCaption;
    return view;
}

void Step5Presenter::show(const std::function<void()>& change)
{
    change();
    m_changed.notify();
}

void Step5Presenter::pageShown()
{
    show([&] { m_workspace.remoteSettingsJustAccepted() = false; });
}

void Step5Presenter::setUploadDirectory(const std::string& text)
{
    if (m_workspace.jobRunning())
        return;
    show([&] {
        m_workspace.albumSettings().UploadDirectory = cleanUploadDirectory(text);
        m_workspace.remoteSettingsJustAccepted() = false;
    });
}

void Step5Presenter::setPassiveMode(bool on)
{
    if (m_workspace.jobRunning())
        return;
    show([&] { m_workspace.albumSettings().PassiveMode = on; });
}

void Step5Presenter::setBox(bool& box, bool on)
{
    if (m_workspace.jobRunning())
        return;
    show([&] { box = on; });
}

void Step5Presenter::setOverwritePhotos(bool on)
{
    setBox(m_workspace.overwritePhotos(), on);
}

void Step5Presenter::setUploadAudio(bool on)
{
    setBox(m_workspace.uploadAudio(), on);
}

void Step5Presenter::setSyncUpload(bool on)
{
    setBox(m_workspace.syncUpload(), on);
}

void Step5Presenter::setDeleteStale(bool on)
{
    setBox(m_workspace.deleteStale(), on);
}

void Step5Presenter::toggleLog()
{
    show([&] { m_logShown = !m_logShown; });
}

void Step5Presenter::upload()
{
    if (m_workspace.jobRunning() || !m_uploader.uploadEnabled())
        return;
    UploadJob job;
    try {
        job = makeUploadJob(m_workspace);
    } catch (const std::exception& failure) {
        m_workspace.dialogs().showError(failure.what());
        return;
    }
    job.overwritePhotos = m_workspace.overwritePhotos();
    job.uploadAudio = m_workspace.uploadAudio();
    job.syncUpload = m_workspace.syncUpload();
    job.deleteStale = job.syncUpload && m_workspace.deleteStale();
    m_workspace.setJobRunning(true);
    m_changed.notify();
    m_runner.run([this, job = std::move(job)] { m_uploader.run(job); }, [this] { finish(); });
}

void Step5Presenter::finish()
{
    // The status line blames the password for every failed connection; a refused certificate
    // the person was not asked about (a changed one) is said in full, with its fingerprint.
    if (m_uploader.connectFailure() == ErrorKind::NotTrusted && !m_trustAsked)
        m_workspace.dialogs().showError(m_uploader.connectFailureText());
    m_trustAsked = false;
    m_changed.notify();
    m_workspace.setJobRunning(false);
}

void Step5Presenter::cancel()
{
    // Until a running upload has enabled Cancel it has not reached the session, and an abort
    // from here would meet it half way.
    if (!m_uploader.cancelEnabled())
        return;
    m_uploader.cancel();
}

std::optional<std::string> Step5Presenter::viewRemotely()
{
    const AlbumSettings& settings = m_workspace.albumSettings();
    const std::string page = ShortAlbumName::paths(m_workspace.outputFolder(), settings.AlbumShortName)
                                 .entryPage(settings.MultiWindow);
    return viewRemotelyUrl(m_workspace.ftpProfile(), settings.UploadDirectory, page, OutputNames(settings),
        m_workspace.dialogs());
}

} // namespace pictaven
