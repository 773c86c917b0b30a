#include "publish/Uploader.h"

#include "ini/AsciiCase.h"
#include "ini/IoError.h"
#include "publish/FileDigest.h"
#include "publish/FtpError.h"
#include "publish/RemoteConnection.h"
#include "publish/RemotePaths.h"
#include "publish/SessionProxy.h"
#include "publish/SyncRecord.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <locale>
#include <set>
#include <sstream>
#include <thread>

namespace pictaven {

namespace {

bool fileExists(const std::string& path)
{
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

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

std::string withSlash(const std::string& folder)
{
    return !folder.empty() && folder.back() == '/' ? folder : folder + "/";
}

bool isPage(const std::string& name)
{
    return name.find(".htm") != std::string::npos || name.find(".HTM") != std::string::npos;
}

// What the server refused it refuses again; a connection that broke, or a failure that cannot
// tell, may pass on a new connection.
bool connectionLost(const FtpError& failure)
{
    const ErrorKind kind = failure.kind();
    return kind != ErrorKind::Refused && kind != ErrorKind::NotFound && kind != ErrorKind::NoSpace &&
           kind != ErrorKind::Cancelled;
}

bool diskFull(const FtpError& failure)
{
    return failure.kind() == ErrorKind::NoSpace;
}

// Servers say in these words that a directory is empty.
bool saysEmpty(const std::string& text)
{
    return text == "No files found\r\n" || text == "No files found.\r\n" || text == "Path '*.*' does not exist.\r\n";
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace

Uploader::Uploader(RemoteConnection& session, UploadObserver observer) : m_session(session), m_observer(std::move(observer))
{
}

void Uploader::status(const std::string& text)
{
    if (m_planning) {
        m_plannedStatus = text;
        return;
    }
    if (m_observer.status)
        m_observer.status(text);
}

void Uploader::log(const std::string& line)
{
    if (m_observer.log)
        m_observer.log(line);
}

void Uploader::setButtons(bool upload, bool cancel)
{
    m_uploadEnabled = upload;
    m_cancelEnabled = cancel;
    if (m_observer.buttonsChanged)
        m_observer.buttonsChanged();
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
    m_cancelUpload = true;
    m_planning = false;
    status("Aborted FTP");
    setButtons(true, m_cancelEnabled);
}

bool Uploader::cancelled()
{
    if (m_cancelRequested.exchange(false))
        performCancel();
    return m_cancelUpload;
}

bool Uploader::run(const UploadJob& job)
{
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
    }
    bool finished = false;
    try {
        finished = doUpload(job);
    } catch (const std::exception& failure) {
        if (m_observer.error)
            m_observer.error(failure.what());
    }
    m_planning = false;
    std::lock_guard lock(m_mutex);
    m_running = false;
    // A Cancel pressed after the last check still aborts and disconnects.
    if (m_cancelRequested.exchange(false)) {
        performCancel();
        finished = false;
    }
    return finished;
}

bool Uploader::doUpload(const UploadJob& job)
{
    const AlbumSettings& settings = job.settings;
    m_names = OutputNames(settings);
    m_overwritePhotos = job.overwritePhotos;
    m_sync = job.syncUpload;
    // Only plain FTP keeps the classic command sequence that older servers and scripts know;
    // elsewhere a broken transfer is worth resuming.
    m_safeTransfers = m_sync || job.profile.protocol != RemoteProtocol::Ftp;
    m_planning = false;
    m_planned.clear();
    m_listing.clear();
    const std::string output = withSlash(job.outputFolder);

    if (m_observer.clearLog)
        m_observer.clearLog();
    log("----------------------------------");
    log(nowText());
    m_cancelUpload = false;
    setButtons(false, true);

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
    m_session.setPassive(settings.PassiveMode);
    log(std::string("PASV MODE ") + (settings.PassiveMode ? "ON" : "OFF"));
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

    status(job.proxy.enableProxy ? "Please wait...connecting via proxy " + job.proxy.proxyName
                                 : "Please wait...connecting to " + job.profile.ftp);
    m_connectFailure = ErrorKind::Other;
    m_connectFailureText.clear();
    try {
        m_session.connect();
    } catch (const std::exception& failure) {
        if (const auto* ftp = dynamic_cast<const FtpError*>(&failure))
            m_connectFailure = ftp->kind();
        m_connectFailureText = failure.what();
        status("Failed to connect - check user/password in FTP Settings menu");
        return false;
    }
    if (m_session.trustedKey() != job.profile.trustedKey && m_observer.keyTrusted)
        m_observer.keyTrusted(m_session.trustedKey());
    log("CONNECT");
    status("Connected...");

    m_initialDirectory = m_session.currentDirectory();
    log("Initial Directory : " + m_initialDirectory);
    if (m_initialDirectory != "/") {
        log("Don't include the above directory in your");
        log("FTP profile.  It is used implicitly.");
    }

    status("Getting remote directory...");
    if (cancelled())
        return false;
    // A sync upload lists the album directory itself, with sizes, once it knows its files.
    if (!m_sync) {
        readListing();
        log("DIR");
    }

    m_albumDirectory = joinRemoteDir(job.profile.ftpHomeDirectory, settings.UploadDirectory);
    const std::string& albumDirectory = m_albumDirectory;

    if (cancelled())
        return false;
    m_planning = m_sync;
    if (settings.MultiWindow) {
        changeDir(albumDirectory);
        status("Uploading HTML doc [" + remoteNameOf(job.framePage) + "]");
        if (cancelled())
            return false;
        sendFile(job.framePage);
    }

    if (cancelled())
        return false;
    changeDir(albumDirectory);
    if (settings.StyleSheetType == 1) {
        status("Uploading Style Sheet");
        if (cancelled())
            return false;
        sendFile(output + OutputNames::fileNamePart(settings.StyleSheet));
    }
    for (const std::string& page : job.indexPages) {
        status("Uploading HTML doc [" + remoteNameOf(page) + "]");
        if (cancelled())
            return false;
        sendFile(page);
    }

    // The names generation gave the photos' files, which differ where photos share a name.
    std::vector<std::string> ownNames;
    for (const UploadPhoto& photo : job.photos)
        ownNames.push_back(OutputNames::fileNamePart(photo.workingPath));
    const std::vector<std::string> photoNames = m_names.distinctPhotoNames(ownNames);

    const std::string count = std::to_string(job.photos.size());
    if (cancelled())
        return false;
    changeDir(albumDirectory);
    for (std::size_t j = 0; j < job.photos.size(); ++j) {
        if (photoNames[j].find('.') == std::string::npos)
            continue;
        // Named before the web-name rule, which sendFile applies.
        const std::string page = OutputNames(false, false).photoPageFileName(photoNames[j]);
        status("Uploading HTML doc " + std::to_string(j + 1) + " of " + count + " [" + remoteNameOf(output + page) + "]");
        if (cancelled())
            return false;
        sendFile(output + page);
    }

    if (cancelled())
        return false;
    changeDir(albumDirectory);
    if (job.basicAlbum) {
        for (std::size_t k = 0; k < job.photos.size(); ++k) {
            const std::string thumbnail = m_names.thumbnailFileName(photoNames[k]);
            status("Uploading Thumbnail " + std::to_string(k + 1) + " of " + count + " : [" +
                   remoteNameOf(output + thumbnail) + "]");
            if (cancelled())
                return false;
            sendFile(output + thumbnail);
        }
    } else {
        for (const std::string& picture : job.albumPictures) {
            status("Uploading thumbnail [" + remoteNameOf(picture) + "]");
            if (cancelled())
                return false;
            sendFile(picture);
        }
    }

    // Textures, the style sheet and the buttons go from the copies that generation put into the
    // output folder under their web file names, which also exist where the names differ in case.
    auto sendCopy = [&](const std::string& settingPath, const std::string& statusPrefix) {
        const std::string copy = output + OutputNames::fileNamePart(settingPath);
        status(statusPrefix + remoteNameOf(copy));
        if (cancelled())
            return false;
        sendFile(copy);
        return true;
    };
    if (cancelled())
        return false;
    changeDir(albumDirectory);
    if (!job.photoPageTexture.empty() && !sendCopy(job.photoPageTexture, "Uploading texture : "))
        return false;
    if (settings.ButtonType > 0) {
        const bool indexExists = fileExists(localFile(output + OutputNames::fileNamePart(settings.IndexButtonImage)));
        if ((indexExists && !sendCopy(settings.IndexButtonImage, "Uploading Button : ")) ||
            !sendCopy(settings.NextButtonImage, "Uploading Button : ") ||
            !sendCopy(settings.PrevButtonImage, "Uploading Button : ") ||
            (settings.HomeButtonEnable && !sendCopy(settings.HomeButtonImage, "Uploading Button : ")))
            return false;
    }
    status("Uploading Navigation Buttons");
    std::vector<std::string> fixedImages;
    if (settings.ButtonType != 7) {
        if (settings.HomeButtonEnable)
            fixedImages.push_back("home.gif");
        fixedImages.insert(fixedImages.end(), {"prev.gif", "next.gif"});
    }
    fixedImages.insert(fixedImages.end(), {"first.gif", "last.gif", "speaker.gif"});
    for (const std::string& image : fixedImages) {
        if (cancelled())
            return false;
        sendFile(output + image);
    }
    if (!job.indexPageTexture.empty() && !sendCopy(job.indexPageTexture, "Uploading Texture : "))
        return false;

    if (cancelled())
        return false;
    if (!m_planning) {
        changeDir(albumDirectory);
        m_listing.clear();
        readListing();
        log("DIR");
    }

    for (std::size_t m = 0; m < job.photos.size(); ++m) {
        const std::string path = output + m_names.webFileName(photoNames[m]);
        status("Uploading Photo " + std::to_string(m + 1) + " of " + count + " : [" + remoteNameOf(path) + "]");
        if (cancelled())
            return false;
        sendFile(path, true);
    }

    if (job.uploadAudio) {
        if (cancelled())
            return false;
        changeDir(albumDirectory);
        // Only the copies that generation made go out: it copies no file that is not audio.
        for (const UploadPhoto& photo : job.photos) {
            if (photo.audioFile.empty())
                continue;
            const std::string copy = output + m_names.webFileName(OutputNames::fileNamePart(photo.audioFile));
            if (!fileExists(localFile(copy)))
                continue;
            status("Uploading Audio File : [" + remoteNameOf(copy) + "]");
            if (cancelled())
                return false;
            sendFile(copy);
        }
    }

    if (m_planning) {
        m_planning = false;
        if (!syncFiles(job))
            return false;
    }

    if (cancelled())
        return false;
    status("FTP finished.");
    m_session.disconnect();
    log("DISCONNECT");
    setButtons(true, false);
    return true;
}

void Uploader::readListing()
{
    m_listing.clear();
    try {
        m_listing = m_session.listNames("*.*");
        return;
    } catch (const FtpError& failure) {
        if (saysEmpty(failure.what()))
            return;
    }
    // Some servers (Pure-FTPd) refuse any pattern but list the whole directory: keep what "*.*"
    // would have matched.
    try {
        for (std::string& name : m_session.listNames("")) {
            if (name.find('.') != std::string::npos && name != "." && name != "..")
                m_listing.push_back(std::move(name));
        }
    } catch (const FtpError& failure) {
        if (!saysEmpty(failure.what()) && m_observer.warning)
            m_observer.warning(failure.what());
    }
}

void Uploader::changeDir(const std::string& path)
{
    if (m_planning)
        return;
    m_session.changeDirectory(m_initialDirectory);
    log("CD " + m_session.currentDirectory());
    std::string segment;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        const bool separator = c == '/' || c == '\\';
        const bool last = i + 1 == path.size();
        if (!separator || last)
            segment += c;
        if (!((separator && i > 0) || last))
            continue;
        // A segment of separators alone ("/" of an album in the initial directory, or "//")
        // names no directory: entering it would leave the initial directory for the root.
        if (segment.find_first_not_of("/\\") != std::string::npos) {
            try {
                m_session.makeDirectory(segment);
                log("MKDIR " + segment);
            } catch (const FtpError&) {
                // The directory usually exists already.
            }
            try {
                m_session.changeDirectory(segment);
                log("CD " + m_session.currentDirectory());
            } catch (const FtpError&) {
                if (!m_cancelUpload && m_observer.logMessage)
                    m_observer.logMessage("Error accessing subdirectory " + segment);
                m_cancelUpload = true;
                return;
            }
        }
        segment.clear();
    }
}

std::string Uploader::localFile(const std::string& path) const
{
    const std::string named = m_names.webFileName(path);
    if (fileExists(named) || !m_names.lowercaseFiles())
        return named;
    // Names compare without regard to case: a file kept in capitals is found all the same.
    const std::string asStored = OutputNames(m_names.substitutions(), false).webFileName(path);
    return fileExists(asStored) ? asStored : named;
}

std::string Uploader::remoteNameOf(const std::string& localPath) const
{
    std::string name = OutputNames::fileNamePart(localFile(localPath));
    if (m_names.lowercaseFiles())
        name = asciiLower(name);
    return m_names.webFileName(name);
}

void Uploader::sendFile(const std::string& localPath, bool checkExisting)
{
    if (m_cancelUpload)
        return;
    const std::string path = localFile(localPath);
    if (!fileExists(path)) {
        m_cancelUpload = true;
        if (m_observer.logMessage)
            m_observer.logMessage("Error uploading file " + path + "\r\nFile No Longer Exists Locally?");
        return;
    }
    const std::string remoteName = remoteNameOf(path);
    if (m_planning) {
        m_planned.push_back({m_plannedStatus, path, remoteName, checkExisting});
        return;
    }
    putRemote(path, remoteName, checkExisting);
}

bool Uploader::putRemote(const std::string& path, const std::string& remoteName, bool checkExisting)
{
    if (checkExisting && !m_overwritePhotos) {
        const std::string wanted = asciiLower(remoteName);
        for (const std::string& entry : m_listing) {
            if (m_cancelUpload)
                return false;
            if (asciiLower(entry) == wanted) {
                status("File [" + remoteName + "] already exists");
                return false;
            }
        }
    }

    try {
        // Only the file's own name decides: a folder named like a page must not turn photos
        // into text. A resumed transfer counts bytes, which only the binary type keeps as they
        // are, so those transfers send pages in binary too.
        if (!m_safeTransfers && isPage(OutputNames::fileNamePart(path))) {
            log("ASCII");
            m_session.selectTransferType(TransferType::Ascii);
        } else {
            log("BINARY");
            m_session.selectTransferType(TransferType::Binary);
        }
        if (m_cancelUpload)
            return false;
        log("PUT " + remoteName);
        if (!m_safeTransfers) {
            m_session.putFile(path, remoteName);
            return true;
        }
        sendTemporary(path, remoteName);
        // A sync upload puts its files in place group by group, once all of a group arrived.
        if (!m_sync) {
            try {
                checkArrived(remoteFiles(), remoteName, std::filesystem::file_size(path));
            } catch (const FtpError&) {
                removeQuietly(temporaryName(remoteName));
                throw;
            }
            m_session.renameFile(temporaryName(remoteName), remoteName);
        }
        return true;
    } catch (const std::exception& failure) {
        fail(remoteName, failure);
        return false;
    }
}

void Uploader::fail(const std::string& remoteName, const std::exception& failure)
{
    // Cancel pressed during a wait before a retry ends the transfer: no error of its own.
    if (!m_cancelUpload && !m_cancelRequested && m_observer.logMessage)
        m_observer.logMessage("Error uploading file " + remoteName + "\r\n" + failure.what());
    m_cancelUpload = true;
}

std::map<std::string, std::uint64_t> Uploader::remoteFiles()
{
    std::map<std::string, std::uint64_t> sizes;
    try {
        for (const RemoteFile& file : m_session.listFiles())
            sizes[file.name] = file.size;
    } catch (const FtpError& failure) {
        if (!saysEmpty(failure.what()))
            throw;
    }
    return sizes;
}

void Uploader::removeQuietly(const std::string& remoteName)
{
    // Best effort: the connection may be the very thing that failed.
    try {
        if (m_session.connected())
            m_session.removeFile(remoteName);
    } catch (const std::exception&) {
    }
}

bool Uploader::waitBeforeRetry(std::chrono::milliseconds delay)
{
    const auto until = std::chrono::steady_clock::now() + delay;
    while (std::chrono::steady_clock::now() < until) {
        if (m_cancelRequested)
            return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(50), until - std::chrono::steady_clock::now()));
    }
    return !m_cancelRequested;
}

