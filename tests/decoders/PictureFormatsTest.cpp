#include "decoders/PictureFormats.h"

#include "app/SettingsStore.h"
#include "decoders/FormatFlags.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pictaven {
namespace {

FormatFlags only(const std::vector<const char*>& flagNames)
{
    FormatFlags flags;
    for (std::size_t i = 0; i < PictureFormatCount; ++i)
        flags.set(i, false);
    for (const char* name : flagNames)
        flags.set(pictureFormatPosition(name), true);
    return flags;
}

TEST(PictureFormats, FileMaskJoinsTheFragmentsOfTheFormatsSwitchedOnInTableOrder)
{
    struct Case {
        std::vector<const char*> formats;
        std::string mask;
    };
    const std::vector<Case> cases = {
        {{}, ""},
        {{"JPG", "GIF", "PNG"}, "*.jpg;*.jpeg;*.gif;*.png;"},
        {{"PSD", "BMP", "JPG"}, "*.jpg;*.jpeg;*.bmp;*.dib;*.rle;*.psd;*.pdd;"},
        {{"EMF"}, "*.emf;"},
        {{"HEIC", "AVIF"}, "*.heic;*.heif;*.avif;"},
        {{"CUT", "PIC", "PBM", "TGA", "PSP", "TIF", "PCX"},
         "*.pcx;*.tif;*.psp;*.tga;*.pbm;*.pgm;*.ppm;*.pic;*.cel;*.cut;"},
        {{"JPG", "GIF", "PNG", "BMP", "PCX", "TIF", "PSP", "TGA", "EMF", "PSD", "PBM", "PIC", "CUT"},
         "*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.dib;*.rle;*.pcx;*.tif;*.psp;*.tga;*.emf;*.psd;*.pdd;"
         "*.pbm;*.pgm;*.ppm;*.pic;*.cel;*.cut;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(only(c.formats).fileMask(), c.mask);
}

TEST(PictureFormats, ExtensionsMatchWholeInAnyCaseNeverInPart)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a.JPG", "JPEG"},  {"a.Jpeg", "JPEG"}, {"a.pgm", "PGM"}, {"a.PNM", "PNM"}, {"a.tiff", "TIFF"},
        {"a.heif", "HEIF"}, {"a.HEIF", "HEIF"}, {"a.jp", ""},     {"a.jpgx", ""},   {"a.xjpg", ""},
        {"a.tif.txt", ""},  {"my.png/a", ""},   {"png", ""},      {"a.", ""},
    };
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(pictureFormatName(path), name) << path;
        EXPECT_EQ(pictureFormatFor(path) != nullptr, !name.empty()) << path;
    }
    EXPECT_THROW(pictureFormatPosition("JPEG"), std::out_of_range);
}

TEST(PictureFormats, FlagsLoadOnlyWhatIsStoredAndSaveAll)
{
    test::TempDir home;
    test::writeFile(home / "settings.ini", "[Vardle]\r\nGIF=0\r\nBMP=1\r\nTIF=yes\r\nPCX=01\r\n");
    const auto at = [](const char* name) { return pictureFormatPosition(name); };
    FormatFlags flags;
    EXPECT_TRUE(flags.isSet(at("JPG")));
    EXPECT_TRUE(flags.isSet(at("GIF")));
    EXPECT_TRUE(flags.isSet(at("PNG")));
    EXPECT_FALSE(flags.isSet(at("BMP")));
    EXPECT_FALSE(flags.isSet(at("CUT")));

    SettingsStore store(home.str());
    flags.set(at("PSD"), true);
    flags.load(store);
    EXPECT_TRUE(flags.isSet(at("JPG"))) << "not stored: unchanged";
    EXPECT_FALSE(flags.isSet(at("GIF")));
    EXPECT_TRUE(flags.isSet(at("BMP")));
    EXPECT_FALSE(flags.isSet(at("TIF"))) << "only the exact text 1 counts";
    EXPECT_FALSE(flags.isSet(at("PCX"))) << "only the exact text 1 counts";
    EXPECT_TRUE(flags.isSet(at("PSD"))) << "not stored: unchanged";

    flags.save(store);
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"JPG", "1"}, {"GIF", "0"}, {"PNG", "1"}, {"BMP", "1"}, {"PCX", "0"}, {"TIF", "0"}, {"PSP", "0"},
        {"TGA", "0"}, {"EMF", "0"}, {"PSD", "1"}, {"PBM", "0"}, {"PIC", "0"}, {"CUT", "0"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(store.read(name), std::optional<std::string>(value)) << name;
}

