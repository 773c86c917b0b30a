#include "catalog/ThumbnailCache.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pictaven {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// Positions 0 to `initial.size()` - 1 get files holding the given text ("" for no file).
struct CacheCase {
    Names initial;
    enum Operation { Exchange, Remove, Insert } operation;
    std::size_t a;
    std::size_t b; // the other position, or the list's length before the change
    Names after;
};

class ThumbnailCacheMoves : public ::testing::TestWithParam<CacheCase> {};

TEST_P(ThumbnailCacheMoves, FilesFollowTheirPhotosAndGapsStayGaps)
{
    const CacheCase& c = GetParam();
    TempDir home;
    fs::create_directories(home / "temp");
    const ThumbnailCache cache(home.str());
    for (std::size_t i = 0; i < c.initial.size(); ++i) {
        if (!c.initial[i].empty())
            writeFile(cache.path(i), c.initial[i]);
    }
    writeFile(home / "temp/_temp.bmp", "left over");
    writeFile(home / "temp/keep.txt", "not a picture");

    switch (c.operation) {
    case CacheCase::Exchange: cache.exchange(c.a, c.b); break;
    case CacheCase::Remove: cache.removeAt(c.a, c.b); break;
    case CacheCase::Insert: cache.insertAt(c.a, c.b); break;
    }

    Names after;
    for (std::size_t i = 0; i < c.after.size(); ++i)
        after.push_back(fs::exists(cache.path(i)) ? readFile(cache.path(i)) : "");
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(readFile(home / "temp/keep.txt"), "not a picture");
    cache.clear();
    EXPECT_FALSE(fs::exists(cache.path(0)));
    EXPECT_TRUE(fs::exists(home / "temp/keep.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThumbnailCacheMoves,
    ::testing::Values(CacheCase{{"a", "b", "c"}, CacheCase::Exchange, 0, 2, {"c", "b", "a"}},
                      CacheCase{{"", "b", "c"}, CacheCase::Exchange, 0, 2, {"c", "b", ""}},
                      CacheCase{{"a", "b", ""}, CacheCase::Exchange, 0, 2, {"", "b", "a"}},
                      CacheCase{{"", "b", ""}, CacheCase::Exchange, 0, 2, {"", "b", ""}},
                      CacheCase{{"a", "b", "c"}, CacheCase::Exchange, 1, 1, {"a", "b", "c"}},
                      CacheCase{{"a", "b", "c", "d"}, CacheCase::Remove, 1, 4, {"a", "c", "d", ""}},
                      CacheCase{{"a", "b", "", "d"}, CacheCase::Remove, 0, 4, {"b", "", "d", ""}},
                      CacheCase{{"a", "b", "c"}, CacheCase::Insert, 1, 3, {"a", "", "b", "c"}},
                      CacheCase{{"a", "", "c"}, CacheCase::Insert, 0, 3, {"", "a", "", "c"}},
                      // A stray file past the end of the list must not stick to an appended photo.
                      CacheCase{{"a", "b", "stray"}, CacheCase::Insert, 2, 2, {"a", "b", ""}},
                      CacheCase{{"a", "", "stray"}, CacheCase::Insert, 1, 2, {"a", "", ""}}));

} // namespace
} // namespace pictaven
