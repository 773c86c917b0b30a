#include "generate/HtmlText.h"

#include "ini/Utf8Text.h"

#include <stdexcept>

namespace pictaven {

namespace {

// What becomes of a byte that is not part of a well-formed UTF-8 sequence.
enum class Malformed { Keep, Replace, PercentEncode };

void appendPercentEncoded(std::string& result, unsigned char byte)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    result += '%';
    result += digits[byte >> 4];
    result += digits[byte & 0xfu];
}

// The text with every ASCII character that `replacement` gives a text for (not nullptr) replaced
// by it; UTF-8 sequences stay as they are, and malformed bytes are treated as `malformed` says.
template <typename Replacement>
std::string replaced(std::string_view text, Malformed malformed, Replacement replacement)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length > 1) {
            result += text.substr(i, length);
            i += length;
            continue;
        }
        const char c = text[i++];
        if (length == 0 && malformed == Malformed::Replace)
            result += "\xEF\xBF\xBD"; // U+FFFD
        else if (length == 0 && malformed == Malformed::PercentEncode)
            appendPercentEncoded(result, static_cast<unsigned char>(c));
        else if (const char* with = length == 1 ? replacement(c) : nullptr)
            result += with;
        else
            result += c;
    }
    return result;
}

} // namespace

std::string HtmlText::fill(std::string_view pageTemplate, std::initializer_list<std::string_view> arguments)
{
    static constexpr std::string_view colourPlace = "%02x%02x%02x";
    std::string text;
    text.reserve(pageTemplate.size() + 64);
    auto next = arguments.begin();
    auto takeArgument = [&]() {
        if (next == arguments.end())
            throw std::logic_error("Page template has more places than arguments: " + std::string(pageTemplate));
        text += *next++;
    };
    for (std::size_t i = 0; i < pageTemplate.size(); ++i) {
        const char c = pageTemplate[i];
        if (c != '%') {
            text += c;
            continue;
        }
        const std::string_view rest = pageTemplate.substr(i);
        if (rest.starts_with(colourPlace)) {
            takeArgument();
            i += colourPlace.size() - 1;
        } else if (rest.starts_with("%s") || rest.starts_with("%d")) {
            takeArgument();
            ++i;
        } else if (rest.starts_with("%%")) {
            text += '%';
            ++i;
        } else {
            throw std::logic_error("Unknown place in page template: " + std::string(pageTemplate));
        }
    }
    if (next != arguments.end())
        throw std::logic_error("Page template has fewer places than arguments: " + std::string(pageTemplate));
    return text;
}

std::string HtmlText::attribute(std::string_view text)
{
    return replaced(text, Malformed::Replace, [](char c) -> const char* {
        switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        case '"': return "&quot;";
        case '\'': return "&#39;";
        default: return nullptr;
        }
    });
}

std::string HtmlText::fileReference(std::string_view name)
{
    std::string result;
    result.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = utf8SequenceLength(name, i);
        const auto byte = static_cast<unsigned char>(name[i]);
        // Browsers would read these as a scheme, a fragment, a query, a folder separator or an
        // escape, drop them (blanks at the ends, tabs, line breaks) or send other bytes than the
        // file's name holds (bytes outside UTF-8).
        const bool encode = length == 0 || (length == 1 && (byte <= 0x20 || byte == 0x7f || byte == '%' ||
                                                            byte == '#' || byte == '?' || byte == ':' ||
                                                            byte == '\\'));
        if (encode) {
            appendPercentEncoded(result, byte);
            ++i;
        } else {
            result += name.substr(i, length);
            i += length;
        }
    }
    return result;
}

std::string HtmlText::fileAttribute(std::string_view name)
{
    return attribute(fileReference(name));
}

std::string HtmlText::text(std::string_view text)
{
    return replaced(text, Malformed::Replace, [](char c) -> const char* {
        switch (c) {
        case '&': return "&amp;";
        case '<': return "&lt;";
        case '>': return "&gt;";
        default: return nullptr;
        }
    });
}

std::string HtmlText::scriptString(std::string_view text)
{
    return replaced(text, Malformed::Keep, [](char c) -> const char* {
        switch (c) {
        case '\\': return "\\\\";
        case '"': return "\\\"";
        case '\'': return "\\'";
        case '\r': return "\\r";
        case '\n': return "\\n";
        case '<': return "\\x3C";
        default: return nullptr;
        }
    });
}


std::string HtmlText::hexColour(std::int32_t colour)
{
    static constexpr char digits[] = "0123456789abcdef";
    const auto value = static_cast<std::uint32_t>(colour);
    std::string hex;
    for (const int shift : {0, 8, 16}) {
        const unsigned byte = (value >> shift) & 0xffu;
        hex += digits[byte >> 4];
        hex += digits[byte & 0xfu];
    }
    return hex;
}

} // namespace pictaven
