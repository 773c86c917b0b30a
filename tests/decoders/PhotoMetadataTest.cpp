// Metadata written by exiftool, the tool photo managers' files are checked with, read by the
// program and filtered for publishing; exiftool then says what a published file still carries.

#include "decoders/PhotoMetadata.h"

#include "FixtureFiles.h"
#include "decoders/PictureLoader.h"
#include "decoders/PublishedMetadata.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "support/HiddenMetadata.h"
#include "support/TempDir.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace pictaven {
namespace {

const char* const ExifTool = "/usr/bin/exiftool";

// Runs exiftool with `arguments` (quoted by the caller) and gives what it printed.
std::string exiftool(const std::string& arguments)
{
    const std::string command = std::string(ExifTool) + " " + arguments + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    std::array<char, 4096> buffer{};
    while (pipe && std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()))
        output += buffer.data();
    return output;
}

// The bytes from the first start-of-scan marker on: the picture itself.
std::string imageData(const std::filesystem::path& path)
{
    const std::string bytes = test::readFile(path);
    const std::size_t scan = bytes.find("\xFF\xDA");
    return scan == std::string::npos ? std::string() : bytes.substr(scan);
}

class PhotoMetadataTest : public testing::Test {
protected:
    // A small JPEG with what `tags` (exiftool arguments) write into it.
    std::string photo(const std::string& name, const std::string& tags)
    {
        const std::string path = (m_folder / name).string();
        writeJpeg(Bitmap(64, 48), path, 90);
        if (!tags.empty())
            exiftool("-q -overwrite_original " + tags + " '" + path + "'");
        return path;
    }

    test::TempDir m_folder;
};

struct CaptionCase {
    const char* tags;
    const char* title;
    const char* description;
};

TEST_F(PhotoMetadataTest, TitlesAndDescriptionsComeFromWhicheverBlockHasThem)
{
    const CaptionCase cases[] = {
        {"-XMP-dc:Title='Harbour' -XMP-dc:Description='Boats at dawn'", "Harbour", "Boats at dawn"},
        {"-IPTC:ObjectName='Harbour' -IPTC:Caption-Abstract='Boats at dawn'", "Harbour", "Boats at dawn"},
        {"-EXIF:XPTitle='Harbour' -EXIF:XPComment='Boats at dawn'", "Harbour", "Boats at dawn"},
        {"-EXIF:ImageDescription='Boats at dawn'", "", "Boats at dawn"},
        // XMP is what current tools write last, so it wins.
        {"-IPTC:ObjectName='Old' -XMP-dc:Title='New'", "New", ""},
        {"-EXIF:ImageDescription='OLYMPUS DIGITAL CAMERA'", "", ""},
        {"-XMP-dc:Title='  Zoë’s café  '", "Zoë’s café", ""},
        // An 8-bit caption from an older program, marked as Latin-1.
        {"-charset iptc=Latin -IPTC:CodedCharacterSet= -IPTC:Caption-Abstract='Café'", "", "Café"},
        {"", "", ""},
    };
    int n = 0;
    for (const CaptionCase& c : cases) {
        const PhotoMetadata read = readPhotoMetadata(photo("caption" + std::to_string(++n) + ".jpg", c.tags));
        EXPECT_EQ(read.title, c.title) << c.tags;
        EXPECT_EQ(read.description, c.description) << c.tags;
    }
}

TEST_F(PhotoMetadataTest, DateTakenOrientationAndLocation)
{
    const PhotoMetadata read = readPhotoMetadata(
        photo("gps.jpg", "'-DateTimeOriginal=2021:07:04 10:30:15' -Orientation#=6 -GPSLatitude=48.5 -GPSLatitudeRef=N "
                         "-GPSLongitude=2.25 -GPSLongitudeRef=E"));
    std::tm taken{};
    taken.tm_year = 121;
    taken.tm_mon = 6;
    taken.tm_mday = 4;
    taken.tm_hour = 10;
    taken.tm_min = 30;
    taken.tm_sec = 15;
    taken.tm_isdst = -1;
    ASSERT_TRUE(read.takenAt.has_value());
    EXPECT_EQ(*read.takenAt, static_cast<std::int64_t>(std::mktime(&taken)));
    EXPECT_EQ(read.orientation, 6);
    EXPECT_TRUE(read.hasLocation);

    const PhotoMetadata plain = readPhotoMetadata(photo("plain.jpg", "'-DateTimeOriginal=not a date'"));
    EXPECT_FALSE(plain.takenAt.has_value());
    EXPECT_EQ(plain.orientation, 0);
    EXPECT_FALSE(plain.hasLocation);
    EXPECT_TRUE(
        readPhotoMetadata(photo("xmpgps.jpg", "-XMP-exif:GPSLatitude=10 -XMP-exif:GPSLongitude=20")).hasLocation);
}

