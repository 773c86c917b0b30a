#include "imaging/Bitmap.h"
#include "imaging/JpegCodec.h"
#include "session/PhotoList.h"
#include "session/Workspace.h"

#include "imaging/JpegCodec.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>

namespace pictaven {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// An album photo as a catalog would load it: no recorded date.
AlbumItem loaded(const std::string& name, const std::string& sourcePath, const std::string& workingPath)
{
    AlbumItem item;
    item.displayName = name;
    item.storage.SourcePath = sourcePath;
    item.storage.WorkingPath = workingPath;
    return item;
}

class PhotoListTest : public ::testing::Test {
protected:
    PhotoListTest()
        : m_workspace(m_home.str(), "", m_dialogs)
    {
        fs::create_directories(m_photos);
        m_workspace.setStep1Folder(m_photos.string());
    }

    PhotoList& list() { return m_workspace.photoList(); }
    std::vector<AlbumItem>& photos() { return m_workspace.catalog().photos; }

    // A photo file in the step 1 folder, with a chosen size and modification time.
    void photo(const std::string& name, std::int64_t modified = 1000000, std::size_t bytes = 10)
    {
        writeFile(m_photos / name, std::string(bytes, 'p'));
        fs::last_write_time(m_photos / name, std::chrono::file_clock::from_sys(
                                                 std::chrono::sys_seconds(std::chrono::seconds(modified))));
    }

    void addPhotos(const Names& names)
    {
        for (const std::string& name : names)
            photo(name);
        list().addSelected(names);
        ASSERT_EQ(shownNames(), names);
    }

    Names shownNames()
    {
        Names names;
        for (const AlbumItem& item : photos())
            names.push_back(item.displayName);
        return names;
    }

    // Cache files whose content names the photo they show, for the positions given.
    void cacheThumbnails(const std::vector<std::size_t>& positions)
    {
        for (const std::size_t position : positions)
            writeFile(list().thumbnails().path(position), photos().at(position).displayName);
    }

    // What the cache shows for positions 0 to `count` - 1 ("" for no file).
    Names cached(std::size_t count)
    {
        Names shown;
        for (std::size_t position = 0; position < count; ++position) {
            const std::string path = list().thumbnails().path(position);
            shown.push_back(fs::exists(path) ? readFile(path) : "");
        }
        return shown;
    }

    // The cache may only hold, for each position, the picture of the photo standing there.
    void expectCacheConsistent()
    {
        const Names names = shownNames();
        const Names shown = cached(names.size() + 2);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (!shown[i].empty()) {
                ASSERT_LT(i, names.size()) << "a cache file beyond the list";
                EXPECT_EQ(shown[i], names[i]) << "position " << i;
            }
        }
    }

    TempDir m_home;
    ScriptedDialogs m_dialogs;
    Workspace m_workspace;
    fs::path m_photos = m_home / "Photos";
};

