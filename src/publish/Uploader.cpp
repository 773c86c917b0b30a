#include "publish/Uploader.h"

#include "ini/AsciiCase.h"
#include "publish/AlbumDirectory.h"
#include "publish/RemoteConnection.h"
#include "publish/RemotePaths.h"
#include "publish/SessionProxy.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <locale>
#include <sstream>

namespace pictaven {

namespace {

// The date and time in the user's locale, as the log's second line shows them.
std::string nowText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream text;
    try {
        text.imbue(std::locale(""));
    } catch (const std::runtime_error&) {
        // An unknown locale in the environment: the classic one is as good for a log line.
    }
    text << std::put_time(&local, "%x %X");
    return text.str();
}

bool listed(const std::vector<std::string>& listing, const std::string& remoteName)
{
    const std::string wanted = asciiLower(remoteName);
    return std::any_of(listing.begin(), listing.end(),
                       [&wanted](const std::string& entry) { return asciiLower(entry) == wanted; });
}

} // namespace

Uploader::Uploader(RemoteConnection& session, UploadObserver observer)
    : m_session(session)
    , m_observer(std::move(observer))
    , m_transfer(session, {[this](const std::string& line) { log(line); },
                           [this] {
                               if (!enterAlbumDirectory())
                                   throw FtpError("Cannot enter the album directory " + m_albumDirectory + " again.",
                                                  ErrorKind::NotFound);
                           },
                           [this] { return m_cancelRequested.load(); }})
{
}

UploadResult Uploader::run(const UploadJob& job)
{
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
    }
    m_cancelled = false;
    bool finished = false;
    try {
        finished = upload(job);
    } catch (const std::exception& failure) {
        m_observer.error(failure.what());
    }
    std::lock_guard lock(m_mutex);
    m_running = false;
    // A Cancel pressed after the last check still aborts and disconnects.
    if (m_cancelRequested.exchange(false)) {
        performCancel();
        finished = false;
    }
    if (finished)
        return UploadResult::Finished;
    return m_cancelled ? UploadResult::Cancelled : UploadResult::Failed;
}

bool Uploader::upload(const UploadJob& job)
{
    m_sync = job.syncUpload;
    // Only plain FTP keeps the classic command sequence that older servers and scripts know;
    // elsewhere a broken transfer is worth resuming.
    m_safeTransfers = m_sync || job.profile.protocol != RemoteProtocol::Ftp;
    m_overwritePhotos = job.overwritePhotos;
    m_listing.clear();
    m_observer.clearLog();
    log("----------------------------------");
    log(nowText());
    m_stopped = false;
    setButtons(false, true);

    prepareSession(job);
    if (!connect(job))
        return false;
    status("Getting remote directory...");
    if (stopped())
        return false;
    // A sync upload lists the album directory itself, with sizes, once it knows its files.
    if (!m_sync) {
        m_listing = listAlbumNames(m_session, m_observer.warning);
        log("DIR");
    }
    m_albumDirectory = joinRemoteDir(job.profile.ftpHomeDirectory, job.settings.UploadDirectory);
    const UploadPlan plan = planUpload(job);
    if (!(m_sync ? sendSync(job, plan.files()) : sendPlan(plan)) || stopped())
        return false;
    status("FTP finished.");
    m_session.disconnect();
    log("DISCONNECT");
    setButtons(true, false);
    return true;
}

// Hands the job's connection settings to the session, naming them in the log.
void Uploader::prepareSession(const UploadJob& job)
{
    const FtpProxySettings proxy = sessionProxy(job.proxy);
    m_session.setProxySettings(proxy);
    if (job.proxy.enableProxy) {
        log("Setting Proxy Host : " + proxy.host);
        log("Setting Proxy Port : " + std::to_string(proxy.port));
        log("Setting Proxy User : " + proxy.userName);
        log("Setting Proxy Password : ****");
        log(proxy.proxyType == FtpProxyType::Open   ? "Setting Proxy Type : Open"
            : proxy.proxyType == FtpProxyType::Site ? "Setting Proxy Type : Site"
                                                    : "Setting Proxy Type : User Site");
    }
    m_session.setPassive(job.settings.PassiveMode);
    log(std::string("PASV MODE ") + (job.settings.PassiveMode ? "ON" : "OFF"));
    m_session.setHost(job.profile.ftp);
    m_session.setProtocol(job.profile.protocol);
    m_session.setTrustedKey(job.profile.trustedKey);
    m_session.setKeyFile(job.profile.keyFile);
    m_session.setTrustQuestion(m_observer.trustCertificate);
    if (job.profile.protocol != RemoteProtocol::Ftp)
        log(std::string("Setting Protocol: ") + protocolName(job.profile.protocol));
    m_session.setUsername(job.profile.user);
    m_session.setPassword(job.profile.password);
    log("Setting FTP Host: " + job.profile.ftp);
    log("Setting FTP User: " + job.profile.user);
    log("Setting FTP Password: *****");
}

