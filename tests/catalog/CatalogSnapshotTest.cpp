#include "catalog/CatalogSnapshot.h"

#include "ini/IoError.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace pictaven
{
namespace
{

using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;

// Reading needs no workspace and no dialogs: the command line reads a catalog the same way.
TEST(CatalogSnapshotTest, ReadsACatalogWithoutTheWorkspace)
{
    TempDir home;
    const fs::path output = home / "Out";
    fs::create_directories(output);
    writeFile(output / "here.jpg", "photo");
    writeFile(home / "Trip.CAT",
        "[Program]\r\nVersion=2.80\r\n"
        "[Generate Options]\r\nOutputFolder="
            + output.string()
            + "\r\n"
              "[Preferences]\r\nAlbum Filename=Board\r\nAlbum Index=3\r\n"
              "Background Image=paper.jpg\r\n"
              "[Files]\r\nSource_File_1=here.jpg\r\nSource_File_2=/gone/away.jpg\r\n");

    const CatalogSnapshot snapshot
        = CatalogSnapshot::read("Trip.CAT", { home.str(), home.str(), "/photos/as/before" });

    EXPECT_EQ(snapshot.file, (home / "Trip.CAT").string());
    EXPECT_TRUE(snapshot.fromPriorVersion());
    EXPECT_TRUE(snapshot.fromKnownVersion());
    EXPECT_EQ(snapshot.sourceFolder, "/photos/as/before");
    EXPECT_EQ(snapshot.outputFolder, output.string() + "/");
    ASSERT_EQ(snapshot.photos.size(), 2u);
    EXPECT_EQ(snapshot.photos[0].storage.SourcePath, (output / "here.jpg").string());
    EXPECT_EQ(snapshot.photos[1].storage.SourcePath, "/gone/away.jpg");
    EXPECT_EQ(snapshot.missingPhotos(), 1u);
    EXPECT_EQ(snapshot.albumTitle, "Untitled Album");
    EXPECT_EQ(snapshot.templateName, "Board");
    EXPECT_EQ(snapshot.templateIndex, 3);
    EXPECT_EQ(snapshot.photoPageTexture, (output / "paper.jpg").string());
    EXPECT_EQ(snapshot.indexPageTexture, "");
    EXPECT_EQ(snapshot.wholePath("style.css"), (output / "style.css").string());
}

TEST(CatalogSnapshotTest, RelativePathsFallBackToTheProjectsFolder)
{
    TempDir home;
    writeFile(home / "Odd.CAT",
        "[Generate Options]\r\nOutputFolder=relative/out\r\n[Files]\r\nSource_File_1=a.jpg\r\n");
    const CatalogSnapshot snapshot
        = CatalogSnapshot::read((home / "Odd.CAT").string(), { home.str(), "/", "/" });
    EXPECT_FALSE(snapshot.fromKnownVersion());
    EXPECT_FALSE(snapshot.fromPriorVersion());
    ASSERT_EQ(snapshot.photos.size(), 1u);
    EXPECT_EQ(snapshot.photos[0].storage.SourcePath, home.str() + "Projects/a.jpg");
}

TEST(CatalogSnapshotTest, AFolderIsNoCatalog)
{
    TempDir home;
    fs::create_directories(home / "Folder.CAT");
    EXPECT_THROW(
        CatalogSnapshot::read((home / "Folder.CAT").string(), { home.str(), home.str(), home.str() }),
        IoError);
}

} // namespace
} // namespace pictaven
