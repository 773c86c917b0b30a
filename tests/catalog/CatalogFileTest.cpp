#include "catalog/CatalogFile.h"
#include "session/CatalogCommands.h"
#include "settings/AlbumSettingsField.h"

#include "session/PhotoList.h"
#include "session/WorkspaceFixture.h"
#include "support/VideoClips.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <type_traits>
#include <variant>

namespace pictaven {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::writeFile;
namespace fs = std::filesystem;

class CatalogFileTest : public test::WorkspaceFixture { };

// Every setting moved away from its value, so that a key the writer or reader forgot shows.
void changeEverySetting(AlbumSettings& settings)
{
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        std::visit(
            [&](auto member) {
                auto& value = settings.*member;
                using Value = std::remove_reference_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, bool>)
                    value = !value;
                else if constexpr (std::is_same_v<Value, std::int32_t>)
                    value = field.choices > 0 ? (value == field.choices - 1 ? 0 : field.choices - 1) : value + 7;
                else
                    value = "changed " + std::string(field.name);
            },
            field.member);
    }
    settings.Left = "11";
    settings.Right = "12";
    settings.Top = "13";
    settings.Bottom = "14";
    // Paths come back as they were only when full: a relative one is made whole on reading.
    settings.StyleSheet = "/changed/StyleSheet.css";
    settings.WatermarkImage = "/changed/WatermarkImage.png";
}

TEST_F(CatalogFileTest, CatalogPartIsWrittenInTheTableOrder)
{
    Catalog& catalog = workspace().catalog();
    catalog.sourceFolder = "/photos";
    catalog.albumTitle = "Summer";
    catalog.photoPageTexture = "/tex/paper.jpg";
    FileStorage first;
    first.SourcePath = "/photos/a.jpg";
    first.Caption = "Beach";
    first.Rotation = 1;
    first.Description = {"a", "", "b"};
    FileStorage second;
    second.SourcePath = "/photos/b.jpg";
    second.Caption = "Dunes";
    second.WebTitle = "The dunes";
    second.AudioFile = "/audio/wind.wav";
    catalog.photos = {{"a.jpg", first}, {"b.jpg", second}};

    const std::string file = path("Trip.CAT");
    CatalogFile::save(file, catalog, workspace().albumSettings(), "/out");
    const std::string text = readFile(file);
    const std::string catalogPart =
        "[Directories]\r\nSource Directory=/photos\r\n\r\n"
        "[Files]\r\nSource_File_1=/photos/a.jpg\r\nCaption_1=Beach\r\nRotation_1=1\r\n"
        "Descr_1_Line_1=a\r\nDescr_1_Line_2=<!>\r\nDescr_1_Line_3=b\r\n"
        "Source_File_2=/photos/b.jpg\r\nCaption_2=Dunes\r\nWebTitle_2=The dunes\r\n"
        "AudioFile_2=/audio/wind.wav\r\nRotation_2=0\r\nSource_File_3=\r\n\r\n"
        "[Preferences]\r\nAlbum Title=Summer\r\nAlbum Index=0\r\n"
        "Album Filename=<Basic Photo Album>\r\nBackground Image=/tex/paper.jpg\r\n"
        "Thumbnail Background Image=\r\n\r\n"
        "[FTP]\r\nPassiveMode=1\r\nUploadDirectory=MyAlbum\r\n\r\n"
        "[Generate Options]\r\nResample=0\r\nOutputFolder=/out/\r\nAlbumShortName=myalbum\r\n"
        "SneakPeek=0\r\nCDROM=0\r\nDeleteFolder=1\r\nSubstitutions=1\r\nLowercaseFiles=0\r\n"
        "PublishedMetadata=1\r\n"
        "StyleTheme=-1\r\n\r\n"
        "[Appearance]\r\nHomeButtonEnable=0\r\nHomeButtonFrame=_self\r\nDisplaySlideShow=0\r\n"
        "FadeIn=0\r\nHTMLLink=\r\nHTMLLinkDesc=\r\nHTMLLink2=\r\nHTMLLinkDesc2=\r\n"
        "NewWindow1=1\r\nNewWindow2=1\r\nProtectImages=0\r\n";
    EXPECT_EQ(text.substr(0, catalogPart.size()), catalogPart);
    std::vector<std::size_t> sections;
    for (const char* name : {"[FTP Appearance]\r\nWatermark Type=0\r\nWatermark Orientation=3\r\n",
                             "[Size]\r\nLeft=", "[Program]\r\nVersion=3.03\r\n"})
        sections.push_back(text.find(name));
    EXPECT_TRUE(std::is_sorted(sections.begin(), sections.end()) && sections.back() != std::string::npos) << text;
}

