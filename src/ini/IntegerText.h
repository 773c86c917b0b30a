#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace pictaven {

// "'%s' is not a valid integer value": the program's one message for text that is not a number.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text);
};

// Optional leading blanks, an optional sign and decimal digits, or hexadecimal digits after
// "$" (a leading "0x"/"0X" counts as "$"); the whole text must be used and fit in 32 bits.
std::optional<std::int32_t> parseInteger(const std::string& text);

// Decimal only (no "$" or "0x"), as settings-store numbers are read; throws ConversionError.
std::int32_t decimalToInt(const std::string& text);

// parseInteger, throwing ConversionError on failure.
std::int32_t textToInt(const std::string& text);

// The value of a hexadecimal digit of either case, -1 for any other character.
int hexDigitValue(char c);

} // namespace pictaven
