#include "generate/HtmlText.h"

#include <stdexcept>

namespace pictaven {

namespace {

// The text with every character that `replacement` gives a text for (not nullptr) replaced by it.
template <typename Replacement>
std::string replaced(std::string_view text, Replacement replacement)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (const char* with = replacement(c))
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
    return replaced(text, [](char c) -> const char* {
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
    return replaced(name, [](char c) -> const char* {
        switch (c) {
        case '%': return "%25";
        case '#': return "%23";
        case '?': return "%3F";
        default: return nullptr;
        }
    });
}

std::string HtmlText::fileAttribute(std::string_view name)
{
    return attribute(fileReference(name));
}

std::string HtmlText::text(std::string_view text)
{
    return replaced(text, [](char c) -> const char* {
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
    return replaced(text, [](char c) -> const char* {
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
