#include "ini/IntegerText.h"

#include <cstdint>
#include <string_view>

namespace pictaven {

namespace {

// Digits to the end, at most limit; none at all is no number.
std::optional<std::uint64_t> magnitudeOf(std::string_view digits, int base, std::uint64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    return magnitude;
}

// Blanks, sign, then digits to the end. Hexadecimal takes any 32-bit pattern ("$FFFFFFFF" is
// -1, as colour and flag values were always stored); decimal must fit the signed range.
std::optional<std::int32_t> convert(std::string_view text, bool allowHex)
{
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const bool hex = allowHex && pos < text.size() && text[pos] == '$';
    if (hex)
        ++pos;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    const auto magnitude = magnitudeOf(text.substr(pos), hex ? 16 : 10, limit);
    if (!magnitude)
        return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(negative ? (0 - *magnitude) : *magnitude);
    return static_cast<std::int32_t>(bits);
}

} // namespace

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

ConversionError::ConversionError(const std::string& text)
    : std::runtime_error("'" + text + "' is not a valid integer value")
{
}

std::optional<std::int32_t> parseInteger(const std::string& text)
{
    // "0x" reads as "$": hexadecimal digits only, no blanks or sign after it.
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto magnitude = magnitudeOf(std::string_view(text).substr(2), 16, 0xFFFFFFFFull);
        if (!magnitude)
            return std::nullopt;
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(*magnitude));
    }
    return convert(text, true);
}

std::int32_t decimalToInt(const std::string& text)
{
    if (auto value = convert(text, false))
        return *value;
    throw ConversionError(text);
}

std::int32_t textToInt(const std::string& text)
{
    if (auto value = parseInteger(text))
        return *value;
    throw ConversionError(text);
}

} // namespace pictaven
