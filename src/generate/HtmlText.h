#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace pictaven {

// Text helpers of the page writers. Pages are written as UTF-8 and declare it.
class HtmlText {
public:
    // Fills a page template: each "%s" or "%d" takes the next argument as it stands, each
    // "%02x%02x%02x" takes the next argument as one colour (see hexColour), "%%" is a "%".
    // Throws std::logic_error when the arguments do not match the template's places.
    static std::string fill(std::string_view pageTemplate, std::initializer_list<std::string_view> arguments);

    // A value for an HTML attribute: & < > " ' become character references, so that captions,
    // titles and file names cannot end the attribute or the tag. Bytes that are not part of
    // well-formed UTF-8 (a Latin-1 file name) become U+FFFD, as the page is declared UTF-8;
    // other bytes (UTF-8 letters included) stay as they are.
    static std::string attribute(std::string_view text);
    // A file of the output folder named in a link or a source, as a relative address that
    // browsers resolve to that very name: "%", "#", "?", ":", backslashes, blanks, control characters
    // and every byte outside well-formed UTF-8 are percent-encoded, so that "photo #1.jpg" is
    // not cut at a fragment, "photo:1.jpg" is not read as a scheme, "x\y.jpg" not as a folder,
    // and a Latin-1 name is requested with its own bytes. UTF-8 letters stay as they are.
    static std::string fileReference(std::string_view name);
    // fileReference, then attribute: the value of an HREF or SRC naming a file of the album.
    static std::string fileAttribute(std::string_view name);

    // Text between tags that comes from captions, titles, file names or link texts: & < >
    // become character references, so that such text shows as typed and cannot open a tag, and
    // bytes outside well-formed UTF-8 become U+FFFD.
    // (Photo description lines are the user's own HTML and do not come through here.)
    static std::string text(std::string_view text);

    // The inside of a JavaScript string literal in single or double quotes: backslashes and
    // both quotes get a backslash, line breaks become \r and \n, and "<" becomes \x3C so that
    // no "</SCRIPT>" can end the script. Text for an event attribute goes through attribute()
    // afterwards, since the browser decodes the attribute before running the script.
    static std::string scriptString(std::string_view text);

    // A colour of the settings (B * 65536 + G * 256 + R) as six lower-case hexadecimal digits,
    // red first, without "#"; bits above the 24 colour bits are ignored.
    static std::string hexColour(std::int32_t colour);
};

} // namespace pictaven
