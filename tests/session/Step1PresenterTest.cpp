#include "session/Step1Presenter.h"

#include "WorkspaceFixture.h"
#include "decoders/PictureLoader.h"
#include "session/CatalogEditorPresenter.h"
#include "support/VideoClips.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace pictaven {
namespace {

using test::ScriptedDialogs;
using test::writeFile;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Rows = std::vector<std::size_t>;

class Step1PresenterTest : public test::WorkspaceFixture {
protected:
    Step1PresenterTest()
    {
        fs::create_directories(m_photos);
        workspace().setStep1Folder(m_photos.string());
        m_presenter.emplace(workspace());
    }

    Step1Presenter& presenter() { return *m_presenter; }

    void files(const Names& names)
    {
        for (const std::string& name : names)
            writeFile(m_photos / name, "photo " + name);
        presenter().refresh();
    }

    std::vector<std::string> errors() const { return m_dialogs.texts(ScriptedDialogs::Kind::Error); }

    fs::path m_photos = m_home / "Photos";
    std::optional<Step1Presenter> m_presenter;
};

TEST_F(Step1PresenterTest, FolderMessageSaysWhichPicturesTheGraphicFormatsHide)
{
    struct Case {
        std::string mask;
        std::string note;
    };
    const std::string where = " \u2014 Settings \u203a Select Graphic Formats";
    const std::vector<Case> cases = {
        {"*.jpg;*.gif;*.png", "5 files hidden: TIF, HEIC, WebP" + where},
        {"*.jpg;*.tif;*.heic", "2 files hidden: WebP" + where},
        {"*.jpg;*.tif;*.heic;*.webp", ""},
        {"*.tif;*.heic;*.webp", "1 file hidden: JPG" + where},
    };
    files({"a.jpg", "b.heic", "C.HEIC", "d.webp", "e.tif", "f.webp", "notes.txt", ".hidden.heic"});
    for (const Case& c : cases) {
        workspace().globalSettings().fileMask = c.mask;
        presenter().refresh();
        EXPECT_EQ(presenter().view().hiddenFilesNote, c.note) << c.mask;
        EXPECT_EQ(presenter().view().folderMessage, "") << c.mask;
    }
}

TEST_F(Step1PresenterTest, ANewProgramFolderListsThePhotosOfPhones)
{
    files({"IMG_1.HEIC", "IMG_2.avif", "IMG_3.webp", "IMG_4.jpg"});
    EXPECT_EQ(presenter().view().files, (Names{"IMG_1.HEIC", "IMG_2.avif", "IMG_3.webp", "IMG_4.jpg"}));
    EXPECT_EQ(presenter().view().hiddenFilesNote, "");
}

// Phones' clips, in any letter case, sit beside the photos: listed, added, sorted by when they
// were shot rather than when they were copied, and previewed by their upright poster.
TEST_F(Step1PresenterTest, VideosAreListedAddedDatedAndPreviewedLikePhotos)
{
    using test::VideoClip;
    test::makeVideoClip(m_photos, "b.MP4", VideoClip::LandscapeH264);
    const fs::path portrait = test::makeVideoClip(m_home.path(), "portrait.mov", VideoClip::PortraitHevc);
    ASSERT_TRUE(test::runFfmpeg("-i '" + portrait.string() +
                                "' -map 0 -c copy -metadata creation_time=2001-01-01T00:00:00Z '" +
                                (m_photos / "a.MoV").string() + "'"));
    files({"c.jpg"});
    // 2010-01-01.
    fs::last_write_time(m_photos / "c.jpg",
                        std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(1262304000))));
    EXPECT_EQ(presenter().view().files, (Names{"a.MoV", "b.MP4", "c.jpg"}));
    EXPECT_EQ(presenter().view().hiddenFilesNote, "");

    presenter().addAll();
    EXPECT_EQ(presenter().view().photos, (Names{"a.MoV", "b.MP4", "c.jpg"}));
    // Shot in 2001, copied today; the photo's file is from 2010; the other clip says nothing.
    presenter().sortByDate();
    EXPECT_EQ(presenter().view().photos, (Names{"a.MoV", "c.jpg", "b.MP4"}));

    presenter().selectFiles({0}, 0);
    presenter().loadPreviewNow();
    const std::optional<PreviewPicture>& preview = presenter().view().preview.picture;
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->failure, "");
    EXPECT_EQ(preview->dimensionText, "180x320");
    EXPECT_TRUE(errors().empty());
}

