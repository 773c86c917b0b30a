#pragma once

#include "publish/FtpProfile.h"
#include "settings/AlbumSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pictaven {

class Workspace;

// What the diagnostic report lists, as plain values, so that any front end can build it.
struct DiagnosticReportInputs {
    // Where support requests go; printed on the report's last line.
    static constexpr const char* supportEmailAddress = "support@pictaven.example.org";

    std::string version;        // the application caption text
    std::string programFolder;
    std::string catalogName;    // empty while no catalog is named
    std::string albumTitle;
    std::string templateText;   // the template box of step 2
    std::string indexPageTexture; // empty for no wallpaper
    std::string photoPageTexture;
    AlbumSettings settings;
    std::string profileName;    // LastProfile
    FtpProfile profile;
    std::int32_t compression1 = 0;
    std::int32_t compression2 = 0;
    bool overwritePhotos = true; // the overwrite check box of step 5
    std::string uploadDirectory; // as step 5 shows it
};

// The values of the running program; `overwritePhotos` is the step 5 check box, which the
// workspace does not keep. The upload directory is the album settings' UploadDirectory.
DiagnosticReportInputs diagnosticReportInputs(const Workspace& workspace, bool overwritePhotos);

// The report's lines, without line ends; the caller joins them ("\n" on the command line).
// Missing profile values print as empty text after their labels. Never throws.
std::vector<std::string> diagnosticReport(const DiagnosticReportInputs& inputs);

// The web address of the album's entry page (the frame-set page with frames, else the first
// index page): the profile's web address joined with albumWebPath, as the upload names it.
std::string reportedAlbumAddress(const FtpProfile& profile, const std::string& uploadDirectory,
                                 const AlbumSettings& settings);

} // namespace pictaven
