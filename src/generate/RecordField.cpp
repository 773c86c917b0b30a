#include "generate/RecordField.h"

namespace pictaven
{

std::string escapedField(std::string_view field)
{
    std::string text;
    for (const char c : field) {
        if (c == '\\')
            text += "\\\\";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else if (c == '\t')
            text += "\\t";
        else
            text += c;
    }
    return text;
}

std::optional<std::string> unescapedField(std::string_view text)
{
    std::string field;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            field += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        if (text[i] == 'n')
            field += '\n';
        else if (text[i] == 'r')
            field += '\r';
        else if (text[i] == 't')
            field += '\t';
        else if (text[i] == '\\')
            field += '\\';
        else
            return std::nullopt;
    }
    return field;
}

} // namespace pictaven
