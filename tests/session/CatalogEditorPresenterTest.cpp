#include "session/CatalogEditorPresenter.h"

#include "WorkspaceFixture.h"

#include <filesystem>

namespace pictaven {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::writeFile;
namespace fs = std::filesystem;
using Kind = ScriptedDialogs::Kind;

class CatalogEditorPresenterTest : public test::WorkspaceFixture {
protected:
    // `count` photos named p0.jpg, p1.jpg, ... with each position's cache file naming its photo.
    void addPhotos(std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) {
            const std::string name = "p" + std::to_string(i) + ".jpg";
            AlbumItem item;
            item.displayName = name;
            item.storage.SourcePath = item.storage.WorkingPath = photo("photos/" + name);
            workspace().catalog().photos.push_back(item);
            writeFile(cacheFile(i), "thumb of " + name);
        }
        workspace().catalog().modified = false;
    }

    std::string cacheFile(std::size_t position) { return workspace().photoList().thumbnails().path(position); }

    std::vector<std::string> order()
    {
        std::vector<std::string> names;
        for (const AlbumItem& item : workspace().catalog().photos)
            names.push_back(item.displayName);
        return names;
    }

    FileStorage& storage(std::size_t position) { return workspace().catalog().photos.at(position).storage; }
};

TEST_F(CatalogEditorPresenterTest, AnEditGoesIntoThePhotoItWasTypedFor)
{
    addPhotos(3);
    CatalogEditorPresenter presenter(workspace());
    EXPECT_EQ(presenter.view().caption, "Photo Album Editor");
    EXPECT_EQ(presenter.view().fileName, storage(0).WorkingPath);

    presenter.fieldTouched();
    presenter.storeLabel("Beach");
    presenter.storeWebTitle("At the beach");
    presenter.storeAudioFile("/music/sea.mp3");
    presenter.storeDescription("Sun\n\n<B>sand</B>\n");
    presenter.selectPhoto(2);

    EXPECT_EQ(storage(0).Caption, "Beach");
    EXPECT_EQ(storage(0).WebTitle, "At the beach");
    EXPECT_EQ(storage(0).AudioFile, "/music/sea.mp3");
    EXPECT_EQ(storage(0).Description, (std::vector<std::string>{"Sun", "", "<B>sand</B>"}));
    EXPECT_EQ(storage(2).Caption, "");
    EXPECT_EQ(presenter.view().current, 2u);
    EXPECT_EQ(presenter.view().label, "");
    EXPECT_EQ(presenter.view().fileName, storage(2).WorkingPath);

    presenter.selectPhoto(0);
    EXPECT_EQ(presenter.view().description, "Sun\n\n<B>sand</B>");
    presenter.selectPhoto(3); // beyond the photos
    EXPECT_EQ(presenter.view().current, 0u);
}

TEST_F(CatalogEditorPresenterTest, DescriptionTextAndLines)
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},           {"a", {"a"}},           {"a\n", {"a"}},
        {"\n", {""}},       {"a\n\nb", {"a", "", "b"}}, {"a\n\n", {"a", ""}},
    };
    addPhotos(1);
    CatalogEditorPresenter presenter(workspace());
    for (const Case& c : cases) {
        presenter.storeDescription(c.text);
        EXPECT_EQ(storage(0).Description, c.lines) << c.text;
    }
}