struct WhereCase {
    const char* tags;        // exiftool arguments
    const char* extendedXmp; // properties of an extended XMP packet, or none
    bool where;
};

TEST_F(PhotoMetadataTest, LocationIsFoundWhereverItIsWrittenDown)
{
    const WhereCase cases[] = {
        {"", "exif:GPSLatitude='48,30.0N' exif:GPSLongitude='2,15.0E'", true},
        {"-IPTC:City=Lyon", nullptr, true},
        {"-XMP-photoshop:Country=France", nullptr, true},
        {"-XMP-iptcExt:LocationShownSublocation=Quay", nullptr, true},
        {"-XMP-iptcExt:LocationCreatedGPSLatitude=45.7", nullptr, true},
        // A height or a time says nothing of where.
        {"-GPSAltitude=120 -GPSAltitudeRef=0", nullptr, false},
        {"", "aux:SerialNumber='SN9'", false},
        {"-XMP-dc:Description='Lyon at night'", nullptr, false},
    };
    int n = 0;
    for (const WhereCase& c : cases) {
        const std::string path = photo("where" + std::to_string(++n) + ".jpg", c.tags);
        if (c.extendedXmp)
            test::writeFile(path, test::withExtendedXmp(test::readFile(path), test::xmpPacket(c.extendedXmp),
                                                        "0123456789ABCDEF0123456789ABCDEF"));
        EXPECT_EQ(readPhotoMetadata(path).hasLocation, c.where) << c.tags << (c.extendedXmp ? c.extendedXmp : "");
    }
}

// A JPEG whose EXIF block points its first directory back at itself, holds an entry count far
// beyond its size, or stops half-way.
// Gives the rendered JPEG file at `target` the metadata of `source`, as generation does with the
// bytes before it writes them.
void carryInto(const std::string& source, const std::string& target, int width, int height, MetadataChoice choice)
{
    std::string jpeg = test::readFile(target);
    carryPublishedMetadata(source, jpeg, width, height, choice);
    test::writeFile(target, jpeg);
}

std::string withExifBlock(const std::string& jpeg, const std::string& tiff)
{
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    const std::size_t length = payload.size() + 2;
    std::string segment = "\xFF\xE1";
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    return jpeg.substr(0, 2) + segment + payload + jpeg.substr(2);
}

