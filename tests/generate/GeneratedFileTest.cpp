#include "generate/GeneratedFile.h"
#include "generate/AtomicFile.h"
#include "generate/OutputFolderRecord.h"
#include "ini/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace pictaven {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

std::set<std::string> entryNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(AtomicFile, ReplacesTheFileOnlyWhenCommittedAndLeavesNoTemporaryFile)
{
    TempDir folder;
    const std::string page = (folder / "page.htm").string();
    writeFile(page, "old");
    {
        AtomicFile file(page);
        file.write("new");
        EXPECT_EQ(readFile(page), "old");
        EXPECT_EQ(readFile(file.temporaryPath()), "new");
        EXPECT_TRUE(AtomicFile::isTemporaryOf(fs::path(file.temporaryPath()).filename().string(), "page.htm"));
        file.commit();
    }
    EXPECT_EQ(readFile(page), "new");
    {
        AtomicFile abandoned(page);
        abandoned.write("half");
    }
    EXPECT_EQ(readFile(page), "new");
    EXPECT_EQ(entryNames(folder.path()), std::set<std::string>{"page.htm"});
}

TEST(AtomicFile, ReplacesALinkInsteadOfWritingThroughIt)
{
    TempDir folder;
    TempDir elsewhere;
    writeFile(elsewhere / "settings.ini", "[Vardle]");
    fs::create_symlink(elsewhere / "settings.ini", folder / "home.gif");
    AtomicFile file((folder / "home.gif").string());
    file.write("GIF89a");
    file.commit();
    EXPECT_EQ(readFile(elsewhere / "settings.ini"), "[Vardle]");
    EXPECT_FALSE(fs::is_symlink(folder / "home.gif"));
    EXPECT_EQ(readFile(folder / "home.gif"), "GIF89a");
}

TEST(GeneratedFile, RefusesWhatIsNoPlainFile)
{
    TempDir folder;
    fs::create_directories(folder / "myalbum.htm");
    ASSERT_EQ(::mkfifo((folder / "jpg_a.htm").c_str(), 0600), 0);
    for (const std::string& path : {(folder / "myalbum.htm").string(), (folder / "jpg_a.htm").string()}) {
        EXPECT_THROW(AtomicFile{path}, IoError) << path;
        // Nor is the name listed for a later clearing.
        EXPECT_THROW(GeneratedFile::writeBytes(path, "page"), IoError) << path;
    }
    EXPECT_EQ(entryNames(folder.path()), (std::set<std::string>{"jpg_a.htm", "myalbum.htm"}));
    EXPECT_TRUE(fs::is_directory(folder / "myalbum.htm"));
    EXPECT_TRUE(fs::is_fifo(folder / "jpg_a.htm"));
}

TEST(AtomicFile, KnowsTheNamesOfItsTemporaryFiles)
{
    const std::string longName = std::string(240, 'x') + ".jpg";
    struct Case {
        std::string fileName;
        std::string name;
        bool temporary;
    };
    for (const Case& c : {Case{".p1.jpg.part-a1b2c3d4", "p1.jpg", true}, Case{".p1.jpg.part-a1b2c3d", "p1.jpg", false},
                          Case{".p1.jpg.part-A1B2C3D4", "p1.jpg", false}, Case{"p1.jpg.part-a1b2c3d4", "p1.jpg", false},
                          Case{".p1.jpg.part-a1b2c3d4", "p2.jpg", false}, Case{".p1.jpg.part-a1b2c3d4", "p1.jp", false},
                          Case{"." + longName.substr(0, 200) + ".part-00000000", longName, true},
                          Case{"." + longName + ".part-00000000", longName, false}})
        EXPECT_EQ(AtomicFile::isTemporaryOf(c.fileName, c.name), c.temporary) << c.fileName;
}

TEST(GeneratedFile, AFailedWriteKeepsTheOldFileButListsItsName)
{
    TempDir folder;
    const std::string photo = (folder / "p1.jpg").string();
    writeFile(photo, "the whole old photo");
    EXPECT_THROW(GeneratedFile::write(photo,
                                      [](const std::string& writePath) {
                                          writeFile(writePath, "the first 64 KB");
                                          throw std::runtime_error("killed");
                                      }),
                 std::runtime_error);
    EXPECT_EQ(readFile(photo), "the whole old photo");
    EXPECT_EQ(entryNames(folder.path()), (std::set<std::string>{"p1.jpg", OutputFolderRecord::fileName}));
    EXPECT_EQ(OutputFolderRecord(folder.str()).names(), std::set<std::string>{"p1.jpg"});

    GeneratedFile::copy(photo, (folder / "copy.jpg").string());
    GeneratedFile::writeBytes((folder / "AUTORUN.INF").string(), "[autorun]\r\n");
    EXPECT_EQ(readFile(folder / "copy.jpg"), "the whole old photo");
    EXPECT_EQ(readFile(folder / "AUTORUN.INF"), "[autorun]\r\n");
    EXPECT_EQ(OutputFolderRecord(folder.str()).names(), (std::set<std::string>{"AUTORUN.INF", "copy.jpg", "p1.jpg"}));
}