void Uploader::reconnect()
{
    try {
        m_session.disconnect();
    } catch (const std::exception&) {
        // What is left of the broken connection is of no use.
    }
    m_session.connect();
    log("CONNECT");
    changeDir(m_albumDirectory);
    if (m_cancelUpload)
        throw FtpError("Cannot enter the album directory " + m_albumDirectory + " again.", ErrorKind::NotFound);
    m_session.selectTransferType(TransferType::Binary);
}

// The file goes under a temporary name, so that the final name never shows half a file: a web
// server shows the old version until the rename.
std::string Uploader::temporaryName(const std::string& remoteName)
{
    return remoteName + ".part";
}

void Uploader::sendTemporary(const std::string& path, const std::string& remoteName)
{
    const std::string temporary = temporaryName(remoteName);
    const std::uint64_t size = std::filesystem::file_size(path);
    std::uint64_t offset = 0;
    for (std::size_t attempt = 0;; ++attempt) {
        try {
            if (attempt > 0) {
                reconnect();
                const auto files = remoteFiles();
                const auto part = files.find(temporary);
                offset = part == files.end() || part->second > size ? 0 : part->second;
                log("RESUME " + remoteName + " FROM " + std::to_string(offset));
            }
            if (offset == 0)
                m_session.putFile(path, temporary);
            else
                m_session.resumeFile(path, temporary, offset);
            break;
        } catch (const FtpError& failure) {
            if (connectionLost(failure) && attempt < m_retryDelays.size()) {
                log("CONNECTION LOST: " + firstLine(failure.what()));
                if (waitBeforeRetry(m_retryDelays[attempt]))
                    continue;
            }
            removeQuietly(temporary);
            if (diskFull(failure))
                throw FtpError("The web server has no room for the file (disk full or quota reached): " +
                                   std::string(failure.what()),
                               ErrorKind::NoSpace);
            if (connectionLost(failure) && attempt > 0)
                throw FtpError("The connection broke " + std::to_string(attempt + 1) + " times: " + failure.what(),
                               ErrorKind::ConnectionLost);
            throw;
        }
    }
}