TEST_F(PhotoMetadataTest, DamagedBlocksGiveNothingAndStripAsAWhole)
{
    const std::string plain = test::readFile(photo("base.jpg", ""));
    const std::string looping("II*\0\x08\0\0\0\x01\0\x25\x88\x04\0\x01\0\0\0\x08\0\0\0\x08\0\0\0", 26);
    const std::string huge("II*\0\x08\0\0\0\xFF\xFF\x0E\x01\x02\0\xFF\xFF\xFF\x7F\x10\0\0\0", 22);
    const std::string cut("MM\0*\0\0\0\x08\0\x05\x01", 11);
    // The EXIF folder listed past the end of the block, and one that lists more entries than it has.
    const std::string exifPastEnd("II*\0\x08\0\0\0\x01\0\x69\x87\x04\0\x01\0\0\0\0\xFF\xFF\xFF\0\0\0\0", 26);
    const std::string shortExif("II*\0\x08\0\0\0\x01\0\x69\x87\x04\0\x01\0\0\0\x1A\0\0\0\0\0\0\0\xFF\xFF", 28);
    int n = 0;
    for (const std::string& tiff : {looping, huge, cut, exifPastEnd, shortExif}) {
        // A photo rendered from such a file goes out with its own pixels.
        const auto source = m_folder / ("source" + std::to_string(++n) + ".jpg");
        test::writeFile(source, withExifBlock(plain, tiff));
        const std::string rendered = (m_folder / ("rendered" + std::to_string(n) + ".jpg")).string();
        writeJpeg(Bitmap(24, 32), rendered, 90);
        const std::string pixels = imageData(rendered);
        EXPECT_NO_THROW(carryInto(source.string(), rendered, 24, 32, PublishedMetadata::AllButPrivate));
        EXPECT_EQ(imageData(rendered), pixels) << n;
    }
    n = 0;
    for (const std::string& tiff : {looping, huge, cut}) {
        const auto path = m_folder / ("damaged" + std::to_string(++n) + ".jpg");
        test::writeFile(path, withExifBlock(plain, tiff));
        const PhotoMetadata read = readPhotoMetadata(path.string());
        EXPECT_TRUE(read.title.empty() && read.description.empty() && !read.hasLocation) << n;

        EXPECT_NO_THROW(keepPublishedMetadata(path.string(), PublishedMetadata::AllButPrivate)) << n;
        const std::string kept = test::readFile(path);
        EXPECT_EQ(kept.find("Exif"), std::string::npos) << n;
        EXPECT_EQ(imageData(path), plain.substr(plain.find("\xFF\xDA"))) << n;
    }
}

TEST_F(PhotoMetadataTest, BlocksThatCannotBeParsedAreNotPublished)
{
    const std::string plain = test::readFile(photo("unparsed.jpg", "-XMP-dc:Title=Harbour"));
    const std::string iptcResource = std::string("8BIM\x04\x04\0\0\0\0\0\x10", 12) + "Broken42 garbage";
    const std::string cases[] = {
        test::withAppBlock(
            plain, 0xE1,
            std::string("http://ns.adobe.com/xap/1.0/\0", 29) +
                "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF><rdf:Description aux:SerialNumber='Broken41'>"),
        test::withAppBlock(plain, 0xED, std::string("Photoshop 3.0\0", 14) + iptcResource),
    };
    int n = 0;
    for (const std::string& bytes : cases) {
        for (const MetadataChoice choice : {MetadataChoice(), MetadataChoice(PublishedMetadata::AllButPrivate)}) {
            const auto path = m_folder / ("unparsed" + std::to_string(++n) + ".jpg");
            test::writeFile(path, bytes);
            keepPublishedMetadata(path.string(), choice);
            const std::string kept = test::readFile(path);
            EXPECT_EQ(kept.find("Broken4"), std::string::npos) << n;
            EXPECT_EQ(imageData(path), imageData(m_folder / "unparsed.jpg")) << n;
        }
    }
}

TEST_F(PhotoMetadataTest, UnreadableFilesGiveNothing)
{
    EXPECT_EQ(readPhotoMetadata((m_folder / "missing.jpg").string()).title, "");
    test::writeFile(m_folder / "text.jpg", "not a picture");
    EXPECT_FALSE(readPhotoMetadata((m_folder / "text.jpg").string()).hasLocation);
    EXPECT_THROW(keepPublishedMetadata((m_folder / "text.jpg").string(), PublishedMetadata::None), MetadataError);
}

constexpr const char* kEverything =
    "-XMP-dc:Title=Harbour -IPTC:Caption-Abstract=Boats -EXIF:Artist=Ann -SerialNumber=SN123 "
    "-LensSerialNumber=LN456 -GPSLatitude=48.5 -GPSLatitudeRef=N -GPSLongitude=2.25 -GPSLongitudeRef=E "
    "-XMP-exif:GPSLatitude=48.5 -XMP-exif:GPSLongitude=2.25 -Orientation#=6";

struct KeptCase {
    MetadataChoice choice;
    bool location;
    bool serials;
    bool captions;
};

const KeptCase kKeptCases[] = {
    {std::nullopt, false, true, true},
    {PublishedMetadata::None, false, false, false},
    {PublishedMetadata::AllButPrivate, false, false, true},
    {PublishedMetadata::All, true, true, true},
};

