#include "app/StoredPassword.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

TEST(StoredPassword, EachByteIsShiftedByItsPosition)
{
    EXPECT_EQ(scramblePassword("abc"), "bdf");
    EXPECT_EQ(scramblePassword(""), "");
    // 0xFF + 1 wraps to 0x00; 0xFE + 2 to 0x00 as well.
    EXPECT_EQ(scramblePassword(std::string("\xFF\xFE", 2)), std::string("\x00\x00", 2));
    EXPECT_EQ(unscramblePassword("bdf"), "abc");
}

TEST(StoredPassword, EveryByteAtEveryPositionRoundTrips)
{
    // 600 bytes take the position past 256, where the shift wraps.
    std::string password;
    for (int i = 0; i < 600; ++i)
        password += static_cast<char>((i * 37 + 11) % 256);
    const std::string stored = scramblePassword(password);
    EXPECT_NE(stored, password);
    EXPECT_EQ(unscramblePassword(stored), password);
    EXPECT_EQ(static_cast<unsigned char>(stored[299]), static_cast<unsigned char>((299 * 37 + 11 + 300) % 256));
}

} // namespace
} // namespace pictaven
