#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "support/CliRun.h"
#include "support/HiddenMetadata.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::readFile;
using test::runCli;
using test::TempDir;

class GenerateCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_work / "photos");
        for (int i = 0; i < 3; ++i) {
            Bitmap picture(80 + i, 60);
            picture.setPixel(i, i, Colour{200, 100, 50});
            writeJpeg(picture, (m_work / "photos" / ("shot" + std::to_string(i) + ".jpg")).string(), 90);
        }
        const CliRun made = run({"new-catalog", m_work.str() + "trip.CAT", "--photos", m_work.str() + "photos"});
        ASSERT_EQ(made.status, 0) << made.err;
    }

    CliRun run(const std::vector<std::string>& args) { return runCli(m_work.path(), m_work.str() + "home", args); }

    // Sets one key of the catalog's settings.
    void setCatalogKey(const std::string& key, const std::string& value)
    {
        std::string text = readFile(m_work / "trip.CAT");
        const std::size_t at = text.find("\n" + key + "=");
        ASSERT_NE(at, std::string::npos) << key;
        const std::size_t end = text.find_first_of("\r\n", at + 1);
        text.replace(at + 1, end - at - 1, key + "=" + value);
        test::writeFile(m_work / "trip.CAT", text);
    }

    TempDir m_work;
};

TEST_F(GenerateCommand, GeneratesTheCatalogsAlbumIntoTheGivenFolder)
{
    const CliRun result = run({"generate", m_work.str() + "trip.CAT", "--output", m_work.str() + "album", "--jobs", "2"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Rendering photo 3 of 3\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Progress: 100 %\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Finished generating photo album!\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Photo Album URL : " + m_work.str() + "album/myalbum.htm"), std::string::npos);
    for (const char* file : {"myalbum.htm", "shot0.jpg", "shot2.jpg", "jpg_shot1.htm", "thumb_jpg_shot2.jpg"})
        EXPECT_TRUE(fs::exists(m_work / "album" / file)) << file;
}

TEST_F(GenerateCommand, OpeningTheCatalogAgainRendersOnlyThePhotosThatChanged)
{
    const std::vector<std::string> generate = {"generate", m_work.str() + "trip.CAT", "--output", m_work.str() + "album"};
    const CliRun first = run(generate);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("Photos rendered: 3, kept: 0\n"), std::string::npos) << first.out;

    const CliRun unchanged = run(generate);
    ASSERT_EQ(unchanged.status, 0) << unchanged.err;
    EXPECT_NE(unchanged.out.find("Photos rendered: 0, kept: 3\n"), std::string::npos) << unchanged.out;

    const std::string before = readFile(m_work / "album" / "shot1.jpg");
    Bitmap picture(81, 60);
    picture.setPixel(40, 30, Colour{0, 0, 255});
    writeJpeg(picture, (m_work / "photos" / "shot1.jpg").string(), 90);
    const CliRun changed = run(generate);
    ASSERT_EQ(changed.status, 0) << changed.err;
    EXPECT_NE(changed.out.find("Photos rendered: 1, kept: 2\n"), std::string::npos) << changed.out;
    EXPECT_NE(readFile(m_work / "album" / "shot1.jpg"), before);
}

// What exiftool prints of the given tags of every file below `folder`.
std::string exiftoolTags(const fs::path& folder, const std::string& tags)
{
    const std::string command = "/usr/bin/exiftool -q -r -s " + tags + " '" + folder.string() + "' 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, count);
        pclose(pipe);
    }
    return output;
}