// What exiftool finds in `path` of each kind.
void expectCarried(const std::string& path, bool location, bool serials, bool captions, const char* label)
{
    const std::string gps = exiftool("-a -G -s '-gps:all' '-xmp-exif:gps*' '" + path + "'");
    EXPECT_EQ(gps.find("GPS") != std::string::npos, location) << label << ": " << gps;
    const std::string serial = exiftool("-a -s -SerialNumber -LensSerialNumber '" + path + "'");
    EXPECT_EQ(serial.find("SN123") != std::string::npos, serials) << label << ": " << serial;
    const std::string caption = exiftool("-s -Title -Caption-Abstract -Artist '" + path + "'");
    EXPECT_EQ(caption.find("Harbour") != std::string::npos && caption.find("Boats") != std::string::npos &&
                  caption.find("Ann") != std::string::npos,
              captions)
        << label << ": " << caption;
}

TEST_F(PhotoMetadataTest, CopiedPhotosKeepWhatTheChoiceKeepsAndTheirPixels)
{
    int n = 0;
    for (const KeptCase& c : kKeptCases) {
        const std::string path = photo("copied" + std::to_string(++n) + ".jpg", kEverything);
        const std::string before = imageData(path);
        const std::string bytesBefore = test::readFile(path);
        keepPublishedMetadata(path, c.choice);
        const std::string label = "choice " + std::to_string(n);
        expectCarried(path, c.location, c.serials, c.captions, label.c_str());
        EXPECT_EQ(imageData(path), before) << label;
        if (c.choice == PublishedMetadata::All)
            EXPECT_EQ(test::readFile(path), bytesBefore);
        else
            EXPECT_EQ(exiftool("-s -s -s -Orientation# '" + path + "'").find('6') != std::string::npos, c.captions)
                << label;
    }
    // A photo without a location is left as it was, byte for byte.
    const std::string plain = photo("nogps.jpg", "-XMP-dc:Title=Harbour");
    const std::string bytes = test::readFile(plain);
    EXPECT_FALSE(keepPublishedMetadata(plain, std::nullopt));
    EXPECT_FALSE(keepPublishedMetadata(plain, PublishedMetadata::AllButPrivate));
    EXPECT_EQ(test::readFile(plain), bytes);
}

TEST_F(PhotoMetadataTest, RenderedPhotosGetTheChosenMetadataUprightAndOfTheirSize)
{
    const std::string source =
        photo("source.jpg", std::string(kEverything) + " '-DateTimeOriginal=2021:07:04 10:30:15'"
                                                       " -ExifImageWidth=64 -ExifImageHeight=48");
    int n = 0;
    for (const KeptCase& c : kKeptCases) {
        const std::string target = (m_folder / ("rendered" + std::to_string(++n) + ".jpg")).string();
        writeJpeg(Bitmap(24, 32), target, 90);
        const std::string pixels = imageData(target);
        carryInto(source, target, 24, 32, c.choice);
        const std::string label = "choice " + std::to_string(n);
        // An older catalog's rendered photos carry nothing, as they always did.
        const bool carried = c.choice.has_value() && *c.choice != PublishedMetadata::None;
        expectCarried(target, c.location && carried, c.serials && carried, c.captions && carried, label.c_str());
        EXPECT_EQ(imageData(target), pixels) << label;
        if (!carried)
            continue;
        EXPECT_EQ(exiftool("-s -s -s -Orientation# '" + target + "'"), "1\n") << label;
        EXPECT_EQ(exiftool("-s -s -s -ExifImageWidth -ExifImageHeight '" + target + "'"), "24\n32\n") << label;
        EXPECT_EQ(exiftool("-s -s -s -DateTimeOriginal '" + target + "'"), "2021:07:04 10:30:15\n") << label;
    }
}

