#include "app/StoredPassword.h"
#include "ini/BigIniFile.h"
#include "support/TempDir.h"

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

bool fitsOnALine(const std::string& value)
{
    return value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos &&
           (value.empty() || (value.front() != ' ' && value.front() != '\t' && value.back() != ' ' &&
                              value.back() != '\t'));
}

TEST(StoredPassword, EveryByteAtEveryPositionIsKeptThroughASettingsFile)
{
    test::TempDir dir;
    const std::string path = dir.str() + "passwords.ini";
    BigIniFile out(path);
    auto passwordOf = [](int position, int byte) {
        return std::string(static_cast<std::size_t>(position - 1), 'x') + static_cast<char>(byte);
    };
    for (int position = 1; position <= 256; ++position) {
        for (int byte = 0; byte < 256; ++byte) {
            const std::string password = passwordOf(position, byte);
            const std::string where = std::to_string(position) + " " + std::to_string(byte);
            const StoredPassword stored = storePassword(password);
            ASSERT_TRUE(fitsOnALine(stored.scrambled) && fitsOnALine(stored.hex)) << where;
            // The old form whenever it fits, so that older readers keep reading those passwords.
            const std::string old = scramblePassword(password);
            const bool oldFormKept = fitsOnALine(old);
            ASSERT_EQ(stored.scrambled, oldFormKept ? old : "") << where;
            ASSERT_EQ(stored.hex.empty(), oldFormKept) << where;
            out.writeString("p", where, stored.scrambled);
            out.writeString("h", where, stored.hex);
        }
    }
    out.flushFile();

    const BigIniFile in(path);
    for (int position = 1; position <= 256; ++position) {
        for (int byte = 0; byte < 256; ++byte) {
            const std::string where = std::to_string(position) + " " + std::to_string(byte);
            const StoredPassword stored{in.readString("p", where, "?"), in.readString("h", where, "?")};
            ASSERT_EQ(readStoredPassword(stored), passwordOf(position, byte)) << where;
        }
    }
}

TEST(StoredPassword, WithoutASecondKeyTheFirstReadsAsItAlwaysDid)
{
    // Values an older version may have written, blanks and NUL bytes included.
    for (const std::string& old : {std::string("bdf"), std::string(" bdf "), std::string("\0\0", 2), std::string()}) {
        EXPECT_EQ(readStoredPassword({old, ""}), unscramblePassword(old));
        // Hex digits that are no whole bytes leave the first key in charge.
        EXPECT_EQ(readStoredPassword({old, "6g"}), unscramblePassword(old));
        EXPECT_EQ(readStoredPassword({old, "626"}), unscramblePassword(old));
    }
    // The examples that could not be saved: "\xE2\x82\xAC" at byte 40, "\xC3\xA9" at byte 71.
    for (const std::string& password : {std::string(39, 'p') + "\xE2\x82\xAC", std::string(70, 'p') + "\xC3\xA9"}) {
        const StoredPassword stored = storePassword(password);
        EXPECT_EQ(stored.scrambled, "");
        EXPECT_EQ(readStoredPassword(stored), password);
    }
}

} // namespace
} // namespace pictaven
