#include "session/DiagnosticReport.h"

#include "generate/OutputNames.h"
#include "publish/RemotePaths.h"
#include "session/Workspace.h"

namespace pictaven {

namespace {

std::string yesNo(bool value, const char* no = "No")
{
    return value ? "Yes" : no;
}

std::string compressionLine(const AlbumSettings& settings)
{
    return "Photo Compression Ratio      : " +
           (settings.CompressJPEG ? std::to_string(settings.CompressionRatio) : "No remote compression");
}

// A label alone, then the value on its own line, when there is a value.
void addIndentedValue(std::vector<std::string>& lines, const std::string& label, const std::string& value,
                      const char* whenEmpty)
{
    if (value.empty()) {
        if (whenEmpty)
            lines.push_back(label + whenEmpty);
        return;
    }
    lines.push_back(label);
    lines.push_back("   " + value);
}

} // namespace

DiagnosticReportInputs diagnosticReportInputs(const Workspace& workspace, bool overwritePhotos)
{
    const Catalog& catalog = workspace.catalog();
    const GlobalSettings& globals = workspace.globalSettings();
    DiagnosticReportInputs inputs;
    inputs.version = Workspace::applicationTitle;
    inputs.programFolder = workspace.programFolder();
    inputs.catalogName = catalog.name;
    inputs.albumTitle = catalog.albumTitle;
    inputs.templateText = catalog.templateName;
    inputs.indexPageTexture = catalog.indexPageTexture;
    inputs.photoPageTexture = catalog.photoPageTexture;
    inputs.settings = workspace.albumSettings();
    inputs.profileName = globals.lastProfile;
    inputs.profile = workspace.ftpProfile();
    inputs.compression1 = globals.compression1;
    inputs.compression2 = globals.compression2;
    inputs.overwritePhotos = overwritePhotos;
    inputs.uploadDirectory = workspace.albumSettings().UploadDirectory;
    return inputs;
}

std::string reportedAlbumAddress(const FtpProfile& profile, const std::string& uploadDirectory,
                                 const AlbumSettings& settings)
{
    const std::string page = settings.MultiWindow ? OutputNames::framePageFileName(settings.AlbumShortName)
                                                  : settings.AlbumShortName + ".htm";
    return joinUrlPath(profile.www,
                       albumWebPath(profile.httpHomeDirectory, uploadDirectory, page, OutputNames(settings)));
}

std::vector<std::string> diagnosticReport(const DiagnosticReportInputs& in)
{
    const AlbumSettings& s = in.settings;
    std::vector<std::string> lines = {
        "------------------------OVERVIEW-------------------------",
        "Version                      : " + in.version,
        "Executable Location          : " + in.programFolder,
        "Catalog Name                 : " + (in.catalogName.empty() ? "No Catalog Defined" : in.catalogName),
        " ",
        "---------------------ALBUM SETTINGS----------------------",
        "Album Template               : " + in.templateText,
        "Album Title                  : " + in.albumTitle,
        "Number Thumbnails Per Row    : " + std::to_string(s.ThumbnailsPerRow),
        "Number Rows Per Page         : " + std::to_string(s.RowsPerPage),
        "Uses HTML Frames             : " + yesNo(s.MultiWindow),
        "Display Thumbnail Label      : " + yesNo(s.Label),
        "Display a Thumbnail Border   : " + yesNo(s.Border),
        "Display Page Numbers         : " + yesNo(s.PageNumbers),
        "Index Page Navigation Buttons: " + yesNo(s.DisplayNavigationIndex),
        "Display Titles for Photos    : " + yesNo(s.DisplayWebTitle, "No "),
        "Display Photo Descriptions   : " + yesNo(s.DisplayWebDesc, "No "),
        "Center Photo Album           : " + yesNo(s.CenterAlbum, "No "),
        "Display Border Around Photo  : " + yesNo(s.PhotoBorder, "No "),
        // The photo pages' own buttons, which is what the label names; the pull-down list of
        // photos is a setting of its own.
        "Photo Navigation Buttons     : " + yesNo(s.DisplayNavigationButtons),
        "Slide Show                   : " +
            (s.DisplaySlideShow ? "Every " + s.RefreshRate + " Seconds" : std::string("None selected")),
    };
    addIndentedValue(lines, "Index Page Custom Link 1     : ", s.HTMLLink, nullptr);
    addIndentedValue(lines, "Index Page Custom Link 2     : ", s.HTMLLink2, nullptr);
    lines.insert(lines.end(), {
        " ",
        "--------------------------HTTP INFO----------------------",
        "FTP Profile                  : " + in.profileName,
        " ",
        "Photo Album Address          : ",
        "    " + reportedAlbumAddress(in.profile, in.uploadDirectory, s),
        " ",
        "HTTP - HTTP Directory          : " + in.profile.www,
        "HTTP - Home Directory          : " + in.profile.httpHomeDirectory,
        " ",
        " ",
        "-------------------------FTP INFO------------------------",
        "FTP Profile                  : " + in.profileName,
        "FTP Server Address           : " + in.profile.ftp,
        "FTP - Home Directory         : " + in.profile.ftpHomeDirectory,
        " ",
        "Overwrite files on web server: " + yesNo(in.overwritePhotos),
        compressionLine(s),
        "Convert files to lowercase   : " + yesNo(s.LowercaseFiles),
    });
    addIndentedValue(lines, "Index Page Tiled Wallpaper   : ", in.indexPageTexture, "No Wallpaper");
    addIndentedValue(lines, "Photo Page Tiled Wallpaper   : ", in.photoPageTexture, "No Wallpaper");
    lines.insert(lines.end(), {
        " ",
        "-------------------COMPRESSION SETTINGS------------------",
        "100 % = best quality and least compression",
        "Thumbnail Compression Ratio  : " + std::to_string(in.compression1),
        "Conversion Compression Ratio : " + std::to_string(in.compression2),
        compressionLine(s),
        "  ",
        "----------------------------------------------------------",
        "If you are having problems with your Photo Album please ",
        "copy this text along with your email. ",
        std::string("Email: ") + DiagnosticReportInputs::supportEmailAddress + " ",
    });
    return lines;
}

} // namespace pictaven