void Uploader::checkArrived(const std::map<std::string, std::uint64_t>& files, const std::string& remoteName,
                            std::uint64_t size)
{
    const std::string temporary = temporaryName(remoteName);
    const auto arrived = files.find(temporary);
    if (arrived == files.end() || arrived->second != size)
        throw FtpError("The server reports " +
                       (arrived == files.end() ? "no file" : std::to_string(arrived->second) + " bytes") + " for " +
                       temporary + " after the transfer of " + std::to_string(size) +
                       " bytes; the file was not put in place.");
}

bool Uploader::syncFiles(const UploadJob& job)
{
    if (cancelled())
        return false;
    changeDir(m_albumDirectory);
    if (m_cancelUpload)
        return false;
    const std::map<std::string, std::uint64_t> remote = remoteFiles();
    log("DIR");
    m_listing.clear();
    for (const auto& entry : remote)
        m_listing.push_back(entry.first);

    std::string place =
        job.profile.user + "@" + job.profile.ftp + " " + joinRemoteDir(m_initialDirectory, m_albumDirectory);
    std::replace_if(place.begin(), place.end(), [](char c) { return c == '\r' || c == '\n'; }, '?');
    const std::string recordPath = withSlash(job.outputFolder) + SyncRecord::fileName;
    std::string note;
    SyncRecord record = SyncRecord::load(recordPath, place, note);
    if (!note.empty())
        log(note);

    // Photos and pictures go before the pages that show them.
    std::stable_partition(m_planned.begin(), m_planned.end(),
                          [](const PlannedFile& file) { return !isPage(file.remoteName); });
    struct Change {
        const PlannedFile* file;
        SyncedFile now;
    };
    std::vector<Change> changes;
    std::set<std::string> albumNames;
    for (const PlannedFile& file : m_planned) {
        if (!albumNames.insert(file.remoteName).second)
            continue;
        const SyncedFile now{std::filesystem::file_size(file.path), fileSha256(file.path)};
        const SyncedFile* sent = record.find(file.remoteName);
        const auto there = remote.find(file.remoteName);
        const bool unchanged = sent && sent->size == now.size && sent->sha256 == now.sha256 &&
                               there != remote.end() && there->second == sent->size;
        if (!unchanged)
            changes.push_back({&file, now});
    }
    log("SYNC " + std::to_string(changes.size()) + " OF " + std::to_string(albumNames.size()) + " FILES CHANGED");
    // Temporary files that a run cut off for good left behind; only names this program gives.
    for (const std::string& name : albumNames) {
        if (remote.contains(temporaryName(name))) {
            log("DELETE " + temporaryName(name));
            removeQuietly(temporaryName(name));
        }
    }

    // Each group is put in place only once all of it arrived whole: a failure leaves the
    // server's previous version of the group as it was.
    auto sendGroup = [&](std::vector<Change>::const_iterator begin, std::vector<Change>::const_iterator end) {
        std::vector<const Change*> arrived;
        bool whole = true;
        for (auto change = begin; change != end && whole; ++change) {
            status(change->file->status);
            if (cancelled())
                whole = false;
            else if (putRemote(change->file->path, change->file->remoteName, change->file->checkExisting))
                arrived.push_back(&*change);
            else
                whole = !m_cancelUpload;
        }
        std::size_t placed = 0;
        if (whole && !arrived.empty()) {
            const Change* current = arrived.front();
            try {
                const auto files = remoteFiles();
                for (const Change* change : arrived) {
                    current = change;
                    checkArrived(files, change->file->remoteName, change->now.size);
                }
                for (const Change* change : arrived) {
                    current = change;
                    m_session.renameFile(temporaryName(change->file->remoteName), change->file->remoteName);
                    record.set(change->file->remoteName, change->now);
                    ++placed;
                }
            } catch (const std::exception& failure) {
                fail(current->file->remoteName, failure);
                whole = false;
            }
        }
        for (std::size_t i = placed; i < arrived.size(); ++i)
            removeQuietly(temporaryName(arrived[i]->file->remoteName));
        return whole;
    };
    const auto firstPage = std::find_if(changes.cbegin(), changes.cend(),
                                        [](const Change& change) { return isPage(change.file->remoteName); });
    const bool complete = sendGroup(changes.cbegin(), firstPage) && sendGroup(firstPage, changes.cend());
    if (complete && job.deleteStale) {
        const std::map<std::string, SyncedFile> recorded = record.files();
        for (const auto& [name, file] : recorded) {
            if (albumNames.contains(name))
                continue;
            // A file replaced on the server since is no longer the one this program sent.
            const auto there = remote.find(name);
            if (there != remote.end() && there->second == file.size) {
                status("Deleting [" + name + "]");
                log("DELETE " + name);
                try {
                    m_session.removeFile(name);
                } catch (const FtpError& failure) {
                    if (m_observer.warning)
                        m_observer.warning(
                            "Could not delete " + name + " on the web server:\r\n" + failure.what());
                    continue;
                }
            }
            record.erase(name);
        }
    }
    try {
        record.save(recordPath);
    } catch (const IoError& failure) {
        if (m_observer.warning)
            m_observer.warning(
                std::string(failure.what()) + "\r\nThe next sync upload sends every file again.");
    }
    return complete;
}

} // namespace pictaven
