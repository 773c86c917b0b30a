#include "ini/IntegerText.h"

#include <gtest/gtest.h>

namespace pictaven {
namespace {

struct ParseCase {
    const char* text;
    std::optional<std::int32_t> expected;
};

class ParseIntegerTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseIntegerTest, ConvertsOrRefuses)
{
    EXPECT_EQ(parseInteger(GetParam().text), GetParam().expected) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseIntegerTest,
                         ::testing::Values(ParseCase{"0x1F", 31}, ParseCase{"0X1f", 31}, ParseCase{"$1F", 31},
                                           ParseCase{" 12", 12}, ParseCase{"12px", std::nullopt},
                                           ParseCase{"", std::nullopt}, ParseCase{" ", std::nullopt},
                                           ParseCase{"-5", -5}, ParseCase{"+7", 7}, ParseCase{"-$10", -16},
                                           ParseCase{"0x00FF00", 65280}, ParseCase{"2147483647", 2147483647},
                                           ParseCase{"2147483648", std::nullopt},
                                           ParseCase{"-2147483648", INT32_MIN},
                                           ParseCase{"-2147483649", std::nullopt}, ParseCase{"$FFFFFFFF", -1},
                                           ParseCase{"$100000000", std::nullopt}, ParseCase{"$", std::nullopt},
                                           ParseCase{"-", std::nullopt}, ParseCase{"0x", std::nullopt},
                                           ParseCase{"12 ", std::nullopt}, ParseCase{" 0x10", std::nullopt},
                                           ParseCase{"0x-1", std::nullopt}, ParseCase{"\t5", std::nullopt},
                                           ParseCase{"99999999999999999999", std::nullopt}));

TEST(DecimalToIntTest, AcceptsOnlyDecimalText)
{
    EXPECT_EQ(decimalToInt(" -42"), -42);
    EXPECT_EQ(decimalToInt("200"), 200);
    for (const char* text : {"$10", "0x10", "ten", ""}) {
        try {
            decimalToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(error.what(), "'" + std::string(text) + "' is not a valid integer value");
        }
    }
}

TEST(TextToIntTest, ThrowsWithTheOriginalText)
{
    EXPECT_EQ(textToInt("0x50"), 80);
    try {
        textToInt("abc");
        ADD_FAILURE() << "accepted abc";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
}

} // namespace
} // namespace pictaven