bool Uploader::connect(const UploadJob& job)
{
    status(job.proxy.enableProxy ? "Please wait...connecting via proxy " + job.proxy.proxyName
                                 : "Please wait...connecting to " + job.profile.ftp);
    m_connectFailure = ErrorKind::Other;
    m_connectFailureText.clear();
    try {
        m_session.connect();
    } catch (const std::exception& failure) {
        if (const auto* remote = dynamic_cast<const FtpError*>(&failure))
            m_connectFailure = remote->kind();
        m_connectFailureText = failure.what();
        status("Failed to connect - check user/password in FTP Settings menu");
        return false;
    }
    if (m_session.trustedKey() != job.profile.trustedKey)
        m_observer.keyTrusted(m_session.trustedKey());
    log("CONNECT");
    status("Connected...");

    m_initialDirectory = m_session.currentDirectory();
    log("Initial Directory : " + m_initialDirectory);
    if (m_initialDirectory != "/") {
        log("Don't include the above directory in your");
        log("FTP profile.  It is used implicitly.");
    }
    return true;
}

// Each group starts again from the initial directory; the upload stops at the check after a
// failure.
bool Uploader::sendPlan(const UploadPlan& plan)
{
    for (const UploadGroup& group : plan.groups) {
        if (stopped())
            return false;
        enterAlbumDirectory();
        if (group.listsAgain) {
            m_listing = listAlbumNames(m_session, m_observer.warning);
            log("DIR");
        }
        for (const UploadStep& step : group.steps) {
            if (step.showsStatus)
                status(step.status);
            if (stopped())
                return false;
            sendFile(step);
        }
    }
    return true;
}

bool Uploader::checkLocalFile(const UploadStep& step)
{
    if (step.localFileExists())
        return true;
    fail("Error uploading file " + step.localPath + "\r\nFile No Longer Exists Locally?");
    return false;
}

bool Uploader::sendFile(const UploadStep& step)
{
    if (!checkLocalFile(step))
        return false;
    if (step.checkExisting && !m_overwritePhotos && listed(m_listing, step.remoteName)) {
        status("File [" + step.remoteName + "] already exists");
        return false;
    }
    try {
        // A resumed transfer counts bytes, which only the binary type keeps as they are, so
        // those transfers send pages in binary too.
        const bool text = !m_safeTransfers && step.isPage();
        log(text ? "ASCII" : "BINARY");
        m_session.selectTransferType(text ? TransferType::Ascii : TransferType::Binary);
        log("PUT " + step.remoteName);
        if (!m_safeTransfers) {
            m_session.putFile(step.localPath, step.remoteName);
            return true;
        }
        m_transfer.send(step.localPath, step.remoteName);
        // A sync upload puts its files in place group by group, once all of a group arrived.
        if (m_sync)
            return true;
        const SafeTransfer::Placement placement =
            m_transfer.putInPlace({{step.remoteName, std::filesystem::file_size(step.localPath)}});
        if (placement.placed == 1)
            return true;
        fail("Error uploading file " + step.remoteName + "\r\n" + placement.failure);
    } catch (const std::exception& failure) {
        fail("Error uploading file " + step.remoteName + "\r\n" + failure.what());
    }
    return false;
}

bool Uploader::enterAlbumDirectory()
{
    const auto refused = pictaven::enterAlbumDirectory(m_session, m_initialDirectory, m_albumDirectory,
                                                       [this](const std::string& line) { log(line); });
    if (refused)
        fail("Error accessing subdirectory " + *refused);
    return !refused;
}

void Uploader::fail(const std::string& text)
{
    // Cancel pressed during the failed step ends the upload without an error of its own.
    if (!m_stopped && !m_cancelRequested)
        m_observer.logMessage(text);
    m_stopped = true;
}

bool Uploader::stopped()
{
    if (m_cancelRequested.exchange(false))
        performCancel();
    return m_stopped;
}

void Uploader::cancel()
{
    std::lock_guard lock(m_mutex);
    if (m_running)
        m_cancelRequested = true;
    else
        performCancel();
}

void Uploader::performCancel()
{
    // Failures of the abort and the disconnect are of no interest: the session is given up. A
    // connection that broke cannot take the abort but must still be closed.
    try {
        m_session.abort();
        log("ABORT");
    } catch (const std::exception&) {
    }
    try {
        if (m_session.connected()) {
            m_session.disconnect();
            log("DISCONNECT");
        }
    } catch (const std::exception&) {
    }
    m_stopped = true;
    m_cancelled = true;
    status("Aborted FTP");
    setButtons(true, m_cancelEnabled);
}

void Uploader::setButtons(bool upload, bool cancel)
{
    m_uploadEnabled = upload;
    m_cancelEnabled = cancel;
    m_observer.buttonsChanged();
}

} // namespace pictaven
