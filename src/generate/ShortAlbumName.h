#pragma once

#include <string>

namespace pictaven {

// The short album name: the stem of the album's own file names (index pages, frame-set page,
// album pictures), typed in the step 2 box "Short Album Name".
class ShortAlbumName {
public:
    static constexpr std::size_t maxLength = 14;
    static constexpr const char* defaultName = "myalbum";

    // A typed character is kept only when it is "0" to "9", "a" to "z" or backspace (8).
    static bool acceptsKey(char key);

    // Leaving the box: an empty name becomes "myalbum", any other stays.
    static std::string onExit(const std::string& text);

    // The files the name gives in the output folder (ending in "/"): index page 1 (S + ".htm"),
    // the frame-set page (S + "_frame.htm") and the album picture of page 1 (S + "_thumb.jpg").
    struct Paths {
        std::string indexPage;
        std::string framePage;
        std::string albumPicture;
        // The page the album opens with: the frame-set page in a two-frame album, else index
        // page 1.
        const std::string& entryPage(bool multiWindow) const { return multiWindow ? framePage : indexPage; }
    };
    static Paths paths(const std::string& outputFolder, const std::string& name);

    // Why `name` cannot name the album's files, or empty when it can. Names typed in the box
    // always can; a name read from a file may be empty or hold a "/", which would put pages
    // outside the output folder.
    static std::string problem(const std::string& name);
};

} // namespace pictaven
