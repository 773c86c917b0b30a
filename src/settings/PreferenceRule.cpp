#include "settings/PreferenceRule.h"

#include <algorithm>

namespace pictaven
{

namespace
{

constexpr NumberRange kAboveZero { 1, INT32_MAX };

PreferenceRule rule(const char* field, BoxCheck check = BoxCheck::None, const char* fallback = "")
{
    PreferenceRule rule;
    rule.field = field;
    rule.check = check;
    rule.fallback = fallback;
    return rule;
}

PreferenceRule layoutNumber(PreferenceRule rule)
{
    rule.layoutNumber = true;
    return rule;
}

PreferenceRule rerenders(PreferenceRule rule)
{
    rule.rerenders = true;
    return rule;
}

PreferenceRule within(PreferenceRule rule, NumberRange range)
{
    rule.range = range;
    return rule;
}

PreferenceRule fontSize(PreferenceRule rule)
{
    rule.fontSize = true;
    rule.range = kAboveZero;
    return rule;
}

PreferenceRule atMost(PreferenceRule rule, std::size_t length)
{
    rule.maxLength = length;
    return rule;
}

std::vector<PreferenceRule> makeRules()
{
    using enum BoxCheck;
    // Leaving any font-size box sets this size from its box, 8 while the box is empty.
    const PreferenceRule labelFontSize = layoutNumber(fontSize(rule("LabelFontSize", None, "8")));
    PreferenceRule titleFontSize = fontSize(rule("TitleFontSize", Integer, "14"));
    titleFontSize.checkedWhileTyping = true;
    return {
        layoutNumber(rule("SpacingRows", EmptyThenInteger, "15")),
        layoutNumber(rule("SpacingCols", EmptyThenInteger, "15")),
        labelFontSize,
        titleFontSize,
        fontSize(rule("PhotoTitleFontSize")),
        fontSize(rule("NavButtonsFontSize")),
        fontSize(rule("PhotoLongDescFontSize")),
        fontSize(rule("ListBoxFontSize")),
        fontSize(rule("PageNumberFontSize")),
        fontSize(rule("CustomLinkFontSize")),
        fontSize(rule("WatermarkFontSize")),
        layoutNumber(within(rule("ThumbnailsPerRow", IntegerInRange, "2"), { 1, 100 })),
        layoutNumber(rule("ThumbWidth", EmptyThenInteger, "80")),
        layoutNumber(rule("ThumbHeight", EmptyThenInteger, "80")),
        within(rule("RowsPerPage", IntegerInRange, "2"), { 1, 100 }),
        rule("LabelHeight", EmptyThenInteger, "15"),
        rule("PrefixIndex", NotEmpty, "Index"),
        rule("PrefixPrev", NotEmpty, "Prev"),
        rule("PrefixNext", NotEmpty, "Next"),
        rule("PrefixHome", NotEmpty, "Home"),
        atMost(rule("PrefixName"), 20),
        // Stepped by its up-down control within the range.
        within(atMost(rule("PhotoBorderWidth"), 20), { 1, 50 }),
        rerenders(rule("ResizeImageType")),
        rerenders(rule("NewPhotoWidth", Integer, "600")),
        rerenders(rule("NewPhotoHeight", Integer, "400")),
        rerenders(rule("ResizePercentage", Integer, "100")),
        rerenders(rule("CompressJPEG")),
        rerenders(within(rule("CompressionRatio", Integer, "90"), { 0, 100 })),
        rerenders(rule("Resample")),
        rerenders(rule("SoftEdge")),
        rerenders(rule("PhotoBorder")),
        rerenders(rule("WatermarkType")),
        rerenders(rule("WatermarkOrientation")),
        rerenders(rule("WatermarkText")),
        rerenders(rule("WatermarkImage")),
    };
}

} // namespace

const std::vector<PreferenceRule>& PreferenceRule::all()
{
    static const std::vector<PreferenceRule> rules = makeRules();
    return rules;
}

const PreferenceRule& PreferenceRule::of(std::string_view field)
{
    static const PreferenceRule none;
    const auto& rules = all();
    const auto found = std::find_if(
        rules.begin(), rules.end(), [field](const PreferenceRule& rule) { return field == rule.field; });
    return found == rules.end() ? none : *found;
}

} // namespace pictaven
