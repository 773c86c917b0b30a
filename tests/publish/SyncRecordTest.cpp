#include "publish/SyncRecord.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace pictaven {
namespace {

const std::string digest(64, 'a');

// A line of /proc/self/status in kB, such as VmRSS (resident now) or VmHWM (the peak).
long statusKb(const std::string& name)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":"))
            return std::stol(line.substr(name.size() + 1));
    }
    return -1;
}

TEST(SyncRecord, ReadsBackWhatItWroteNamesWithBlanksToo)
{
    test::TempDir dir;
    const std::string path = dir.str() + SyncRecord::fileName;
    std::string note = "left over";
    EXPECT_TRUE(SyncRecord::load(path, "u@h /a", note).files().empty());
    EXPECT_EQ(note, "");

    SyncRecord record("u@h /a b");
    record.set("Beach Day & Night.JPG", {123, digest});
    record.set("index.htm", {0, std::string(64, '0')});
    record.set("a/b.jpg", {1, digest});          // no upload sends such names
    record.set("line\nbreak.jpg", {1, digest});
    record.set("short.jpg", {1, "abc"});
    record.save(path);
    record.erase("index.htm");
    record.save(path);

    const SyncRecord back = SyncRecord::load(path, "u@h /a b", note);
    EXPECT_EQ(note, "");
    ASSERT_EQ(back.files().size(), 1u);
    const SyncedFile* beach = back.find("Beach Day & Night.JPG");
    ASSERT_NE(beach, nullptr);
    EXPECT_EQ(beach->size, 123u);
    EXPECT_EQ(beach->sha256, digest);
    EXPECT_EQ(test::readFile(path),
              "Pictaven sync record 1\nplace u@h /a b\n123 " + digest + " Beach Day & Night.JPG\n");
}

TEST(SyncRecord, DamagedLinesEmptyTheWholeRecord)
{
    test::TempDir dir;
    const std::string path = dir.str() + SyncRecord::fileName;
    const std::string head = "Pictaven sync record 1\nplace p\n";
    for (const std::string& line : {"12x " + digest + " a.jpg", "12 " + digest, "-1 " + digest + " a.jpg",
                                    "99999999999999999999999 " + digest + " a.jpg", "1 " + digest + " ",
                                    "1 " + std::string(64, 'A') + " a.jpg"}) {
        test::writeFile(path, head + "5 " + digest + " good.jpg\n" + line + "\n");
        std::string note;
        EXPECT_TRUE(SyncRecord::load(path, "p", note).files().empty()) << line;
        EXPECT_EQ(note, "The sync record " + path + " is damaged (line 4): every file is sent.") << line;
    }
}

TEST(SyncRecord, OnlyARegularFileIsReadAndOnlyALittlePastTheLargestRecord)
{
    namespace fs = std::filesystem;
    const std::string good = "Pictaven sync record 1\nplace p\n5 " + digest + " good.jpg\n";
    struct Case {
        const char* what;
        std::function<void(const fs::path& at, const fs::path& folder)> make;
        const char* why;
    };
    const Case cases[] = {
        {"1 GB file",
         [](const fs::path& at, const fs::path&) {
             std::ofstream(at).close();
             fs::resize_file(at, std::uintmax_t{1} << 30);
         },
         "too large"},
        {"link to /dev/zero", [](const fs::path& at, const fs::path&) { fs::create_symlink("/dev/zero", at); },
         "not a regular file"},
        {"link to a good record",
         [&](const fs::path& at, const fs::path& folder) {
             test::writeFile(folder / "elsewhere", good);
             fs::create_symlink(folder / "elsewhere", at);
         },
         "not a regular file"},
        {"folder", [](const fs::path& at, const fs::path&) { fs::create_directory(at); }, "not a regular file"},
    };
    for (const Case& entry : cases) {
        test::TempDir dir;
        const fs::path path = dir / SyncRecord::fileName;
        entry.make(path, dir.path());
        // Writing 5 resets the peak, so that VmHWM tells what the load itself took.
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = statusKb("VmRSS");
        std::string note;
        EXPECT_TRUE(SyncRecord::load(path.string(), "p", note).files().empty()) << entry.what;
        EXPECT_EQ(note, "The sync record " + path.string() + " is damaged (" + entry.why + "): every file is sent.")
            << entry.what;
        ASSERT_GT(before, 0);
        // The largest record is 64 MB; reading the whole gigabyte would take far more.
        EXPECT_LT(statusKb("VmHWM") - before, 200 * 1024) << entry.what;
    }
}

} // namespace
} // namespace pictaven
