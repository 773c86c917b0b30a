#include "ini/SafeFileWriter.h"

#include "ini/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

std::size_t entriesIn(const std::filesystem::path& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

TEST(SafeFileWriterTest, ReplacesTheWholeFileOnCommit)
{
    TempDir dir;
    const auto path = dir / "page.html";
    writeFile(path, "old content that is longer than the new one");
    SafeFileWriter writer(path.string());
    writer.write("new ");
    writer.write(std::string(100000, 'x'));
    EXPECT_EQ(readFile(path), "old content that is longer than the new one") << "nothing shows before commit";
    writer.commit();
    EXPECT_EQ(readFile(path), "new " + std::string(100000, 'x'));
    EXPECT_EQ(entriesIn(dir.path()), 1u);
    EXPECT_THROW(writer.write("more"), IoError);
}

TEST(SafeFileWriterTest, AbandonedWriteLeavesTheOldFile)
{
    TempDir dir;
    const auto path = dir / "catalog.cat";
    writeFile(path, "old");
    {
        SafeFileWriter writer(path.string());
        writer.write("half of the new content");
        EXPECT_EQ(entriesIn(dir.path()), 2u);
    }
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(SafeFileWriterTest, LongFileNamesStillGetATemporaryFile)
{
    TempDir dir;
    const auto path = dir / (std::string(250, 'n') + ".cfg");
    SafeFileWriter::writeFile(path.string(), "content");
    EXPECT_EQ(readFile(path), "content");
}

} // namespace
} // namespace pictaven
