#pragma once

#include <string>

namespace pictaven {

struct AlbumSettings;
class OutputNames;

// The style part of the index and photo pages' heads: the embedded style block coloured by the
// style sheet theme, or a link to an external style sheet. Functions append to `page`.
class StyleWriter {
public:
    // The <STYLE> block defining the classes the pages use, with the fonts and sizes of the
    // settings and the colours of StyleTheme (a theme outside 0 to 11 gives the blue one).
    static void writeStyleBlock(std::string& page, const AlbumSettings& settings);
    // The <LINK> line to a style sheet; `href` (an address) is escaped for the attribute.
    static void writeStyleLink(std::string& page, const std::string& href);
    // StyleSheetType 0: the style block; 1: the link to the copy of the StyleSheet file in the
    // output folder (its web file name); 2: the link to StyleSheetURL as it stands; -1 (none
    // chosen): nothing.
    static void writeStylePart(std::string& page, const AlbumSettings& settings, const OutputNames& names);
};

} // namespace pictaven