TEST_F(PhotoListTest, AddAllTakesTheFolderPaneOnceAndSetsTheFlags)
{
    photo("b.jpg", 2000);
    photo("A.jpg", 1000);
    photo("notes.txt");
    m_workspace.generationFlags().rerenderPhotos = false;
    m_workspace.generationFlags().smartRender = false;
    EXPECT_EQ(list().folderPane(), (Names{"A.jpg", "b.jpg"}));

    list().addAll();
    EXPECT_EQ(shownNames(), (Names{"A.jpg", "b.jpg"}));
    const FileStorage& first = photos()[0].storage;
    EXPECT_EQ(first.SourcePath, (m_photos / "A.jpg").string());
    EXPECT_EQ(first.WorkingPath, first.SourcePath);
    EXPECT_EQ(first.FileDate, 1000);
    EXPECT_EQ(photos()[1].storage.FileDate, 2000);
    EXPECT_TRUE(m_workspace.catalog().modified);
    EXPECT_TRUE(m_workspace.guards().photosSelected);
    EXPECT_TRUE(m_workspace.generationFlags().rerenderPhotos);
    EXPECT_TRUE(m_workspace.generationFlags().smartRender);

    m_workspace.catalog().modified = false;
    list().addAll();
    EXPECT_EQ(shownNames(), (Names{"A.jpg", "b.jpg"}));
    EXPECT_FALSE(m_workspace.catalog().modified);

    // The same name from another folder counts as already listed, whatever its case.
    fs::create_directories(m_home / "Other");
    writeFile(m_home / "Other/a.JPG", "other");
    writeFile(m_home / "Other/c.jpg", "other");
    m_workspace.setStep1Folder((m_home / "Other").string());
    list().addAll();
    EXPECT_EQ(shownNames(), (Names{"A.jpg", "b.jpg", "c.jpg"}));
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(PhotoListTest, AddedPhotosTakeTheirTurnFromTheCameraTag)
{
    struct Case {
        int orientation;
        std::int32_t rotation;
        bool mirrored;
    };
    const Case cases[] = {{1, 0, false}, {3, 3, false}, {6, 2, false}, {8, 1, false},
                          {2, 0, true},  {4, 3, true},  {5, 2, true},  {7, 1, true}};
    Names names;
    for (const Case& c : cases) {
        const std::string name = "tagged" + std::to_string(c.orientation) + ".jpg";
        writeJpeg(Bitmap(8, 4), (m_photos / name).string(), 90);
        const std::string tag = "exiftool -q -overwrite_original -n -Orientation=" + std::to_string(c.orientation) +
                                " '" + (m_photos / name).string() + "'";
        ASSERT_EQ(std::system(tag.c_str()), 0) << "exiftool is needed";
        names.push_back(name);
    }
    // A file that only looks like a JPEG by its name keeps no turn.
    photo("fake.jpg");
    names.push_back("fake.jpg");
    list().addSelected(names);
    ASSERT_EQ(photos().size(), names.size());
    const auto added = [&](const std::string& name) {
        for (const AlbumItem& item : photos())
            if (item.displayName == name)
                return item.storage;
        ADD_FAILURE() << name << " not added";
        return FileStorage{};
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(added(names[i]).Rotation, cases[i].rotation) << names[i];
        EXPECT_EQ(added(names[i]).Mirrored, cases[i].mirrored) << names[i];
    }
    EXPECT_EQ(added("fake.jpg").Rotation, 0);
}

TEST_F(PhotoListTest, OnlyAddSelectedBeepsForSizeRejections)
{
    photo("small.jpg", 1000, 100);
    photo("fine.jpg", 1000, 2048);
    m_workspace.globalSettings().skipSmallFiles = true;
    m_workspace.globalSettings().smallFileSize = 1;

    list().addAll();
    EXPECT_EQ(shownNames(), Names{"fine.jpg"});
    EXPECT_TRUE(m_dialogs.shown.empty());

    list().addSelected({"small.jpg", "missing.jpg"});
    EXPECT_EQ(shownNames(), Names{"fine.jpg"});
    ASSERT_EQ(m_dialogs.shown.size(), 1u) << "a beep for the size, silence for the missing file";
    EXPECT_EQ(m_dialogs.shown[0].kind, ScriptedDialogs::Kind::Beep);
}

// No catalog line can hold a line break, so such a photo is refused when it is added, by its
// path, instead of being saved cut or changed.
TEST_F(PhotoListTest, PathsHoldingALineBreakAreRefusedByName)
{
    photo("a.jpg");
    photo("b\nc.jpg");
    photo("d\r.jpg");
    const std::string refused
        = "These photos were not added: their paths hold a line break, which a catalog cannot keep.\r\n";
    const std::string folder = m_photos.string() + "/";

    list().addAll();
    EXPECT_EQ(shownNames(), Names{"a.jpg"});
    list().addSelected({"b\nc.jpg"});
    EXPECT_EQ(shownNames(), Names{"a.jpg"});
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Error),
              (Names{refused + folder + "b\\nc.jpg\r\n" + folder + "d\\r.jpg", refused + folder + "b\\nc.jpg"}));
}

