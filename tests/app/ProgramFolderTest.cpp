#include "app/ProgramFolder.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>

namespace pictaven {
namespace {

using test::TempDir;
using test::writeFile;

TEST(ProgramFolder, FollowsPictavenHome)
{
    TempDir home;
    const char* saved = std::getenv("PICTAVEN_HOME");
    const std::string previous = saved ? saved : "";
    ::setenv("PICTAVEN_HOME", home.path().c_str(), 1);
    EXPECT_EQ(resolveProgramFolder(), home.str());
    ::setenv("PICTAVEN_HOME", "", 1);
    EXPECT_NE(resolveProgramFolder(), home.str());
    EXPECT_EQ(resolveProgramFolder().substr(resolveProgramFolder().size() - 9), "pictaven/");
    if (saved)
        ::setenv("PICTAVEN_HOME", previous.c_str(), 1);
    else
        ::unsetenv("PICTAVEN_HOME");
}

TEST(ProgramFolder, DataFolderPrefersAnInstalledCopyThenTheSourceTree)
{
    TempDir root;
    std::filesystem::create_directories(root / "prefix/bin");
    std::filesystem::create_directories(root / "source/data");
    const std::string bin = (root / "prefix/bin").string();
    const std::string source = (root / "source/data").string();

    EXPECT_EQ(resolveDataFolder(bin, "/nowhere/share/pictaven", source), source);
    EXPECT_EQ(resolveDataFolder(bin, "/nowhere/share/pictaven", (root / "gone").string()), "/nowhere/share/pictaven");

    std::filesystem::create_directories(root / "prefix/share/pictaven");
    EXPECT_EQ(resolveDataFolder(bin, "/nowhere/share/pictaven", source), (root / "prefix/share/pictaven").string());
}

TEST(ProgramFolder, IsCreatedWhenMissing)
{
    TempDir root;
    const std::string folder = (root / "a/b/pictaven").string() + "/";
    ensureProgramFolder(folder);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(std::filesystem::is_empty(folder)) << "the write probe must not stay behind";
}

TEST(ProgramFolder, UnusableFolderStopsWithItsName)
{
    TempDir root;
    writeFile(root / "file", "x");
    // Rights cannot be relied on (tests may run as root), so the folders lie where no folder can.
    for (const std::string& folder : {(root / "file").string() + "/", (root / "file/pictaven").string() + "/"}) {
        try {
            ensureProgramFolder(folder);
            ADD_FAILURE() << "no error for " << folder;
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind("The program folder " + folder + " cannot be used: ", 0), 0u)
                << error.what();
        }
    }
}

TEST(ProgramFolder, WorkFoldersAreCreatedAndExistingOnesKept)
{
    TempDir home;
    std::filesystem::create_directory(home / "temp");
    writeFile(home / "temp/keep.txt", "kept");
    writeFile(home / "CDROM", "a file where a folder would go");
    createWorkFolders(home.str());
    EXPECT_TRUE(std::filesystem::is_directory(home / "Projects"));
    EXPECT_TRUE(std::filesystem::is_directory(home / "temp"));
    EXPECT_EQ(test::readFile(home / "temp/keep.txt"), "kept");
    EXPECT_TRUE(std::filesystem::is_regular_file(home / "CDROM"));
}

} // namespace
} // namespace pictaven
