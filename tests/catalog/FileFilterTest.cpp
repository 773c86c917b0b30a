#include "app/GlobalSettings.h"
#include "catalog/AcceptFile.h"
#include "catalog/FolderListing.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>

namespace pictaven {
namespace {

using test::ScriptedDialogs;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;

struct SizeCase {
    bool skipSmall;
    std::int32_t smallKb;
    bool skipLarge;
    std::int32_t largeKb;
    std::size_t bytes;
    bool accepted;
};

class AcceptFileSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(AcceptFileSizes, LimitsAreInKilobytesAndTheLimitItselfPasses)
{
    const SizeCase& c = GetParam();
    TempDir folder;
    const fs::path file = folder / "photo.jpg";
    writeFile(file, std::string(c.bytes, 'x'));
    GlobalSettings settings;
    settings.skipSmallFiles = c.skipSmall;
    settings.smallFileSize = c.smallKb;
    settings.skipLargeFiles = c.skipLarge;
    settings.largeFileSize = c.largeKb;

    for (const bool beep : {false, true}) {
        ScriptedDialogs dialogs;
        const FileAcceptance result = acceptFile(file.string(), settings, beep, dialogs);
        EXPECT_EQ(result.accepted, c.accepted) << c.bytes << " bytes";
        const bool beeped = !dialogs.shown.empty() && dialogs.shown.front().kind == ScriptedDialogs::Kind::Beep;
        EXPECT_EQ(beeped, beep && !c.accepted);
        EXPECT_LE(dialogs.shown.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, AcceptFileSizes,
                         ::testing::Values(SizeCase{true, 20, false, 200, 20480, true},
                                           SizeCase{true, 20, false, 200, 20479, false},
                                           SizeCase{false, 20, false, 200, 1, true},
                                           SizeCase{false, 10, true, 2000, 2048000, true},
                                           SizeCase{false, 10, true, 2000, 2048001, false},
                                           SizeCase{false, 10, false, 2000, 2048001, true},
                                           SizeCase{true, 0, true, 0, 0, true}));

TEST(AcceptFileTest, GivesTheModificationTime)
{
    TempDir folder;
    const fs::path file = folder / "dated.jpg";
    writeFile(file, "x");
    const auto when = std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(1234567890)));
    fs::last_write_time(file, when);
    ScriptedDialogs dialogs;
    const FileAcceptance result = acceptFile(file.string(), GlobalSettings{}, true, dialogs);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.fileDate, 1234567890);
}

TEST(AcceptFileTest, WhatCannotBeOpenedIsRejectedSilently)
{
    TempDir folder;
    fs::create_directory(folder / "sub.jpg");
    ASSERT_EQ(::mkfifo((folder / "pipe.jpg").c_str(), 0600), 0);
    GlobalSettings settings;
    settings.skipSmallFiles = true;
    for (const char* name : {"missing.jpg", "sub.jpg", "pipe.jpg"}) {
        ScriptedDialogs dialogs;
        EXPECT_FALSE(acceptFile((folder / name).string(), settings, true, dialogs).accepted) << name;
        EXPECT_TRUE(dialogs.shown.empty()) << name;
    }
}

struct MaskCase {
    const char* name;
    const char* mask;
    bool matches;
};

class FileMaskMatching : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FileMaskMatching, PatternsAreSplitAtSemicolonsAndIgnoreCase)
{
    const MaskCase& c = GetParam();
    EXPECT_EQ(matchesFileMask(c.name, c.mask), c.matches) << c.name << " against " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(Cases, FileMaskMatching,
                         ::testing::Values(MaskCase{"a.jpg", "*.jpg;*.gif;*.png", true},
                                           MaskCase{"B.PNG", "*.jpg;*.gif;*.png", true},
                                           MaskCase{"c.jpeg", "*.jpg;*.gif;*.png", false},
                                           MaskCase{"c.jpeg", "*.jpg;*.jpeg;", true},
                                           MaskCase{"a.jpg.txt", "*.jpg", false},
                                           MaskCase{"x.jpg.jpg", "*.jpg", true},
                                           MaskCase{"scan1.tif", "scan?.tif", true},
                                           MaskCase{"scan12.tif", "scan?.tif", false},
                                           MaskCase{"a.jpg", "", false},
                                           MaskCase{"a.jpg", ";;", false},
                                           MaskCase{"noextension", "*", true}));

TEST(FolderListingTest, PlainMatchingFilesInNameOrder)
{
    TempDir folder;
    for (const char* name : {"b.jpg", "A.gif", "c.PNG", "a.jpg", "notes.txt", ".hidden.jpg"})
        writeFile(folder / name, "x");
    fs::create_directory(folder / "sub.jpg");
    EXPECT_EQ(listPhotoFolder(folder.str(), "*.jpg;*.gif;*.png"),
              (std::vector<std::string>{"A.gif", "a.jpg", "b.jpg", "c.PNG"}));
    EXPECT_EQ(listPhotoFolder(folder.str(), "*.txt;"), std::vector<std::string>{"notes.txt"});
    EXPECT_TRUE(listPhotoFolder((folder / "missing").string(), "*.jpg").empty());
}

} // namespace
} // namespace pictaven