TEST_F(PhotoListTest, RemoveAllAsksOnlyWhenThereIsSomethingToLose)
{
    list().removeAll();
    EXPECT_TRUE(m_dialogs.shown.empty());
    EXPECT_TRUE(m_workspace.catalog().modified);

    addPhotos({"a.jpg", "b.jpg"});
    cacheThumbnails({0, 1});
    m_workspace.catalog().modified = false;
    const std::string question = "If you have entered any catalog descriptions they will be lost - continue? ";
    m_dialogs.yesNoAnswers = {false, true};
    list().removeAll();
    EXPECT_EQ(shownNames(), (Names{"a.jpg", "b.jpg"}));
    EXPECT_FALSE(m_workspace.catalog().modified);
    EXPECT_EQ(cached(2), (Names{"a.jpg", "b.jpg"}));

    list().removeAll();
    EXPECT_TRUE(photos().empty());
    EXPECT_TRUE(m_workspace.catalog().modified);
    EXPECT_FALSE(m_workspace.guards().photosSelected);
    EXPECT_EQ(cached(2), (Names{"", ""}));
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Question), (Names{question, question}));
}

struct RemoveCase {
    std::vector<std::size_t> cachedPositions;
    std::vector<std::size_t> selected;
    Names remaining;
    Names cacheAfter; // positions 0 to 4
};

class PhotoListRemoval : public PhotoListTest, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(PhotoListRemoval, LaterCacheFilesMoveDownWithTheirPhotos)
{
    const RemoveCase& c = GetParam();
    addPhotos({"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"});
    cacheThumbnails(c.cachedPositions);
    m_workspace.catalog().modified = false;

