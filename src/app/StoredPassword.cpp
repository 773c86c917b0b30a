#include "app/StoredPassword.h"

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

} // namespace

std::string scramblePassword(const std::string& password)
{
    return shifted(password, 1);
}

std::string unscramblePassword(const std::string& stored)
{
    return shifted(stored, -1);
}

} // namespace pictaven
