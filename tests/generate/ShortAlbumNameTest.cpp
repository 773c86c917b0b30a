#include "generate/ShortAlbumName.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

TEST(ShortAlbumName, KeepsOnlyDigitsLowerCaseLettersAndBackspace)
{
    for (const char key : std::string("0189azm\b"))
        EXPECT_TRUE(ShortAlbumName::acceptsKey(key)) << int(key);
    for (const char key : std::string("A- _./Z\t"))
        EXPECT_FALSE(ShortAlbumName::acceptsKey(key)) << int(key);
}

TEST(ShortAlbumName, EmptyNameBecomesMyalbumOnExit)
{
    EXPECT_EQ(ShortAlbumName::onExit(""), "myalbum");
    EXPECT_EQ(ShortAlbumName::onExit("trip2004"), "trip2004");
}

TEST(ShortAlbumName, NamesTheAlbumsOwnFiles)
{
    const ShortAlbumName::Paths paths = ShortAlbumName::paths("/out/", "trip");
    EXPECT_EQ(paths.indexPage, "/out/trip.htm");
    EXPECT_EQ(paths.framePage, "/out/trip_frame.htm");
    EXPECT_EQ(paths.albumPicture, "/out/trip_thumb.jpg");
    EXPECT_EQ(paths.entryPage(false), "/out/trip.htm");
    EXPECT_EQ(paths.entryPage(true), "/out/trip_frame.htm");
}

TEST(ShortAlbumName, RefusesNamesThatCannotNameFilesInTheOutputFolder)
{
    EXPECT_EQ(ShortAlbumName::problem("myalbum"), "");
    EXPECT_EQ(ShortAlbumName::problem("My Album"), ""); // odd but harmless
    EXPECT_NE(ShortAlbumName::problem(""), "");
    EXPECT_NE(ShortAlbumName::problem("../escape"), "");
    EXPECT_NE(ShortAlbumName::problem(std::string("a\0b", 3)), "");
}

} // namespace
} // namespace pictaven