    list().removeSelected(c.selected);
    EXPECT_EQ(shownNames(), c.remaining);
    EXPECT_EQ(cached(5), c.cacheAfter);
    EXPECT_EQ(m_workspace.catalog().modified, c.remaining.size() < 5);
    for (const char* name : {"p0.jpg", "p2.jpg", "p4.jpg"})
        EXPECT_TRUE(fs::exists(m_photos / name)) << "photo files stay";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhotoListRemoval,
    ::testing::Values(
        RemoveCase{{0, 1, 2, 3, 4}, {2}, {"p0.jpg", "p1.jpg", "p3.jpg", "p4.jpg"},
                   {"p0.jpg", "p1.jpg", "p3.jpg", "p4.jpg", ""}},
        RemoveCase{{0, 1, 3, 4}, {4, 0, 2}, {"p1.jpg", "p3.jpg"}, {"p1.jpg", "p3.jpg", "", "", ""}},
        RemoveCase{{0, 2, 4}, {1}, {"p0.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}, {"p0.jpg", "p2.jpg", "", "p4.jpg", ""}},
        RemoveCase{{0, 1}, {7}, {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"},
                   {"p0.jpg", "p1.jpg", "", "", ""}}));

struct DropCase {
    std::vector<std::size_t> selected;
    std::size_t dragSource;
    std::optional<std::size_t> target;
    Names order;
    std::vector<std::size_t> selectedAfter;
};

class PhotoListDrop : public PhotoListTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(PhotoListDrop, SelectedPhotosGatherAtTheDropWithTheirCacheFiles)
{
    const DropCase& c = GetParam();
    addPhotos({"0", "1", "2", "3", "4", "5", "6"});
    cacheThumbnails({0, 1, 2, 3, 5, 6}); // position 4 not cached yet
    m_workspace.catalog().modified = false;

    EXPECT_EQ(list().drop(c.dragSource, c.target, c.selected), c.selectedAfter);
    EXPECT_EQ(shownNames(), c.order);
    EXPECT_TRUE(m_workspace.catalog().modified);
    Names expectedCache = c.order;
    for (std::string& name : expectedCache) {
        if (name == "4")
            name.clear();
    }
    EXPECT_EQ(cached(7), expectedCache);
    EXPECT_FALSE(fs::exists(m_home / "temp/_temp.bmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhotoListDrop,
    ::testing::Values(
        DropCase{{3, 5}, 3, 1, {"0", "3", "5", "1", "2", "4", "6"}, {1, 2}},
        DropCase{{1, 2}, 1, 5, {"0", "3", "4", "5", "1", "2", "6"}, {4, 5}},
        DropCase{{0, 4}, 4, 2, {"0", "1", "2", "4", "3", "5", "6"}, {0, 3}},
        DropCase{{6}, 6, 0, {"6", "0", "1", "2", "3", "4", "5"}, {0}},
        DropCase{{3}, 3, 3, {"0", "1", "2", "3", "4", "5", "6"}, {3}},
        DropCase{{3}, 3, std::nullopt, {"0", "1", "2", "3", "4", "5", "6"}, {3}},
        DropCase{{3}, 3, 7, {"0", "1", "2", "3", "4", "5", "6"}, {3}},
        DropCase{{0, 1, 2, 3, 4, 5, 6}, 0, 1, {"0", "1", "2", "3", "4", "5", "6"}, {0, 1, 2, 3, 4, 5, 6}}));

TEST_F(PhotoListTest, NameOrderSortsAndPlacesLaterAdditionsWithoutMixingUpThumbnails)
{
    addPhotos({"d.jpg", "B.jpg", "c.jpg", "b.JPEG"});
    list().sortByName();
    EXPECT_EQ(shownNames(), (Names{"b.JPEG", "B.jpg", "c.jpg", "d.jpg"}));
    EXPECT_TRUE(list().inNameOrder());
    EXPECT_FALSE(list().newestFirstEnabled());

    cacheThumbnails({0, 2, 3});
    photo("a.jpg");
    photo("cc.jpg");
    photo("z.jpg");
    list().addSelected({"cc.jpg", "a.jpg", "z.jpg"});
    EXPECT_EQ(shownNames(), (Names{"a.jpg", "b.JPEG", "B.jpg", "c.jpg", "cc.jpg", "d.jpg", "z.jpg"}));
    expectCacheConsistent();
    EXPECT_EQ(cached(7), (Names{"", "b.JPEG", "", "c.jpg", "", "d.jpg", ""}));

    list().sortByDate();
    EXPECT_FALSE(list().inNameOrder());
    photo("0.jpg");
    list().addSelected({"0.jpg"});
    EXPECT_EQ(shownNames().back(), "0.jpg") << "appended once the name order is given up";
}

TEST_F(PhotoListTest, SortByDateIsStableAndAMissingFileCountsAsMinusOne)
{
    photo("late.jpg", 3000);
    photo("even1.jpg", 2000);
    photo("early.jpg", 1000);
    photo("even2.jpg", 2000);
    list().addSelected({"late.jpg", "even1.jpg", "early.jpg", "even2.jpg"});
    // Loaded from a catalog: the file's own time counts, or -1 when it is gone.
    photo("loaded.jpg", 2500);
    for (const char* name : {"loaded.jpg", "gone.jpg"})
        photos().push_back(loaded(name, (m_photos / name).string(), (m_photos / name).string()));
    cacheThumbnails({0, 1});

    list().sortByDate();
    EXPECT_EQ(shownNames(), (Names{"gone.jpg", "early.jpg", "even1.jpg", "even2.jpg", "loaded.jpg", "late.jpg"}));
    EXPECT_TRUE(list().newestFirstEnabled());
    EXPECT_EQ(cached(2), (Names{"", ""})) << "every sort empties the cache";

    list().setNewestFirst(true);
    EXPECT_EQ(shownNames(), (Names{"late.jpg", "loaded.jpg", "even1.jpg", "even2.jpg", "early.jpg", "gone.jpg"}));
    // The date is learned once, as an added photo's is when it is added.
    fs::last_write_time(m_photos / "loaded.jpg", std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(100))));
    list().setNewestFirst(false);
    list().setNewestFirst(true);
    EXPECT_EQ(shownNames(), (Names{"late.jpg", "loaded.jpg", "even1.jpg", "even2.jpg", "early.jpg", "gone.jpg"}));

    // The check box alone does not sort while the list is sorted by name.
    list().sortByName();
    list().setNewestFirst(false);
    EXPECT_EQ(shownNames(), (Names{"early.jpg", "even1.jpg", "even2.jpg", "gone.jpg", "late.jpg", "loaded.jpg"}));
}

TEST_F(PhotoListTest, PhotosBringTheirCaptionsAndTheDateTheyWereTaken)
{
    // Real JPEGs whose metadata exiftool, as a photo manager would, wrote; their files are older
    // than the plain photo, the dates they were taken later.
    for (const char* name : {"titled.jpg", "loaded.jpg"}) {
        const fs::path path = m_photos / name;
        writeJpeg(Bitmap(16, 16), path.string(), 90);
        const std::string command = "/usr/bin/exiftool -q -overwrite_original -E "
                                    "-XMP-dc:Title='Harbour' -XMP-dc:Description='Boats&#xa;at dawn' "
                                    "'-DateTimeOriginal=2001:02:03 04:05:06' '" + path.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        fs::last_write_time(path, std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(500))));
    }
    photo("plain.jpg", 900000000);
    list().addSelected({"titled.jpg", "plain.jpg"});
    ASSERT_EQ(shownNames(), (Names{"titled.jpg", "plain.jpg"}));
    const FileStorage& titled = photos()[0].storage;
    EXPECT_EQ(titled.WebTitle, "Harbour");
    EXPECT_EQ(titled.Description, (std::vector<std::string>{"Boats", "at dawn"}));
    EXPECT_EQ(titled.Caption, "");
    EXPECT_TRUE(photos()[1].storage.WebTitle.empty() && photos()[1].storage.Description.empty());

    photos().push_back(loaded("loaded.jpg", (m_photos / "loaded.jpg").string(), (m_photos / "loaded.jpg").string()));
    list().sortByDate();
    EXPECT_EQ(shownNames(), (Names{"plain.jpg", "titled.jpg", "loaded.jpg"}));
    // A photo read from a catalog keeps the captions the catalog gave it.
    EXPECT_TRUE(photos()[2].storage.WebTitle.empty());
}

TEST_F(PhotoListTest, SortMarksTheCatalogChangedOnlyWhenTheOrderChanges)
{
    addPhotos({"a.jpg", "b.jpg"});
    m_workspace.catalog().modified = false;
    list().sortByName();
    EXPECT_FALSE(m_workspace.catalog().modified);
    photos()[1].storage.FileDate = 5;
    list().sortByDate();
    EXPECT_TRUE(m_workspace.catalog().modified);
}

struct RenameCase {
    std::string newName;
    std::deque<bool> answers; // to the space question
    bool renamed;
};

class PhotoListRename : public PhotoListTest, public ::testing::WithParamInterface<RenameCase> {};

TEST_P(PhotoListRename, TheAlbumPhotoOfTheRenamedFileFollows)
{
    const RenameCase& c = GetParam();
    addPhotos({"a.jpg"});
    photo("taken.jpg");
    m_workspace.catalog().modified = false;
    m_dialogs.yesNoAnswers = c.answers;

    EXPECT_EQ(list().renameFile("a.jpg", c.newName), c.renamed);
    EXPECT_TRUE(m_dialogs.yesNoAnswers.empty());
    const std::string shownName = c.renamed ? c.newName : "a.jpg";
    EXPECT_EQ(shownNames(), Names{shownName});
    EXPECT_EQ(photos()[0].storage.SourcePath, (m_photos / shownName).string());
    EXPECT_EQ(photos()[0].storage.WorkingPath, (m_photos / shownName).string());
    EXPECT_TRUE(fs::exists(m_photos / shownName));
    EXPECT_EQ(fs::exists(m_photos / "a.jpg"), !c.renamed);
    EXPECT_TRUE(fs::exists(m_photos / "taken.jpg"));
    EXPECT_EQ(m_workspace.catalog().modified, c.renamed);
}

INSTANTIATE_TEST_SUITE_P(Cases, PhotoListRename,
                         ::testing::Values(RenameCase{"b c.jpg", {false}, true},
                                           RenameCase{"b c.jpg", {true}, false},
                                           RenameCase{"b.jpg", {}, true},
                                           RenameCase{"taken.jpg", {}, false},
                                           RenameCase{"../b.jpg", {}, false},
                                           RenameCase{"b\nc.jpg", {}, false},
                                           RenameCase{"", {}, false}));

TEST_F(PhotoListTest, RenameAsksTheSpaceQuestionInItsOwnWords)
{
    addPhotos({"a.jpg"});
    m_dialogs.yesNoAnswers = {false};
    ASSERT_TRUE(list().renameFile("a.jpg", "b c.jpg"));
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Question),
              Names{"Spaces in the filename can make browsers behave erratically.\r\nAbort Rename?"});
}

