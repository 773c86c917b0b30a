#include "session/TemplateCommands.h"
#include "settings/TemplateList.h"

#include "WorkspaceFixture.h"

#include <filesystem>
#include <stdexcept>

namespace pictaven {
namespace {

using test::readFile;
using test::ScriptedDialogs;
using test::writeFile;
namespace fs = std::filesystem;
using Kind = ScriptedDialogs::Kind;

class TemplateCommandsTest : public test::WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        fs::create_directories(m_home / "ALBUMS");
    }
    void put(const std::string& name, const std::string& bytes) { writeFile(m_home / "ALBUMS" / name, bytes); }
};

TEST_F(TemplateCommandsTest, ListHoldsTheBasicAlbumThenEveryPictureInNameOrder)
{
    for (const char* name : {"Wedding.bmp", "Wedding.CFG", "Wedding.DEF", "baby.bmp", "my.album.BMP", "notes.txt",
                             "Zoo.Bmp", ".bmp", "bmp"})
        put(name, "x");
    fs::create_directories(m_home / "ALBUMS/folder.bmp");
    EXPECT_EQ(restart().templateList().entries(),
              (std::vector<std::string>{"<Basic Photo Album>", "baby", "my.album", "Wedding", "Zoo"}));
    EXPECT_EQ(workspace().catalog().templateIndex, 0);
    EXPECT_EQ(TemplateList::scan(path("missing/")).entries(), std::vector<std::string>{"<Basic Photo Album>"});
}

