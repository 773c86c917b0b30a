#include "generate/HtmlText.h"

#include <stdexcept>

namespace pictaven {

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
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string HtmlText::fileReference(std::string_view name)
{
    std::string reference;
    reference.reserve(name.size());
    for (const char c : name) {
        switch (c) {
        case '%': reference += "%25"; break;
        case '#': reference += "%23"; break;
        case '?': reference += "%3F"; break;
        default: reference += c;
        }
    }
    return reference;
}

std::string HtmlText::fileAttribute(std::string_view name)
{
    return attribute(fileReference(name));
}

std::string HtmlText::text(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string HtmlText::scriptString(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '"': escaped += "\\\""; break;
        case '\'': escaped += "\\'"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        case '<': escaped += "\\x3C"; break;
        default: escaped += c;
        }
    }
    return escaped;
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