TEST_F(PhotoListTest, RenameLeavesAPhotoOfTheSameNameFromAnotherFolderAlone)
{
    fs::create_directories(m_home / "Other");
    writeFile(m_home / "Other/a.jpg", "other");
    m_workspace.setStep1Folder((m_home / "Other").string());
    list().addAll();
    m_workspace.setStep1Folder(m_photos.string());
    photo("a.jpg");

    ASSERT_TRUE(list().renameFile("a.jpg", "b.jpg"));
    EXPECT_EQ(shownNames(), Names{"a.jpg"});
    EXPECT_EQ(photos()[0].storage.SourcePath, (m_home / "Other/a.jpg").string());
}

TEST_F(PhotoListTest, DeleteAsksThenDeletesOrLogsTheFailure)
{
    addPhotos({"a.jpg", "b.jpg"});
    m_dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(list().deleteFile("a.jpg"));
    EXPECT_TRUE(fs::exists(m_photos / "a.jpg"));
    EXPECT_TRUE(list().deleteFile("a.jpg"));
    EXPECT_FALSE(fs::exists(m_photos / "a.jpg"));
    EXPECT_EQ(shownNames(), (Names{"a.jpg", "b.jpg"})) << "the album keeps its photo";
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Question),
              (Names{"Permanently delete file from disk?", "Permanently delete file from disk?"}));

    // Something that cannot be deleted as a file.
    fs::create_directories(m_photos / "sub.jpg/inner");
    m_dialogs.yesNoAnswers = {true};
    EXPECT_FALSE(list().deleteFile("sub.jpg"));
    EXPECT_TRUE(fs::is_directory(m_photos / "sub.jpg/inner"));
    const std::string text = "File " + (m_photos / "sub.jpg").string() + " could not be deleted - Read-only?";
    EXPECT_EQ(m_dialogs.texts(ScriptedDialogs::Kind::Error), Names{text});
    EXPECT_NE(readFile(m_home / "error.log").find(">   " + text + "\r\n"), std::string::npos);
}

