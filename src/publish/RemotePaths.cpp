#include "publish/RemotePaths.h"

#include "app/Dialogs.h"
#include "generate/OutputNames.h"
#include "publish/FtpProfile.h"

#include <algorithm>

namespace pictaven {

std::string joinUrlPath(const std::string& base, const std::string& path)
{
    std::string joined = base;
    if (!joined.empty() && joined.back() == '/')
        joined.pop_back();
    if (path.empty() || path.front() != '/')
        joined += "/";
    return joined + path;
}

std::string joinRemoteDir(const std::string& base, const std::string& dir)
{
    std::string left = base.empty() ? "/" : base;
    std::string right = dir.empty() ? "/" : dir;
    if (left.back() == '/' || left.back() == '\\')
        left.pop_back();
    if (right.front() == '/' || right.front() == '\\')
        right.front() = '/';
    else
        right.insert(0, "/");
    return left + right;
}

std::string uploadLocationLabel(const std::string& ftpHost, const std::string& ftpHomeDirectory,
                                const std::string& uploadDirectory, const std::string& middle)
{
    return joinUrlPath(ftpHost, joinRemoteDir(ftpHomeDirectory, "/") + middle + uploadDirectory);
}

std::string cleanUploadDirectory(const std::string& text)
{
    std::string cleaned = text;
    cleaned.erase(std::remove_if(cleaned.begin(), cleaned.end(), [](char c) { return c == ' ' || c == '\\'; }),
                  cleaned.end());
    return cleaned;
}

std::string albumWebPath(const std::string& httpHomeDirectory, const std::string& uploadDirectory,
                         const std::string& pageFileName, const OutputNames& names)
{
    std::string path = joinRemoteDir(httpHomeDirectory, uploadDirectory);
    if (path.front() != '/' && path.front() != '\\')
        path.insert(0, "/");
    if (path.back() == '\\')
        path.back() = '/';
    else if (path.back() != '/')
        path += "/";
    // Substitutions are applied below to the whole path.
    path += OutputNames(false, names.lowercaseFiles()).webFileName(pageFileName);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (names.substitutions())
        std::replace_if(path.begin(), path.end(), [](char c) { return c == ' ' || c == '&'; }, '_');
    return path;
}

std::optional<std::string> viewRemotelyUrl(FtpProfile& profile, const std::string& uploadDirectory,
                                           const std::string& entryPagePath, const OutputNames& names,
                                           Dialogs& dialogs)
{
    if (profile.www.empty()) {
        dialogs.showWarning("You must first define your Web Server Address in your FTP profile");
        return std::nullopt;
    }
    const std::string path = albumWebPath(profile.httpHomeDirectory, uploadDirectory,
                                          OutputNames::fileNamePart(entryPagePath), names);

    if (profile.www.back() == '/')
        profile.www.pop_back();
    const std::string& www = profile.www;
    const bool hasScheme = www.find("http") != std::string::npos || www.find("Http") != std::string::npos ||
                           www.find("HTTP") != std::string::npos;
    return (hasScheme ? www : "http://" + www) + path;
}

} // namespace pictaven