// The other formats never stored keep their state, whatever the mask says.
TEST(PictureFormats, PhoneFormatsAreOnForNewFoldersAndFollowAnOlderMaskNeverStoredAsFlags)
{
    const auto at = [](const char* name) { return pictureFormatPosition(name); };
    struct Case {
        const char* settings; // settings.ini's [Vardle] lines
        bool heic, avif, webp, jpg, bmp;
    };
    const std::vector<Case> cases = {
        {"", true, true, true, true, false},
        {"FileMask=*.jpg;*.gif;*.png\r\n", false, false, false, true, false},
        {"FileMask=*.JPG;*.HEIC;*.bmp\r\n", true, false, false, true, false},
        {"FileMask=*.jpg;*.gif;*.png;*.heic;*.heif;*.avif;*.webp\r\n", true, true, true, true, false},
        {"FileMask=*.jpg;*.gif;*.png\r\nWEBP=1\r\n", false, false, true, true, false},
    };
    for (const Case& c : cases) {
        test::TempDir home;
        test::writeFile(home / "settings.ini", std::string("[Vardle]\r\n") + c.settings);
        FormatFlags flags;
        flags.load(SettingsStore(home.str()));
        EXPECT_EQ(flags.isSet(at("HEIC")), c.heic) << c.settings;
        EXPECT_EQ(flags.isSet(at("AVIF")), c.avif) << c.settings;
        EXPECT_EQ(flags.isSet(at("WEBP")), c.webp) << c.settings;
        EXPECT_EQ(flags.isSet(at("JPG")), c.jpg) << c.settings;
        EXPECT_EQ(flags.isSet(at("BMP")), c.bmp) << c.settings;
    }
}

TEST(PictureFormats, VideosAreOnUntilStoredAndJoinAMaskWhileTheirBoxIsNeverStored)
{
    EXPECT_TRUE(FormatFlags().isSet(pictureFormatPosition("VIDEO")));
    EXPECT_EQ(pictureFormatName("clip.MOV"), "Video");
    const std::string videos = "*.mp4;*.m4v;*.mov;*.webm;*.mkv;";
    struct Case {
        const char* settings; // settings.ini's [Vardle] lines
        std::string mask;     // the stored mask given
        std::string listed;   // the folder pane's mask
        bool videoBox;
    };
    const std::vector<Case> cases = {
        {"", "*.jpg;*.gif", "*.jpg;*.gif;" + videos, true},
        {"", "*.jpg;", "*.jpg;" + videos, true},
        {"", "", videos, true},
        {"", "*.jpg;*.MP4;", "*.jpg;*.MP4;", true},
        {"VIDEO=0\r\n", "*.jpg", "*.jpg", false},
        {"VIDEO=1\r\n", "*.jpg", "*.jpg", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.settings) + c.mask);
        test::TempDir home;
        test::writeFile(home / "settings.ini", std::string("[Vardle]\r\n") + c.settings);
        const SettingsStore store(home.str());
        EXPECT_EQ(maskWithVideosNeverChosen(c.mask, store), c.listed);
        FormatFlags flags;
        flags.load(store);
        EXPECT_EQ(flags.isSet(pictureFormatPosition("VIDEO")), c.videoBox);
    }
}

} // namespace
} // namespace pictaven