struct FolderCase {
    std::string folder;
    PhotoList::PathKind kind;
    bool isPhotoFolder;
};

class PhotoListFolderCheck : public PhotoListTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(PhotoListFolderCheck, ComparesTheFolderOfEachPhotoIgnoringCase)
{
    const FolderCase& c = GetParam();
    photos().push_back(loaded("a.jpg", "/data/Photos/a.jpg", "/out/Album/a.jpg"));
    photos().push_back(loaded("b.jpg", "/data/More/b.jpg", "/data/More/b.jpg"));
    EXPECT_EQ(list().isPhotoFolder(c.folder, c.kind), c.isPhotoFolder) << c.folder;
}

using Kind = PhotoList::PathKind;
INSTANTIATE_TEST_SUITE_P(Cases, PhotoListFolderCheck,
                         ::testing::Values(FolderCase{"/data/Photos/", Kind::Source, true},
                                           FolderCase{"/DATA/photos/", Kind::Source, true},
                                           FolderCase{"/data/more/", Kind::Source, true},
                                           FolderCase{"/data/", Kind::Source, false},
                                           FolderCase{"/data/Photos/sub/", Kind::Source, false},
                                           FolderCase{"/out/Album/", Kind::Source, false},
                                           FolderCase{"/out/album/", Kind::Working, true},
                                           FolderCase{"/data/Photos/", Kind::Working, false}));

} // namespace
} // namespace pictaven
