#include "session/GraphicFormatsPresenter.h"
#include "session/JpegCompressionPresenter.h"
#include "session/Step1Presenter.h"

#include "WorkspaceFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace pictaven {
namespace {

namespace fs = std::filesystem;

class FormatDialogsTest : public test::WorkspaceFixture {
protected:
    std::optional<std::string> stored(const std::string& name) { return workspace().settingsStore().read(name); }
};

struct MaskCase {
    std::vector<const char*> on;
    std::string mask;
};

TEST_F(FormatDialogsTest, OkStoresTheFlagsAndTheMaskBuiltFromThem)
{
    const std::vector<MaskCase> cases = {
        {{}, ""},
        {{"JPG", "BMP", "PSD"}, "*.jpg;*.jpeg;*.bmp;*.dib;*.rle;*.psd;*.pdd;"},
        {{"EMF", "CUT"}, "*.emf;*.cut;"},
    };
    GraphicFormatsPresenter presenter(workspace());
    for (const MaskCase& c : cases) {
        presenter.open();
        for (std::size_t i = 0; i < PictureFormatCount; ++i)
            presenter.setFormat(i, false);
        for (const char* flag : c.on)
            presenter.setFormat(pictureFormatPosition(flag), true);
        presenter.accept();
        EXPECT_EQ(workspace().globalSettings().fileMask, c.mask);
        EXPECT_EQ(stored("FileMask"), c.mask);
        EXPECT_EQ(stored("JPG"), c.mask.starts_with("*.jpg") ? "1" : "0");
        EXPECT_EQ(stored("CUT"), c.mask.ends_with("*.cut;") ? "1" : "0");
    }
}

TEST_F(FormatDialogsTest, OpeningTakesOverOnlyStoredValues)
{
    workspace().settingsStore().write("GIF", "yes");
    workspace().settingsStore().write("TIF", "1");
    workspace().settingsStore().write("SmallFileSize", "33");
    GraphicFormatsPresenter presenter(workspace());
    presenter.setFormat(pictureFormatPosition("PNG"), false);
    presenter.open();
    const GraphicFormatsView& view = presenter.view();
    EXPECT_TRUE(view.formats.isSet(pictureFormatPosition("JPG")));
    EXPECT_FALSE(view.formats.isSet(pictureFormatPosition("GIF"))); // only "1" counts
    EXPECT_FALSE(view.formats.isSet(pictureFormatPosition("PNG"))); // never stored: the box keeps its state
    EXPECT_TRUE(view.formats.isSet(pictureFormatPosition("TIF")));
    EXPECT_TRUE(view.skipSmallFiles);
    EXPECT_FALSE(view.skipLargeFiles);
    EXPECT_EQ(view.smallFileSize, "33");
    EXPECT_EQ(view.largeFileSize, "200");
}

struct SizeCase {
    std::string small;
    std::string large;
    std::int32_t smallKb;
    std::int32_t largeKb;
    std::string smallBox;
    std::string largeBox;
};

TEST_F(FormatDialogsTest, SizeBoxesWithoutAnIntegerFallBackToTheirDefaults)
{
    const std::vector<SizeCase> cases = {
        {"12a", "300", 10, 300, "10", "300"},
        {"5", "", 5, 200, "5", "200"},
    };
    GraphicFormatsPresenter presenter(workspace());
    for (const SizeCase& c : cases) {
        presenter.setSmallFileSize(c.small);
        presenter.setLargeFileSize(c.large);
        presenter.setSkipLargeFiles(true);
        presenter.accept();
        EXPECT_EQ(presenter.view().smallFileSize, c.smallBox);
        EXPECT_EQ(presenter.view().largeFileSize, c.largeBox);
        EXPECT_EQ(workspace().globalSettings().smallFileSize, c.smallKb);
        EXPECT_EQ(workspace().globalSettings().largeFileSize, c.largeKb);
        EXPECT_TRUE(workspace().globalSettings().skipLargeFiles);
        EXPECT_EQ(stored("SmallFileSize"), c.smallBox);
        EXPECT_EQ(stored("LargeFileSize"), c.largeBox);
        EXPECT_EQ(stored("SkipLargeFiles"), "1");
    }
    restart();
    EXPECT_EQ(workspace().globalSettings().largeFileSize, 200);
    EXPECT_TRUE(workspace().globalSettings().skipSmallFiles);
}

TEST_F(FormatDialogsTest, TheStep1FolderPaneFollowsTheNewMask)
{
    const fs::path folder = m_home / "Photos";
    fs::create_directories(folder);
    for (const char* name : {"a.jpg", "b.bmp", "c.png"})
        test::writeFile(folder / name, "x");
    workspace().setStep1Folder(folder.string());
    Step1Presenter step1(workspace());
    EXPECT_EQ(step1.view().files, (std::vector<std::string>{"a.jpg", "c.png"}));
    GraphicFormatsPresenter presenter(workspace());
    presenter.setFormat(pictureFormatPosition("PNG"), false);
    presenter.setFormat(pictureFormatPosition("BMP"), true);
    presenter.accept();
    EXPECT_EQ(step1.view().files, (std::vector<std::string>{"a.jpg", "b.bmp"}));
}

TEST_F(FormatDialogsTest, JpegQualitiesStartAtTheirDefaultsAndAreStoredOnOk)
{
    JpegCompressionPresenter presenter(workspace());
    presenter.open();
    EXPECT_EQ(presenter.view().albumPicturesLabel, "80%");
    EXPECT_EQ(presenter.view().convertedPhotosLabel, "97%");
    presenter.setAlbumPictures(55);
    presenter.setConvertedPhotos(100);
    EXPECT_EQ(presenter.view().albumPicturesLabel, "55%");
    presenter.accept();
    EXPECT_EQ(workspace().globalSettings().compression1, 55);
    EXPECT_EQ(workspace().globalSettings().compression2, 100);
    EXPECT_EQ(stored("Compression1"), "55");
    EXPECT_EQ(stored("Compression2"), "100");

    presenter.setAlbumPictures(10); // not accepted: the next opening shows the stored value
    presenter.open();
    EXPECT_EQ(presenter.view().albumPictures, 55);
}

} // namespace
} // namespace pictaven
