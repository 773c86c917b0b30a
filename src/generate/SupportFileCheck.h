#pragma once

#include <cstdint>
#include <string>

namespace pictaven {

// Whether a file that a catalog names for the album (a style sheet, a texture, an audio file)
// may be copied into the output folder and so be published. A catalog is a file people pass on,
// so a file is taken only when it is the kind of file it is named as: otherwise a catalog could
// publish any file its user can read.
class SupportFileCheck {
public:
    enum class Kind {
        StyleSheet, // a regular file named *.css of at most maxStyleSheetBytes of UTF-8 text
                    // without control characters other than tab, line feed, form feed and CR
        Picture,    // a regular file that the picture loader decodes
        Audio,      // a regular file whose extension is an audio format's and whose first
                    // bytes are that format's signature
    };

    static constexpr long long maxStyleSheetBytes = 1 << 20;

    // Empty when the file at `path` may be copied as `kind`; otherwise the message that says so,
    // naming the file (for the error log). Reads at most the style sheet limit or the picture;
    // opens only regular files. Throws nothing.
    static std::string refusal(const std::string& path, Kind kind);

private:
    // The same for a regular file of `size` bytes, by its kind. Throws DecoderError when the file
    // cannot be opened as a regular file after all.
    static std::string kindRefusal(const std::string& path, Kind kind, std::uintmax_t size);
};

} // namespace pictaven