TEST_F(GenerateCommand, PublishedPhotosCarryTheCatalogsChoiceOfMetadataAndShowTheirCaptions)
{
    // A photo as a phone and a photo manager leave it: a title, a location, a serial number.
    fs::create_directories(m_work / "phone");
    const fs::path photo = m_work / "phone" / "harbour.jpg";
    writeJpeg(Bitmap(120, 90), photo.string(), 90);
    ASSERT_EQ(std::system(("/usr/bin/exiftool -q -overwrite_original -XMP-dc:Title=Harbour -SerialNumber=SN123 "
                           "-GPSLatitude=48.5 -GPSLatitudeRef=N -GPSLongitude=2.25 -GPSLongitudeRef=E '" +
                           photo.string() + "'")
                              .c_str()),
              0);
    const std::string catalog = m_work.str() + "trip.CAT";
    fs::remove(catalog);
    ASSERT_EQ(run({"new-catalog", catalog, "--photos", m_work.str() + "phone"}).status, 0);
    const std::string made = readFile(catalog);
    ASSERT_NE(made.find("PublishedMetadata=1\r\n"), std::string::npos) << "the choice of a new catalog";

    struct Case {
        const char* choice; // the key's line; empty for a catalog written before the key
        const char* resize; // Resize Image Type: 0 copies the photo, 2 renders it
        bool location, serial, title;
    };
    const Case cases[] = {
        {"PublishedMetadata=1\r\n", "0", false, false, true},
        {"PublishedMetadata=1\r\n", "2", false, false, true},
        {"PublishedMetadata=2\r\n", "0", true, true, true},
        {"PublishedMetadata=2\r\n", "2", true, true, true},
        {"PublishedMetadata=0\r\n", "0", false, false, false},
        {"PublishedMetadata=0\r\n", "2", false, false, false},
        {"", "0", false, true, true},
        {"", "2", false, false, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string text = made;
        text.replace(text.find("PublishedMetadata=1\r\n"), 21, c.choice);
        test::writeFile(catalog, text);
        setCatalogKey("Resize Image Type", c.resize);
        setCatalogKey("Resize Percentage", "50");
        const fs::path album = m_work / ("album" + std::to_string(++n));
        const CliRun generated = run({"generate", catalog, "--output", album.string()});
        ASSERT_EQ(generated.status, 0) << generated.err;
        const std::string label = std::string(c.choice) + " resize " + c.resize;
        const std::string gps = exiftoolTags(album, "-gps:all -xmp-exif:gps*");
        EXPECT_EQ(gps.find("GPS") != std::string::npos, c.location) << label << gps;
        EXPECT_EQ(exiftoolTags(album, "-SerialNumber").find("SN123") != std::string::npos, c.serial) << label;
        EXPECT_EQ(exiftoolTags(album / "harbour.jpg", "-Title").find("Harbour") != std::string::npos, c.title)
            << label;
        // The title came in with the photo, so its page shows it whatever the choice.
        EXPECT_NE(readFile(album / "jpg_harbour.htm").find(">Harbour</FONT>"), std::string::npos) << label;
    }
}

TEST_F(GenerateCommand, MissingPhotoFailsWithTheBoxOnStandardError)
{
    fs::remove(m_work / "photos" / "shot1.jpg");
    const CliRun result = run({"generate", m_work.str() + "trip.CAT", "--output", m_work.str() + "album"});
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find("Some photos in the Catalog file no longer exist."), std::string::npos) << result.err;
    EXPECT_NE(result.out.find("Failure or User Cancellation occurred\n"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Finished generating photo album!"), std::string::npos);
}

TEST_F(GenerateCommand, SneakPeekPreviewIsASuccess)
{
    setCatalogKey("SneakPeek", "1");
    const CliRun result = run({"generate", m_work.str() + "trip.CAT", "--output", m_work.str() + "album"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Sneak Peek Preview Page Finished\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Photo Album URL : " + m_work.str() + "album/myalbum.htm"), std::string::npos);
}

TEST_F(GenerateCommand, CatalogWithoutPhotosIsRefusedBeforeAnythingIsWritten)
{
    std::string text = readFile(m_work / "trip.CAT");
    for (std::size_t at; (at = text.find("Source_File_")) != std::string::npos;)
        text.erase(at, text.find('\n', at) + 1 - at);
    test::writeFile(m_work / "trip.CAT", text);
    const CliRun result = run({"generate", m_work.str() + "trip.CAT", "--output", m_work.str() + "album"});
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.err.find("The album has no photos."), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("Finished generating photo album!"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Photo Album URL"), std::string::npos) << result.out;
    EXPECT_TRUE(fs::is_empty(m_work / "album"));
}

TEST_F(GenerateCommand, RefusesAnOutputFolderThatHoldsOtherFiles)
{
    test::writeFile(m_work / "notes.txt", "notes beside the catalog");
    const std::string home = m_work.str() + "home";
    for (const std::string& folder : {m_work.path().string(), std::string("/"), home}) {
        const CliRun result = run({"generate", m_work.str() + "trip.CAT", "--output", folder});
        EXPECT_NE(result.status, 0) << folder;
        EXPECT_NE(result.err.find("The output folder " + (folder.ends_with('/') ? folder : folder + "/")),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(result.out, "") << folder;
        EXPECT_EQ(readFile(m_work / "notes.txt"), "notes beside the catalog");
        EXPECT_TRUE(fs::exists(m_work / "trip.CAT"));
        EXPECT_TRUE(fs::exists(m_work / "home" / "settings.ini"));
        EXPECT_FALSE(fs::exists(m_work / "myalbum.htm"));
    }
}

// A JPEG file that is whole: it decodes and ends with the end-of-image marker.
bool wholeJpeg(const fs::path& path)
{
    const std::string bytes = readFile(path);
    if (!bytes.ends_with("\xFF\xD9"))
        return false;
    try {
        readJpeg(path.string());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

TEST_F(GenerateCommand, AKilledRunLeavesNoPartPhotoUnderItsNameAndTheNextRunFinishes)
{
    // Large photos that are each decoded and written again, so that writing one takes a while.
    fs::remove_all(m_work / "photos");
    fs::create_directories(m_work / "photos");
    const int count = 4;
    for (int i = 0; i < count; ++i) {
        Bitmap picture(2400, 1800);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, Colour{static_cast<std::uint8_t>(x * 7 + y * i), static_cast<std::uint8_t>((x ^ y) + i),
                                              static_cast<std::uint8_t>(x * y + i * 31)});
        }
        writeJpeg(picture, (m_work / "photos" / ("big" + std::to_string(i) + ".jpg")).string(), 95);
    }
    fs::remove(m_work / "trip.CAT");
    ASSERT_EQ(run({"new-catalog", m_work.str() + "trip.CAT", "--photos", m_work.str() + "photos"}).status, 0);
    setCatalogKey("Compress JPEG", "1");
    const fs::path album = m_work / "album";
    fs::create_directories(album);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("PICTAVEN_HOME", (m_work.str() + "home").c_str(), 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(PICTAVEN_CLI, PICTAVEN_CLI, "generate", (m_work.str() + "trip.CAT").c_str(), "--output",
                album.c_str(), "--jobs", "1", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Killed as soon as the first photo shows under its own name: before the fix, while it
    // was still being written.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool exited = false;
    while (!exited && std::chrono::steady_clock::now() < deadline) {
        std::error_code ignored;
        if (fs::file_size(album / "big0.jpg", ignored) > 0 && !ignored)
            break;
        int status = 0;
        exited = ::waitpid(child, &status, WNOHANG) == child;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (!exited) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    for (int i = 0; i < count; ++i) {
        const fs::path photo = album / ("big" + std::to_string(i) + ".jpg");
        if (fs::exists(photo)) {
            EXPECT_TRUE(wholeJpeg(photo)) << photo << " holds " << fs::file_size(photo) << " bytes";
        }
    }

    const CliRun again = run({"generate", m_work.str() + "trip.CAT", "--output", album.string()});
    EXPECT_EQ(again.status, 0) << again.err;
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(wholeJpeg(album / ("big" + std::to_string(i) + ".jpg"))) << i;
    for (const fs::directory_entry& entry : fs::directory_iterator(album))
        EXPECT_EQ(entry.path().filename().string().find(".part-"), std::string::npos) << entry.path();
}

TEST_F(GenerateCommand, RefusesBadArguments)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"generate"}, {"generate", "a.CAT", "--jobs", "0"}, {"generate", "a.CAT", "--jobs"},
          {"generate", "a.CAT", "--colour"}}) {
        const CliRun result = run(args);
        EXPECT_NE(result.status, 0) << args.size();
        EXPECT_NE(result.err.find("pictaven-cli generate: "), std::string::npos) << result.err;
    }
}

// Photos that carry their place, serial numbers and owner wherever a format can hold them, put
// through a whole generation under each choice of "Metadata in published photos"; every file of
// the album is then read by exiftool and searched byte by byte for the planted texts.
constexpr const char* kGps = "-GPSLatitude=48.5 -GPSLatitudeRef=N -GPSLongitude=2.25 -GPSLongitudeRef=E "
                             "-XMP-exif:GPSLatitude=48.5 -XMP-exif:GPSLongitude=2.25 ";

// Texts planted in the photos below, each where only its kind of data is.
const std::vector<std::string> kPlaces = { "CreatedCity03", "ShownPlace04", "PsCity05", "PsState06", "PsCountry07",
    "IptcCity08", "IptcPlace09", "IptcState10", "IptcCountry11", "CreatorCity15", "PngCity22", "GifCity24",
    "TifCity26", "TifIptcCity27", "ExtCity29", "PreviewCity31" };
const std::vector<std::string> kSerialsAndOwners = { "JpgSerial01", "JpgOwner02", "AuxOwner12", "ExOwner13",
    "AuxSerial14", "ExtSerial16", "TrailSerial17", "TrailOwner18", "VendorSerial19", "PngSerial20", "PngOwner21",
    "GifSerial23", "TifSerial25", "TifOwner28", "PreviewSerial30", "InnerSerial32" };

void exiftoolWrite(const fs::path& file, const std::string& tags)
{
    ASSERT_EQ(std::system(("/usr/bin/exiftool -q -q -overwrite_original " + tags + " '" + file.string() + "'").c_str()),
              0)
        << file;
}

// What a choice leaves in the album.
enum class Kept { Nothing, AllButPrivate, Everything, AllButLocation };

struct Case {
    const char* choice; // the catalog's line; empty for a catalog written before the choice
    const char* resize; // Resize Image Type: 0 copies JPEG photos, 1 renders them
    bool turned;        // every photo turned a quarter: PNG and GIF in their own format
    Kept kept;
};

class PublishedPrivacy : public ::testing::Test {
protected:
    void SetUp() override
    {
        const fs::path photos = m_work / "photos";
        fs::create_directories(photos);
        const std::string data = std::string(TEST_DATA_DIR) + "/privacy/";
        fs::copy_file(data + "base.png", photos / "phone.png");
        fs::copy_file(data + "base.gif", photos / "anim.gif");
        fs::copy_file(data + "base.tif", photos / "scan.tif");
        exiftoolWrite(photos / "phone.png", std::string(kGps) +
                                                "-SerialNumber=PngSerial20 -XMP-aux:OwnerName=PngOwner21 "
                                                "-XMP-photoshop:City=PngCity22 -XMP-dc:Title=PngTitle");
        exiftoolWrite(photos / "anim.gif", "-XMP-exif:GPSLatitude=48.5 -XMP-exif:GPSLongitude=2.25 "
                                           "-XMP-aux:SerialNumber=GifSerial23 -XMP-photoshop:City=GifCity24");
        exiftoolWrite(photos / "scan.tif", std::string(kGps) +
                                               "-SerialNumber=TifSerial25 -XMP-photoshop:City=TifCity26 "
                                               "-IPTC:City=TifIptcCity27 -XMP-aux:OwnerName=TifOwner28");
        writeHarbour(photos / "harbour.jpg");
        const CliRun made = cli({"new-catalog", m_work.str() + "trip.CAT", "--photos", photos.string()});
        ASSERT_EQ(made.status, 0) << made.err;
        m_catalog = readFile(m_work / "trip.CAT");
        // TIFF is not among the formats a new catalog takes: it is added as the fourth photo.
        const std::string end = "Source_File_4=\r\n";
        ASSERT_NE(m_catalog.find(end), std::string::npos) << m_catalog;
        m_catalog.replace(m_catalog.find(end), end.size(),
                          "Source_File_4=" + (photos / "scan.tif").string() + "\r\nRotation_4=0\r\nSource_File_5=\r\n");
        ASSERT_NE(m_catalog.find("PublishedMetadata=1\r\n"), std::string::npos);
    }

    // A JPEG as a phone and a photo manager leave it: the place and owner in EXIF, IPTC and
    // XMP, more in extended XMP, vendor blocks (one after the image data), an EXIF preview with
    // its own metadata, and a second picture appended with its own EXIF.
    void writeHarbour(const fs::path& file)
    {
        // Its EXIF preview is a JPEG file with metadata of its own.
        const fs::path preview = m_work / "preview.jpg";
        writeJpeg(Bitmap(16, 12), preview.string(), 90);
        exiftoolWrite(preview, "-SerialNumber=PreviewSerial30 -XMP-photoshop:City=PreviewCity31");
        writeJpeg(Bitmap(120, 90), file.string(), 90);
        exiftoolWrite(file, std::string(kGps) + "'-ThumbnailImage<=" + preview.string() + "' " +
                                "-XMP-dc:Title=Harbour -SerialNumber=JpgSerial01 -EXIF:OwnerName=JpgOwner02 "
                                "-XMP-iptcExt:LocationCreatedCity=CreatedCity03 "
                                "-XMP-iptcExt:LocationShownSublocation=ShownPlace04 "
                                "-XMP-iptcExt:LocationShownGPSLatitude=45.7 -XMP-iptcExt:LocationShownGPSLongitude=4.8 "
                                "-XMP-photoshop:City=PsCity05 -XMP-photoshop:State=PsState06 "
                                "-XMP-photoshop:Country=PsCountry07 -IPTC:City=IptcCity08 -IPTC:Sub-location=IptcPlace09 "
                                "-IPTC:Province-State=IptcState10 -IPTC:Country-PrimaryLocationName=IptcCountry11 "
                                "-XMP-aux:OwnerName=AuxOwner12 -XMP-exifEX:OwnerName=ExOwner13 "
                                "-XMP-aux:SerialNumber=AuxSerial14 -XMP-iptcCore:CreatorCity=CreatorCity15");
        const fs::path second = m_work / "depth.jpg";
        writeJpeg(Bitmap(30, 20), second.string(), 90);
        exiftoolWrite(second, std::string(kGps) + "-SerialNumber=TrailSerial17 -EXIF:OwnerName=TrailOwner18");
        const std::string extended = test::xmpPacket("exif:GPSLatitude='48,30.5N' exif:GPSLongitude='2,15.5E' "
                                                     "aux:SerialNumber='ExtSerial16' photoshop:City='ExtCity29' "
                                                     "xmlns:photoshop='http://ns.adobe.com/photoshop/1.0/'");
        std::string bytes = test::withExtendedXmp(readFile(file), extended, "0123456789ABCDEF0123456789ABCDEF");
        bytes = test::withAppBlock(bytes, 0xEB, std::string("Vendor\0VendorSerial19", 21));
        bytes = test::withAppBlockAtTheEnd(bytes, 0xEC, std::string("Inner\0InnerSerial32", 19));
        test::writeFile(file, test::withSecondPicture(bytes, readFile(second)));
        fs::remove(second);
        fs::remove(preview);
    }

    CliRun cli(const std::vector<std::string>& args) { return runCli(m_work.path(), m_work.str() + "home", args); }

    // The catalog with `key`'s value set on every line of it.
    static void setKey(std::string& text, const std::string& key, const std::string& value)
    {
        for (std::size_t at = text.find("\n" + key); at != std::string::npos; at = text.find("\n" + key, at + 1)) {
            const std::size_t equals = text.find('=', at);
            text.replace(equals + 1, text.find('\r', equals) - equals - 1, value);
        }
    }

    TempDir m_work;
    std::string m_catalog;
};

// The tag names exiftool finds in the pictures of `album`, one "[group] name" a line.
std::string tagNames(const fs::path& album)
{
    std::istringstream lines(exiftoolTags(album, "-a -G1 -ext jpg -ext png -ext gif"));
    std::string names;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("["))
            names += line.substr(0, line.find(':')) + "\n";
    }
    return names;
}

TEST_F(PublishedPrivacy, EveryFileOfTheAlbumKeepsOnlyWhatTheChoiceKeeps)
{
    const Case cases[] = {
        {"PublishedMetadata=0\r\n", "0", false, Kept::Nothing},
        {"PublishedMetadata=0\r\n", "1", false, Kept::Nothing},
        {"PublishedMetadata=0\r\n", "0", true, Kept::Nothing},
        {"PublishedMetadata=1\r\n", "0", false, Kept::AllButPrivate},
        {"PublishedMetadata=1\r\n", "1", false, Kept::AllButPrivate},
        {"PublishedMetadata=1\r\n", "0", true, Kept::AllButPrivate},
        {"PublishedMetadata=2\r\n", "0", false, Kept::Everything},
        {"", "0", false, Kept::AllButLocation},
        {"", "0", true, Kept::AllButLocation},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string text = m_catalog;
        text.replace(text.find("PublishedMetadata=1\r\n"), 21, c.choice);
        setKey(text, "Resize Image Type", c.resize);
        setKey(text, "Rotation_", c.turned ? "1" : "0");
        test::writeFile(m_work / "trip.CAT", text);
        const fs::path album = m_work / ("album" + std::to_string(++n));
        const CliRun generated = cli({"generate", m_work.str() + "trip.CAT", "--output", album.string()});
        ASSERT_EQ(generated.status, 0) << generated.err;
        const std::string label = std::string(c.choice) + " resize " + c.resize + (c.turned ? " turned" : "");
        for (const char* photo : {"harbour.jpg", "phone.png", "anim.gif", "scan.jpg", "thumb_jpg_harbour.jpg"})
            EXPECT_TRUE(fs::exists(album / photo)) << label << photo;

        std::string everyFile;
        for (const fs::directory_entry& file : fs::recursive_directory_iterator(album))
            everyFile += file.is_regular_file() ? readFile(file.path()) : std::string();
        const bool locationGoes = c.kept != Kept::Everything;
        const bool privateGoes = c.kept == Kept::Nothing || c.kept == Kept::AllButPrivate;
        for (const std::string& planted : kPlaces)
            EXPECT_EQ(everyFile.find(planted) == std::string::npos, locationGoes) << label << planted;
        for (const std::string& planted : kSerialsAndOwners) {
            if (privateGoes) {
                EXPECT_EQ(everyFile.find(planted), std::string::npos) << label << planted;
            } else if (c.kept == Kept::Everything) {
                EXPECT_NE(everyFile.find(planted), std::string::npos) << label << planted;
            }
        }

        const std::string names = tagNames(album);
        std::string lower = names;
        for (char& ch : lower)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        for (const char* place : {"gps", "city", "location", "country", "state"})
            EXPECT_EQ(lower.find(place) == std::string::npos, locationGoes) << label << place << "\n" << names;
        if (privateGoes) {
            EXPECT_EQ(lower.find("serialnumber"), std::string::npos) << label << names;
            EXPECT_EQ(lower.find("ownername"), std::string::npos) << label << names;
        }
        const auto title = [&](const char* photo) { return exiftoolTags(album / photo, "-s3 -Title"); };
        const std::string titles = title("harbour.jpg") + title("phone.png");
        // A turned PNG is drawn anew, without the entries.
        const bool titlesStay = c.kept == Kept::AllButPrivate && !c.turned;
        if (titlesStay || c.kept == Kept::Everything) {
            EXPECT_EQ(titles, "Harbour\nPngTitle\n") << label;
        }
        if (c.kept == Kept::Nothing) {
            EXPECT_EQ(titles, "") << label;
        }
    }
}

} // namespace
} // namespace pictaven