TEST_F(CatalogEditorPresenterTest, ShowingOrSelectingAPhotoWithOtherValuesMarksTheCatalogChanged)
{
    struct Case {
        const char* what;
        FileStorage second;
        bool modified;
    };
    FileStorage captioned, titled, withAudio, described, rotated;
    captioned.Caption = "x";
    titled.WebTitle = "x";
    withAudio.AudioFile = "/a.wav";
    described.Description = {"x"};
    rotated.Rotation = 2;
    const Case cases[] = {
        {"same values", {}, false},           {"caption", captioned, true}, {"title", titled, true},
        {"audio", withAudio, true},           {"description", described, true},
        {"rotation is no edit", rotated, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        workspace().catalog().photos.clear();
        addPhotos(2);
        FileStorage& second = storage(1);
        second.Caption = c.second.Caption;
        second.WebTitle = c.second.WebTitle;
        second.AudioFile = c.second.AudioFile;
        second.Description = c.second.Description;
        second.Rotation = c.second.Rotation;

        CatalogEditorPresenter presenter(workspace());
        EXPECT_FALSE(workspace().catalog().modified);
        presenter.selectPhoto(1);
        EXPECT_EQ(workspace().catalog().modified, c.modified);

        // Showing the editor on a photo with values fills the empty edits: a change.
        workspace().catalog().photos[0].storage = second;
        workspace().catalog().modified = false;
        CatalogEditorPresenter shown(workspace());
        EXPECT_EQ(workspace().catalog().modified, c.modified);
    }
}

TEST_F(CatalogEditorPresenterTest, TagButtonsInsertAtTheCaret)
{
    struct Case {
        std::size_t tag;
        std::string line;
        std::size_t column;
        std::string result;
    };
    const Case cases[] = {
        {1, "Hello world", 5, "Hello<P> world"}, {0, "", 0, "<BR>"},         {2, "ab", 2, "ab</P>"},
        {3, "ab", 0, "<B>ab"},                    {4, "ab", 1, "a</B>b"},      {5, "ab", 99, "ab<HR>"},
    };
    addPhotos(1);
    CatalogEditorPresenter presenter(workspace());
    for (const Case& c : cases) {
        workspace().catalog().modified = false;
        EXPECT_EQ(presenter.insertTag(c.tag, c.line, c.column), c.result);
        EXPECT_TRUE(workspace().catalog().modified);
    }
}

TEST_F(CatalogEditorPresenterTest, RotationChangesThePhotoAndItsCellText)
{
    addPhotos(2);
    CatalogEditorPresenter presenter(workspace());
    EXPECT_EQ(presenter.cell(0).topText, "  p0.jpg ");
    const char* texts[] = {" No Rotate", " Rotate Left", " Rotate Right", " Flip"};
    int told = 0;
    presenter.changed().subscribe([&] { ++told; });
    presenter.selectPhoto(1);
    for (std::int32_t rotation : {1, 2, 3, 0}) {
        workspace().catalog().modified = false;
        workspace().generationFlags().rerenderPhotos = false;
        presenter.setRotation(rotation);
        EXPECT_EQ(storage(1).Rotation, rotation);
        EXPECT_EQ(presenter.view().rotation, rotation);
        EXPECT_EQ(presenter.cell(1).bottomText, texts[rotation]);
        EXPECT_TRUE(workspace().catalog().modified);
        EXPECT_TRUE(workspace().generationFlags().rerenderPhotos);
    }
    EXPECT_EQ(told, 5);
    EXPECT_EQ(storage(0).Rotation, 0);
    EXPECT_EQ(readFile(cacheFile(1)), "thumb of p1.jpg"); // the cached picture is not turned
}

TEST_F(CatalogEditorPresenterTest, MovingAThumbnailTakesItsCacheFileAlong)
{
    struct Case {
        std::size_t from, to;
        std::vector<std::string> order;
        std::size_t current; // of photo p1, current before the move
    };
    const Case cases[] = {
        {0, 3, {"p1.jpg", "p2.jpg", "p3.jpg", "p0.jpg", "p4.jpg"}, 0},
        {3, 0, {"p3.jpg", "p0.jpg", "p1.jpg", "p2.jpg", "p4.jpg"}, 2},
        {1, 4, {"p0.jpg", "p2.jpg", "p3.jpg", "p4.jpg", "p1.jpg"}, 4},
        {2, 2, {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}, 1},
        // Onto the current position, from before it and from after it.
        {0, 1, {"p1.jpg", "p0.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}, 0},
        {3, 1, {"p0.jpg", "p3.jpg", "p1.jpg", "p2.jpg", "p4.jpg"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        workspace().catalog().photos.clear();
        addPhotos(5);
        storage(1).Caption = "label of p1";
        CatalogEditorPresenter presenter(workspace());
        presenter.selectPhoto(1);
        const std::uint64_t layout = presenter.view().layout;
        presenter.movePhoto(c.from, c.to);
        EXPECT_EQ(order(), c.order);
        EXPECT_TRUE(workspace().catalog().modified);
        EXPECT_NE(presenter.view().layout, layout);
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_EQ(readFile(cacheFile(i)), "thumb of " + c.order[i]);
        EXPECT_EQ(workspace().catalog().photos[presenter.view().current].displayName, "p1.jpg");
        EXPECT_EQ(presenter.view().current, c.current);
        EXPECT_EQ(presenter.viewPhotoPath(), path("photos/p1.jpg"));
        // The fields stay p1's: what is typed next goes into p1.
        EXPECT_EQ(presenter.view().label, "label of p1");
        presenter.storeLabel("typed after the move");
        for (const AlbumItem& item : workspace().catalog().photos)
            EXPECT_EQ(item.storage.Caption, item.displayName == "p1.jpg" ? "typed after the move" : "")
                << item.displayName;
    }
}

TEST_F(CatalogEditorPresenterTest, RemovingThePhotoShiftsTheCacheAndKeepsOneLast)
{
    struct Case {
        std::size_t current;
        std::size_t newCurrent;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {4, 3, {"p0.jpg", "p1.jpg", "p2.jpg", "p3.jpg"}},
        {2, 2, {"p0.jpg", "p1.jpg", "p3.jpg", "p4.jpg"}},
        {0, 0, {"p1.jpg", "p2.jpg", "p3.jpg", "p4.jpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        workspace().catalog().photos.clear();
        fs::remove(cacheFile(4));
        addPhotos(5);
        storage(c.newCurrent + (c.newCurrent >= c.current ? 1 : 0)).Caption = "next";
        CatalogEditorPresenter presenter(workspace());
        presenter.selectPhoto(c.current);
        presenter.removeCurrentPhoto();
        EXPECT_EQ(order(), c.order);
        EXPECT_EQ(presenter.view().photoCount, 4u);
        EXPECT_EQ(presenter.view().current, c.newCurrent);
        EXPECT_EQ(presenter.view().label, "next");
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(readFile(cacheFile(i)), "thumb of " + c.order[i]);
        EXPECT_FALSE(fs::exists(cacheFile(4)));
        EXPECT_TRUE(workspace().guards().photosSelected);
    }

    workspace().catalog().photos.clear();
    addPhotos(1);
    CatalogEditorPresenter presenter(workspace());
    presenter.removeCurrentPhoto();
    EXPECT_EQ(order(), std::vector<std::string>{"p0.jpg"});
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(CatalogEditorPresenterTest, AudioChooserOffersTheAudioFilesAndFillsTheField)
{
    addPhotos(1);
    CatalogEditorPresenter presenter(workspace());
    m_dialogs.chooserAnswers = {std::nullopt, std::string("/music/song.MID"), std::nullopt};
    EXPECT_EQ(presenter.chooseAudioFile(), std::nullopt);
    EXPECT_FALSE(workspace().catalog().modified);
    EXPECT_EQ(presenter.chooseAudioFile(), std::optional<std::string>("/music/song.MID"));
    EXPECT_EQ(storage(0).AudioFile, "/music/song.MID");
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(presenter.chooseAudioFile(), std::nullopt);
    EXPECT_EQ(storage(0).AudioFile, "/music/song.MID");
    ASSERT_EQ(m_dialogs.shown.size(), 3u);
    EXPECT_EQ(m_dialogs.shown[2].kind, Kind::OpenFile);
    EXPECT_EQ(m_dialogs.shown[2].filter, CatalogEditorPresenter::audioFilter);
    EXPECT_EQ(m_dialogs.shown[2].folder, "/music");
}

TEST_F(CatalogEditorPresenterTest, ViewPhotoShowsTheWorkingPathOfTheCurrentPhoto)
{
    addPhotos(2);
    storage(1).WorkingPath = path("output/p1.jpg");
    CatalogEditorPresenter presenter(workspace());
    presenter.selectPhoto(1);
    EXPECT_EQ(presenter.viewPhotoPath(), path("output/p1.jpg"));
    presenter.viewerFailed();
    EXPECT_EQ(m_dialogs.texts(Kind::Error),
              std::vector<std::string>{"No program could show the photo " + path("output/p1.jpg") + "."});
}

TEST_F(CatalogEditorPresenterTest, SaveCatalogStoresTheDescriptionAndShowsTheName)
{
    addPhotos(2);
    CatalogEditorPresenter presenter(workspace());
    presenter.selectPhoto(1);
    presenter.fieldTouched();
    fs::create_directories(path("catalog"));
    // An unnamed catalog asks for a file; cancelled, it stays unnamed and changed.
    m_dialogs.chooserAnswers = {std::nullopt, path("catalog/Trip.CAT")};
    presenter.saveCatalog("first");
    EXPECT_EQ(storage(1).Description, std::vector<std::string>{"first"});
    EXPECT_EQ(presenter.view().caption, "Photo Album Editor");
    EXPECT_TRUE(workspace().catalog().modified);

    presenter.saveCatalog("line 1\nline 2");
    EXPECT_EQ(presenter.view().caption, "Trip.CAT");
    EXPECT_FALSE(workspace().catalog().modified);
    const std::string saved = readFile(path("catalog/Trip.CAT"));
    EXPECT_NE(saved.find("Descr_2_Line_2=line 2"), std::string::npos) << saved;
    EXPECT_TRUE(m_dialogs.texts(Kind::Error).empty());
}

TEST_F(CatalogEditorPresenterTest, NewStripPicturesBecomeCacheFilesUnlessPhotosMoved)
{
    addPhotos(2);
    fs::remove(cacheFile(0));
    fs::remove(cacheFile(1));
    CatalogEditorPresenter presenter(workspace());
    const std::uint64_t layout = presenter.view().layout;
    auto made = [&](std::size_t position, std::uint64_t madeAt) {
        const std::string scratch = presenter.stripScratchFile(position, madeAt);
        writeFile(scratch, "picture " + std::to_string(position));
        return StripPicture{Bitmap(3, 2, 32), false, scratch, {}};
    };

    presenter.keepStripPicture(0, layout, StripPicture{Bitmap(3, 2, 32), true, {}, {}});
    EXPECT_FALSE(fs::exists(cacheFile(0)));
    const StripPicture stale = made(0, layout);
    presenter.movePhoto(0, 1);
    presenter.keepStripPicture(0, layout, stale); // made before the move: another photo's now
    EXPECT_FALSE(fs::exists(cacheFile(0)));
    EXPECT_FALSE(fs::exists(stale.scratchFile));
    const StripPicture fresh = made(1, presenter.view().layout);
    presenter.keepStripPicture(1, presenter.view().layout, fresh);
    EXPECT_EQ(readFile(cacheFile(1)), "picture 1");
    EXPECT_FALSE(fs::exists(fresh.scratchFile));
    EXPECT_TRUE(m_dialogs.shown.empty());

    const StripPicture unwritten{Bitmap(3, 2, 32), false, {}, "Unable to write to /x/thumb0.bmp: Not a directory"};
    presenter.keepStripPicture(0, presenter.view().layout, unwritten);
    presenter.keepStripPicture(1, presenter.view().layout, unwritten);
    const std::vector<std::string> errors = m_dialogs.texts(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "The thumbnail cache cannot be written, so the thumbnails are made again each time they "
                         "are shown.\nUnable to write to /x/thumb0.bmp: Not a directory");
}

} // namespace
} // namespace pictaven
