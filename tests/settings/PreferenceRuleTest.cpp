#include "settings/PreferenceRule.h"

#include "settings/AlbumSettingsField.h"

#include <gtest/gtest.h>
#include <string>

namespace pictaven
{
namespace
{

TEST(PreferenceRuleTest, AFieldFindsItsRule)
{
    struct Case {
        const char* field;
        BoxCheck check;
        std::string fallback;
        std::int32_t lowest, highest;
        bool rerenders, fontSize, layoutNumber;
        std::size_t maxLength;
    };
    const Case cases[] = {
        { "ThumbnailsPerRow", BoxCheck::IntegerInRange, "2", 1, 100, false, false, true, 0 },
        { "LabelHeight", BoxCheck::EmptyThenInteger, "15", INT32_MIN, INT32_MAX, false, false, false, 0 },
        { "PrefixPrev", BoxCheck::NotEmpty, "Prev", INT32_MIN, INT32_MAX, false, false, false, 0 },
        { "CompressionRatio", BoxCheck::Integer, "90", 0, 100, true, false, false, 0 },
        { "LabelFontSize", BoxCheck::None, "8", 1, INT32_MAX, false, true, true, 0 },
        { "WatermarkFontSize", BoxCheck::None, "", 1, INT32_MAX, false, true, false, 0 },
        { "PhotoBorderWidth", BoxCheck::None, "", 1, 50, false, false, false, 20 },
        { "WatermarkImage", BoxCheck::None, "", INT32_MIN, INT32_MAX, true, false, false, 0 },
        { "FontFamily", BoxCheck::None, "", INT32_MIN, INT32_MAX, false, false, false, 0 },
    };
    for (const Case& c : cases) {
        const PreferenceRule& rule = PreferenceRule::of(c.field);
        EXPECT_EQ(rule.check, c.check) << c.field;
        EXPECT_EQ(rule.fallback, c.fallback) << c.field;
        EXPECT_EQ(rule.range.lowest, c.lowest) << c.field;
        EXPECT_EQ(rule.range.highest, c.highest) << c.field;
        EXPECT_EQ(rule.rerenders, c.rerenders) << c.field;
        EXPECT_EQ(rule.fontSize, c.fontSize) << c.field;
        EXPECT_EQ(rule.layoutNumber, c.layoutNumber) << c.field;
        EXPECT_EQ(rule.maxLength, c.maxLength) << c.field;
    }
}

TEST(PreferenceRuleTest, EveryRuleNamesAnAlbumSetting)
{
    for (const PreferenceRule& rule : PreferenceRule::all())
        EXPECT_NO_THROW(AlbumSettingsField::byName(rule.field)) << rule.field;
}

} // namespace
} // namespace pictaven
