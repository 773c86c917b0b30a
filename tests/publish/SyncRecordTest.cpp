#include "publish/SyncRecord.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

const std::string digest(64, 'a');

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

} // namespace
} // namespace pictaven
