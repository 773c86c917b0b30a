#include "app/ShippedData.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;

class ShippedData : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_data / "ALBUMS");
        fs::create_directories(m_data / "help/images");
        writeFile(m_data / "ALBUMS/DEFAULT.CFG", "shipped template");
        writeFile(m_data / "help/index.html", "shipped contents");
        writeFile(m_data / "help/images/step.png", "shipped picture");
    }

    TempDir m_data;
    TempDir m_home;
};

TEST_F(ShippedData, MissingFilesAreCopiedWithTheirFolders)
{
    EXPECT_TRUE(seedShippedData(m_data.path().string(), m_home.str()).empty());
    EXPECT_EQ(readFile(m_home / "ALBUMS/DEFAULT.CFG"), "shipped template");
    EXPECT_EQ(readFile(m_home / "help/index.html"), "shipped contents");
    EXPECT_EQ(readFile(m_home / "help/images/step.png"), "shipped picture");
    EXPECT_FALSE(fs::exists(m_home / "help/index.html.part"));
}

TEST_F(ShippedData, FilesTheUserHasAreNeverOverwritten)
{
    fs::create_directories(m_home / "ALBUMS");
    writeFile(m_home / "ALBUMS/DEFAULT.CFG", "my own template");
    writeFile(m_home / "ALBUMS/MINE.CFG", "not shipped");

    EXPECT_TRUE(seedShippedData(m_data.path().string(), m_home.str()).empty());
    EXPECT_EQ(readFile(m_home / "ALBUMS/DEFAULT.CFG"), "my own template");
    EXPECT_EQ(readFile(m_home / "ALBUMS/MINE.CFG"), "not shipped");
    EXPECT_EQ(readFile(m_home / "help/index.html"), "shipped contents");

    // A second start finds everything in place and changes nothing.
    writeFile(m_home / "help/index.html", "edited");
    EXPECT_TRUE(seedShippedData(m_data.path().string(), m_home.str()).empty());
    EXPECT_EQ(readFile(m_home / "help/index.html"), "edited");
}

TEST_F(ShippedData, FilesThatCannotBePlacedAreReportedAndTheRestCopied)
{
    writeFile(m_home / "help", "a file where the help folder would go");
    const auto failures = seedShippedData(m_data.path().string(), m_home.str());
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find((m_home / "help").string()), std::string::npos) << failures[0];
    EXPECT_EQ(readFile(m_home / "ALBUMS/DEFAULT.CFG"), "shipped template");
    EXPECT_EQ(readFile(m_home / "help"), "a file where the help folder would go");
}

TEST_F(ShippedData, MissingDataFolderIsReported)
{
    const std::string missing = (m_data / "gone").string();
    const auto failures = seedShippedData(missing, m_home.str());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "The folder of the shipped data files " + missing + " does not exist");
    EXPECT_TRUE(fs::is_empty(m_home.path()));
}

} // namespace
} // namespace pictaven