// A settings file written before videos were known has a FileMask without them and no Videos
// box: videos are listed until the graphic formats dialog stores a choice.
TEST_F(Step1PresenterTest, SettingsWrittenBeforeVideosListThemUntilTheirBoxIsStored)
{
    struct Case {
        const char* settings; // settings.ini's [Vardle] lines
        Names files;
        std::string note;
    };
    const std::vector<Case> cases = {
        {"", {"a.jpg", "b.mp4"}, ""},
        {"FileMask=*.jpg;*.gif;*.png\r\n", {"a.jpg", "b.mp4"}, ""},
        {"FileMask=*.jpg;*.gif;*.png\r\nVIDEO=1\r\n",
         {"a.jpg"},
         "1 file hidden: MP4 \u2014 Settings \u203a Select Graphic Formats"},
        {"FileMask=*.jpg;*.mp4\r\nVIDEO=0\r\n", {"a.jpg", "b.mp4"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        m_presenter.reset();
        writeFile(m_home / "settings.ini", std::string("[Vardle]\r\n") + c.settings);
        restart().setStep1Folder(m_photos.string());
        m_presenter.emplace(workspace());
        files({"a.jpg", "b.mp4"});
        EXPECT_EQ(presenter().view().files, c.files);
        EXPECT_EQ(presenter().view().hiddenFilesNote, c.note);
    }
}

TEST_F(Step1PresenterTest, ArrowButtonsMoveTheChosenFilesAndPhotos)
{
    files({"b.jpg", "a.jpg", "c.gif", "notes.txt"});
    int told = 0;
    presenter().changed().subscribe([&] { ++told; });
    EXPECT_EQ(presenter().view().files, (Names{"a.jpg", "b.jpg", "c.gif"}));
    EXPECT_FALSE(presenter().view().addSelectedEnabled);
    EXPECT_FALSE(presenter().view().removeSelectedEnabled);

    presenter().selectFiles({2, 0}, 2);
    EXPECT_EQ(presenter().view().selectedFiles, (Rows{0, 2}));
    EXPECT_TRUE(presenter().view().addSelectedEnabled);
    presenter().addSelected();
    EXPECT_EQ(presenter().view().photos, (Names{"a.jpg", "c.gif"}));
    EXPECT_EQ(workspace().catalog().photos[1].storage.SourcePath, (m_photos / "c.gif").string());
    EXPECT_TRUE(workspace().guards().photosSelected);
    EXPECT_TRUE(workspace().catalog().modified);

    presenter().addAll();
    EXPECT_EQ(presenter().view().photos, (Names{"a.jpg", "c.gif", "b.jpg"}));

    presenter().selectPhotos({1}, 1);
    EXPECT_EQ(presenter().view().selectedPhotos, Rows{1});
    presenter().removeSelected();
    EXPECT_EQ(presenter().view().photos, (Names{"a.jpg", "b.jpg"}));
    EXPECT_TRUE(presenter().view().selectedPhotos.empty());

    m_dialogs.yesNoAnswers = {false, true};
    presenter().removeAll();
    EXPECT_EQ(presenter().view().photos.size(), 2u);
    presenter().removeAll();
    EXPECT_TRUE(presenter().view().photos.empty());
    EXPECT_FALSE(workspace().guards().photosSelected);
    EXPECT_GT(told, 6);
    EXPECT_TRUE(errors().empty());
}

TEST_F(Step1PresenterTest, DragAndDropGatherTheSelectedPhotosAndAddDroppedFiles)
{
    files({"0.jpg", "1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg", "6.jpg", "new.jpg"});
    presenter().dropFiles({"0.jpg", "1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg", "6.jpg"});
    presenter().selectPhotos({3, 5}, 5);
    presenter().dropPhotos(1);
    EXPECT_EQ(presenter().view().photos, (Names{"0.jpg", "3.jpg", "5.jpg", "1.jpg", "2.jpg", "4.jpg", "6.jpg"}));
    EXPECT_EQ(presenter().view().selectedPhotos, (Rows{1, 2}));

    // Below the last row nothing moves.
    presenter().dropPhotos(std::nullopt);
    EXPECT_EQ(presenter().view().photos[1], "3.jpg");

    presenter().dropFiles({"new.jpg", "0.jpg"});
    EXPECT_EQ(presenter().view().photos.size(), 8u);
    EXPECT_EQ(presenter().view().photos.back(), "new.jpg");
}

TEST_F(Step1PresenterTest, SortButtonsAndTheOrderBox)
{
    files({"b.jpg", "a.jpg", "c.jpg"});
    const auto date = [&](const std::string& name, int seconds) {
        fs::last_write_time(m_photos / name,
                            std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(seconds))));
    };
    date("a.jpg", 3000);
    date("b.jpg", 1000);
    date("c.jpg", 2000);
    presenter().selectFiles({0, 1, 2}, 0);
    presenter().addSelected();
    EXPECT_TRUE(presenter().view().sortByName);
    EXPECT_FALSE(presenter().view().newestFirstEnabled);

    presenter().sortByDate();
    Step1View view = presenter().view();
    EXPECT_TRUE(view.sortByDate);
    EXPECT_FALSE(view.sortByName);
    EXPECT_TRUE(view.newestFirstEnabled);
    EXPECT_EQ(view.photos, (Names{"b.jpg", "c.jpg", "a.jpg"}));

    presenter().setNewestFirst(true);
    EXPECT_TRUE(presenter().view().newestFirst);
    EXPECT_EQ(presenter().view().photos, (Names{"a.jpg", "c.jpg", "b.jpg"}));

    presenter().sortByName();
    EXPECT_EQ(presenter().view().photos, (Names{"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_FALSE(presenter().view().newestFirstEnabled);
}

TEST_F(Step1PresenterTest, FolderThatCannotBeReadListsNothingAndSaysWhy)
{
    files({"a.jpg"});
    writeFile(m_home / "plain.txt", "not a folder");
    for (const std::string& folder : {path("missing"), path("plain.txt")}) {
        SCOPED_TRACE(folder);
        m_dialogs.shown.clear();
        presenter().setFolder(m_photos.string());
        presenter().selectFiles({0}, 0);
        ASSERT_EQ(presenter().view().files, Names{"a.jpg"});

        presenter().setFolder(folder);
        const Step1View view = presenter().view();
        EXPECT_EQ(view.folder, folder);
        EXPECT_TRUE(view.files.empty());
        EXPECT_TRUE(view.selectedFiles.empty());
        EXPECT_FALSE(view.addAllEnabled);
        EXPECT_EQ(view.folderMessage.rfind("The folder " + folder + " cannot be read: ", 0), 0u);
        EXPECT_EQ(errors(), Names{view.folderMessage});

        presenter().addSelected();
        presenter().addAll();
        EXPECT_TRUE(presenter().view().photos.empty());
    }
}

TEST_F(Step1PresenterTest, RenameAndDeleteFromTheFolderPane)
{
    files({"a.jpg", "keep.jpg"});
    presenter().selectFiles({0}, 0);
    presenter().addSelected();
    EXPECT_EQ(presenter().deleteCaption(0), "Delete file  [a.jpg]  from disk");
    EXPECT_EQ(presenter().renameCaption(1), "Rename file  [keep.jpg]");

    // The space question answered No: the rename goes ahead and the album photo follows.
    m_dialogs.yesNoAnswers = {false};
    EXPECT_TRUE(presenter().renameFile(0, "b c.jpg"));
    EXPECT_EQ(presenter().view().files, (Names{"b c.jpg", "keep.jpg"}));
    EXPECT_EQ(presenter().view().selectedFiles, Rows{0});
    EXPECT_EQ(presenter().view().photos, Names{"b c.jpg"});
    EXPECT_EQ(workspace().catalog().photos[0].storage.SourcePath, (m_photos / "b c.jpg").string());

    // A name already taken fails and changes nothing.
    EXPECT_FALSE(presenter().renameFile(0, "keep.jpg"));
    EXPECT_TRUE(fs::exists(m_photos / "b c.jpg"));

    m_dialogs.yesNoAnswers = {false, true};
    presenter().deleteFile(1);
    EXPECT_TRUE(fs::exists(m_photos / "keep.jpg"));
    presenter().deleteFile(0);
    EXPECT_FALSE(fs::exists(m_photos / "b c.jpg"));
    EXPECT_EQ(presenter().view().files, Names{"keep.jpg"});
    EXPECT_EQ(presenter().view().photos, Names{"b c.jpg"});
    EXPECT_TRUE(errors().empty());
}

TEST_F(Step1PresenterTest, NothingChangesTheAlbumWhileAJobRuns)
{
    files({"a.jpg", "b.jpg"});
    presenter().selectFiles({0}, 0);
    presenter().addSelected();
    presenter().selectFiles({1}, 1);
    presenter().selectPhotos({0}, 0);
    workspace().setJobRunning(true);
    Step1View view = presenter().view();
    EXPECT_FALSE(view.addSelectedEnabled || view.addAllEnabled || view.removeSelectedEnabled || view.removeAllEnabled ||
                 view.sortEnabled || view.fileCommandsEnabled || view.dropEnabled);

    m_dialogs.yesNoAnswers = {true, true, true};
    presenter().addAll();
    presenter().removeSelected();
    presenter().removeAll();
    presenter().deleteFile(0);
    EXPECT_FALSE(presenter().renameFile(0, "c.jpg"));
    EXPECT_EQ(presenter().view().photos, Names{"a.jpg"});
    EXPECT_EQ(presenter().view().files, (Names{"a.jpg", "b.jpg"}));
    EXPECT_EQ(m_dialogs.yesNoAnswers.size(), 3u);

    workspace().setJobRunning(false);
    view = presenter().view();
    EXPECT_TRUE(view.addSelectedEnabled && view.addAllEnabled && view.removeSelectedEnabled && view.removeAllEnabled &&
                view.sortEnabled && view.fileCommandsEnabled && view.dropEnabled);
}

TEST_F(Step1PresenterTest, PhotosRemovedElsewhereLeaveTheSelection)
{
    files({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    presenter().addAll();
    presenter().selectPhotos({1, 3}, 3);

    // The catalog editor removes the last photo: the list shrinks to 3 under step 1.
    CatalogEditorPresenter editor(workspace());
    editor.selectPhoto(3);
    editor.removeCurrentPhoto();
    ASSERT_EQ(presenter().view().photos, (Names{"a.jpg", "b.jpg", "c.jpg"}));
    EXPECT_EQ(presenter().view().selectedPhotos, Rows{1});

    // Dragging now drags the photo still selected, downwards.
    presenter().dropPhotos(2);
    EXPECT_EQ(presenter().view().photos, (Names{"a.jpg", "c.jpg", "b.jpg"}));
    EXPECT_EQ(presenter().view().selectedPhotos, Rows{2});
    EXPECT_TRUE(errors().empty());
}

class Step1PreviewTest : public Step1PresenterTest {
protected:
    Step1PreviewTest()
    {
        workspace().globalSettings().fileMask = "*.jpg;*.gif;*.png;*.bmp;";
        fs::create_directories(m_home / "buttons");
        fs::copy_file(fs::path(PICTAVEN_SOURCE_DATA_DIR) / "buttons/error.bmp", m_home / "buttons/error.bmp");
    }

    // Chooses the file at `row` of the folder pane and loads what it asks for.
    PreviewPicture previewFile(std::size_t row)
    {
        presenter().selectFiles({row}, row);
        presenter().loadPreviewNow();
        const Step1PreviewView preview = presenter().view().preview;
        EXPECT_TRUE(preview.current);
        return preview.picture.value_or(PreviewPicture{});
    }
};

TEST_F(Step1PreviewTest, FileOfTheFolderPaneWithItsSizeLabelsAndHint)
{
    writeFile(m_photos / "wide.bmp", test::bmpBytes(200, 100));
    presenter().refresh();
    EXPECT_FALSE(presenter().view().preview.labelsVisible);

    const PreviewPicture preview = previewFile(0);
    const std::string path = (m_photos / "wide.bmp").string();
    const auto bytes = fs::file_size(path);
    EXPECT_TRUE(presenter().view().preview.labelsVisible);
    EXPECT_TRUE(presenter().view().preview.fromFolderPane);
    EXPECT_EQ(presenter().view().preview.path, path);
    EXPECT_EQ(preview.fit, fitPreview(200, 100));
    EXPECT_EQ(preview.picture.width(), 127);
    EXPECT_EQ(preview.picture.height(), 62);
    EXPECT_EQ(preview.picture.pixel(60, 30), (Colour{255, 255, 255}));
    EXPECT_EQ(preview.sizeText, std::to_string(bytes / 1024) + " KB");
    EXPECT_EQ(preview.dimensionText, "200x100");
    const std::string start = "Filename : " + path +
                              "\r\nWidth : 200  Height : 100\r\nSize (Bytes) : " + std::to_string(bytes) + "\r\nDate: ";
    EXPECT_EQ(preview.hint.substr(0, start.size()), start);
    EXPECT_GT(preview.hint.size(), start.size());
    EXPECT_TRUE(preview.failure.empty());
}

TEST_F(Step1PreviewTest, PictureThatCannotBeReadShowsTheErrorPicture)
{
    const Bitmap errorPicture = loadPicture(path("buttons/error.bmp"));
    const PreviewFit errorFit = fitPreview(errorPicture.width(), errorPicture.height());
    struct Case {
        const char* name;
        bool reported; // only the general loader's failures are logged
    };
    for (const Case& c : {Case{"broken.png", true}, Case{"broken.jpg", false}, Case{"broken.gif", false}}) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_photos);
        fs::create_directories(m_photos);
        writeFile(m_photos / c.name, "no picture here");
        presenter().refresh();
        m_dialogs.shown.clear();
        const PreviewPicture preview = previewFile(0);
        EXPECT_FALSE(preview.failure.empty());
        EXPECT_EQ(preview.hint, preview.failure);
        EXPECT_EQ(preview.fit, errorFit);
        EXPECT_EQ(preview.picture.width(), errorFit.controlWidth);
        EXPECT_TRUE(preview.dimensionText.empty());
        EXPECT_EQ(errors(), c.reported ? Names{preview.failure} : Names{});
    }
    EXPECT_NE(test::readFile(m_home / "error.log").find("broken.png"), std::string::npos);
}

TEST_F(Step1PreviewTest, AlbumPhotoGoneFromDiskShowsThePlaceholder)
{
    writeFile(m_photos / "gone.bmp", test::bmpBytes(40, 30));
    presenter().refresh();
    presenter().addAll();
    fs::remove(m_photos / "gone.bmp");
    presenter().refresh();
    EXPECT_TRUE(presenter().view().files.empty());

    presenter().selectPhotos({0}, 0);
    presenter().loadPreviewNow();
    const Step1PreviewView preview = presenter().view().preview;
    EXPECT_FALSE(preview.fromFolderPane);
    ASSERT_TRUE(preview.picture);
    EXPECT_EQ(preview.picture->failure, "The file " + (m_photos / "gone.bmp").string() + " no longer exists.");
    EXPECT_FALSE(preview.picture->picture.empty());
    EXPECT_TRUE(errors().empty());
    EXPECT_EQ(presenter().view().photos, Names{"gone.bmp"});
}

TEST_F(Step1PreviewTest, LatePictureOfAnEarlierChoiceIsDropped)
{
    writeFile(m_photos / "a.bmp", test::bmpBytes(40, 30));
    writeFile(m_photos / "b.bmp", test::bmpBytes(60, 30));
    presenter().refresh();
    presenter().selectFiles({0}, 0);
    const Step1PreviewView first = presenter().view().preview;
    presenter().selectFiles({1}, 1);
    const Step1PreviewView second = presenter().view().preview;
    EXPECT_GT(second.request, first.request);

    presenter().showPreview(first.request, loadPreviewPicture(first.path, first.errorPicturePath));
    EXPECT_FALSE(presenter().view().preview.current);
    presenter().showPreview(second.request, loadPreviewPicture(second.path, second.errorPicturePath));
    EXPECT_TRUE(presenter().view().preview.current);
    EXPECT_EQ(presenter().view().preview.picture->dimensionText, "60x30");

    // With "Preview Photo" clear nothing more is asked for.
    presenter().setPreviewEnabled(false);
    presenter().selectFiles({0}, 0);
    EXPECT_EQ(presenter().view().preview.request, second.request);
}

} // namespace
} // namespace pictaven
