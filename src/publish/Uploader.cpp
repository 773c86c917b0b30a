#include "publish/Uploader.h"

#include "ini/AsciiCase.h"
#include "publish/FtpError.h"
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

} // namespace

Uploader::Uploader(RemoteConnection& session, UploadObserver observer) : m_session(session), m_observer(std::move(observer))
{
}

void Uploader::status(const std::string& text)
{
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
    // Failures of the abort and the disconnect are of no interest: the session is given up.
    try {
        m_session.abort();
        log("ABORT");
        if (m_session.connected()) {
            m_session.disconnect();
            log("DISCONNECT");
        }
    } catch (const std::exception&) {
    }
    m_cancelUpload = true;
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
    m_connectFailure = FtpFailure::Other;
    m_connectFailureText.clear();
    try {
        m_session.connect();
    } catch (const std::exception& failure) {
        if (const auto* ftp = dynamic_cast<const FtpError*>(&failure))
            m_connectFailure = ftp->failure();
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
    readListing();
    log("DIR");

    const std::string albumDirectory = joinRemoteDir(job.profile.ftpHomeDirectory, settings.UploadDirectory);

    if (cancelled())
        return false;
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
    changeDir(albumDirectory);
    m_listing.clear();
    readListing();
    log("DIR");

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
    // Servers say in these words that a directory is empty.
    auto emptyDirectory = [](const std::string& text) {
        return text == "No files found\r\n" || text == "No files found.\r\n" || text == "Path '*.*' does not exist.\r\n";
    };
    try {
        m_listing = m_session.listNames("*.*");
        return;
    } catch (const FtpError& failure) {
        if (emptyDirectory(failure.what()))
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
        if (!emptyDirectory(failure.what()) && m_observer.warning)
            m_observer.warning(failure.what());
    }
}

void Uploader::changeDir(const std::string& path)
{
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
    if (checkExisting && !m_overwritePhotos) {
        const std::string wanted = asciiLower(remoteName);
        for (const std::string& entry : m_listing) {
            if (m_cancelUpload)
                return;
            if (asciiLower(entry) == wanted) {
                status("File [" + remoteName + "] already exists");
                return;
            }
        }
    }

    try {
        // Only the file's own name decides: a folder named like a page must not turn photos
        // into text.
        const std::string name = OutputNames::fileNamePart(path);
        if (name.find(".htm") != std::string::npos || name.find(".HTM") != std::string::npos) {
            log("ASCII");
            m_session.selectTransferType(TransferType::Ascii);
        } else {
            log("BINARY");
            m_session.selectTransferType(TransferType::Binary);
        }
        if (m_cancelUpload)
            return;
        log("PUT " + remoteName);
        m_session.putFile(path, remoteName);
    } catch (const std::exception& failure) {
        if (!m_cancelUpload && m_observer.logMessage)
            m_observer.logMessage("Error uploading file " + remoteName + "\r\n" + failure.what());
        m_cancelUpload = true;
    }
}

} // namespace pictaven