TEST_F(PhotoMetadataTest, RenderedCameraPhotosKeepTheirExifWithoutTheMakerNotes)
{
    // Sample photographs with maker notes of both byte orders (Canon, Sony; Apple).
    for (const char* name : {"mate_Dune.jpg", "plasma_ColorfulCups.jpg", "digikam_body-background_iphone7.jpg"}) {
        const std::string source = std::string(TEST_DATA_DIR) + "/photos/" + name;
        ASSERT_NE(exiftool("-s -s -s -MakerNotes:all '" + source + "'"), "") << name;
        const std::string target = (m_folder / name).string();
        writeJpeg(Bitmap(24, 32), target, 90);
        carryInto(source, target, 24, 32, PublishedMetadata::AllButPrivate);
        const std::string kept = "-s -s -s -Make -Model -ExposureTime -FNumber -ISO -FocalLength '";
        EXPECT_EQ(exiftool(kept + target + "'"), exiftool(kept + source + "'")) << name;
        EXPECT_EQ(exiftool("-s -s -s -MakerNotes:all '" + target + "'"), "") << name;
    }
}

// The GIF file `gif` with a loop count block after its colour table, as animations have.
std::string withLooping(const std::string& gif)
{
    const std::size_t table = 13 + 3 * (std::size_t{2} << (static_cast<unsigned char>(gif[10]) & 0x07));
    return gif.substr(0, table) + std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19) + gif.substr(table);
}

TEST_F(PhotoMetadataTest, PngAndGifPhotosKeepTheirPicturesAndLoseWhatTheChoiceLeavesOut)
{
    const char* const tags = "-XMP-exif:GPSLatitude=48.5 -XMP-exif:GPSLongitude=2.25 -XMP-aux:SerialNumber=Serial77 "
                             "-XMP-photoshop:City=City66 -XMP-dc:Title=Harbour -Comment=Note88";
    for (const char* name : {"alpha.png", "transparent.gif", "frame.gif"}) {
        const test::Fixture fixture = test::fixtureNamed(name);
        std::string original(fixture.bytes.begin(), fixture.bytes.end());
        const bool gif = original.starts_with("GIF");
        if (gif)
            original = withLooping(original);
        const auto source = m_folder / ("source_" + std::string(name));
        test::writeFile(source, original);
        exiftool("-q -overwrite_original " + std::string(tags) +
                 (gif ? "" : " -EXIF:SerialNumber=Serial55 -EXIF:GPSLatitude=1") + " '" + source.string() + "'");
        const std::string planted = test::readFile(source);
        ASSERT_NE(planted.find("Serial77"), std::string::npos) << name;
        int n = 0;
        for (const KeptCase& c : kKeptCases) {
            const auto path = m_folder / name;
            test::writeFile(path, planted);
            keepPublishedMetadata(path.string(), c.choice);
            const std::string kept = test::readFile(path);
            const std::string label = std::string(name) + " choice " + std::to_string(++n);
            EXPECT_EQ(loadPicture(path.string()), fixture.expected) << label;
            if (gif) {
                EXPECT_NE(kept.find("NETSCAPE2.0"), std::string::npos) << label;
            }
            EXPECT_EQ(kept.find("City66") != std::string::npos, c.location) << label;
            const std::string gps = exiftool("-a -G -s -gps:all -xmp-exif:gps* '" + path.string() + "'");
            EXPECT_EQ(gps.find("GPS") != std::string::npos, c.location) << label << gps;
            // A GIF's XMP cannot be filtered: it goes whole.
            const bool private_ = c.choice == PublishedMetadata::All || (!c.choice && !gif);
            EXPECT_EQ(kept.find("Serial77") != std::string::npos, private_) << label;
            if (!gif) {
                // What is written back of the EXIF block is compressed: exiftool reads it.
                EXPECT_EQ(exiftool("-s3 -EXIF:SerialNumber '" + path.string() + "'"), private_ ? "Serial55\n" : "")
                    << label;
            }
            const bool titled = c.choice == PublishedMetadata::All || (!gif && c.captions);
            EXPECT_EQ(exiftool("-s3 -Title '" + path.string() + "'"), titled ? "Harbour\n" : "") << label;
            if (c.choice == PublishedMetadata::None) {
                EXPECT_EQ(kept.find("Note88"), std::string::npos) << label;
            }
        }
    }
}

} // namespace
} // namespace pictaven
