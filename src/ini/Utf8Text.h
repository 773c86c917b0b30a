#pragma once

#include <cstddef>
#include <string_view>

namespace pictaven {

// The length of the well-formed UTF-8 sequence that starts at text[i]; 0 when the bytes there
// are not one (a stray continuation byte, an overlong form, a surrogate, a cut-off sequence).
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);

// Whether every byte of the text belongs to a well-formed UTF-8 sequence.
bool isUtf8(std::string_view text);

} // namespace pictaven
