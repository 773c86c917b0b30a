#pragma once

#include <string>

namespace pictaven {

struct AlbumSettings;

// The pieces every generated page starts with.
class PagePreamble {
public:
    // The product's web address named in the generated-by comment.
    static const char* const productWebAddress;

    // "<!-- Generated with Pictaven - <address> !-->" and an empty line.
    static std::string generatedByComment();
    // The description and keywords META lines when GenerateMetaData is on, else nothing.
    static std::string metaLines(const AlbumSettings& settings);
    // The HTML 4.01 Strict document type declaration, without a line break.
    static std::string docType();
    // The line that declares the page's UTF-8 bytes, first in every head.
    static std::string charsetMeta();
};

} // namespace pictaven
