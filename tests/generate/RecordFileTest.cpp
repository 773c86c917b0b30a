#include "generate/RecordFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace pictaven {
namespace {

namespace fs = std::filesystem;

struct RecordCase {
    const char* what;
    std::function<void(const fs::path& at, const fs::path& folder)> make;
    RecordFile::State state;
    std::size_t bytesRead;
};

TEST(RecordFile, ReadsOnlyARegularFileAndNoMoreThanOneBytePastTheLimit)
{
    const std::size_t limit = 1000;
    const std::string small = "two lines\nof a record\n";
    const std::vector<RecordCase> cases = {
        {"missing", [](const fs::path&, const fs::path&) {}, RecordFile::State::Missing, 0},
        {"small file", [&](const fs::path& at, const fs::path&) { test::writeFile(at, small); },
         RecordFile::State::Read, small.size()},
        {"file of the limit", [&](const fs::path& at, const fs::path&) { test::writeFile(at, std::string(limit, 'x')); },
         RecordFile::State::Read, limit},
        {"1 GB file",
         [](const fs::path& at, const fs::path&) {
             std::ofstream(at).close();
             fs::resize_file(at, std::uintmax_t{1} << 30);
         },
         RecordFile::State::Read, limit + 1},
        {"link to a file",
         [&](const fs::path& at, const fs::path& folder) {
             test::writeFile(folder / "real", small);
             fs::create_symlink(folder / "real", at);
         },
         RecordFile::State::NotRegular, 0},
        {"link to /dev/zero", [](const fs::path& at, const fs::path&) { fs::create_symlink("/dev/zero", at); },
         RecordFile::State::NotRegular, 0},
        {"named pipe", [](const fs::path& at, const fs::path&) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); },
         RecordFile::State::NotRegular, 0},
        {"folder", [](const fs::path& at, const fs::path&) { fs::create_directory(at); },
         RecordFile::State::NotRegular, 0},
    };
    for (const RecordCase& entry : cases) {
        test::TempDir folder;
        const fs::path at = folder / ".record";
        entry.make(at, folder.path());
        const RecordFile file = RecordFile::read(at.string(), limit);
        EXPECT_EQ(file.state, entry.state) << entry.what;
        EXPECT_EQ(file.bytes.size(), entry.bytesRead) << entry.what;
        if (entry.bytesRead == small.size()) {
            EXPECT_EQ(file.bytes, small);
        }
    }
}

} // namespace
} // namespace pictaven
