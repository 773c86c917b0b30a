#include "session/DiagnosticReport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pictaven {
namespace {

DiagnosticReportInputs fullInputs()
{
    DiagnosticReportInputs in;
    in.version = "Pictaven 3.03";
    in.programFolder = "/opt/pictaven/";
    in.catalogName = "Summer.CAT";
    in.albumTitle = "Summer by the sea";
    in.templateText = "Aardvark";
    in.indexPageTexture = "/home/ann/sand.jpg";
    in.photoPageTexture = "/home/ann/waves.gif";
    in.settings = AlbumSettings::defaults("/opt/pictaven/");
    AlbumSettings& s = in.settings;
    s.ThumbnailsPerRow = 5;
    s.RowsPerPage = 3;
    s.MultiWindow = true;
    s.Label = false;
    s.DisplayWebTitle = false;
    s.CenterAlbum = true;
    s.PhotoBorder = false;
    s.DisplayNavigationButtons = false;
    s.DisplaySlideShow = true;
    s.RefreshRate = "12";
    s.HTMLLink = "http://ann.example/";
    s.HTMLLink2 = "http://ann.example/blog";
    s.CompressJPEG = true;
    s.CompressionRatio = 75;
    s.LowercaseFiles = true;
    s.AlbumShortName = "Summer";
    in.profileName = "ann.prf";
    in.profile = {"ftp.ann.example", "ann", "secret", "/public_html", "/~ann", "http://www.ann.example/"};
    in.compression1 = 85;
    in.compression2 = 100;
    in.overwritePhotos = false;
    in.uploadDirectory = "MyAlbum";
    return in;
}

TEST(DiagnosticReportTest, FullReportLineByLine)
{
    const std::vector<std::string> expected = {
        "------------------------OVERVIEW-------------------------",
        "Version                      : Pictaven 3.03",
        "Executable Location          : /opt/pictaven/",
        "Catalog Name                 : Summer.CAT",
        " ",
        "---------------------ALBUM SETTINGS----------------------",
        "Album Template               : Aardvark",
        "Album Title                  : Summer by the sea",
        "Number Thumbnails Per Row    : 5",
        "Number Rows Per Page         : 3",
        "Uses HTML Frames             : Yes",
        "Display Thumbnail Label      : No",
        "Display a Thumbnail Border   : Yes",
        "Display Page Numbers         : Yes",
        "Index Page Navigation Buttons: Yes",
        "Display Titles for Photos    : No ",
        "Display Photo Descriptions   : Yes",
        "Center Photo Album           : Yes",
        "Display Border Around Photo  : No ",
        "Photo Navigation Buttons     : No",
        "Slide Show                   : Every 12 Seconds",
        "Index Page Custom Link 1     : ",
        "   http://ann.example/",
        "Index Page Custom Link 2     : ",
        "   http://ann.example/blog",
        " ",
        "--------------------------HTTP INFO----------------------",
        "FTP Profile                  : ann.prf",
        " ",
        "Photo Album Address          : ",
        "    http://www.ann.example/~ann/MyAlbum/summer_frame.htm",
        " ",
        "HTTP - HTTP Directory          : http://www.ann.example/",
        "HTTP - Home Directory          : /~ann",
        " ",
        " ",
        "-------------------------FTP INFO------------------------",
        "FTP Profile                  : ann.prf",
        "FTP Server Address           : ftp.ann.example",
        "FTP - Home Directory         : /public_html",
        " ",
        "Overwrite files on web server: No",
        "Photo Compression Ratio      : 75",
        "Convert files to lowercase   : Yes",
        "Index Page Tiled Wallpaper   : ",
        "   /home/ann/sand.jpg",
        "Photo Page Tiled Wallpaper   : ",
        "   /home/ann/waves.gif",
        " ",
        "-------------------COMPRESSION SETTINGS------------------",
        "100 % = best quality and least compression",
        "Thumbnail Compression Ratio  : 85",
        "Conversion Compression Ratio : 100",
        "Photo Compression Ratio      : 75",
        "  ",
        "----------------------------------------------------------",
        "If you are having problems with your Photo Album please ",
        "copy this text along with your email. ",
        std::string("Email: ") + DiagnosticReportInputs::supportEmailAddress + " ",
    };
    const std::vector<std::string> report = diagnosticReport(fullInputs());
    for (std::size_t i = 0; i < std::max(report.size(), expected.size()); ++i) {
        EXPECT_EQ(i < report.size() ? report[i] : "<missing>", i < expected.size() ? expected[i] : "<extra>")
            << "line " << i + 1;
    }
}

TEST(DiagnosticReportTest, NoCatalogNoLinksNoWallpaperEmptyProfile)
{
    DiagnosticReportInputs in = fullInputs();
    in.catalogName.clear();
    in.settings.HTMLLink.clear();
    in.settings.HTMLLink2.clear();
    in.settings.DisplaySlideShow = false;
    in.settings.CompressJPEG = false;
    in.indexPageTexture.clear();
    in.photoPageTexture.clear();
    in.profile = {"", "", "", "", "", ""};
    const std::vector<std::string> report = diagnosticReport(in);
    const auto lineAfter = [&](const std::string& line) {
        const auto it = std::find(report.begin(), report.end(), line);
        return it == report.end() || it + 1 == report.end() ? std::string("<none>") : *(it + 1);
    };
    ASSERT_GT(report.size(), 4u);
    EXPECT_EQ(report[3], "Catalog Name                 : No Catalog Defined");
    EXPECT_EQ(lineAfter("Slide Show                   : None selected"), " ");
    EXPECT_EQ(std::count_if(report.begin(), report.end(),
                            [](const std::string& line) { return line.starts_with("Index Page Custom Link"); }),
              0);
    EXPECT_EQ(lineAfter("Convert files to lowercase   : Yes"), "Index Page Tiled Wallpaper   : No Wallpaper");
    EXPECT_EQ(lineAfter("Index Page Tiled Wallpaper   : No Wallpaper"), "Photo Page Tiled Wallpaper   : No Wallpaper");
    EXPECT_EQ(lineAfter("Thumbnail Compression Ratio  : 85"), "Conversion Compression Ratio : 100");
    EXPECT_EQ(lineAfter("Conversion Compression Ratio : 100"), "Photo Compression Ratio      : No remote compression");
    EXPECT_EQ(lineAfter("Photo Album Address          : "), "    /MyAlbum/summer_frame.htm");
    EXPECT_EQ(lineAfter("FTP Profile                  : ann.prf"), " ");
    EXPECT_NE(std::find(report.begin(), report.end(), "FTP Server Address           : "), report.end());
    EXPECT_NE(std::find(report.begin(), report.end(), "HTTP - Home Directory          : "), report.end());
}

TEST(DiagnosticReportTest, AlbumAddress)
{
    const struct {
        const char* www;
        const char* httpHome;
        const char* upload;
        const char* shortName;
        bool frames;
        bool lowercase;
        bool substitutions;
        const char* address;
    } cases[] = {
        {"http://w.example", "", "MyAlbum", "myalbum", true, false, true, "http://w.example/MyAlbum/myalbum_frame.htm"},
        {"http://w.example/", "/", "MyAlbum", "myalbum", false, false, true, "http://w.example/MyAlbum/myalbum.htm"},
        {"w.example", "\\site\\", "\\albums\\2024", "myalbum", false, false, true, "w.example/site/albums/2024/myalbum.htm"},
        {"w.example", "/site", "MyAlbum\\", "myalbum", false, false, true, "w.example/site/MyAlbum/myalbum.htm"},
        {"w.example", "", "", "myalbum", false, false, true, "w.example/myalbum.htm"},
        {"w.example", "/my site", "Tom & Ann", "Our Trip", false, false, true, "w.example/my_site/Tom___Ann/Our_Trip.htm"},
        {"w.example", "/my site", "Tom & Ann", "Our Trip", false, false, false, "w.example/my site/Tom & Ann/Our Trip.htm"},
        {"w.example", "/", "MyAlbum", "MyAlbum", true, true, true, "w.example/MyAlbum/myalbum_frame.htm"},
        {"", "", "MyAlbum", "myalbum", false, false, true, "/MyAlbum/myalbum.htm"},
    };
    for (const auto& c : cases) {
        AlbumSettings settings;
        settings.AlbumShortName = c.shortName;
        settings.MultiWindow = c.frames;
        settings.LowercaseFiles = c.lowercase;
        settings.Substitutions = c.substitutions;
        FtpProfile profile;
        profile.www = c.www;
        profile.httpHomeDirectory = c.httpHome;
        EXPECT_EQ(reportedAlbumAddress(profile, c.upload, settings), c.address)
            << c.www << " | " << c.httpHome << " | " << c.upload;
    }
}

} // namespace
} // namespace pictaven