// A photo below the program folder in folders deep enough that its path passes `bytes`; each
// folder name stays within the 255-byte limit of one name.
std::string deepName(std::size_t bytes)
{
    std::string name = "Photos";
    for (char letter = 'a'; name.size() < bytes; ++letter)
        name += "/" + std::string(200, letter);
    return name + "/deep.jpg";
}

TEST_F(CatalogFileTest, SavedCatalogReopensWithEveryPhotoFieldAndSetting)
{
    Workspace& first = workspace();
    Catalog& catalog = first.catalog();
    catalog.sourceFolder = path("Photos");
    catalog.albumTitle = "Trip \xC3\xA0 Nice = fun";
    catalog.photoPageTexture = path("backgrnd/paper.jpg");
    catalog.indexPageTexture = path(deepName(700));
    const struct {
        std::string name, caption, webTitle, audio;
        std::vector<std::string> description;
        std::int32_t rotation;
    } photos[] = {
        {"Photos/a b.jpg", "Caption = with equals", "Web <b>title</b>", path("a.wav"), {"line 1", " ", "<i>3</i>"}, 3},
        {"Photos/\xE9t\xE9.jpg", "bytes \xFF\xFE not UTF-8", "", "", {}, 0},
        {"Photos/a b.jpg", "", "listed twice", "", {"only"}, 2},
        // Values far beyond the 255 bytes that a line once held.
        {deepName(400),
         std::string(1000, 'c'),
         std::string(600, 'w'),
         path(deepName(500)) + ".wav",
         {std::string(3000, 'd'), "x"},
         1},
        {deepName(3500), "", "", "", {}, 0},
    };
    for (const auto& p : photos) {
        FileStorage storage;
        storage.SourcePath = storage.WorkingPath = photo(p.name);
        storage.Caption = p.caption;
        storage.WebTitle = p.webTitle;
        storage.AudioFile = p.audio;
        storage.Description = p.description;
        storage.Rotation = p.rotation;
        storage.Mirrored = p.rotation == 2;
        catalog.photos.push_back({fs::path(p.name).filename().string(), storage});
    }
    changeEverySetting(first.albumSettings());
    const AlbumSettings saved = first.albumSettings();
    CatalogFile::save(path("Trip.CAT"), catalog, saved, first.outputFolder());
    // The first workspace goes away with the restart.
    const Catalog savedCatalog = catalog;
    const std::vector<AlbumItem>& savedPhotos = savedCatalog.photos;

    Workspace& second = restart();
    openCatalogFile(second, path("Trip.CAT"));
    EXPECT_TRUE(m_dialogs.shown.empty());
    const Catalog& opened = second.catalog();
    ASSERT_EQ(opened.photos.size(), savedPhotos.size());
    for (std::size_t i = 0; i < savedPhotos.size(); ++i) {
        const FileStorage& want = savedPhotos[i].storage;
        const FileStorage& got = opened.photos[i].storage;
        EXPECT_EQ(opened.photos[i].displayName, savedPhotos[i].displayName);
        EXPECT_EQ(got.SourcePath, want.SourcePath);
        EXPECT_EQ(got.WorkingPath, want.SourcePath);
        EXPECT_EQ(got.Caption, want.Caption);
        EXPECT_EQ(got.WebTitle, want.WebTitle);
        EXPECT_EQ(got.AudioFile, want.AudioFile);
        EXPECT_EQ(got.Description, want.Description);
        EXPECT_EQ(got.Rotation, want.Rotation);
        EXPECT_EQ(got.Mirrored, want.Mirrored);
        EXPECT_EQ(got.FileDate, 0);
    }
    EXPECT_EQ(opened.sourceFolder, savedCatalog.sourceFolder);
    EXPECT_EQ(opened.albumTitle, savedCatalog.albumTitle);
    EXPECT_EQ(opened.photoPageTexture, savedCatalog.photoPageTexture);
    EXPECT_EQ(opened.indexPageTexture, savedCatalog.indexPageTexture);
    EXPECT_EQ(opened.name, "Trip.CAT");
    EXPECT_EQ(opened.folder, m_home.path().string());
    EXPECT_FALSE(opened.modified);

    const AlbumSettings& settings = second.albumSettings();
    for (const AlbumSettingsField& field : AlbumSettingsField::all()) {
        const std::string name = field.name;
        if (field.writtenBy == WrittenBy::Nobody || name == "Left" || name == "Right" || name == "Top" ||
            name == "Bottom" || name == "OutputFolder")
            continue;
        EXPECT_EQ(field.valueText(settings), field.valueText(saved)) << name;
    }
    EXPECT_EQ(settings.CatalogOffsets.Left, 11);
    EXPECT_EQ(settings.CatalogOffsets.Bottom, 14);
    EXPECT_EQ(second.outputFolder(), m_home.str() + "Projects/");
}