std::uint64_t inodeOf(const fs::path& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST(GeneratedFile, KeepsAPageThatHoldsItsBytesAlreadyAndReplacesAnyOther)
{
    struct Case {
        const char* name;
        std::function<void(const fs::path& page, const fs::path& elsewhere)> before;
        bool kept;
    };
    const std::string text = "<HTML>page</HTML>";
    const Case cases[] = {
        {"NoPageYet", [](const fs::path&, const fs::path&) {}, false},
        {"TheSamePage", [&](const fs::path& page, const fs::path&) { writeFile(page, text); }, true},
        {"AnotherPage", [](const fs::path& page, const fs::path&) { writeFile(page, "<HTML>old</HTML>"); }, false},
        {"EditedByHandToTheSameSize",
         [](const fs::path& page, const fs::path&) { writeFile(page, "<HTML>pagE</HTML>"); }, false},
        {"ALinkToTheSameBytes",
         [&](const fs::path& page, const fs::path& elsewhere) {
             writeFile(elsewhere, text);
             fs::create_symlink(elsewhere, page);
         },
         false},
        {"ASecondNameOfTheSameBytes",
         [&](const fs::path& page, const fs::path& elsewhere) {
             writeFile(elsewhere, text);
             fs::create_hard_link(elsewhere, page);
         },
         false},
    };
    for (const Case& c : cases) {
        TempDir folder;
        TempDir other;
        const fs::path page = folder / "jpg_a.htm";
        c.before(page, other / "notes.htm");
        const std::uint64_t before = inodeOf(page);
        const std::string elsewhere = fs::exists(other / "notes.htm") ? readFile(other / "notes.htm") : "";

        GeneratedFile::writeBytes(page.string(), text);
        EXPECT_EQ(readFile(page), text) << c.name;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(page))) << c.name;
        EXPECT_EQ(inodeOf(page) == before, c.kept) << c.name;
        EXPECT_EQ(entryNames(folder.path()), (std::set<std::string>{"jpg_a.htm", OutputFolderRecord::fileName}))
            << c.name;
        EXPECT_EQ(OutputFolderRecord(folder.str()).names(), std::set<std::string>{"jpg_a.htm"}) << c.name;
        // What the page was a second name of, or linked to, stays as it was.
        if (!elsewhere.empty()) {
            EXPECT_EQ(readFile(other / "notes.htm"), elsewhere) << c.name;
        }
    }
}

TEST(OutputFolderRecord, ListsNamesOfAnyBytesOnceEachAndDropsFilesThatAreGone)
{
    TempDir folder;
    const std::set<std::string> names = {"a\\n.jpg", "line\nbreak.jpg", "cr\r.htm",
                                         "#1.jpg",   "caf\xE9.jpg",     "plain.jpg"};
    for (const std::string& name : names) {
        OutputFolderRecord::add(folder.str() + name);
        OutputFolderRecord::add(folder.str() + name);
        writeFile(folder / name, name);
    }
    EXPECT_EQ(OutputFolderRecord(folder.str()).names(), names);

    fs::remove(folder / "plain.jpg");
    OutputFolderRecord record(folder.str());
    record.save();
    std::set<std::string> left = names;
    left.erase("plain.jpg");
    EXPECT_EQ(record.names(), left);
    EXPECT_EQ(OutputFolderRecord(folder.str()).names(), left);
    EXPECT_EQ(readFile(folder / OutputFolderRecord::fileName),
              "#1.jpg\na\\\\n.jpg\ncaf\xE9.jpg\ncr\\r.htm\nline\\nbreak.jpg\n");
}

TEST(OutputFolderRecord, NamesAddedFromSeveralThreadsAreAllListed)
{
    TempDir folder;
    std::vector<std::thread> threads;
    std::set<std::string> expected;
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 250; ++i)
            expected.insert("t" + std::to_string(t) + "_" + std::to_string(i) + ".jpg");
        threads.emplace_back([&folder, t] {
            for (int i = 0; i < 250; ++i)
                OutputFolderRecord::add(folder.str() + "t" + std::to_string(t) + "_" + std::to_string(i) + ".jpg");
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(OutputFolderRecord(folder.str()).names(), expected);
}

TEST(OutputFolderRecord, ARecordThatIsALinkIsNeitherReadNorWrittenThrough)
{
    TempDir folder;
    TempDir elsewhere;
    writeFile(folder / "thesis.odt", "the person's work");
    writeFile(elsewhere / "list", "thesis.odt\n");
    fs::create_symlink(elsewhere / "list", folder / OutputFolderRecord::fileName);

    OutputFolderRecord record(folder.str());
    EXPECT_TRUE(record.names().empty());
    record.clear([](const std::string&) { return false; });
    EXPECT_EQ(readFile(folder / "thesis.odt"), "the person's work");
    EXPECT_THROW(OutputFolderRecord::add(folder.str() + "p1.jpg"), IoError);
    EXPECT_EQ(readFile(elsewhere / "list"), "thesis.odt\n");
}

} // namespace
} // namespace pictaven
