#include "app/StoredPassword.h"

#include "ini/IntegerText.h"

#include <optional>

namespace pictaven {

namespace {

std::string shifted(const std::string& text, int direction)
{
    std::string result = text;
    for (std::size_t i = 0; i < result.size(); ++i) {
        // Conversion to unsigned char is modulo 256 by definition.
        const int shiftedByte = static_cast<unsigned char>(result[i]) + direction * static_cast<int>((i + 1) % 256);
        result[i] = static_cast<char>(static_cast<unsigned char>(shiftedByte));
    }
    return result;
}

bool fitsOnASettingsLine(const std::string& value)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return value.find_first_of(std::string("\r\n\0", 3)) == std::string::npos &&
           (value.empty() || (!blank(value.front()) && !blank(value.back())));
}

constexpr const char* hexDigits = "0123456789abcdef";

std::string toHex(const std::string& bytes)
{
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += hexDigits[byte >> 4];
        hex += hexDigits[byte & 15];
    }
    return hex;
}

std::optional<std::string> fromHex(const std::string& hex)
{
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexDigitValue(hex[i]);
        const int low = hexDigitValue(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

} // namespace

std::string scramblePassword(const std::string& password)
{
    return shifted(password, 1);
}

std::string unscramblePassword(const std::string& stored)
{
    return shifted(stored, -1);
}

StoredPassword storePassword(const std::string& password)
{
    std::string scrambled = scramblePassword(password);
    if (fitsOnASettingsLine(scrambled))
        return {std::move(scrambled), {}};
    return {{}, toHex(scrambled)};
}

std::string readStoredPassword(const StoredPassword& stored)
{
    const std::optional<std::string> bytes = stored.hex.empty() ? std::nullopt : fromHex(stored.hex);
    return unscramblePassword(bytes ? *bytes : stored.scrambled);
}

} // namespace pictaven
