#pragma once

#include <optional>
#include <string>

namespace pictaven {

class Dialogs;
struct FtpProfile;
class OutputNames;

// base without one trailing "/", then path with a "/" put in front when it has none.
std::string joinUrlPath(const std::string& base, const std::string& path);

// An empty base or dir counts as "/"; one trailing "/" or "\" of base goes; dir starts with "/"
// (a leading "\" becomes "/"). "/" + "MyAlbum" gives "/MyAlbum", "/site/" + "album" gives
// "/site/album", "/" + "" gives "/".
std::string joinRemoteDir(const std::string& base, const std::string& dir);

// The text beside "Upload Location:": host, the FTP home directory, `middle` standing for the
// initial directory ("  ...  /" on step 5, ".../" after the Remote Settings dialog's OK), then the
// upload directory.
std::string uploadLocationLabel(const std::string& ftpHost, const std::string& ftpHomeDirectory,
                                const std::string& uploadDirectory, const std::string& middle = "  ...  /");

// What the upload directory edit keeps of a text: everything but blanks and backslashes.
std::string cleanUploadDirectory(const std::string& text);

// The path below the web address of a page of the uploaded album: the HTTP home directory and
// the upload directory joined as joinRemoteDir does, starting and ending in "/", then the page's
// file name (lower-cased when `names` says so); backslashes become "/", and with substitutions on
// every blank and "&" of the whole path becomes "_", as the upload names them.
std::string albumWebPath(const std::string& httpHomeDirectory, const std::string& uploadDirectory,
                         const std::string& pageFileName, const OutputNames& names);

// "View Remotely": the web address of the uploaded album's entry page (the frame-set page of a
// two-frame album, else index page 1), for the browser. Without a web address in the profile it
// warns through `dialogs` and gives nothing. Removes one trailing "/" from the profile's web
// address, which the profile keeps.
std::optional<std::string> viewRemotelyUrl(FtpProfile& profile, const std::string& uploadDirectory,
                                           const std::string& entryPagePath, const OutputNames& names,
                                           Dialogs& dialogs);

} // namespace pictaven