// Written by the version before videos, with captions, a description, a turned and mirrored
// photo: opening and saving it again changes no byte.
TEST_F(CatalogFileTest, CatalogWithoutVideosIsSavedAgainByteForByte)
{
    // Its output folder is put in this test's home, where it exists: a missing one would be
    // replaced on opening.
    std::string written = readFile(fs::path(TEST_DATA_DIR) / "catalog/Holiday.CAT");
    const std::string writtenHome = "/tmp/pictaven-fixture/home/";
    const std::size_t home = written.find(writtenHome);
    ASSERT_NE(home, std::string::npos);
    written.replace(home, writtenHome.size(), m_home.str());
    writeFile(path("Holiday.CAT"), written);
    openCatalogFile(workspace(), path("Holiday.CAT"));
    ASSERT_EQ(workspace().catalog().photos.size(), 2u);
    workspace().catalog().modified = true;
    ASSERT_TRUE(saveCatalog(workspace()));
    EXPECT_EQ(readFile(path("Holiday.CAT")), written);
}

// A video is an album item like a photo: kept in its place with its caption and description.
TEST_F(CatalogFileTest, VideosAreKeptInTheirPlaceLikePhotos)
{
    fs::create_directories(m_home / "Phone");
    writeFile(m_home / "Phone/a.jpg", "photo a");
    test::makeVideoClip(m_home / "Phone", "b.mp4", test::VideoClip::LandscapeH264);
    writeFile(m_home / "Phone/c.jpg", "photo c");
    Workspace& first = workspace();
    first.setStep1Folder(path("Phone"));
    first.photoList().addAll();
    Catalog& catalog = first.catalog();
    ASSERT_EQ(catalog.photos.size(), 3u);
    catalog.photos[1].storage.Caption = "At the harbour";
    catalog.photos[1].storage.Description = {"Boats", "<i>leaving</i>"};
    first.photoList().drop(1, 0, {1});
    catalog.folder = m_home.path().string();
    catalog.name = "Phone.CAT";
    ASSERT_TRUE(saveCatalog(first));

    Workspace& second = restart();
    openCatalogFile(second, path("Phone.CAT"));
    const std::vector<AlbumItem>& opened = second.catalog().photos;
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].displayName, "b.mp4");
    EXPECT_EQ(opened[0].storage.SourcePath, path("Phone/b.mp4"));
    EXPECT_EQ(opened[0].storage.Caption, "At the harbour");
    EXPECT_EQ(opened[0].storage.Description, (std::vector<std::string>{"Boats", "<i>leaving</i>"}));
    EXPECT_EQ(opened[1].displayName, "a.jpg");
    EXPECT_EQ(opened[2].displayName, "c.jpg");
}

TEST_F(CatalogFileTest, PublishedMetadataChoiceIsKeptAndOlderCatalogsHaveNone)
{
    const MetadataChoice choices[] = {std::nullopt, PublishedMetadata::None, PublishedMetadata::AllButPrivate,
                                      PublishedMetadata::All};
    for (const MetadataChoice& choice : choices) {
        Workspace& first = restart();
        first.catalog().publishedMetadata = choice;
        CatalogFile::save(path("Choice.CAT"), first.catalog(), first.albumSettings(), first.outputFolder());
        EXPECT_EQ(test::readFile(path("Choice.CAT")).find("PublishedMetadata=") != std::string::npos,
                  choice.has_value());
        Workspace& second = restart();
        second.catalog().publishedMetadata = PublishedMetadata::All;
        openCatalogFile(second, path("Choice.CAT"));
        EXPECT_EQ(second.catalog().publishedMetadata, choice);
        // Closing leaves a new catalog's choice.
        closeCatalog(second);
        EXPECT_EQ(second.catalog().publishedMetadata, PublishedMetadata::AllButPrivate);
    }
    // A value no version writes keeps the private parts private.
    test::writeFile(path("Odd.CAT"), "[Generate Options]\r\nPublishedMetadata=7\r\n");
    openCatalogFile(restart(), path("Odd.CAT"));
    EXPECT_EQ(workspace().catalog().publishedMetadata, PublishedMetadata::AllButPrivate);
}

