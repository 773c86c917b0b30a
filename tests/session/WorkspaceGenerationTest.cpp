#include "decoders/FixtureFiles.h"
#include "generate/AlbumGenerator.h"
#include "imaging/JpegCodec.h"
#include "session/CatalogCommands.h"
#include "session/WorkspaceFixture.h"
#include "session/WorkspaceGeneration.h"

#include <filesystem>

namespace pictaven {
namespace {

namespace fs = std::filesystem;

class WorkspaceGeneration : public test::WorkspaceFixture {
protected:
    void SetUp() override
    {
        WorkspaceFixture::SetUp();
        Workspace& ws = workspace();
        fs::create_directories(m_home / "shots");
        writeJpeg(Bitmap(40, 30), path("shots/beach.jpg"), 90);
        const auto& tif = test::fixtureNamed("lzw.tif").bytes;
        test::writeFile(m_home / "shots" / "scan.tif", std::string(tif.begin(), tif.end()));
        for (const char* name : {"beach.jpg", "scan.tif"}) {
            AlbumItem item;
            item.displayName = name;
            item.storage.SourcePath = item.storage.WorkingPath = path(std::string("shots/") + name);
            ws.catalog().photos.push_back(item);
        }
        ws.catalog().albumTitle = "Summer";
        ws.catalog().photoPageTexture = path("paper.jpg");
        fs::create_directories(m_output.path());
        ws.outputFolders().outputFolder = m_output.str();
        ws.generationFlags().rerenderPhotos = true;
        ws.globalSettings().compression1 = 70;
        ws.globalSettings().compression2 = 95;
    }

    test::TempDir m_output;
    GenerationControl m_control;
};

TEST_F(WorkspaceGeneration, JobCopiesWhatAGenerationReads)
{
    Workspace& ws = workspace();
    ws.generationFlags().smartRender = false;
    ws.albumSettings().ThumbnailsPerRow = 7;
    AlbumJob job = makeAlbumJob(ws);
    EXPECT_EQ(job.catalogPath, "");
    ws.catalog().folder = path("albums");
    ws.catalog().name = "Trip.CAT";
    job = makeAlbumJob(ws);
    EXPECT_EQ(job.catalogPath, path("albums/Trip.CAT"));
    EXPECT_EQ(job.settings.ThumbnailsPerRow, 7);
    EXPECT_EQ(job.programFolder, ws.programFolder());
    EXPECT_EQ(job.outputFolder, m_output.str());
    ASSERT_EQ(job.photos.size(), 2u);
    EXPECT_EQ(job.photos[1].SourcePath, path("shots/scan.tif"));
    EXPECT_EQ(job.albumTitle, "Summer");
    EXPECT_EQ(job.photoPageTexture, path("paper.jpg"));
    EXPECT_TRUE(job.basicAlbum());
    EXPECT_FALSE(job.smartRender);
    EXPECT_TRUE(job.rerenderPhotos);
    EXPECT_EQ(job.compression1, 70);
    EXPECT_EQ(job.compression2, 95);
}

TEST_F(WorkspaceGeneration, ResultsGoBackIntoTheWorkspace)
{
    Workspace& ws = workspace();
    AlbumGenerator generator(makeAlbumJob(ws), GenerationEvents{}, m_control, 2);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    applyGenerationResult(ws, generator);

    const FileStorage& scan = ws.catalog().photos[1].storage;
    EXPECT_EQ(scan.WorkingPath, m_output.str() + "scan.jpg");
    EXPECT_TRUE(scan.Converted);
    EXPECT_FALSE(ws.catalog().photos[0].storage.Converted);
    EXPECT_FALSE(ws.generationFlags().rerenderPhotos);
    EXPECT_TRUE(ws.guards().albumGenerated);
    EXPECT_EQ(ws.generationFlags().indexPageList, std::vector<std::string>{m_output.str() + "myalbum.htm"});
    EXPECT_EQ(ws.generationFlags().albumPictureList, std::vector<std::string>{m_output.str() + "myalbum_thumb.jpg"});
}

TEST_F(WorkspaceGeneration, PhotosMovedMeanwhileKeepTheirPaths)
{
    Workspace& ws = workspace();
    AlbumGenerator generator(makeAlbumJob(ws), GenerationEvents{}, m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    std::swap(ws.catalog().photos[0], ws.catalog().photos[1]);
    applyGenerationResult(ws, generator);
    EXPECT_EQ(ws.catalog().photos[0].storage.WorkingPath, path("shots/scan.tif"));
    EXPECT_FALSE(ws.catalog().photos[0].storage.Converted);
}

TEST_F(WorkspaceGeneration, RefusedGenerationLeavesTheLastListsAlone)
{
    Workspace& ws = workspace();
    ws.generationFlags().indexPageList = {"/old/myalbum.htm"};
    ws.albumSettings().RowsPerPage = 0;
    GenerationEvents events;
    events.showError = [](const std::string&) {};
    AlbumGenerator generator(makeAlbumJob(ws), events, m_control, 1);
    EXPECT_EQ(generator.generate(), GenerationOutcome::Refused);
    applyGenerationResult(ws, generator);
    EXPECT_EQ(ws.generationFlags().indexPageList, std::vector<std::string>{"/old/myalbum.htm"});
    EXPECT_TRUE(ws.generationFlags().rerenderPhotos);
    EXPECT_FALSE(ws.guards().albumGenerated);
}

TEST_F(WorkspaceGeneration, RunawaySizesInACatalogGiveAnAlbumOfBoundedSize)
{
    // Read from a file, so that the bounds applied when reading keep every sum and product of
    // the page layout within range; the sanitizer build stops on any that is not.
    const std::string catalog = path("huge.CAT");
    test::writeFile(catalog, "[Program]\r\nVersion=3.03\r\n[Files]\r\nSource_File_1=" + path("shots/beach.jpg")
                                 + "\r\n[Size]\r\nThumbWidth=2147483647\r\nThumbHeight=2147483647\r\n"
                                   "SpacingRows=2147483647\r\nSpacingCols=2147483647\r\n"
                                   "Thumbnails Per Row=2147483647\r\nRows Per Page=2147483647\r\n"
                                   "[Appearance]\r\nLabel=1\r\nLabelHeight=2147483647\r\nShadow=1\r\n"
                                   "MultiWindow=1\r\n[Generate Options]\r\nOutputFolder="
                                 + m_output.str() + "\r\n");
    Workspace& ws = workspace();
    openCatalogFile(ws, catalog);
    AlbumGenerator generator(makeAlbumJob(ws), GenerationEvents{}, m_control, 1);
    ASSERT_EQ(generator.generate(), GenerationOutcome::Finished);
    EXPECT_LT(fs::file_size(m_output.path() / "myalbum.htm"), 100000u);
    // 100 columns of 1000-pixel thumbnails 1000 pixels apart, each with its 16-pixel shadow.
    EXPECT_NE(test::readFile(m_output.path() / "myalbum_frame.htm").find("COLS=\"203604,*\""), std::string::npos);
}

} // namespace
} // namespace pictaven
