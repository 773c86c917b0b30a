#include "cli/Commands.h"

#include "decoders/PictureFormats.h"
#include "decoders/PictureLoader.h"
#include "imaging/ExifOrientation.h"

#include <exception>
#include <iostream>

namespace pictaven::cli {

namespace {

const char* orientationText(int orientation)
{
    static constexpr const char* texts[] = {"normal",
                                            "mirrored",
                                            "turned a half turn",
                                            "turned a half turn and mirrored",
                                            "turned a quarter clockwise and mirrored",
                                            "turned a quarter clockwise",
                                            "turned a quarter counter-clockwise and mirrored",
                                            "turned a quarter counter-clockwise"};
    return texts[orientation - 1];
}

void printExifFacts(const ExifFacts& facts)
{
    std::cout << "  orientation: " << facts.orientation << " (" << orientationText(facts.orientation) << ")\n";
    std::cout << "  date taken: " << (facts.dateTaken.empty() ? "unknown" : facts.dateTaken) << '\n';
    std::cout << "  caption: " << facts.caption << '\n';
    std::cout << "  location: " << (facts.location ? "present" : "none") << '\n';
}

} // namespace

// One line per file: "<file>: <format>, <width> x <height>" on standard output, or the reason
// it cannot be read, which names the file itself, on standard error. Only the header is read, so
// a picture of any size is reported at once; damage further into the file shows only when the
// picture is decoded. A JPEG with an EXIF block gets four more lines: its orientation, the date
// it was taken, its caption and whether it holds a location.
int runInfoCommand(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "Usage: pictaven-cli info FILE...\n";
        return 2;
    }
    int status = 0;
    for (const std::string& path : args) {
        try {
            const ImageSize size = readPictureSize(path);
            std::cout << path << ": " << pictureFormatName(path) << ", " << size.width << " x " << size.height
                      << '\n';
            if (const std::optional<ExifFacts> facts = readExifFacts(path))
                printExifFacts(*facts);
        } catch (const std::exception& error) {
            std::cerr << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace pictaven::cli