TEST_F(CatalogFileTest, VideoLongSideIsWrittenOnlyOnceItLeftTheDefault)
{
    Workspace& first = restart();
    const std::string file = path("Videos.CAT");
    CatalogFile::save(file, first.catalog(), first.albumSettings(), first.outputFolder());
    const std::string withDefault = test::readFile(file);
    EXPECT_EQ(withDefault.find("VideoLongSide"), std::string::npos);

    first.albumSettings().VideoLongSide = 1280;
    CatalogFile::save(file, first.catalog(), first.albumSettings(), first.outputFolder());
    EXPECT_NE(test::readFile(file).find("VideoLongSide=1280\r\n"), std::string::npos);
    Workspace& second = restart();
    openCatalogFile(second, file);
    EXPECT_EQ(second.albumSettings().VideoLongSide, 1280);

    // Back to the default: the key the file holds must not bring back the old size.
    second.albumSettings().VideoLongSide = 1920;
    CatalogFile::save(file, second.catalog(), second.albumSettings(), second.outputFolder());
    Workspace& third = restart();
    openCatalogFile(third, file);
    EXPECT_EQ(third.albumSettings().VideoLongSide, 1920);
}

struct ReadingCase {
    const char* name;
    std::string files;
    std::vector<std::string> sources;
    std::vector<std::string> firstDescription;
};

class CatalogReading : public test::WorkspaceFixture, public ::testing::WithParamInterface<ReadingCase> { };

TEST_P(CatalogReading, PhotoListFollowsTheReadingRules)
{
    const ReadingCase& c = GetParam();
    writeFile(m_home / "Hand.CAT", "[Program]\r\nVersion=3.03\r\n[Files]\r\n" + c.files);
    openCatalogFile(workspace(), path("Hand.CAT"));
    std::vector<std::string> sources;
    for (const AlbumItem& item : workspace().catalog().photos)
        sources.push_back(item.storage.SourcePath);
    EXPECT_EQ(sources, c.sources);
    if (!sources.empty()) {
        EXPECT_EQ(workspace().catalog().photos[0].storage.Description, c.firstDescription);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HandWritten, CatalogReading,
    ::testing::Values(
        ReadingCase{"gap",
                    "Source_File_1=/p/1.jpg\r\nSource_File_2=/p/2.jpg\r\nSource_File_4=/p/4.jpg\r\n",
                    {"/p/1.jpg", "/p/2.jpg"},
                    {}},
        ReadingCase{"far number", "Source_File_1=/p/1.jpg\r\nSource_File_99999=/p/x.jpg\r\n", {"/p/1.jpg"}, {}},
        ReadingCase{"only a far number", "Source_File_99999=/p/x.jpg\r\n", {}, {}},
        ReadingCase{"empty end marker",
                    "Source_File_1=/p/1.jpg\r\nSource_File_2=\r\nSource_File_3=/p/3.jpg\r\n",
                    {"/p/1.jpg"},
                    {}},
        ReadingCase{
            "listed twice", "Source_File_1=/p/1.jpg\r\nSource_File_2=/p/1.jpg\r\n", {"/p/1.jpg", "/p/1.jpg"}, {}},
        ReadingCase{"description stops at the first empty line",
                    "Source_File_1=/p/1.jpg\r\nDescr_1_Line_1=a\r\nDescr_1_Line_2=<!>\r\nDescr_1_Line_3=b\r\n"
                    "Descr_1_Line_4=\r\nDescr_1_Line_5=c\r\n",
                    {"/p/1.jpg"},
                    {"a", " ", "b"}},
        ReadingCase{"description stops at a missing line",
                    "Source_File_1=/p/1.jpg\r\nDescr_1_Line_1=a\r\nDescr_1_Line_3=c\r\n",
                    {"/p/1.jpg"},
                    {"a"}},
        ReadingCase{"keys in any case", "source_file_1=/p/1.jpg\r\nDESCR_1_LINE_1=x\r\n", {"/p/1.jpg"}, {"x"}},
        ReadingCase{"line of 300 bytes",
                    "Source_File_1=/p/" + std::string(300, 'x') + "\r\n",
                    {"/p/" + std::string(300, 'x')},
                    {}}),
    [](const ::testing::TestParamInfo<ReadingCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace
} // namespace pictaven