TEST_F(TemplateCommandsTest, ChangingTheTemplateReadsOnlyItsLayoutKeys)
{
    put("Board.bmp", "x");
    put("board.cfg", "[Size]\r\nLeft=25\r\nThumbWidth=120\r\n[Generate Options]\r\nAlbumShortName=board\r\n");
    put("DEFAULT.CFG", "[Size]\r\nLeft=30\r\n");
    restart();
    for (const bool softEdge : {false, true}) {
        workspace().albumSettings().SoftEdge = softEdge;
        workspace().generationFlags().rerenderPhotos = false;
        workspace().catalog().modified = false;
        changeTemplate(workspace(), 1);
        EXPECT_EQ(workspace().generationFlags().rerenderPhotos, softEdge);
        EXPECT_TRUE(workspace().catalog().modified);
        EXPECT_EQ(workspace().catalog().templateName, "Board");
        EXPECT_EQ(templateFileName(workspace()), "Board");
        EXPECT_EQ(workspace().albumSettings().Left, "25") << "board.cfg found without regard to case";
        EXPECT_EQ(workspace().albumSettings().ThumbWidth, 120);
        EXPECT_EQ(workspace().albumSettings().AlbumShortName, "myalbum") << "a catalog-only key stays";

        changeTemplate(workspace(), 0);
        EXPECT_EQ(templateFileName(workspace()), "DEFAULT");
        EXPECT_EQ(workspace().albumSettings().Left, "30");
        EXPECT_EQ(workspace().albumSettings().ThumbWidth, 80);
    }
    EXPECT_THROW(changeTemplate(workspace(), 2), std::out_of_range);
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(TemplateCommandsTest, SaveAsksFirstAndWritesTheChosenTemplate)
{
    put("Board.bmp", "x");
    restart();
    workspace().albumSettings().ThumbWidth = 99;
    const struct {
        std::int32_t entry;
        bool answer;
        const char* file;
    } cases[] = {{0, false, "DEFAULT.CFG"}, {0, true, "DEFAULT.CFG"}, {1, true, "Board.CFG"}};
    for (const auto& c : cases) {
        workspace().catalog().templateIndex = c.entry;
        workspace().catalog().templateName = workspace().templateList().entries()[c.entry];
        m_dialogs.yesNoAnswers = {c.answer};
        m_dialogs.shown.clear();
        EXPECT_EQ(saveTemplate(workspace()), c.answer);
        ASSERT_EQ(m_dialogs.texts(Kind::Question).size(), 1u);
        EXPECT_TRUE(m_dialogs.texts(Kind::Question)[0].starts_with(
            "Do you want to make permanent changes to the album template?\r\nTypically, custom settings"));
        EXPECT_EQ(fs::exists(m_home / "ALBUMS" / c.file), c.answer) << c.file;
        if (c.answer) {
            EXPECT_NE(readFile(m_home / "ALBUMS" / c.file).find("ThumbWidth=99\r\n"), std::string::npos);
        }
        fs::remove(m_home / "ALBUMS" / c.file);
    }
}

TEST_F(TemplateCommandsTest, RestoreCopiesTheFactoryFileWhenThereIsOne)
{
    put("Board.bmp", "x");
    put("Board.CFG", "[Size]\r\nLeft=99\r\n");
    restart();
    changeTemplate(workspace(), 1);
    workspace().catalog().modified = false;
    restoreFactorySettings(workspace());
    EXPECT_FALSE(workspace().catalog().modified) << "no factory file: nothing happens";
    EXPECT_EQ(readFile(m_home / "ALBUMS/Board.CFG"), "[Size]\r\nLeft=99\r\n");

    put("Board.DEF", "[Size]\r\nLeft=12\r\n");
    restoreFactorySettings(workspace());
    EXPECT_TRUE(workspace().catalog().modified);
    EXPECT_EQ(readFile(m_home / "ALBUMS/Board.CFG"), "[Size]\r\nLeft=12\r\n");
    EXPECT_EQ(workspace().albumSettings().Left, "12");
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(TemplateCommandsTest, GeometryIsFittedToThePictureOrLeftAsItWas)
{
    put("Board.bmp", test::bmpBytes(600, 450));
    put("Broken.bmp", "BM not a picture");
    restart();
    const struct {
        const char* name;
        std::int32_t entry; // 1 Board, 2 Broken
        std::int32_t thumbWidth, spacingCols, left;
        bool fails;
        std::int32_t perRow, rows;
    } cases[] = {
        {"600 x 450 picture", 1, 80, 15, 40, false, 5, 3},
        {"wider offsets", 1, 80, 15, 100, false, 4, 3},
        {"zero width and spacing", 1, 0, 0, 40, true, 9, 9},
        {"negative sum", 1, 5, -10, 40, false, -104, 3},
        {"offset beyond any grid", 1, 0, 1, -2147483647, true, 9, 9},
        {"damaged picture", 2, 80, 15, 40, true, 9, 9},
    };
    for (const auto& c : cases) {
        Catalog& catalog = workspace().catalog();
        catalog.templateIndex = c.entry;
        catalog.templateName = workspace().templateList().entries()[c.entry];
        AlbumSettings& settings = workspace().albumSettings();
        settings.ThumbnailsPerRow = 9;
        settings.RowsPerPage = 9;
        settings.ThumbWidth = c.thumbWidth;
        settings.SpacingCols = c.spacingCols;
        settings.CatalogOffsets.Left = c.left;
        if (c.fails) {
            try {
                recomputeTemplateGeometry(workspace());
                ADD_FAILURE() << c.name;
            } catch (const std::runtime_error& error) {
                EXPECT_NE(std::string(error.what()).find(path("ALBUMS/")), std::string::npos) << error.what();
            }
        } else {
            recomputeTemplateGeometry(workspace());
        }
        EXPECT_EQ(settings.ThumbnailsPerRow, c.perRow) << c.name;
        EXPECT_EQ(settings.RowsPerPage, c.rows) << c.name;
    }
    fs::remove(m_home / "ALBUMS/Board.bmp");
    workspace().catalog().templateIndex = 1;
    EXPECT_THROW(recomputeTemplateGeometry(workspace()), std::runtime_error) << "the picture is gone";
    workspace().catalog().templateIndex = 0;
    workspace().albumSettings().ThumbnailsPerRow = 9;
    recomputeTemplateGeometry(workspace());
    EXPECT_EQ(workspace().albumSettings().ThumbnailsPerRow, 9) << "the basic album has no picture";
}

} // namespace
} // namespace pictaven
